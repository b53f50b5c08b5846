#include "Conversion.h"

#include "EncoderSupervisor.h"
#include "FfmpegInvocation.h"
#include "PictureFiles.h"
#include "RequestParser.h"
#include "StatusLine.h"
#include "StatusOutput.h"
#include "process/Spawner.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvara::tarvo {

namespace {

// Room for the last status line in a slow reader's pipe.
constexpr int kLastLineWaitMilliseconds = 1000;

struct Failure {
    ExitStatus status;
    std::string reason;
};

ExitStatus report(const Failure& failure)
{
    const std::string line = "tarvoconverter: " + failure.reason + "\n";
    [[maybe_unused]] ssize_t ignored = ::write(STDERR_FILENO, line.data(), line.size());
    return failure.status;
}

struct ChildPipe {
    UniqueFd ours; // read end, non-blocking
    UniqueFd childEnd; // write end, given to ffmpeg
};

std::optional<ChildPipe> MakeChildPipe()
{
    std::optional<PipeEnds> ends = CreatePipe();
    if (!ends)
        return std::nullopt;
    // Only our end: ffmpeg expects its writes to block while we are busy.
    if (SetNonBlocking(ends->readEnd.Get()) != 0)
        return std::nullopt;
    return ChildPipe { std::move(ends->readEnd), std::move(ends->writeEnd) };
}

std::optional<long long> FileSize(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<long long>(info.st_size);
}

std::optional<Failure> JudgeRun(const SupervisedRun& run)
{
    if (run.forcedToEnd)
        return Failure { ExitStatus::Failed,
            "ffmpeg had not finished " + std::to_string(kStopGracePeriod.count() / 1000)
                + " s after the stop request and was ended" };
    // A requested stop is a stop, however ffmpeg ended: asked while it was
    // still opening the source it complains about the source ("Invalid data
    // found") or dies of the signal; whether anything usable was written is
    // judged from the outputs.
    if (run.stopRequested || run.exitCode == 0)
        return std::nullopt;
    if (!run.lastErrorLine.empty())
        return Failure { ExitStatus::Failed, "ffmpeg failed: " + run.lastErrorLine };
    if (run.terminatingSignal != 0)
        return Failure { ExitStatus::Failed,
            "ffmpeg was ended by signal " + std::to_string(run.terminatingSignal) };
    return Failure { ExitStatus::Failed, "ffmpeg failed with exit status " + std::to_string(run.exitCode) };
}

std::optional<Failure> WriteOwnPictures(const FfmpegInvocation& invocation, const SupervisedRun& run)
{
    for (std::size_t i = 0; i < invocation.ownPictures.size(); ++i) {
        const OwnPictureTarget& target = invocation.ownPictures[i];
        if (std::string error = WriteOwnPicture(target.format, run.frames[i], target.path); !error.empty())
            return Failure { ExitStatus::Failed, error };
    }
    return std::nullopt;
}

std::optional<Failure> CheckOutputsWritten(const Request& request, const SupervisedRun& run)
{
    for (const OutputRequest& output : request.outputs) {
        if (FileSize(output.path).value_or(0) > 0)
            continue;
        if (run.stopRequested)
            return Failure { ExitStatus::Stopped,
                "stopped before any output was written to '" + output.path + "'" };
        std::string reason = "no output was written to '" + output.path + "'";
        if (!run.lastErrorLine.empty())
            reason += ": " + run.lastErrorLine;
        return Failure { ExitStatus::Failed, reason };
    }
    return std::nullopt;
}

struct StartedFfmpeg {
    ChildProcess child;
    RunChannels channels;
};

std::optional<Failure> StartFfmpeg(const FfmpegInvocation& invocation, StartedFfmpeg& started)
{
    const auto noPipes = [] {
        return Failure { ExitStatus::Failed, std::string("cannot make pipes: ") + std::strerror(errno) };
    };
    std::optional<ChildPipe> progress = MakeChildPipe();
    std::optional<ChildPipe> errors = MakeChildPipe();
    if (!progress || !errors)
        return noPipes();
    // Standard input and output stay /dev/null: ffmpeg is stopped by signal.
    SpawnRequest request;
    request.descriptors = {
        { STDERR_FILENO, errors->childEnd.Get() },
        { kProgressChildFd, progress->childEnd.Get() },
    };
    std::vector<ChildPipe> frames;
    for (const OwnPictureTarget& target : invocation.ownPictures) {
        std::optional<ChildPipe> frame = MakeChildPipe();
        if (!frame)
            return noPipes();
        request.descriptors.push_back({ target.childFd, frame->childEnd.Get() });
        frames.push_back(std::move(*frame));
    }

    started.channels.signals = BlockControlSignals();
    request.program = FfmpegProgram();
    request.arguments = { request.program };
    request.arguments.insert(
        request.arguments.end(), invocation.arguments.begin(), invocation.arguments.end());
    // ffmpeg must not outlive us: whoever kills us has stopped wanting its output.
    request.parentDeathSignal = SIGKILL;
    SpawnResult spawned = Spawn(request);
    if (!spawned.Started())
        return Failure { ExitStatus::CannotRunFfmpeg,
            "cannot run ffmpeg ('" + request.program + "'): " + std::strerror(spawned.error) };

    started.child = std::move(spawned.child);
    started.channels.progress = std::move(progress->ours);
    started.channels.errors = std::move(errors->ours);
    for (ChildPipe& frame : frames)
        started.channels.frames.push_back(std::move(frame.ours));
    started.channels.controlInput = IsPipe(STDIN_FILENO) ? STDIN_FILENO : -1;
    return std::nullopt; // the child ends of the pipes close here, leaving them to ffmpeg
}

} // namespace

std::string FfmpegProgram()
{
    const char* configured = std::getenv("TARVO_FFMPEG");
    return configured && *configured ? configured : "ffmpeg";
}

ExitStatus RunConversion(const std::vector<std::string>& arguments)
{
    // Our caller closes its end of our output before it asks us to stop; the
    // writes that then fail must not end us before the output is finished.
    std::signal(SIGPIPE, SIG_IGN);

    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.request)
        return report({ ExitStatus::BadArguments, "bad arguments: " + parsed.error });
    const Request& request = *parsed.request;
    const FfmpegInvocation invocation = BuildFfmpegInvocation(request);

    StartedFfmpeg ffmpeg;
    if (std::optional<Failure> failure = StartFfmpeg(invocation, ffmpeg))
        return report(*failure);

    StatusOutput status(STDOUT_FILENO);
    EncoderSupervisor supervisor(ffmpeg.child, std::move(ffmpeg.channels),
        [&status](const ProgressSnapshot& progress) { status.WriteLine(FormatStatusLine(progress)); });
    const SupervisedRun run = supervisor.Run();

    std::optional<Failure> failure = JudgeRun(run);
    if (!failure)
        failure = WriteOwnPictures(invocation, run);
    if (!failure)
        failure = CheckOutputsWritten(request, run);
    if (failure)
        return report(*failure);

    ProgressSnapshot last = run.progress;
    last.sizeBytes = FileSize(request.outputs.front().path).value_or(0);
    status.WriteLine(FormatStatusLine(last), kLastLineWaitMilliseconds);
    return ExitStatus::Success;
}

} // namespace kelvara::tarvo
