#include "FfmpegArguments.h"

#include "AudioLimits.h"
#include "TimeText.h"

#include <string_view>

namespace tarvo {

namespace {

constexpr std::string_view kCommonOptions
    = "-hide_banner -nostdin -nostats -loglevel warning -y -stats_period";
constexpr std::string_view kNoOtherStreams = "-an -sn -dn";

void appendWords(std::vector<std::string>& arguments, std::string_view words)
{
    while (!words.empty()) {
        const std::size_t blank = words.find(' ');
        if (blank != 0)
            arguments.emplace_back(words.substr(0, blank));
        if (blank == std::string_view::npos)
            break;
        words.remove_prefix(blank + 1);
    }
}

void append(std::vector<std::string>& arguments, const std::vector<std::string>& more)
{
    arguments.insert(arguments.end(), more.begin(), more.end());
}

std::string sizeText(const FrameSize& size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// Each frame gets a palette of its own: output starts at once and memory
// stays flat however long the clip is, which one palette for the whole
// clip (made only after its last frame) cannot give.
std::string gifFilterGraph(const OutputRequest& output, bool animation)
{
    std::string graph;
    if (animation)
        graph += "fps=" + std::to_string(kGifFramesPerSecond) + ",";
    if (output.size)
        graph += "scale=" + std::to_string(output.size->width) + ":" + std::to_string(output.size->height)
            + ":flags=lanczos,";
    graph += "split[frames][sample];[sample]palettegen=stats_mode=single[palette];"
             "[frames][palette]paletteuse=new=1";
    return graph;
}

void appendSize(std::vector<std::string>& arguments, const OutputRequest& output)
{
    if (output.size) {
        arguments.emplace_back("-s");
        arguments.push_back(sizeText(*output.size));
    }
}

void appendLength(std::vector<std::string>& arguments, const OutputRequest& output)
{
    if (output.lengthSeconds) {
        arguments.emplace_back("-t");
        arguments.push_back(formatSecondsForFfmpeg(*output.lengthSeconds));
    }
}

void appendAudioSettings(
    std::vector<std::string>& arguments, const OutputRequest& output, const OutputFormat& format)
{
    const bool limited = format.family == OutputFamily::Audio;
    std::optional<int> sampleRate = output.sampleRateHz;
    if (sampleRate && limited)
        sampleRate = supportedSampleRate(format.audioCodec, *sampleRate);
    if (output.audioBitrateKbps) {
        const int kbps = limited
            ? supportedBitrateKbps(format.audioCodec, sampleRate, *output.audioBitrateKbps)
            : *output.audioBitrateKbps;
        arguments.emplace_back("-b:a");
        arguments.push_back(std::to_string(kbps) + "k");
    }
    if (sampleRate) {
        arguments.emplace_back("-ar");
        arguments.push_back(std::to_string(*sampleRate));
    }
}

void appendMediaOutput(
    std::vector<std::string>& arguments, const OutputRequest& output, const OutputFormat& format)
{
    appendWords(arguments, format.ffmpegDefaults);
    append(arguments, output.ffmpegOptions);
    if (format.family == OutputFamily::Media)
        appendSize(arguments, output);
    appendAudioSettings(arguments, output, format);
    appendLength(arguments, output);
    if (format.family == OutputFamily::Media) {
        if (output.singleFrame)
            appendWords(arguments, "-t 0.001");
        // A picture type we do not know: ffmpeg picks the codec by the extension.
        if (output.pictureRequested)
            appendWords(arguments, "-frames:v 1 -update 1 -f image2");
    }
    arguments.push_back(ffmpegUrlForPath(output.path));
}

void appendFfmpegPicture(
    std::vector<std::string>& arguments, const OutputRequest& output, const OutputFormat& format)
{
    appendWords(arguments, format.ffmpegDefaults);
    append(arguments, output.ffmpegOptions);
    appendWords(arguments, kNoOtherStreams);
    appendSize(arguments, output);
    // -update writes exactly this file name: no "%d" pattern in it is expanded.
    appendWords(arguments, "-frames:v 1 -update 1 -f image2");
    arguments.push_back(ffmpegUrlForPath(output.path));
}

void appendGif(std::vector<std::string>& arguments, const OutputRequest& output, bool animation)
{
    append(arguments, output.ffmpegOptions);
    appendWords(arguments, kNoOtherStreams);
    arguments.emplace_back("-vf");
    arguments.push_back(gifFilterGraph(output, animation));
    if (animation)
        appendLength(arguments, output);
    else
        appendWords(arguments, "-frames:v 1");
    appendWords(arguments, "-f gif");
    arguments.push_back(ffmpegUrlForPath(output.path));
}

OwnPictureTarget appendOwnPicture(
    std::vector<std::string>& arguments, const OutputRequest& output, const OutputFormat& format, int childFd)
{
    append(arguments, output.ffmpegOptions);
    appendWords(arguments, kNoOtherStreams);
    appendSize(arguments, output);
    appendWords(arguments, "-frames:v 1 -pix_fmt rgb24 -c:v ppm -f image2pipe");
    arguments.push_back("pipe:" + std::to_string(childFd));
    return { output.path, format.ownPicture, childFd };
}

} // namespace

std::string ffmpegUrlForPath(const std::string& path)
{
    const std::size_t colon = path.find(':');
    if (path.starts_with('/') || colon == std::string::npos || path.find('/') < colon)
        return path;
    return "file:" + path;
}

FfmpegInvocation buildFfmpegInvocation(const Request& request)
{
    FfmpegInvocation invocation;
    std::vector<std::string>& arguments = invocation.arguments;
    appendWords(arguments, kCommonOptions);
    arguments.emplace_back(kProgressPeriodSeconds);
    arguments.emplace_back("-progress");
    arguments.push_back("pipe:" + std::to_string(kProgressChildFd));

    for (const InputRequest& input : request.inputs) {
        append(arguments, input.options);
        // Seeking in the input is fast and exact, and output times then start at zero.
        if (request.startSeconds) {
            arguments.emplace_back("-ss");
            arguments.push_back(formatSecondsForFfmpeg(*request.startSeconds));
        }
        arguments.emplace_back("-i");
        arguments.push_back(input.hasExplicitFormat ? input.path : ffmpegUrlForPath(input.path));
    }

    int nextFrameFd = kFirstFrameChildFd;
    for (const OutputRequest& output : request.outputs) {
        const OutputFormat format
            = describeOutput(output.path, output.pictureRequested || output.singleFrame);
        switch (format.family) {
        case OutputFamily::Media:
        case OutputFamily::Audio:
            appendMediaOutput(arguments, output, format);
            break;
        case OutputFamily::FfmpegPicture:
            appendFfmpegPicture(arguments, output, format);
            break;
        case OutputFamily::GifPicture:
        case OutputFamily::GifAnimation:
            appendGif(arguments, output, format.family == OutputFamily::GifAnimation);
            break;
        case OutputFamily::OwnPicture:
            invocation.ownPictures.push_back(appendOwnPicture(arguments, output, format, nextFrameFd++));
            break;
        }
    }
    return invocation;
}

} // namespace tarvo
