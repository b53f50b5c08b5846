#include "EncoderRunner.h"

#include "engine/ProgressParser.h"
#include "platform/CommandLine.h"
#include "platform/Diagnostics.h"
#include "platform/EventPump.h"
#include "platform/ProgramSearch.h"
#include "platform/TickCount.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace kelvara {

namespace {

constexpr std::size_t kChunkBytes = 255;
constexpr std::size_t kOutputTailBytes = 4096;
// After its output ends an encoder only has to exit; after "q" it finishes
// its file first, and gives up on ffmpeg itself after a few seconds.
constexpr int kExitGraceMs = 5000;
constexpr int kQuitGraceMs = 10000;
constexpr int kHelperStopGraceMs = 1000;

bool IsReadable(int fd)
{
    pollfd entry { fd, POLLIN, 0 };
    return ::poll(&entry, 1, 0) > 0;
}

bool IsStatusLine(std::string_view line)
{
    return line.find("size=") != std::string_view::npos && line.find("time=") != std::string_view::npos;
}

void IgnoreBrokenPipes()
{
    // Writing "q" to an encoder that has already exited must fail quietly,
    // not end the program.
    static const bool ignored = [] {
        std::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

} // namespace

EncoderRunner::EncoderRunner(ConversionContext& context)
    : m_context(context)
{
    IgnoreBrokenPipes();
}

EncoderRunner::~EncoderRunner()
{
    AskEncoderToQuit();
}

void EncoderRunner::Report(const std::string& api, int errorCode)
{
    m_diagnostics.push_back(platform::FormatDiagnostic(api, errorCode));
    if (std::getenv("KELVARA_DEBUG"))
        std::fputs(m_diagnostics.back().c_str(), stderr);
}

std::optional<std::vector<std::string>> EncoderRunner::ResolveCommand(
    const EncoderCommand& command, RunOutcome& outcome)
{
    std::optional<std::vector<std::string>> arguments = platform::SplitCommandLine(command);
    if (!arguments || arguments->empty()) {
        outcome.reason = arguments ? "The command is empty." : "The command has an unclosed quote.";
        return std::nullopt;
    }
    const std::optional<std::string> program
        = platform::FindProgram(arguments->front(), m_context.toolDirectory);
    if (!program) {
        outcome.reason = "Cannot find " + arguments->front() + " in the tool directory "
            + m_context.toolDirectory + " or on the PATH.";
        return std::nullopt;
    }
    arguments->insert(arguments->begin(), *program);
    return arguments;
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
    const std::string program = arguments->front();
    arguments->erase(arguments->begin());

    platform::PipeEnds output;
    platform::PipeEnds input;
    if (!platform::CreatePipe(output) || !platform::CreatePipe(input)) {
        Report("CreatePipe", errno);
        outcome.reason = "Cannot create the pipes to the encoder: " + std::string(std::strerror(errno));
        return outcome;
    }
    m_outputReader = std::move(output.readEnd);
    m_inputWriter = std::move(input.writeEnd);

    outcome.started = StartEncoderProcess(
        output.writeEnd.Get(), input.readEnd.Get(), output.writeEnd.Get(), program, *arguments);
    const int startError = errno;
    if (!output.writeEnd.Close() || !input.readEnd.Close())
        Report("CloseHandle", errno);
    // From here on only the encoder holds the write side of its output pipe,
    // so the pipe breaks when the encoder exits.
    if (!outcome.started) {
        outcome.reason = "Cannot start " + program + ": " + std::strerror(startError);
        AskEncoderToQuit();
        return outcome;
    }

    ReadEncoderOutput(jobIndex);
    FinishProcess(outcome);
    return outcome;
}

bool EncoderRunner::StartEncoderProcess(int standardOutput, int standardInput, int standardError,
    const std::string& program, const std::vector<std::string>& arguments)
{
    platform::SpawnRequest request;
    request.program = program;
    request.arguments = arguments;
    request.workingDirectory = m_context.toolDirectory;
    request.standardInput = standardInput;
    request.standardOutput = standardOutput;
    request.standardError = standardError;
    if (m_encoder.Spawn(request))
        return true;
    Report("CreateProcess", errno);
    return false;
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
            askToQuit = ParseProgressChunk(chunk, job, platform::TickCount(), m_context.startTick);
        },
        { JobColumn::Status });
    if (askToQuit)
        AskEncoderToQuit();
}

void EncoderRunner::AskEncoderToQuit()
{
    if (!m_outputReader.Close())
        Report("CloseHandle", errno);
    if (m_inputWriter.IsOpen()) {
        const char quit = 'q';
        // Fails quietly (EPIPE) when the encoder has already gone.
        [[maybe_unused]] const ssize_t written = ::write(m_inputWriter.Get(), &quit, 1);
        if (!m_inputWriter.Close())
            Report("CloseHandle", errno);
    }
}

bool EncoderRunner::WaitForExit(platform::ChildProcess& process, int timeoutMs)
{
    const std::uint32_t start = platform::TickCount();
    while (!process.TryReap()) {
        if (platform::TickCount() - start >= static_cast<std::uint32_t>(timeoutMs))
            return false;
        platform::WaitForActivity({ process.ExitNotifier() }, platform::kWaitSliceMs);
    }
    return true;
}

void EncoderRunner::FinishProcess(RunOutcome& outcome)
{
    // A stopped run, or one whose output ended early, gets "q" and its pipes
    // closed; an encoder that still does not exit is ended, never left behind.
    if (m_context.stopFlag || !WaitForExit(m_encoder, kExitGraceMs)) {
        AskEncoderToQuit();
        if (!WaitForExit(m_encoder, kQuitGraceMs))
            m_encoder.KillAndReap();
    }
    outcome.stopped = m_context.stopFlag;
    outcome.exitCode = m_encoder.ExitCode();
    if (outcome.stopped || outcome.exitCode == 0)
        return;
    outcome.reason = LastErrorLines();
    if (outcome.reason.empty()) {
        outcome.reason = m_encoder.TerminatingSignal() != 0
            ? "The encoder was ended by signal " + std::to_string(m_encoder.TerminatingSignal()) + "."
            : "The encoder failed with exit status " + std::to_string(outcome.exitCode) + ".";
    }
}

void EncoderRunner::RememberOutput(std::string_view chunk)
{
    m_outputTail += chunk;
    if (m_outputTail.size() > kOutputTailBytes)
        m_outputTail.erase(0, m_outputTail.size() - kOutputTailBytes);
}

std::string EncoderRunner::LastErrorLines() const
{
    // The last few lines that are not status lines: what the encoder said
    // about its failure.
    constexpr std::size_t kLines = 3;
    std::vector<std::string_view> lines;
    std::string_view rest = m_outputTail;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (!line.empty() && !IsStatusLine(line))
            lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    std::string text;
    const std::size_t first = lines.size() > kLines ? lines.size() - kLines : 0;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (!text.empty())
            text += '\n';
        text += lines[i];
    }
    return text;
}

RunOutcome EncoderRunner::RunHelperAndWait(const EncoderCommand& command)
{
    RunOutcome outcome;
    std::optional<std::vector<std::string>> arguments = ResolveCommand(command, outcome);
    if (!arguments)
        return outcome;
    platform::SpawnRequest request;
    request.program = arguments->front();
    request.arguments.assign(arguments->begin() + 1, arguments->end());
    request.workingDirectory = m_context.toolDirectory;
    platform::ChildProcess helper;
    if (!helper.Spawn(request)) {
        Report("CreateProcess", errno);
        outcome.reason = "Cannot start " + request.program + ": " + std::strerror(errno);
        return outcome;
    }
    outcome.started = true;
    while (!helper.TryReap()) {
        platform::WaitForActivity({ helper.ExitNotifier() }, platform::kWaitSliceMs);
        if (m_context.stopFlag) {
            helper.Signal(SIGTERM);
            if (!WaitForExit(helper, kHelperStopGraceMs))
                helper.KillAndReap();
            outcome.stopped = true;
            return outcome;
        }
    }
    outcome.exitCode = helper.ExitCode();
    if (outcome.exitCode != 0)
        outcome.reason
            = request.program + " failed with exit status " + std::to_string(outcome.exitCode) + ".";
    return outcome;
}

void EncoderRunner::SetJobStage(JobStage stage, int jobIndex)
{
    m_context.UpdateJob(jobIndex, [stage](JobRecord& job) { job.stage = stage; }, { JobColumn::Status });
}

} // namespace kelvara
