#include "BackgroundStop.h"

#include "platform/LogCategories.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <optional>

namespace kelvara::platform {

namespace {

// Without an exit notifier (no pidfd) the end of a child is looked for this often.
constexpr std::chrono::milliseconds kLookAgainWithoutNotifier { 50 };

// One child being stopped; deletes itself once the child is reaped. Owned
// by the application object, whose end kills and reaps what is left.
class StoppingChild : public QObject {
public:
    StoppingChild(ChildProcess child, StopRequest request, std::vector<UniqueFd> keepOpen,
        std::function<void()> onEnded)
        : QObject(QCoreApplication::instance())
        , m_onEnded(std::move(onEnded))
        , m_child(std::move(child))
        , m_keepOpen(std::move(keepOpen))
    {
        // Its notifier and timer fire on this thread's event loop.
        Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
        m_stop.emplace(m_child, std::move(request));
        if (m_child.ExitNotifier() >= 0) {
            m_exitNotifier = std::make_unique<QSocketNotifier>(m_child.ExitNotifier(), QSocketNotifier::Read);
            connect(m_exitNotifier.get(), &QSocketNotifier::activated, this, &StoppingChild::Step);
        }
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, &StoppingChild::Step);
        Step();
    }

private:
    void Step()
    {
        if (m_done)
            return;
        if (m_stop->Advance() == StopState::Done) {
            m_done = true;
            if (m_stop->WasForced())
                qCDebug(lcProcess) << "killed process" << m_child.Pid() << "at the end of its grace period";
            if (m_exitNotifier) // its pidfd is closed; it goes with this object
                m_exitNotifier->setEnabled(false);
            m_keepOpen.clear();
            deleteLater();
            if (m_onEnded)
                std::exchange(m_onEnded, nullptr)();
            return;
        }
        std::chrono::milliseconds wait = m_stop->TimeLeft();
        if (!m_exitNotifier)
            wait = std::min(wait, kLookAgainWithoutNotifier);
        m_timer.start(wait);
    }

    // Declared first, so destroyed last: after the child has been ended.
    std::function<void()> m_onEnded;
    ChildProcess m_child;
    std::vector<UniqueFd> m_keepOpen;
    std::optional<ProcessStop> m_stop;
    std::unique_ptr<QSocketNotifier> m_exitNotifier;
    QTimer m_timer;
    bool m_done = false;
};

} // namespace

void StopInBackground(
    ChildProcess child, StopRequest request, std::vector<UniqueFd> keepOpen, std::function<void()> onEnded)
{
    if (!child.IsRunning()) {
        if (onEnded)
            onEnded();
        return;
    }
    const QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || application->thread() != QThread::currentThread()) {
        StopAndReap(child, std::move(request));
        keepOpen.clear();
        if (onEnded)
            onEnded();
        return;
    }
    // Owned by the application object.
    new StoppingChild(std::move(child), std::move(request), std::move(keepOpen), std::move(onEnded));
}

} // namespace kelvara::platform
