#include "app/EndingOnSignal.h"

#include "platform/EventPump.h"

namespace kelvara {

EndingOnSignal::EndingOnSignal(EndingSteps steps, std::chrono::milliseconds limit)
    : m_steps(std::move(steps))
    , m_limit(limit)
{
    m_timer.setInterval(platform::kWaitSliceMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Check(); });
}

void EndingOnSignal::OnSignal(int signalNumber)
{
    if (Ending())
        return;
    m_signal = signalNumber;
    m_deadline = std::chrono::steady_clock::now() + m_limit;
    Check();
    if (!m_left)
        m_timer.start();
}

// Looked at again on every tick: a box may have opened meanwhile (the user's
// Close during a batch), or a batch started (START pressed while the last
// programs finished).
void EndingOnSignal::Check()
{
    if (m_left)
        return;
    m_steps.closeOpenBoxes();
    if (m_steps.batchRunning())
        m_steps.stopBatch();
    const bool unwound = !m_steps.batchRunning() && !m_steps.programsRunning();
    if (!unwound && std::chrono::steady_clock::now() < m_deadline)
        return;
    // Past the limit the loop is left all the same: it returns once the
    // batch has unwound (the runner ends its encoder at the same limit), and
    // whatever program is left is ended as its owner goes.
    m_timer.stop();
    m_left = true;
    m_steps.leave(ExitStatusFor(m_signal));
}

} // namespace kelvara
