#include "Conversion.h"

#include "EncoderSupervisor.h"
#include "FfmpegInvocation.h"
#include "OutputStaging.h"
#include "PictureFiles.h"
#include "RequestParser.h"
#include "SourceChecks.h"
#include "SourceStreams.h"
#include "StatusLine.h"
#include "StatusOutput.h"
#include "TemporaryFolder.h"
#include "ffmpeg/FfmpegProgram.h"
#include "process/Spawner.h"

#include <algorithm>
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

// ffmpeg can report a failed write and still exit with status 0 (a full
// disk while it writes the trailer of an MP3).
bool ReportsFailedWrite(const std::string& line)
{
    for (int error : { ENOSPC, EDQUOT, EIO, EFBIG }) {
        if (line.find(std::strerror(error)) != std::string::npos)
            return true;
    }
    return line.find("Error writing trailer") != std::string::npos
        || line.find("Error closing file") != std::string::npos;
}

std::string SystemErrorIn(const std::string& line)
{
    for (int error : { ENOSPC, EDQUOT, EIO, EFBIG }) {
        if (line.find(std::strerror(error)) != std::string::npos)
            return std::strerror(error);
    }
    return line;
}

// The output a message of ffmpeg's names, the first one when it names none.
const OutputRequest& OutputNamedIn(const Request& forFfmpeg, const Request& request, const std::string& line)
{
    if (const std::size_t at = line.find("Output file #"); at != std::string::npos) {
        const std::size_t index = std::strtoul(line.c_str() + at + 13, nullptr, 10);
        if (index < request.outputs.size())
            return request.outputs[index];
    }
    for (std::size_t i = 0; i < forFfmpeg.outputs.size(); ++i) {
        const OutputRequest& output = forFfmpeg.outputs[i];
        if (line.find(output.writtenAt.empty() ? output.path : output.writtenAt) != std::string::npos)
            return request.outputs[i];
    }
    return request.outputs.front();
}

// "Output file #0 does not contain any stream": the stream the output is
// made from is missing from the source.
std::string MissingStreamReason(const OutputRequest& output)
{
    const OutputFamily family
        = DescribeOutput(output.path, output.pictureRequested || output.singleFrame).family;
    const bool wantsSound = family == OutputFamily::Audio
        || (family == OutputFamily::Media
            && std::find(output.ffmpegOptions.begin(), output.ffmpegOptions.end(), "-vn")
                != output.ffmpegOptions.end());
    return std::string(wantsSound ? "the source has no sound" : "the source has no picture")
        + " to write to '" + output.path + "'";
}

// Own words for the failures a user can act on; ffmpeg's line otherwise.
std::string ExplainFfmpegLine(const Request& forFfmpeg, const Request& request, const std::string& line)
{
    const OutputRequest& output = OutputNamedIn(forFfmpeg, request, line);
    // A -map without "?" that the source cannot serve ends with ffmpeg's
    // advice to add one: the same missing stream.
    if (line.find("does not contain any stream") != std::string::npos
        || line.find("add a trailing '?' to the map") != std::string::npos)
        return MissingStreamReason(output);
    if (ReportsFailedWrite(line))
        return "cannot write '" + output.path + "': " + SystemErrorIn(line);
    return "ffmpeg failed: " + line;
}

std::optional<Failure> JudgeRun(const SupervisedRun& run, const Request& forFfmpeg, const Request& request)
{
    if (ReportsFailedWrite(run.lastErrorLine))
        return Failure { ExitStatus::Failed, ExplainFfmpegLine(forFfmpeg, request, run.lastErrorLine) };
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
        return Failure { ExitStatus::Failed, ExplainFfmpegLine(forFfmpeg, request, run.lastErrorLine) };
    if (run.terminatingSignal != 0)
        return Failure { ExitStatus::Failed,
            "ffmpeg was ended by signal " + std::to_string(run.terminatingSignal) };
    return Failure { ExitStatus::Failed, "ffmpeg failed with exit status " + std::to_string(run.exitCode) };
}

std::optional<Failure> WriteOwnPictures(
    const FfmpegInvocation& invocation, const OutputStaging& staging, const SupervisedRun& run)
{
    for (std::size_t i = 0; i < invocation.ownPictures.size(); ++i) {
        const OwnPictureTarget& target = invocation.ownPictures[i];
        const std::string error = WriteOwnPicture(
            target.format, run.frames[i], target.path, staging.OwnPathOf(target.outputIndex));
        if (!error.empty())
            return Failure { ExitStatus::Failed, error };
    }
    return std::nullopt;
}

std::optional<Failure> CheckOutputsWritten(const OutputStaging& staging, const SupervisedRun& run)
{
    const std::optional<std::string> empty = staging.FirstEmptyOutput();
    if (!empty)
        return std::nullopt;
    if (run.stopRequested)
        return Failure { ExitStatus::Stopped, "stopped before any output was written to '" + *empty + "'" };
    std::string reason = "no output was written to '" + *empty + "'";
    if (!run.lastErrorLine.empty())
        reason += ": " + run.lastErrorLine;
    return Failure { ExitStatus::Failed, reason };
}

// A run that wrote no frame and no sound ends with status 0 and a file that
// holds only headers, which no player opens: after a stop before the first
// packet, or for a range that holds nothing (a length of 0, a start past
// the source's end). ffmpeg's own count of what it encoded tells, whatever
// the format.
std::optional<Failure> CheckSomethingEncoded(const SupervisedRun& run)
{
    if (run.progress.frames > 0 || run.progress.seconds > 0.0)
        return std::nullopt;
    if (run.stopRequested)
        return Failure { ExitStatus::Stopped, "stopped before anything was encoded; no output was kept" };
    return Failure { ExitStatus::Failed,
        "nothing was encoded (no picture and no sound in the range asked for); no output was kept" };
}

struct StartedFfmpeg {
    ChildProcess child;
    RunChannels channels;
};

std::optional<Failure> StartFfmpeg(
    const FfmpegInvocation& invocation, const std::vector<DescriptorMapping>& outputs, StartedFfmpeg& started)
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
    request.descriptors.insert(request.descriptors.end(), outputs.begin(), outputs.end());

    started.channels.signals = BlockControlSignals();
    const FfmpegProgram ffmpeg = WhichFfmpeg();
    const auto cannotRun = [&ffmpeg](int error) {
        return Failure { ExitStatus::CannotRunFfmpeg,
            "cannot run ffmpeg ('" + ffmpeg.name + "'): " + std::strerror(error) };
    };
    if (!ffmpeg.found.Found())
        return cannotRun(ffmpeg.found.error);
    request.program = ffmpeg.found.path;
    request.arguments = { ffmpeg.name };
    request.arguments.insert(
        request.arguments.end(), invocation.arguments.begin(), invocation.arguments.end());
    // ffmpeg must not outlive us: whoever kills us has stopped wanting its output.
    request.parentDeathSignal = SIGKILL;
    SpawnResult spawned = Spawn(request);
    if (!spawned.Started())
        return cannotRun(spawned.error);

    started.child = std::move(spawned.child);
    started.channels.progress = std::move(progress->ours);
    started.channels.errors = std::move(errors->ours);
    for (ChildPipe& frame : frames)
        started.channels.frames.push_back(std::move(frame.ours));
    started.channels.controlInput = IsPipe(STDIN_FILENO) ? STDIN_FILENO : -1;
    return std::nullopt; // the child ends of the pipes close here, leaving them to ffmpeg
}

// The first run of a GIF animation: it writes the clip's palette and
// nothing of the output yet, which its status lines say while it works.
std::optional<Failure> RunPalettePass(const FfmpegInvocation& invocation, const Request& forFfmpeg,
    const Request& request, StatusOutput& status)
{
    StartedFfmpeg ffmpeg;
    if (std::optional<Failure> failure = StartFfmpeg({ invocation.paletteArguments, {}, {} }, {}, ffmpeg))
        return failure;
    EncoderSupervisor supervisor(ffmpeg.child, std::move(ffmpeg.channels),
        [&status](const ProgressSnapshot&) { status.WriteLine(FormatStatusLine(ProgressSnapshot {})); });
    const SupervisedRun run = supervisor.Run();
    if (run.stopRequested)
        return Failure { ExitStatus::Stopped, "stopped before any output was written" };
    return JudgeRun(run, forFfmpeg, request);
}

} // namespace

ExitStatus RunConversion(const std::vector<std::string>& arguments)
{
    // Our caller closes its end of our output before it asks us to stop; the
    // writes that then fail must not end us before the output is finished.
    std::signal(SIGPIPE, SIG_IGN);

    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.request)
        return report({ ExitStatus::BadArguments, "bad arguments: " + parsed.error });
    Request request = *parsed.request;
    if (std::string refusal = CheckSources(request); !refusal.empty())
        return report({ ExitStatus::Failed, refusal });
    AddSilentSoundWhereMissing(request);
    CopyPictureSubtitles(request);
    OutputStaging::Prepared prepared = OutputStaging::Prepare(request);
    if (!prepared.staging)
        return report({ ExitStatus::Failed, prepared.error });
    OutputStaging& staging = *prepared.staging;
    const TemporaryFolder work;
    const FfmpegInvocation invocation = BuildFfmpegInvocation(staging.ForFfmpeg(), work.Path());
    StatusOutput status(STDOUT_FILENO);
    if (!invocation.paletteArguments.empty()) {
        if (!work.IsMade())
            return report({ ExitStatus::Failed, work.Error() });
        if (std::optional<Failure> failure = RunPalettePass(invocation, staging.ForFfmpeg(), request, status))
            return report(*failure);
    }

    StartedFfmpeg ffmpeg;
    if (std::optional<Failure> failure = StartFfmpeg(invocation, staging.OutputDescriptors(), ffmpeg))
        return report(*failure);

    EncoderSupervisor supervisor(ffmpeg.child, std::move(ffmpeg.channels),
        [&status](const ProgressSnapshot& progress) { status.WriteLine(FormatStatusLine(progress)); });
    const SupervisedRun run = supervisor.Run();

    std::optional<Failure> failure = JudgeRun(run, staging.ForFfmpeg(), request);
    if (!failure)
        failure = WriteOwnPictures(invocation, staging, run);
    if (!failure)
        failure = CheckOutputsWritten(staging, run);
    if (!failure)
        failure = CheckSomethingEncoded(run);
    if (!failure) {
        if (std::string error = staging.CommitAll(); !error.empty())
            failure = Failure { ExitStatus::Failed, error };
    }
    if (failure) {
        staging.DiscardAll();
        failure->reason = staging.WithFinalNames(failure->reason);
        return report(*failure);
    }

    ProgressSnapshot last = run.progress;
    last.sizeBytes = FileSize(request.outputs.front().path).value_or(0);
    status.WriteLine(FormatStatusLine(last), kLastLineWaitMilliseconds);
    return ExitStatus::Success;
}

} // namespace kelvara::tarvo
