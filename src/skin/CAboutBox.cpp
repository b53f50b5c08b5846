#include "CAboutBox.h"

#include "CLinkLabel.h"
#include "CPictureText.h"
#include "CSkinButton.h"
#include "CSkinLabel.h"
#include "SkinPalette.h"
#include "SkinResourceIds.h"

#include <QMouseEvent>
#include <QPainter>

namespace kelvara {
namespace {

// What the background picture says, where it says it.
CPictureText* PaintedText(const char* text, const QRect& place, QWidget* box)
{
    return new CPictureText(QString::fromUtf8(text), place, box);
}

} // namespace

// Children are made in reading order, the order screen readers walk them.
CAboutBox::CAboutBox(QWidget* mainWindow, const QString& version, platform::DesktopShell* shell)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_background(LoadSkinBitmap(skin_id::AboutBackground))
{
    setWindowTitle(QStringLiteral("About Kelvara"));
    setFixedSize(kWidth, kHeight);
    PlaceOver(mainWindow);

    PaintedText("Kelvara", { 170, 38, 98, 26 }, this);
    PaintedText("Version", { 254, 64, 52, 16 }, this);
    m_version = new CSkinLabel(this);
    m_version->setGeometry(306, 62, 25, 20);
    m_version->SetWindowText(version);
    m_version->setAccessibleName(version);

    PaintedText("Web:", { 170, 81, 34, 15 }, this);
    m_homePage = new CLinkLabel(this);
    m_homePage->SetText(QStringLiteral("www.tarvo.test/kelvara"));
    m_homePage->SetURL(QString::fromLatin1(kHomePageUrl));
    m_homePage->move(206, 80);
    PaintedText("Support:", { 148, 105, 56, 15 }, this);
    m_support = new CLinkLabel(this);
    m_support->SetText(QStringLiteral("help@tarvo.test"));
    m_support->SetURL(QString::fromLatin1(kSupportUrl));
    m_support->move(206, 103);
    for (CLinkLabel* link : { m_homePage, m_support })
        link->SetShell(shell);
    PaintedText("Converts audio and video files for PCs, players and phones.", { 148, 127, 162, 29 }, this);
    PaintedText("Copyright \xC2\xA9 Tarvo. All rights reserved.", { 76, 236, 206, 17 }, this);

    m_close = new CSkinButton(this);
    m_close->SetBitmaps(skin_id::CloseHover, qRgb(255, 255, 255), skin_id::CloseIdle, qRgb(255, 255, 255));
    m_close->DrawTransparent();
    m_close->DrawBorder(false);
    m_close->setGeometry(330, 2, 23, 25);
    m_close->setAccessibleName(QStringLiteral("Close"));
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);
}

QString CAboutBox::VersionText() const
{
    return m_version->Text();
}

// Centred across the main window, a little above its middle.
void CAboutBox::PlaceOver(const QWidget* mainWindow)
{
    if (!mainWindow)
        return;
    const QRect main = mainWindow->frameGeometry();
    const int right = main.left() + main.width();
    const int bottom = main.top() + main.height();
    move((main.left() + right - kWidth) / 2, (main.top() + bottom - 300) / 2);
}

void CAboutBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(rect(), m_background);
}

void CAboutBox::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(this, event);
}

void CAboutBox::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.Move(this, event);
}

void CAboutBox::mouseReleaseEvent(QMouseEvent*)
{
    m_drag.Release();
}

} // namespace kelvara
