#include "CCountdownMessageBox.h"

#include "CSkinButton.h"
#include "CSkinLabel.h"

#include <QKeyEvent>

namespace kelvara {

CCountdownMessageBox::CCountdownMessageBox(QWidget* owner, int seconds, std::chrono::milliseconds tick)
    : CSkinMessageBox(
        owner, TextFor(seconds), QStringLiteral("Warning"), box_style::Ok | box_style::IconExclamation)
    , m_secondsLeft(seconds)
{
    // The box's one button cancels; only the end of the count accepts.
    FirstButton()->setText(QStringLiteral("Cancel"));
    disconnect(FirstButton(), nullptr, this, nullptr);
    connect(FirstButton(), &QAbstractButton::clicked, this, &CSkinMessageBox::OnCancel);
    m_timer.setInterval(tick);
    connect(&m_timer, &QTimer::timeout, this, &CCountdownMessageBox::OnTick);
}

QString CCountdownMessageBox::TextFor(int secondsLeft)
{
    return QStringLiteral("The computer will be turned off in %1 seconds.").arg(secondsLeft);
}

void CCountdownMessageBox::showEvent(QShowEvent* event)
{
    CSkinMessageBox::showEvent(event);
    // Counted from the moment the user can see it.
    if (!m_timer.isActive())
        m_timer.start();
}

void CCountdownMessageBox::done(int result)
{
    // An answered box must not go on counting and accept later.
    m_timer.stop();
    CSkinMessageBox::done(result);
}

void CCountdownMessageBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnCancel();
        return;
    }
    CSkinMessageBox::keyPressEvent(event);
}

void CCountdownMessageBox::OnTick()
{
    if (m_secondsLeft > 0)
        --m_secondsLeft;
    TextLabel()->SetWindowText(TextFor(m_secondsLeft));
    if (m_secondsLeft > 0)
        return;
    m_timer.stop();
    OnOK();
}

bool RunShutdownCountdown(QWidget* owner, int seconds)
{
    CCountdownMessageBox box(owner, seconds);
    box.exec();
    return box.Result() == box_style::IdOk;
}

} // namespace kelvara
