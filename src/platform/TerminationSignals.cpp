#include "platform/TerminationSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kelvara::platform {
namespace {

constexpr int kWatched[] = { SIGTERM, SIGINT, SIGHUP };

// The pipe's write end, for the signal handler; -1 while none is watched.
std::atomic<int> g_writeEnd { -1 };

extern "C" void WriteSignalNumber(int signalNumber)
{
    const int savedErrno = errno;
    const int fd = g_writeEnd.load();
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a signal to act on; losing this one is fine.
        [[maybe_unused]] const ssize_t written = write(fd, &byte, 1);
    }
    errno = savedErrno;
}

void SetAction(void (*action)(int))
{
    struct sigaction sa { };
    sa.sa_handler = action;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (const int signalNumber : kWatched)
        sigaction(signalNumber, &sa, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(Handler handler)
    : m_handler(std::move(handler))
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_failure = std::string("pipe2: ") + std::strerror(errno);
        return;
    }
    m_reader = UniqueFd(ends[0]);
    m_writer = UniqueFd(ends[1]);
    Q_ASSERT(g_writeEnd.load() < 0); // one watcher at a time
    m_notifier = std::make_unique<QSocketNotifier>(m_reader.Get(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { Drain(); });
    g_writeEnd.store(m_writer.Get());
    SetAction(WriteSignalNumber);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_writer.IsOpen())
        return;
    SetAction(SIG_DFL);
    g_writeEnd.store(-1);
}

void TerminationSignals::Drain()
{
    unsigned char bytes[16];
    ssize_t count = 0;
    while ((count = read(m_reader.Get(), bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count; ++i)
            m_handler(bytes[i]);
    }
}

} // namespace kelvara::platform
