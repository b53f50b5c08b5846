#include "EventPump.h"

#include "platform/LogCategories.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>
#include <poll.h>
#include <vector>

namespace kelvara::platform {

namespace {

bool CanServiceEvents()
{
    QCoreApplication* application = QCoreApplication::instance();
    return application != nullptr && QThread::currentThread() == application->thread();
}

void PollOnly(std::initializer_list<int> fds, int timeoutMs)
{
    std::vector<pollfd> entries;
    for (int fd : fds) {
        if (fd >= 0)
            entries.push_back(pollfd { fd, POLLIN, 0 });
    }
    if (::poll(entries.data(), entries.size(), timeoutMs) < 0 && errno != EINTR)
        qCDebug(lcProcess) << "poll:" << std::strerror(errno);
}

} // namespace

void PumpMessages()
{
    if (CanServiceEvents())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForActivity(std::initializer_list<int> fds, int timeoutMs)
{
    // A negative time would wait for ever: every wait here is a slice.
    Q_ASSERT(timeoutMs >= 0);
    if (!CanServiceEvents()) {
        PollOnly(fds, timeoutMs);
        return;
    }
    // Something readable already: no need to sleep at all.
    std::vector<pollfd> ready;
    for (int fd : fds) {
        if (fd >= 0)
            ready.push_back(pollfd { fd, POLLIN, 0 });
    }
    if (!ready.empty() && ::poll(ready.data(), ready.size(), 0) > 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }

    // Registered notifiers and a running timer wake the event dispatcher; one
    // round of processEvents sleeps until one of them, or any other event,
    // arrives, and handles what came.
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    for (int fd : fds) {
        if (fd >= 0)
            notifiers.push_back(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read));
    }
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(timeoutMs);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

} // namespace kelvara::platform
