// The splash picture shown while the main window is being built, with the
// version text on it.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace kelvara {
class CSkinLabel;

class CSplashDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kVersionLabelId = 1114;

    explicit CSplashDlg(const QString& version);
    QString VersionText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    CSkinLabel* m_version = nullptr;
};

// Shows the splash until the main window's set-up is done. Widgets live on
// the GUI thread, so the splash is shown there before the dialog is built.
class CSplashThread {
public:
    void Show(const QString& version);
    // Closes the splash; harmless when it is already gone.
    void HideSplash();
    bool IsShown() const { return m_splash && m_splash->isVisible(); }

private:
    QPointer<CSplashDlg> m_splash;
};

} // namespace kelvara
