#include "SourceStreams.h"

#include "OutputFormat.h"
#include "SourceChecks.h"
#include "TimeArguments.h"
#include "ffmpeg/FfmpegTexts.h"
#include "process/Spawner.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>

namespace kelvara::tarvo {

namespace {

// A local file is probed in milliseconds; a source that takes longer is
// treated as unknown rather than holding the conversion up.
constexpr int kProbeTimeoutMilliseconds = 10000;
constexpr std::size_t kLargestAnswer = std::size_t { 64 } * 1024;
constexpr const char* kSilence = "anullsrc=r=48000:cl=stereo";

std::optional<std::string> ReadAll(int fd)
{
    std::string answer;
    char buffer[4096];
    for (;;) {
        pollfd watched { fd, POLLIN, 0 };
        const int ready = ::poll(&watched, 1, kProbeTimeoutMilliseconds);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return std::nullopt;
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return answer;
        if (answer.size() < kLargestAnswer)
            answer.append(buffer, static_cast<std::size_t>(got));
    }
}

SourceStreams ParseAnswer(const std::string& answer)
{
    SourceStreams streams;
    std::istringstream lines(answer);
    // ffprobe writes each stream's codec name before its type.
    std::string codec;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("codec_name="))
            codec = line.substr(11);
        else if (line == "codec_type=subtitle")
            streams.subtitleCodecs.push_back(codec);
        else if (line == "codec_type=video")
            streams.hasVideo = true;
        else if (line == "codec_type=audio")
            streams.hasAudio = true;
        else if (line.starts_with("duration="))
            streams.durationSeconds = std::max(0.0, std::atof(line.c_str() + 9));
    }
    return streams;
}

bool HasOption(const OutputRequest& output, std::initializer_list<const char*> names)
{
    return std::any_of(
        output.ffmpegOptions.begin(), output.ffmpegOptions.end(), [&](const std::string& option) {
            return std::any_of(names.begin(), names.end(), [&](const char* name) { return option == name; });
        });
}

constexpr std::array<std::string_view, 4> kPictureSubtitles
    = { "dvd_subtitle", "hdmv_pgs_subtitle", "dvb_subtitle", "xsub" };

// The output's own subtitle codec, when it names one other than "copy".
bool ConvertsSubtitles(const OutputRequest& output)
{
    const std::vector<std::string>& options = output.ffmpegOptions;
    for (std::size_t at = 0; at + 1 < options.size(); ++at)
        if ((options[at] == "-c:s" || options[at] == "-scodec" || options[at] == "-codec:s")
            && options[at + 1] != "copy")
            return true;
    return false;
}

} // namespace

std::string FfprobeProgram()
{
    const char* configured = std::getenv("TARVO_FFPROBE");
    return configured && *configured ? configured : "ffprobe";
}

std::optional<SourceStreams> ProbeSourceStreams(const std::string& path)
{
    std::optional<PipeEnds> answerPipe = CreatePipe();
    if (!answerPipe)
        return std::nullopt;
    SpawnRequest request;
    request.program = FfprobeProgram();
    request.arguments = { request.program, "-v", "error", "-show_entries",
        "stream=codec_name,codec_type:format=duration", "-of", "default=nw=1", "file:" + path };
    request.descriptors = { { STDOUT_FILENO, answerPipe->writeEnd.Get() } };
    request.parentDeathSignal = SIGKILL;
    SpawnResult probe = Spawn(request);
    answerPipe->writeEnd.Close();
    if (!probe.Started())
        return std::nullopt;
    const std::optional<std::string> answer = ReadAll(answerPipe->readEnd.Get());
    if (!answer)
        probe.child.KillAndReap();
    probe.child.Wait();
    if (!answer || probe.child.ExitCode() != 0)
        return std::nullopt;
    return ParseAnswer(*answer);
}

bool OutputWantsSound(const OutputRequest& output)
{
    if (DescribeOutput(output.path, false).refusesSilentSource)
        return false;
    return HasOption(output, { "-acodec", "-c:a", "-codec:a" }) && !HasOption(output, { "-an" });
}

void CopyPictureSubtitles(Request& request)
{
    if (request.inputs.empty() || !IsFileInput(request.inputs.front())
        || std::none_of(request.outputs.begin(), request.outputs.end(), ConvertsSubtitles))
        return;
    const std::optional<SourceStreams> streams = ProbeSourceStreams(request.inputs.front().path);
    if (!streams)
        return;
    for (OutputRequest& output : request.outputs) {
        if (!ConvertsSubtitles(output))
            continue;
        for (std::size_t at = 0; at < streams->subtitleCodecs.size(); ++at)
            if (std::ranges::find(kPictureSubtitles, streams->subtitleCodecs[at]) != kPictureSubtitles.end())
                output.ffmpegOptions.insert(
                    output.ffmpegOptions.end(), { "-c:s:" + std::to_string(at), "copy" });
    }
}

void AddSilentSoundWhereMissing(Request& request)
{
    if (std::none_of(request.outputs.begin(), request.outputs.end(), OutputWantsSound))
        return;
    double longest = 0.0;
    for (const InputRequest& input : request.inputs) {
        if (!IsFileInput(input))
            return;
        const std::optional<SourceStreams> streams = ProbeSourceStreams(input.path);
        if (!streams || streams->hasAudio)
            return;
        longest = std::max(longest, streams->durationSeconds);
    }
    const double length = longest - request.startSeconds.value_or(0.0);
    if (request.inputs.empty() || length <= 0.0)
        return;
    // An input's -t counts from its -ss, which every input gets.
    request.inputs.push_back(
        { kSilence, { "-f", "lavfi", "-t", SecondsText(length) }, /*hasExplicitFormat=*/true });
}

} // namespace kelvara::tarvo
