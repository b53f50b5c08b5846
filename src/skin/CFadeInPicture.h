// A picture that fades in from nothing over 52 steps, then stays.
#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace kelvara {

class CFadeInPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDefaultStepDelayMs = 100;
    static constexpr int kAlphaStep = 5;

    explicit CFadeInPicture(QWidget* parent = nullptr);

    // Loads bitmap resource bitmapId, sizes the control to it and starts the
    // fade with delayMs between steps. Returns 0 when the bitmap does not load
    // (nothing else happens then), 1 otherwise.
    int SetBitmap(int bitmapId, int delayMs);

    bool IsFadedIn() const { return m_fadedIn; }
    int Alpha() const { return m_alpha; }
    int BitmapId() const { return m_bitmapId; }

signals:
    void FadedIn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnStep();

    QPixmap m_bitmap;
    QTimer m_timer;
    int m_bitmapId = 0;
    int m_delayMs = kDefaultStepDelayMs;
    int m_alpha = 0;
    bool m_fadedIn = false;
};

} // namespace kelvara
