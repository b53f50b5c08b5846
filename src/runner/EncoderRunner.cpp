#include "EncoderRunner.h"

#include "platform/Diagnostics.h"
#include "platform/EventPump.h"
#include "platform/LogCategories.h"
#include "platform/TickCount.h"
#include "runner/EncoderLaunch.h"
#include "runner/EncoderOutputLines.h"
#include "runner/ProgressParser.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::size_t kChunkBytes = 255;
// After its output ends an encoder only has to exit; one that has not
// after this long is stopped through the stop policy.
constexpr int kExitGraceMs = 5000;

bool IsReadable(int fd)
{
    pollfd entry { fd, POLLIN, 0 };
    return ::poll(&entry, 1, 0) > 0;
}

} // namespace

EncoderRunner::EncoderRunner(ConversionContext& context)
    : m_context(context)
{
}

EncoderRunner::~EncoderRunner()
{
    AskEncoderToQuit();
}

void EncoderRunner::Report(const std::string& api, int errorCode)
{
    m_diagnostics.push_back(platform::FormatDiagnostic(api, errorCode));
    qCDebug(platform::lcProcess).noquote() << QString::fromStdString(m_diagnostics.back()).trimmed();
}

std::optional<std::vector<std::string>> EncoderRunner::ResolveCommand(
    const EncoderCommand& command, RunOutcome& outcome)
{
    return ResolveEncoderCommand(command, m_context.toolDirectory, outcome.reason);
}

RunOutcome EncoderRunner::RunEncoder(const EncoderCommand& command, int jobIndex)
{
    RunOutcome outcome;
    m_diagnostics.clear();
    m_outputTail.clear();
    AskEncoderToQuit();

    std::optional<std::vector<std::string>> arguments = ResolveCommand(command, outcome);
    if (!arguments)
        return outcome;
    std::optional<PipeEnds> output = CreatePipe();
    std::optional<PipeEnds> input = output ? CreatePipe() : std::nullopt;
    if (!output || !input) {
        Report("CreatePipe", errno);
        outcome.reason = "Cannot create the pipes to the encoder: " + std::string(std::strerror(errno));
        return outcome;
    }
    m_outputReader = std::move(output->readEnd);
    m_inputWriter = std::move(input->writeEnd);

    outcome.started
        = StartEncoderProcess(output->writeEnd.Get(), input->readEnd.Get(), *arguments, outcome.reason);
    if (const int error = output->writeEnd.Close(); error != 0)
        Report("CloseHandle", error);
    if (const int error = input->readEnd.Close(); error != 0)
        Report("CloseHandle", error);
    // From here on only the encoder holds the write side of its output pipe,
    // so the pipe breaks when the encoder exits.
    if (!outcome.started) {
        AskEncoderToQuit();
        return outcome;
    }

    // The speed is this run's alone: a device's auxiliary step before it
    // or an intermediate file's rewrite has a pace of its own.
    m_speed.Restart(platform::TickCount());
    m_context.UpdateJob(jobIndex, [](JobRecord& job) { job.encodeSpeed = 0.0; }, {});
    ReadEncoderOutput(jobIndex);
    FinishProcess(outcome);
    // Kept in the job's run record whatever the outcome: a later check of
    // the output may still fail the job, and then these lines tell why.
    const std::string lines = LastEncoderLines(m_outputTail);
    m_context.UpdateJob(jobIndex, [&lines](JobRecord& job) { job.run.AppendOutput(lines); }, {});
    return outcome;
}

bool EncoderRunner::StartEncoderProcess(
    int standardOutput, int standardInput, const std::vector<std::string>& arguments, std::string& reason)
{
    SpawnResult started = SpawnEncoder(arguments, m_context.toolDirectory, standardInput, standardOutput);
    if (!started.Started()) {
        Report("CreateProcess", started.error);
        reason = "Cannot start " + arguments.front() + ": " + std::strerror(started.error);
        return false;
    }
    m_encoder = std::move(started.child);
    return true;
}

void EncoderRunner::ReadEncoderOutput(int jobIndex)
{
    char buffer[kChunkBytes + 1];
    while (m_outputReader.IsOpen()) {
        platform::WaitForActivity({ m_outputReader.Get() }, platform::kWaitSliceMs);
        if (m_context.stopFlag)
            return;
        if (!m_outputReader.IsOpen() || !IsReadable(m_outputReader.Get()))
            continue;
        std::memset(buffer, 0, sizeof buffer);
        const ssize_t count = ::read(m_outputReader.Get(), buffer, kChunkBytes);
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (count < 0)
            Report("ReadFile", errno);
        if (count <= 0)
            break;
        // The chunk is a zero-terminated text of up to 255 characters.
        const std::string_view chunk(buffer);
        RememberOutput(chunk);
        ParseEncoderOutput(chunk, jobIndex);
        platform::PumpMessages();
        if (m_context.stopFlag)
            return;
    }
}

void EncoderRunner::ParseEncoderOutput(std::string_view chunk, int jobIndex)
{
    // Called after the window was serviced: the update does nothing when the
    // job is no longer in the list, and the run then just drains the encoder.
    bool askToQuit = false;
    m_context.UpdateJob(jobIndex,
        [&](JobRecord& job) {
            askToQuit = ParseProgressChunk(chunk, job, platform::TickCount(), m_context.startTick, m_speed);
        },
        { JobColumn::Status });
    if (askToQuit)
        AskEncoderToQuit();
}

void EncoderRunner::AskEncoderToQuit()
{
    if (const int error = m_outputReader.Close(); error != 0)
        Report("CloseHandle", error);
    SendQuitKey(m_inputWriter);
}

bool EncoderRunner::WaitForExit(ChildProcess& process, int timeoutMs)
{
    const std::uint32_t start = platform::TickCount();
    while (!process.TryReap()) {
        if (platform::TickCount() - start >= static_cast<std::uint32_t>(timeoutMs))
            return false;
        platform::WaitForActivity({ process.ExitNotifier() }, platform::kWaitSliceMs);
    }
    return true;
}

void EncoderRunner::StopServicingWindow(ChildProcess& process, StopRequest request)
{
    ProcessStop stop(process, std::move(request));
    while (stop.Advance() == StopState::Waiting) {
        const int slice = std::min<int>(platform::kWaitSliceMs, static_cast<int>(stop.TimeLeft().count()));
        platform::WaitForActivity({ process.ExitNotifier() }, slice);
    }
}

void EncoderRunner::FinishProcess(RunOutcome& outcome)
{
    // A stopped run, or one whose output ended but whose encoder lingers, is
    // stopped through the policy; the encoder stops its own ffmpeg first,
    // hence the longer grace period.
    if (m_context.stopFlag || !WaitForExit(m_encoder, kExitGraceMs)) {
        if (const int error = m_outputReader.Close(); error != 0)
            Report("CloseHandle", error);
        StopServicingWindow(
            m_encoder, StopRequest::ByQuitKey(std::move(m_inputWriter), kSupervisorStopGracePeriod));
    }
    outcome.stopped = m_context.stopFlag;
    outcome.exitCode = m_encoder.ExitCode();
    if (outcome.stopped || outcome.exitCode == 0)
        return;
    outcome.reason = EncoderFailureReason(m_outputTail, m_encoder);
}

void EncoderRunner::RememberOutput(std::string_view chunk)
{
    KeepOutputTail(m_outputTail, chunk);
}

RunOutcome EncoderRunner::RunHelperAndWait(const EncoderCommand& command)
{
    RunOutcome outcome;
    std::optional<std::vector<std::string>> arguments = ResolveCommand(command, outcome);
    if (!arguments)
        return outcome;
    // Out of the terminal's process group, as the encoder is: a Ctrl+C in
    // the terminal reaches the program, which stops the helper in order.
    SpawnResult started = SpawnEncoder(*arguments, m_context.toolDirectory, -1, -1);
    if (!started.Started()) {
        Report("CreateProcess", started.error);
        outcome.reason = "Cannot start " + arguments->front() + ": " + std::strerror(started.error);
        return outcome;
    }
    ChildProcess& helper = started.child;
    outcome.started = true;
    while (!helper.TryReap()) {
        platform::WaitForActivity({ helper.ExitNotifier() }, platform::kWaitSliceMs);
        if (m_context.stopFlag) {
            // The auxiliary tools read no input: they are asked by signal.
            StopServicingWindow(helper, StopRequest::BySignal(SIGTERM));
            outcome.stopped = true;
            return outcome;
        }
    }
    outcome.exitCode = helper.ExitCode();
    if (outcome.exitCode != 0)
        outcome.reason
            = arguments->front() + " failed with exit status " + std::to_string(outcome.exitCode) + ".";
    return outcome;
}

void EncoderRunner::SetJobStage(JobStage stage, int jobIndex)
{
    m_context.UpdateJob(jobIndex, [stage](JobRecord& job) { job.stage = stage; }, { JobColumn::Status });
}

} // namespace kelvara
