#include "Conversion.h"

#include "ChildProcess.h"
#include "EncoderSupervisor.h"
#include "FfmpegInvocation.h"
#include "PictureFiles.h"
#include "RequestParser.h"
#include "StatusLine.h"
#include "StatusOutput.h"
#include "TemporaryFolder.h"

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

// ffmpeg's exit status after it finished the output because of a signal.
constexpr int kFfmpegStatusAfterSignal = 255;
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
    FileDescriptor ours; // read end, non-blocking
    FileDescriptor childEnd; // write end, given to ffmpeg
};

std::optional<ChildPipe> MakeChildPipe()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    ChildPipe pipe { FileDescriptor(ends[0]), FileDescriptor(ends[1]) };
    // Only our end: ffmpeg expects its writes to block while we are busy.
    ::fcntl(pipe.ours.get(), F_SETFL, ::fcntl(pipe.ours.get(), F_GETFL) | O_NONBLOCK);
    return pipe;
}

std::optional<long long> FileSize(const std::string& path)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<long long>(info.st_size);
}

bool EndedAsAskedToStop(int waitStatus)
{
    if (WIFSIGNALED(waitStatus))
        return WTERMSIG(waitStatus) == SIGINT; // before ffmpeg had set up its handler
    return WIFEXITED(waitStatus)
        && (WEXITSTATUS(waitStatus) == 0 || WEXITSTATUS(waitStatus) == kFfmpegStatusAfterSignal);
}

std::optional<Failure> JudgeRun(const SupervisedRun& run)
{
    if (run.forcedToEnd)
        return Failure { ExitStatus::Failed,
            "ffmpeg had not finished " + std::to_string(kStopGracePeriod.count() / 1000)
                + " s after the stop request and was ended" };
    if (run.stopRequested && EndedAsAskedToStop(run.waitStatus))
        return std::nullopt;
    if (WIFEXITED(run.waitStatus) && WEXITSTATUS(run.waitStatus) == 0)
        return std::nullopt;
    if (!run.lastErrorLine.empty())
        return Failure { ExitStatus::Failed, "ffmpeg failed: " + run.lastErrorLine };
    if (WIFSIGNALED(run.waitStatus))
        return Failure { ExitStatus::Failed,
            "ffmpeg was ended by signal " + std::to_string(WTERMSIG(run.waitStatus)) };
    return Failure { ExitStatus::Failed,
        "ffmpeg failed with exit status " + std::to_string(WEXITSTATUS(run.waitStatus)) };
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
        std::string reason
            = run.stopRequested ? "stopped before any output was written to '" : "no output was written to '";
        reason += output.path + "'";
        if (!run.lastErrorLine.empty())
            reason += ": " + run.lastErrorLine;
        return Failure { ExitStatus::Failed, reason };
    }
    return std::nullopt;
}

struct StartedFfmpeg {
    pid_t pid = -1;
    RunChannels channels;
};

std::optional<Failure> StartFfmpeg(const FfmpegInvocation& invocation, StartedFfmpeg& started)
{
    const Failure noPipes { ExitStatus::Failed, std::string("cannot make pipes: ") + std::strerror(errno) };
    std::optional<ChildPipe> progress = MakeChildPipe();
    std::optional<ChildPipe> errors = MakeChildPipe();
    FileDescriptor nothing(::open("/dev/null", O_RDWR | O_CLOEXEC));
    if (!progress || !errors || !nothing.IsOpen())
        return noPipes;
    std::vector<ChildFd> childFds = {
        { STDIN_FILENO, nothing.get() },
        { STDOUT_FILENO, nothing.get() },
        { STDERR_FILENO, errors->childEnd.get() },
        { kProgressChildFd, progress->childEnd.get() },
    };
    std::vector<ChildPipe> frames;
    for (const OwnPictureTarget& target : invocation.ownPictures) {
        std::optional<ChildPipe> frame = MakeChildPipe();
        if (!frame)
            return noPipes;
        childFds.push_back({ target.childFd, frame->childEnd.get() });
        frames.push_back(std::move(*frame));
    }

    started.channels.signals = BlockControlSignals();
    const std::string program = FfmpegProgram();
    std::vector<std::string> argv { program };
    argv.insert(argv.end(), invocation.arguments.begin(), invocation.arguments.end());
    const StartedChild child = StartChild(program, argv, childFds);
    if (child.pid < 0)
        return Failure { ExitStatus::CannotRunFfmpeg,
            "cannot run ffmpeg ('" + program + "'): " + std::strerror(child.startError) };

    started.pid = child.pid;
    started.channels.progress = std::move(progress->ours);
    started.channels.errors = std::move(errors->ours);
    for (ChildPipe& frame : frames)
        started.channels.frames.push_back(std::move(frame.ours));
    started.channels.controlInput = IsPipe(STDIN_FILENO) ? STDIN_FILENO : -1;
    return std::nullopt; // the child ends of the pipes close here, leaving them to ffmpeg
}

// The first run of a GIF animation: it writes the clip's palette and
// nothing of the output yet, which its status lines say while it works.
std::optional<Failure> RunPalettePass(const FfmpegInvocation& invocation, StatusOutput& status)
{
    StartedFfmpeg ffmpeg;
    if (std::optional<Failure> failure = StartFfmpeg({ invocation.paletteArguments, {}, {} }, ffmpeg))
        return failure;
    EncoderSupervisor supervisor(ffmpeg.pid, std::move(ffmpeg.channels),
        [&status](const ProgressSnapshot&) { status.WriteLine(FormatStatusLine(ProgressSnapshot {})); });
    const SupervisedRun run = supervisor.Run();
    if (run.stopRequested)
        return Failure { ExitStatus::Failed, "stopped before any output was written" };
    return JudgeRun(run);
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
    const TemporaryFolder work;
    const FfmpegInvocation invocation = BuildFfmpegInvocation(request, work.Path());
    StatusOutput status(STDOUT_FILENO);
    if (!invocation.paletteArguments.empty()) {
        if (!work.IsMade())
            return report({ ExitStatus::Failed, work.Error() });
        if (std::optional<Failure> failure = RunPalettePass(invocation, status))
            return report(*failure);
    }

    StartedFfmpeg ffmpeg;
    if (std::optional<Failure> failure = StartFfmpeg(invocation, ffmpeg))
        return report(*failure);

    EncoderSupervisor supervisor(ffmpeg.pid, std::move(ffmpeg.channels),
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
