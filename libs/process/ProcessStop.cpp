#include "ProcessStop.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace kelvara {

namespace {

// Without a pidfd the end of a child is noticed by looking again this often.
constexpr std::chrono::milliseconds kPollWithoutNotifier { 20 };

void IgnoreBrokenPipes()
{
    // Writing "q" to a program that has already gone must fail quietly with
    // EPIPE, not end us. Nothing of ours wants SIGPIPE's default action.
    static const bool ignored = [] {
        std::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

} // namespace

StopRequest StopRequest::ByQuitKey(UniqueFd input, std::chrono::milliseconds grace)
{
    StopRequest request;
    request.quitInput = std::move(input);
    request.grace = grace;
    return request;
}

StopRequest StopRequest::BySignal(int signal, std::chrono::milliseconds grace)
{
    StopRequest request;
    request.signal = signal;
    request.grace = grace;
    return request;
}

void SendQuitKey(UniqueFd& input)
{
    if (!input.IsOpen())
        return;
    IgnoreBrokenPipes();
    const char quit = 'q';
    ssize_t written;
    do {
        written = ::write(input.Get(), &quit, 1);
    } while (written < 0 && errno == EINTR);
    input.Close();
}

ProcessStop::ProcessStop(ChildProcess& child, StopRequest request)
    : m_child(child)
    , m_deadline(Clock::now() + request.grace)
{
    if (m_child.TryReap())
        return;
    if (request.quitInput.IsOpen())
        SendQuitKey(request.quitInput);
    else if (request.signal != 0)
        m_child.Signal(request.signal);
}

StopState ProcessStop::Advance()
{
    if (m_child.TryReap())
        return StopState::Done;
    if (Clock::now() < m_deadline)
        return StopState::Waiting;
    m_forced = true;
    m_child.KillAndReap();
    return StopState::Done;
}

std::chrono::milliseconds ProcessStop::TimeLeft() const
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_deadline - Clock::now());
    return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

StopOutcome StopAndReap(ChildProcess& child, StopRequest request)
{
    ProcessStop stop(child, std::move(request));
    while (stop.Advance() == StopState::Waiting) {
        const int notifier = child.ExitNotifier();
        std::chrono::milliseconds wait = stop.TimeLeft();
        if (notifier < 0)
            wait = std::min(wait, kPollWithoutNotifier);
        pollfd entry { notifier, POLLIN, 0 };
        ::poll(&entry, notifier < 0 ? 0 : 1, static_cast<int>(wait.count()));
    }
    return StopOutcome { stop.WasForced() };
}

} // namespace kelvara
