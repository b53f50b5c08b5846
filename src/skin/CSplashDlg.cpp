#include "CSplashDlg.h"

#include "CSkinLabel.h"
#include "SkinPalette.h"
#include "SkinResourceIds.h"

#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace kelvara {

CSplashDlg::CSplashDlg(const QString& version)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    // The size comes from the picture's header; the picture itself, decoded
    // ahead on another thread, is waited for only at the first paint, so the
    // window is made and mapped meanwhile.
    const QSize pictureSize = SkinImageLogicalSize(skin_id::Splash);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Kelvara"));
    setWindowIcon(LoadSkinIcon(skin_id::AppIcon));
    setFixedSize(pictureSize.isEmpty() ? QSize(359, 212) : pictureSize);
    m_version = new CSkinLabel(this);
    m_version->SetEmbossed(true);
    m_version->SetFontHeight(14);
    m_version->setGeometry(308, 53, 30, 20);
    m_version->SetWindowText(version);
    m_version->setAccessibleName(version);
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString CSplashDlg::VersionText() const
{
    return m_version->Text();
}

void CSplashDlg::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        m_picture = LoadSkinImage(skin_id::Splash);
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
    if (!m_painted) {
        m_painted = true;
        emit Painted();
    }
}

void CSplashThread::Show(const QString& version)
{
    m_splash = new CSplashDlg(version);
    QEventLoop untilPainted;
    // Queued: the loop ends after the paint has returned and its picture
    // has been handed to the display.
    QObject::connect(m_splash, &CSplashDlg::Painted, &untilPainted, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer::singleShot(kLongestPaintWait, &untilPainted, &QEventLoop::quit);
    m_splash->show();
    untilPainted.exec(QEventLoop::ExcludeUserInputEvents);
}

void CSplashThread::HideSplash()
{
    if (m_splash)
        m_splash->close();
}

} // namespace kelvara
