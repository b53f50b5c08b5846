// The splash picture shown while the main window is being built, with the
// version text on it.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <chrono>

namespace kelvara {
class CSkinLabel;

class CSplashDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kVersionLabelId = 1114;

    explicit CSplashDlg(const QString& version);
    QString VersionText() const;
    bool HasPainted() const { return m_painted; }

signals:
    // The picture has been drawn into the window for the first time.
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    CSkinLabel* m_version = nullptr;
    bool m_painted = false;
};

// Shows the splash until the main window's set-up is done. Widgets live on
// the GUI thread, so the splash is shown there before the dialog is built.
class CSplashThread {
public:
    // The window manager maps a new window and asks for its picture only
    // through the event loop, which does not run while the dialog is built:
    // without waiting, the splash stays an unpainted rectangle. Show returns
    // once the picture is drawn, or after this long at most.
    static constexpr std::chrono::milliseconds kLongestPaintWait { 250 };

    // Shows the splash and returns once its picture is on the screen.
    void Show(const QString& version);
    // Closes the splash; harmless when it is already gone.
    void HideSplash();
    bool IsShown() const { return m_splash && m_splash->isVisible(); }
    const CSplashDlg* Window() const { return m_splash; }

private:
    QPointer<CSplashDlg> m_splash;
};

} // namespace kelvara
