#include "FfmpegRun.h"

#include "platform/BackgroundStop.h"
#include "process/Spawner.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace kelvara {

namespace {

// Enough of ffmpeg's standard error to hold its last few error lines.
constexpr std::size_t kErrorTailBytes = 8192;

std::string LastLine(const std::string& text)
{
    const std::size_t end = text.find_last_not_of("\r\n \t");
    if (end == std::string::npos)
        return {};
    const std::size_t breakBefore = text.find_last_of("\r\n", end);
    const std::size_t start = breakBefore == std::string::npos ? 0 : breakBefore + 1;
    return text.substr(start, end + 1 - start);
}

// Reads what is waiting in a non-blocking pipe; closes it at its end.
std::string ReadAvailable(UniqueFd& fd)
{
    std::string text;
    char buffer[16384];
    while (fd.IsOpen()) {
        const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0 || errno != EAGAIN)
            fd.Close();
        break;
    }
    return text;
}

QSocketNotifier* Watch(int fd, FfmpegRun* receiver, void (FfmpegRun::*handler)())
{
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, receiver);
    QObject::connect(notifier, &QSocketNotifier::activated, receiver, handler);
    return notifier;
}

void Retire(QSocketNotifier*& notifier)
{
    if (!notifier)
        return;
    notifier->setEnabled(false);
    notifier->deleteLater();
    notifier = nullptr;
}

} // namespace

FfmpegRun::FfmpegRun(QObject* parent)
    : QObject(parent)
{
}

FfmpegRun::~FfmpegRun()
{
    m_stopped = true;
    StopWatching();
}

bool FfmpegRun::Start(
    const QString& program, const QStringList& arguments, const std::vector<DescriptorMapping>& descriptors)
{
    std::optional<PipeEnds> output = CreatePipe();
    std::optional<PipeEnds> errors = output ? CreatePipe() : std::nullopt;
    if (!output || !errors || SetNonBlocking(output->readEnd.Get()) != 0
        || SetNonBlocking(errors->readEnd.Get()) != 0) {
        m_startError = std::string("cannot make pipes: ") + std::strerror(errno);
        return false;
    }
    SpawnRequest request;
    request.program = program.toStdString();
    request.arguments.push_back(request.program);
    for (const QString& argument : arguments)
        request.arguments.push_back(argument.toStdString());
    request.descriptors = { { 1, output->writeEnd.Get() }, { 2, errors->writeEnd.Get() } };
    request.descriptors.insert(request.descriptors.end(), descriptors.begin(), descriptors.end());
    // A conversion nobody waits for anymore must not go on writing a file.
    request.parentDeathSignal = SIGKILL;
    SpawnResult started = Spawn(request);
    if (!started.Started()) {
        m_startError = started.Reason(request.program);
        return false;
    }
    m_child = std::move(started.child);
    m_output = std::move(output->readEnd);
    m_errors = std::move(errors->readEnd);
    m_outputNotifier = Watch(m_output.Get(), this, &FfmpegRun::OnStandardOutput);
    m_errorNotifier = Watch(m_errors.Get(), this, &FfmpegRun::OnStandardError);
    if (m_child.ExitNotifier() >= 0)
        m_exitNotifier = Watch(m_child.ExitNotifier(), this, &FfmpegRun::OnExited);
    return true;
}

void FfmpegRun::StopWatching()
{
    Retire(m_outputNotifier);
    Retire(m_errorNotifier);
    Retire(m_exitNotifier);
}

void FfmpegRun::Stop(std::function<void()> onEnded)
{
    m_stopped = true;
    StopWatching();
    std::vector<UniqueFd> pipes;
    pipes.push_back(std::move(m_output));
    pipes.push_back(std::move(m_errors));
    platform::StopInBackground(
        std::move(m_child), StopRequest::BySignal(SIGINT), std::move(pipes), std::move(onEnded));
}

void FfmpegRun::OnStandardOutput()
{
    const std::string text = ReadAvailable(m_output);
    if (!m_output.IsOpen()) {
        Retire(m_outputNotifier);
        // Without a pidfd the end of the output is the sign that ffmpeg ends.
        if (!m_exitNotifier && m_child.IsRunning() && !m_stopped) {
            m_child.Wait();
            OnExited();
            return;
        }
    }
    const std::vector<ProgressSnapshot> reports = m_progress.Feed(text);
    for (const ProgressSnapshot& report : reports) {
        // A receiver may stop the run while it handles one of them.
        if (m_stopped)
            return;
        if (report.timeKnown)
            emit Progressed(report.seconds);
    }
}

void FfmpegRun::OnStandardError()
{
    m_errorTail += ReadAvailable(m_errors);
    if (m_errorTail.size() > kErrorTailBytes)
        m_errorTail.erase(0, m_errorTail.size() - kErrorTailBytes);
    if (!m_errors.IsOpen())
        Retire(m_errorNotifier);
}

void FfmpegRun::OnExited()
{
    if (!m_child.TryReap())
        return;
    Retire(m_exitNotifier);
    // ffmpeg is gone, so what it wrote last is all in the pipes.
    if (m_output.IsOpen())
        OnStandardOutput();
    if (m_errors.IsOpen())
        OnStandardError();
    StopWatching();
    if (m_stopped)
        return;
    m_stopped = true;
    emit Finished(FailureText());
}

QString FfmpegRun::FailureText() const
{
    if (m_child.ExitCode() == 0)
        return {};
    const std::string line = LastLine(m_errorTail);
    if (!line.empty())
        return QString::fromStdString(line);
    if (m_child.TerminatingSignal() != 0)
        return QStringLiteral("ffmpeg ended unexpectedly");
    return QStringLiteral("ffmpeg failed with exit status %1").arg(m_child.ExitCode());
}

} // namespace kelvara
