// Fades a top-level window in through its opacity: +20 of 255 every 20 ms.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace kelvara {

class LayeredFadeIn : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepMs = 20;
    static constexpr int kAlphaStep = 20;

    explicit LayeredFadeIn(QObject* parent = nullptr);

    // Starts at alpha 0 when layered windows are available; otherwise shows
    // the window opaque at once.
    void Start(QWidget* window, bool layeredWindows, int targetAlpha);
    int Alpha() const { return m_alpha; }
    bool IsRunning() const { return m_timer.isActive(); }

signals:
    void Finished();

private:
    void OnTick();
    void Apply();

    QPointer<QWidget> m_window;
    QTimer m_timer;
    int m_alpha = 255;
    int m_target = 255;
};

} // namespace kelvara
