#include "EventPump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

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
    ::poll(entries.data(), entries.size(), timeoutMs);
}

} // namespace

void PumpMessages()
{
    if (CanServiceEvents())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitForActivity(std::initializer_list<int> fds, int timeoutMs)
{
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

    QEventLoop loop;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
    for (int fd : fds) {
        if (fd < 0)
            continue;
        auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, &loop, &QEventLoop::quit);
        notifiers.push_back(std::move(notifier));
    }
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    // One round of waiting: processEvents sleeps until something happens and
    // handles it; a notifier or the timer ends the round.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

} // namespace kelvara::platform
