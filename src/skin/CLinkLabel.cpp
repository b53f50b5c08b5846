#include "CLinkLabel.h"

#include "CSkinMessageBox.h"
#include "SkinFont.h"
#include "platform/DesktopShell.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <utility>

namespace kelvara {
namespace {

constexpr std::array<std::pair<int, const char*>, 12> kReasons = { {
    { 0, "The operating system is out\nof memory or resources." },
    { 2, "The specified file was not found." },
    { 3, "The specified path was not found." },
    { 5, "The operating system denied\naccess to the specified file." },
    { 8, "There was not enough memory to complete the operation." },
    { 11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)." },
    { 27, "The filename association is\nincomplete or invalid." },
    { 28, "The DDE transaction could not\nbe completed because the request timed out." },
    { 29, "The DDE transaction failed." },
    { 30,
        "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed." },
    { 31, "There is no application associated\nwith the given filename extension." },
    { 32, "The specified dynamic-link library was not found." },
} };

} // namespace

CLinkLabel::CLinkLabel(QWidget* parent)
    : QWidget(parent)
    , m_font(SkinFont(12, false))
{
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    m_hoverTimer.setInterval(kHoverTimerMs);
    connect(&m_hoverTimer, &QTimer::timeout, this, &CLinkLabel::OnHoverTick);
}

void CLinkLabel::SetText(const QString& text)
{
    m_text = text;
    setAccessibleName(Text());
    ResizeToFit();
    update();
}

void CLinkLabel::SetURL(const QString& url)
{
    m_url = url;
    setToolTip(url);
    setAccessibleName(Text());
    setAccessibleDescription(url);
    ResizeToFit();
    update();
}

void CLinkLabel::SetVisited(bool visited)
{
    m_visited = visited;
    update();
}

void CLinkLabel::SetUnderline(Underline mode)
{
    m_underline = mode;
    ApplyFont(mode == Underline::Always || (mode == Underline::WhileHovering && m_over));
}

QColor CLinkLabel::TextColour() const
{
    if (m_over)
        return m_hoverColour;
    return m_visited ? m_visitedColour : m_linkColour;
}

QString CLinkLabel::FailureReport(int errorCode)
{
    QString reason = QStringLiteral("Unknown Error (%1) occurred.").arg(errorCode);
    for (const auto& [code, text] : kReasons) {
        if (code == errorCode)
            reason = QString::fromLatin1(text);
    }
    return QStringLiteral("Unable to open hyperlink:\n\n") + reason;
}

void CLinkLabel::OpenLink()
{
    m_over = false;
    platform::QDesktopShell desktop;
    const platform::OpenOutcome outcome
        = (m_shell ? *m_shell : static_cast<platform::DesktopShell&>(desktop)).Open(QUrl(m_url));
    if (outcome.opened) {
        SetVisited(true);
        return;
    }
    QApplication::beep();
    const QString report = FailureReport(outcome.errorCode);
    emit linkFailed(report);
    SkinMessageBox(window(), report, QString(), box_style::IconExclamation);
}

void CLinkLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(m_font);
    p.setPen(TextColour());
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, Text());
}

void CLinkLabel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    EnterHover();
}

void CLinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    EnterHover();
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        OpenLink();
}

void CLinkLabel::EnterHover()
{
    if (m_over)
        return;
    m_over = true;
    if (m_underline == Underline::WhileHovering)
        ApplyFont(true);
    update();
    m_hoverTimer.start();
}

// The timer, not a leave event, ends the hover: it also notices a cursor that
// left while the window was not told (a menu or another window in between).
void CLinkLabel::OnHoverTick()
{
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    m_over = false;
    m_hoverTimer.stop();
    if (m_underline != Underline::Always)
        ApplyFont(false);
    update();
}

void CLinkLabel::ApplyFont(bool underlined)
{
    m_font.setUnderline(underlined);
    update();
}

void CLinkLabel::ResizeToFit()
{
    QFont underlined = m_font;
    underlined.setUnderline(true);
    const QFontMetrics metrics(underlined);
    resize(metrics.horizontalAdvance(Text()) + 2, metrics.height());
}

} // namespace kelvara
