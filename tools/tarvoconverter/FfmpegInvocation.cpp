#include "FfmpegInvocation.h"

#include "FormatByName.h"
#include "ffmpeg/AudioLimits.h"
#include "ffmpeg/FfmpegTexts.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace kelvara::tarvo {

namespace {

constexpr std::string_view kCommonOptions
    = "-hide_banner -nostdin -nostats -loglevel warning -y -stats_period";
constexpr std::string_view kNoOtherStreams = "-an -sn -dn";

void AppendWords(std::vector<std::string>& arguments, std::string_view words)
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

bool GivesOption(const std::vector<std::string>& arguments, std::size_t outputStart,
    std::initializer_list<std::string_view> names)
{
    return std::any_of(arguments.begin() + static_cast<std::ptrdiff_t>(outputStart), arguments.end(),
        [names](const std::string& argument) {
            return std::find(names.begin(), names.end(), argument) != names.end();
        });
}

// ffmpeg chooses the muxer, and image2 the picture encoder, by the output's
// extension; a descriptor's name has none, so it is told what the final
// name would have told it, unless this output's options already say it.
// False when the name tells something we cannot say for it.
bool AppendWhatTheNameTells(
    std::vector<std::string>& arguments, std::size_t outputStart, const OutputRequest& output, bool image2)
{
    if (output.writtenAt.empty())
        return true;
    if (!image2 && !GivesOption(arguments, outputStart, { "-f" })) {
        const std::optional<std::string> muxer = MuxerForName(output.path);
        if (!muxer)
            return false;
        arguments.emplace_back("-f");
        arguments.push_back(*muxer);
        image2 = *muxer == "image2";
    }
    if (!image2 || GivesOption(arguments, outputStart, { "-c:v", "-vcodec", "-codec:v", "-c", "-codec" }))
        return true;
    const std::optional<std::string> encoder = PictureEncoderForName(output.path);
    if (!encoder)
        return false;
    arguments.emplace_back("-c:v");
    arguments.push_back(*encoder);
    return true;
}

// The output's name on ffmpeg's command line, last of its options; false
// as AppendWhatTheNameTells.
bool AppendTarget(
    std::vector<std::string>& arguments, std::size_t outputStart, const OutputRequest& output, bool image2)
{
    const bool told = AppendWhatTheNameTells(arguments, outputStart, output, image2);
    arguments.push_back(FfmpegFilePath(output.writtenAt.empty() ? output.path : output.writtenAt));
    return told;
}

std::string SizeText(const FrameSize& size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The frames as the GIF shows them, before any palette is made of them.
std::string GifFrames(const OutputRequest& output, bool animation)
{
    std::string graph;
    if (animation)
        graph += "fps=" + std::to_string(kGifFramesPerSecond) + ",";
    if (output.size)
        graph += "scale=" + std::to_string(output.size->width) + ":" + std::to_string(output.size->height)
            + ":flags=lanczos,";
    return graph;
}

// An animation takes the palette the first run made of the whole clip (see
// PalettePath): frames are written as they come, memory stays flat however
// long the clip is, and one palette for all frames does not flicker. A
// single picture makes its own palette on the way.
std::string GifFilterGraph(const OutputRequest& output, const std::optional<std::string>& palette)
{
    std::string graph = GifFrames(output, palette.has_value());
    if (!palette)
        return graph
            + "split[frames][sample];[sample]palettegen=stats_mode=single[palette];"
              "[frames][palette]paletteuse=new=1";
    graph.pop_back(); // the last filter's comma
    return (graph.empty() ? "null" : graph) + "[frames];movie=" + FilterGraphValue(*palette)
        + "[palette];[frames][palette]paletteuse";
}

std::string PalettePath(const std::string& workFolder, std::size_t outputIndex)
{
    return workFolder + "palette" + std::to_string(outputIndex) + ".png";
}

void AppendSize(std::vector<std::string>& arguments, const OutputRequest& output)
{
    if (output.size) {
        arguments.emplace_back("-s");
        arguments.push_back(SizeText(*output.size));
    }
}

void AppendLength(std::vector<std::string>& arguments, const OutputRequest& output)
{
    if (output.lengthSeconds) {
        arguments.emplace_back("-t");
        arguments.push_back(SecondsText(*output.lengthSeconds));
    }
}

struct AudioSettings {
    std::optional<int> sampleRateHz;
    std::optional<int> kbps;
    std::optional<int> quality; // for encoders that take a quality instead
    std::optional<std::string> downmixFilter;
};

// The family whose limits apply: the encoder the options name, else the
// one of the file type.
AudioFamily AudioFamilyOf(const OutputRequest& output, const OutputFormat& format)
{
    const std::vector<std::string>& options = output.ffmpegOptions;
    for (std::size_t i = 0; i + 1 < options.size(); ++i) {
        if (options[i] != "-c:a" && options[i] != "-acodec" && options[i] != "-codec:a")
            continue;
        if (const std::optional<AudioFamily> family = AudioFamilyOfEncoder(options[i + 1]))
            return *family;
    }
    return format.audioCodec;
}

// The audio kinds are held to what their encoder accepts, so that every
// choice offered for them gives a file; a device profile's values go to
// ffmpeg as they are.
AudioSettings AudioSettingsFor(const OutputRequest& output, const OutputFormat& format)
{
    AudioSettings settings { output.sampleRateHz, output.audioBitrateKbps, std::nullopt, std::nullopt };
    if (format.family != OutputFamily::Audio)
        return settings;
    const AudioFamily family = AudioFamilyOf(output, format);
    if (settings.sampleRateHz)
        settings.sampleRateHz = AudioSampleRateFor(family, *settings.sampleRateHz);
    if (settings.kbps) {
        settings.quality = AudioQualityFor(family, *settings.kbps);
        // Without -ar, a rate of 32 kHz or more is the likely one.
        const int rate = settings.sampleRateHz.value_or(AudioSampleRateFor(family, 0));
        const int kbps = AudioBitrateFor(family, rate, *settings.kbps);
        settings.kbps = kbps > 0 ? std::optional<int>(kbps) : std::nullopt;
    }
    settings.downmixFilter = AudioDownmixFilterFor(family, settings.kbps);
    return settings;
}

void AppendAudioSettings(std::vector<std::string>& arguments, const AudioSettings& settings)
{
    if (settings.kbps) {
        arguments.emplace_back("-b:a");
        arguments.push_back(std::to_string(*settings.kbps) + "k");
    }
    if (settings.quality) {
        arguments.emplace_back("-q:a");
        arguments.push_back(std::to_string(*settings.quality));
    }
    if (settings.sampleRateHz) {
        arguments.emplace_back("-ar");
        arguments.push_back(std::to_string(*settings.sampleRateHz));
    }
}

// The file's name without its folder and extension.
std::string TitleOfPath(std::string_view path)
{
    std::string_view name = path.substr(path.find_last_of('/') + 1);
    return std::string(name.substr(0, name.find_last_of('.')));
}

bool AppendMediaOutput(
    std::vector<std::string>& arguments, const OutputRequest& output, const OutputFormat& format)
{
    const std::size_t start = arguments.size();
    const AudioSettings audio = AudioSettingsFor(output, format);
    AppendWords(arguments, format.ffmpegDefaults);
    // Before the caller's options, so that a title or a filter of their own wins.
    if (format.titleFromName) {
        arguments.emplace_back("-metadata");
        arguments.push_back("title=" + TitleOfPath(output.path));
    }
    if (audio.downmixFilter) {
        arguments.emplace_back("-af");
        arguments.push_back(*audio.downmixFilter);
    }
    append(arguments, output.ffmpegOptions);
    if (format.family == OutputFamily::Media)
        AppendSize(arguments, output);
    AppendAudioSettings(arguments, audio);
    AppendLength(arguments, output);
    if (format.family == OutputFamily::Media) {
        if (output.singleFrame)
            AppendWords(arguments, "-t 0.001");
        // A picture type we do not know: ffmpeg picks the codec by the extension.
        if (output.pictureRequested)
            AppendWords(arguments, "-frames:v 1 -update 1 -f image2");
    }
    return AppendTarget(
        arguments, start, output, format.family == OutputFamily::Media && output.pictureRequested);
}

bool AppendFfmpegPicture(
    std::vector<std::string>& arguments, const OutputRequest& output, const OutputFormat& format)
{
    const std::size_t start = arguments.size();
    AppendWords(arguments, format.ffmpegDefaults);
    append(arguments, output.ffmpegOptions);
    AppendWords(arguments, kNoOtherStreams);
    AppendSize(arguments, output);
    // -update writes exactly this file name: no "%d" pattern in it is expanded.
    AppendWords(arguments, "-frames:v 1 -update 1 -f image2");
    return AppendTarget(arguments, start, output, true);
}

bool AppendGif(std::vector<std::string>& arguments, const OutputRequest& output,
    const std::optional<std::string>& palette)
{
    const std::size_t start = arguments.size();
    const bool animation = palette.has_value();
    append(arguments, output.ffmpegOptions);
    AppendWords(arguments, kNoOtherStreams);
    arguments.emplace_back("-vf");
    arguments.push_back(GifFilterGraph(output, palette));
    if (animation)
        AppendLength(arguments, output);
    else
        AppendWords(arguments, "-frames:v 1");
    AppendWords(arguments, "-f gif");
    return AppendTarget(arguments, start, output, false);
}

OwnPictureTarget AppendOwnPicture(std::vector<std::string>& arguments, const OutputRequest& output,
    const OutputFormat& format, std::size_t outputIndex, int childFd)
{
    append(arguments, output.ffmpegOptions);
    AppendWords(arguments, kNoOtherStreams);
    AppendSize(arguments, output);
    AppendWords(arguments, "-frames:v 1 -pix_fmt rgb24 -c:v ppm -f image2pipe");
    arguments.push_back("pipe:" + std::to_string(childFd));
    return { output.path, outputIndex, format.ownPicture, childFd };
}

void AppendPaletteOutput(
    std::vector<std::string>& arguments, const OutputRequest& output, const std::string& path)
{
    AppendWords(arguments, kNoOtherStreams);
    arguments.emplace_back("-vf");
    // The palette comes out only when its input ends: an output -t alone would
    // let ffmpeg read the source to its end, so the trim ends the frames here.
    const std::string trim
        = output.lengthSeconds ? "trim=duration=" + SecondsText(*output.lengthSeconds) + "," : "";
    arguments.push_back(trim + GifFrames(output, true) + "palettegen");
    AppendLength(arguments, output);
    AppendWords(arguments, "-update 1 -f image2");
    arguments.push_back(FfmpegFilePath(path));
}

void AppendInputs(std::vector<std::string>& arguments, const Request& request)
{
    AppendWords(arguments, kCommonOptions);
    arguments.emplace_back(kProgressPeriodSeconds);
    arguments.emplace_back("-progress");
    arguments.push_back("pipe:" + std::to_string(kProgressChildFd));

    for (const InputRequest& input : request.inputs) {
        append(arguments, input.options);
        // Seeking in the input is fast and exact, and output times then start
        // at zero. A start of zero is no seek: asked of a single picture
        // (a still made from a JPEG) ffmpeg would then give no frame at all.
        if (request.startSeconds && *request.startSeconds > 0.0) {
            arguments.emplace_back("-ss");
            arguments.push_back(SecondsText(*request.startSeconds));
        }
        arguments.emplace_back("-i");
        arguments.push_back(input.hasExplicitFormat ? input.path : FfmpegFilePath(input.path));
    }
}

} // namespace

FfmpegInvocation BuildFfmpegInvocation(const Request& request, const std::string& workFolder)
{
    FfmpegInvocation invocation;
    std::vector<std::string>& arguments = invocation.arguments;
    AppendInputs(arguments, request);

    int nextFrameFd = kFirstFrameChildFd;
    for (std::size_t i = 0; i < request.outputs.size(); ++i) {
        const OutputRequest& output = request.outputs[i];
        const OutputFormat format
            = DescribeOutput(output.path, output.pictureRequested || output.singleFrame);
        switch (format.family) {
        case OutputFamily::Media:
        case OutputFamily::Audio:
            invocation.formatsTold &= AppendMediaOutput(arguments, output, format);
            break;
        case OutputFamily::FfmpegPicture:
            invocation.formatsTold &= AppendFfmpegPicture(arguments, output, format);
            break;
        case OutputFamily::GifPicture:
            invocation.formatsTold &= AppendGif(arguments, output, std::nullopt);
            break;
        case OutputFamily::GifAnimation:
            if (invocation.paletteArguments.empty())
                AppendInputs(invocation.paletteArguments, request);
            AppendPaletteOutput(invocation.paletteArguments, output, PalettePath(workFolder, i));
            invocation.formatsTold &= AppendGif(arguments, output, PalettePath(workFolder, i));
            break;
        case OutputFamily::OwnPicture:
            invocation.ownPictures.push_back(AppendOwnPicture(arguments, output, format, i, nextFrameFd++));
            break;
        }
    }
    return invocation;
}

bool FormatKnownWithoutTheName(const OutputRequest& output)
{
    Request alone;
    alone.outputs.push_back(output);
    alone.outputs.front().writtenAt = "/proc/self/fd/0";
    return BuildFfmpegInvocation(alone, "/").formatsTold;
}

} // namespace kelvara::tarvo
