#include "EncoderSupervisor.h"

#include "process/Expect.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvara::tarvo {

namespace {

constexpr int kControlSignals[] = { SIGCHLD, SIGINT, SIGTERM, SIGHUP };
constexpr std::size_t kReadChunk = 65536;
// Far above any real frame (8K RGB is 100 MB); guards memory against a runaway stream.
constexpr std::size_t kLargestFrame = std::size_t { 512 } * 1024 * 1024;
constexpr std::size_t kLongestErrorLine = 400;

// Reads what is there; returns false on end of stream or a hard error.
bool ReadAvailable(int fd, std::string& sink, std::size_t limit)
{
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            if (sink.size() < limit)
                sink.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return got < 0 && errno == EAGAIN;
    }
}

} // namespace

UniqueFd BlockControlSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (int signal : kControlSignals)
        sigaddset(&signals, signal);
    ::sigprocmask(SIG_BLOCK, &signals, nullptr);
    return UniqueFd(::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK));
}

bool IsPipe(int fd)
{
    struct stat info { };
    return ::fstat(fd, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode));
}

EncoderSupervisor::EncoderSupervisor(ChildProcess& child, RunChannels channels, ProgressHandler onProgress)
    : m_child(child)
    , m_channels(std::move(channels))
    , m_onProgress(std::move(onProgress))
{
    m_result.frames.resize(m_channels.frames.size());
}

SupervisedRun EncoderSupervisor::Run()
{
    TryReap(); // it may have ended before we started to listen
    while (!m_reaped)
        PollOnce();
    Drain();
    m_result.exitCode = m_child.ExitCode();
    m_result.terminatingSignal = m_child.TerminatingSignal();
    m_result.forcedToEnd = m_stop && m_stop->WasForced();
    m_result.progress = m_progressReader.Latest();
    return std::move(m_result);
}

int EncoderSupervisor::PollTimeout() const
{
    return m_stop ? static_cast<int>(m_stop->TimeLeft().count()) : -1;
}

void EncoderSupervisor::PollOnce()
{
    enum class Source { Signals, Control, Progress, Errors, Frame };
    struct Watched {
        Source source;
        std::size_t frameIndex;
    };
    std::vector<pollfd> fds;
    std::vector<Watched> watched;
    const auto watch = [&](int fd, Source source, std::size_t frameIndex = 0) {
        if (fd < 0)
            return;
        fds.push_back({ fd, POLLIN, 0 });
        watched.push_back({ source, frameIndex });
    };
    watch(m_channels.signals.Get(), Source::Signals);
    if (!m_result.stopRequested)
        watch(m_channels.controlInput, Source::Control);
    watch(m_channels.progress.Get(), Source::Progress);
    watch(m_channels.errors.Get(), Source::Errors);
    for (std::size_t i = 0; i < m_channels.frames.size(); ++i)
        watch(m_channels.frames[i].Get(), Source::Frame, i);

    const int ready = ::poll(fds.data(), fds.size(), PollTimeout());
    if (ready < 0)
        return; // EINTR: look again
    if (ready == 0) { // the grace period is over: the policy ends it and reaps it
        KELVARA_EXPECT(m_stop); // the only wait with a timeout is a stop's
        m_reaped = m_stop->Advance() == StopState::Done;
        return;
    }
    for (std::size_t i = 0; i < fds.size(); ++i) {
        if (fds[i].revents == 0)
            continue;
        switch (watched[i].source) {
        case Source::Signals:
            HandleSignals();
            break;
        case Source::Control:
            ReadControlInput();
            break;
        case Source::Progress:
            ReadProgress();
            break;
        case Source::Errors:
            ReadErrors();
            break;
        case Source::Frame:
            ReadFrame(watched[i].frameIndex);
            break;
        }
    }
}

void EncoderSupervisor::HandleSignals()
{
    signalfd_siginfo info {};
    while (::read(m_channels.signals.Get(), &info, sizeof info) == sizeof info) {
        if (info.ssi_signo == SIGCHLD)
            TryReap();
        else
            RequestStop();
    }
}

void EncoderSupervisor::ReadControlInput()
{
    char buffer[256];
    ssize_t got;
    do
        got = ::read(m_channels.controlInput, buffer, sizeof buffer);
    while (got < 0 && errno == EINTR);
    if (got < 0 && errno == EAGAIN)
        return;
    // The end of the pipe (our caller is gone or done with us) stops us like a "q".
    if (got <= 0
        || std::string_view(buffer, static_cast<std::size_t>(got)).find('q') != std::string_view::npos)
        RequestStop();
}

void EncoderSupervisor::ReadProgress()
{
    std::string piece;
    const bool open = ReadAvailable(m_channels.progress.Get(), piece, kReadChunk * 16);
    for (const ProgressSnapshot& snapshot : m_progressReader.Feed(piece))
        m_onProgress(snapshot);
    if (!open)
        m_channels.progress.Close();
}

void EncoderSupervisor::ReadErrors()
{
    std::string piece;
    const bool open = ReadAvailable(m_channels.errors.Get(), piece, kReadChunk * 16);
    for (char c : piece) {
        if (c == '\n' || c == '\r') {
            if (!m_errorLineBuffer.empty())
                m_result.lastErrorLine = std::move(m_errorLineBuffer);
            m_errorLineBuffer.clear();
        } else if (m_errorLineBuffer.size() < kLongestErrorLine) {
            m_errorLineBuffer += c;
        }
    }
    if (!open) {
        if (!m_errorLineBuffer.empty())
            m_result.lastErrorLine = std::move(m_errorLineBuffer);
        m_channels.errors.Close();
    }
}

void EncoderSupervisor::ReadFrame(std::size_t index)
{
    KELVARA_EXPECT(index < m_channels.frames.size() && index < m_result.frames.size());
    if (!ReadAvailable(m_channels.frames[index].Get(), m_result.frames[index], kLargestFrame))
        m_channels.frames[index].Close();
}

void EncoderSupervisor::RequestStop()
{
    if (m_result.stopRequested || m_reaped)
        return;
    m_result.stopRequested = true;
    m_stop.emplace(m_child, StopRequest::BySignal(SIGINT));
    m_reaped = !m_child.IsRunning(); // it may have ended just before
}

void EncoderSupervisor::TryReap()
{
    m_reaped = m_child.TryReap();
}

void EncoderSupervisor::Drain()
{
    // The child is gone, so every pipe ends after what is left in it.
    if (m_channels.progress.IsOpen())
        ReadProgress();
    if (m_channels.errors.IsOpen())
        ReadErrors();
    for (std::size_t i = 0; i < m_channels.frames.size(); ++i) {
        if (m_channels.frames[i].IsOpen())
            ReadFrame(i);
    }
}

} // namespace kelvara::tarvo
