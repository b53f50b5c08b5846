#include "FfmpegArguments.h"

#include "ffmpeg/AudioLimits.h"
#include "ffmpeg/FfmpegTexts.h"
#include "videoedit/DiscStandards.h"
#include "videoedit/FrameRate.h"

#include <algorithm>
#include <cmath>

namespace kelvara {

namespace {

using Arguments = std::vector<std::string>;

// Progress goes to standard output as key=value blocks; only errors go to
// standard error, so its last line says why a conversion failed.
const Arguments kCommonOptions
    = { "-hide_banner", "-nostdin", "-nostats", "-loglevel", "error", "-progress", "pipe:1", "-y" };

// MPEG-1 and MPEG-2 streams of a free size get a bitrate for their pixel
// rate: a quarter bit per pixel looks clean in both, within limits that
// players and the DVD's video buffer take.
constexpr double kMpegBitsPerPixel = 0.25;
constexpr int kLowestMpegKbits = 800;
constexpr int kHighestMpegKbits = 9000;
constexpr int kFallbackWidth = 320;
constexpr int kFallbackHeight = 240;

void Append(Arguments& arguments, std::initializer_list<std::string> more)
{
    arguments.insert(arguments.end(), more);
}

std::string Kbits(int kbits)
{
    return std::to_string(kbits) + "k";
}

// 4:2:0 and 4:2:2 pictures need even sizes; the encoders refuse odd ones.
int EvenSize(int pixels)
{
    return std::max(2, pixels - pixels % 2);
}

bool KeepsSourceSize(const ConvertSettings& settings)
{
    return settings.width <= 0 || settings.height <= 0;
}

void AppendFrameSize(Arguments& arguments, const ConvertSettings& settings)
{
    if (KeepsSourceSize(settings))
        return;
    Append(arguments,
        { "-s", std::to_string(EvenSize(settings.width)) + "x" + std::to_string(EvenSize(settings.height)) });
}

// A source wider than halfway between 4:3 and 16:9 is shown as 16:9 where
// the standard allows it.
constexpr double kWideFromRatio = (4.0 / 3.0 + 16.0 / 9.0) / 2.0;

bool IsWide(const ConvertRequest& request)
{
    return request.sourceWidth > 0 && request.sourceHeight > 0
        && static_cast<double>(request.sourceWidth) / request.sourceHeight > kWideFromRatio;
}

// The picture keeps its shape inside the disc's frame: scaled to fit the
// display shape (using the source's own display aspect, "dar", so that
// non-square pixels count), bars added where it is wider or narrower, the
// frame then marked with the display shape.
std::string KeepShapeFilter(const DiscStandard& standard, const char* displayShape, double display)
{
    const std::string w = std::to_string(standard.width);
    const std::string h = std::to_string(standard.height);
    const std::string d = std::to_string(display);
    return "scale=w='if(gt(dar," + d + ")," + w + ",trunc(" + w + "*dar/" + d + "/2)*2)'" + ":h='if(gt(dar,"
        + d + "),trunc(" + h + "*" + d + "/dar/2)*2," + h + ")'," + "pad=" + w + ":" + h
        + ":(ow-iw)/2:(oh-ih)/2,setdar=" + displayShape;
}

void AppendDiscOptions(Arguments& arguments, const DiscStandard& standard, const ConvertRequest& request)
{
    // Options after -target adjust its preset. Disc players expect a 4:3 or
    // 16:9 picture and stereo sound, whatever the source had.
    const bool wide = standard.widescreen && IsWide(request);
    const char* shape = wide ? "16:9" : "4:3";
    Append(arguments,
        { "-target", std::string(standard.target), "-vf",
            KeepShapeFilter(standard, wide ? "16/9" : "4/3", wide ? 16.0 / 9.0 : 4.0 / 3.0), "-aspect", shape,
            "-ac", "2", "-b:a", Kbits(DiscAudioKbits(standard, request.settings.audioKbits)) });
}

int MpegVideoKbits(const ConvertRequest& request, FrameRate rate)
{
    const ConvertSettings& settings = request.settings;
    int width = settings.width;
    int height = settings.height;
    if (KeepsSourceSize(settings)) {
        width = request.sourceWidth > 0 ? request.sourceWidth : kFallbackWidth;
        height = request.sourceHeight > 0 ? request.sourceHeight : kFallbackHeight;
    }
    const double pixelsPerSecond = static_cast<double>(width) * height * rate.numerator / rate.denominator;
    const int kbits = static_cast<int>(std::lround(pixelsPerSecond * kMpegBitsPerPixel / 1000.0));
    return std::clamp(kbits, kLowestMpegKbits, kHighestMpegKbits);
}

void AppendAudio(
    Arguments& arguments, std::string_view encoder, AudioFamily family, const ConvertSettings& settings)
{
    const int sampleRate = AudioSampleRateFor(family, settings.sampleRate);
    Append(arguments, { "-c:a", std::string(encoder) });
    if (const int kbits = AudioBitrateFor(family, sampleRate, settings.audioKbits); kbits > 0)
        Append(arguments, { "-b:a", Kbits(kbits) });
    Append(arguments, { "-ar", std::to_string(sampleRate), "-ac", "2" });
}

void AppendProgramStreamOptions(Arguments& arguments, const ConvertRequest& request)
{
    const bool mpeg2 = request.format == VideoEditFormat::Mpeg2Standard;
    const FrameRate rate = MpegFrameRate(request.settings.framesPerSecond);
    AppendFrameSize(arguments, request.settings);
    Append(arguments,
        { "-r", FrameRateText(rate), "-c:v", mpeg2 ? "mpeg2video" : "mpeg1video", "-b:v",
            Kbits(MpegVideoKbits(request, rate)) });
    AppendAudio(arguments, "mp2", AudioFamily::Mp2, request.settings);
    // "vob" is ffmpeg's MPEG-2 program stream, "mpeg" its MPEG-1 system stream.
    Append(arguments, { "-f", mpeg2 ? "vob" : "mpeg" });
}

void AppendAviOptions(Arguments& arguments, const ConvertRequest& request)
{
    const VideoCodecEntry& video = request.videoCodec;
    AppendFrameSize(arguments, request.settings);
    // AVI has one frame rate per stream: frames are repeated or dropped to
    // keep it, instead of leaving gaps that players fill as they see fit.
    Append(arguments,
        { "-r", FrameRateText(AviFrameRate(request.settings.framesPerSecond)), "-fps_mode", "cfr", "-c:v",
            std::string(video.encoder) });
    if (!video.fourcc.empty())
        Append(arguments, { "-tag:v", std::string(video.fourcc) });
    if (!video.qualityOption.empty())
        Append(arguments, { std::string(video.qualityOption), std::string(video.qualityValue) });
    Append(arguments, { "-pix_fmt", std::string(video.pixelFormat) });
    AppendAudio(arguments, request.audioCodec.encoder, request.audioCodec.family, request.settings);
    Append(arguments, { "-f", "avi" });
}

} // namespace

std::vector<std::string> BuildFfmpegArguments(const ConvertRequest& request)
{
    Arguments arguments = kCommonOptions;
    // Seeking before the input is fast and, since ffmpeg decodes from the
    // key frame before the start and drops what lies before it, exact.
    Append(arguments,
        { "-ss", SecondsText(request.startSeconds), "-t", SecondsText(request.lengthSeconds), "-i",
            FfmpegFilePath(request.sourcePath), "-map", "0:v:0?", "-map", "0:a:0?" });
    if (const std::optional<DiscStandard> standard = DiscStandardFor(request.format))
        AppendDiscOptions(arguments, *standard, request);
    else if (request.format == VideoEditFormat::Avi)
        AppendAviOptions(arguments, request);
    else
        AppendProgramStreamOptions(arguments, request);
    arguments.push_back(FfmpegFilePath(request.outputPath));
    return arguments;
}

std::optional<VideoEditFormat> FormatFromValue(std::int32_t value)
{
    if (value < static_cast<std::int32_t>(VideoEditFormat::VcdPal)
        || value > static_cast<std::int32_t>(VideoEditFormat::Avi))
        return std::nullopt;
    return static_cast<VideoEditFormat>(value);
}

} // namespace kelvara
