#include "videoedit/FfmpegArguments.h"
#include "videoedit/CodecCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kelvara;

namespace {

using Arguments = std::vector<std::string>;

ConvertRequest AviRequest()
{
    ConvertRequest request;
    request.format = VideoEditFormat::Avi;
    request.sourcePath = "/media/in.vob";
    request.startSeconds = 12.5;
    request.lengthSeconds = 30.25;
    request.outputPath = "/out/clip.avi";
    request.videoCodec = AllVideoCodecs()[0];
    request.audioCodec = AllAudioCodecs()[0];
    return request;
}

std::ptrdiff_t Position(const Arguments& arguments, const std::string& argument)
{
    const auto found = std::find(arguments.begin(), arguments.end(), argument);
    return found == arguments.end() ? -1 : found - arguments.begin();
}

// The value after an option; "" when the option is not there.
std::string ValueOf(const Arguments& arguments, const std::string& option)
{
    const std::ptrdiff_t at = Position(arguments, option);
    if (at < 0 || at + 1 >= static_cast<std::ptrdiff_t>(arguments.size()))
        return {};
    return arguments[static_cast<std::size_t>(at + 1)];
}

} // namespace

TEST(FfmpegArguments, TheTrimSeeksTheInputAndLimitsItsLength)
{
    const Arguments arguments = BuildFfmpegArguments(AviRequest());
    EXPECT_EQ(ValueOf(arguments, "-ss"), "12.5");
    EXPECT_EQ(ValueOf(arguments, "-t"), "30.25");
    // Both before the input: fast seeking, and the length of the input read.
    EXPECT_LT(Position(arguments, "-ss"), Position(arguments, "-i"));
    EXPECT_LT(Position(arguments, "-t"), Position(arguments, "-i"));
    EXPECT_EQ(ValueOf(arguments, "-i"), "/media/in.vob");
    EXPECT_EQ(arguments.back(), "/out/clip.avi");
    // Progress for the component on standard output, nothing asked of stdin.
    EXPECT_EQ(ValueOf(arguments, "-progress"), "pipe:1");
    EXPECT_GE(Position(arguments, "-nostdin"), 0);
    EXPECT_GE(Position(arguments, "-y"), 0);
}

TEST(FfmpegArguments, PathsThatLookLikeOptionsOrProtocolsStayPaths)
{
    ConvertRequest request = AviRequest();
    request.sourcePath = "-i";
    request.outputPath = "http:evil.avi";
    const Arguments arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(ValueOf(arguments, "-i"), "file:-i");
    EXPECT_EQ(arguments.back(), "file:http:evil.avi");
}

TEST(FfmpegArguments, AviUsesTheChosenCodecsSizeAndRate)
{
    ConvertRequest request = AviRequest();
    request.settings.width = 641; // odd sizes cannot be 4:2:0
    request.settings.height = 480;
    request.settings.framesPerSecond = 29.97;
    const auto v3 = std::find_if(AllVideoCodecs().begin(), AllVideoCodecs().end(),
        [](const VideoCodecEntry& entry) { return entry.encoder == "msmpeg4"; });
    ASSERT_NE(v3, AllVideoCodecs().end());
    request.videoCodec = *v3;
    const Arguments arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(ValueOf(arguments, "-c:v"), "msmpeg4");
    EXPECT_EQ(ValueOf(arguments, "-tag:v"), "MP43");
    EXPECT_EQ(ValueOf(arguments, "-s"), "640x480");
    EXPECT_EQ(ValueOf(arguments, "-r"), "30000/1001");
    EXPECT_EQ(ValueOf(arguments, "-fps_mode"), "cfr");
    EXPECT_EQ(ValueOf(arguments, "-c:a"), "libmp3lame");
    EXPECT_EQ(ValueOf(arguments, "-b:a"), "128k");
    EXPECT_EQ(ValueOf(arguments, "-ar"), "44100");
    EXPECT_EQ(ValueOf(arguments, "-f"), "avi");
}

TEST(FfmpegArguments, AviAudioFitsTheCodec)
{
    ConvertRequest request = AviRequest();
    request.audioCodec = AudioCodecEntry { "PCM", "pcm_s16le", AudioFamily::Pcm };
    Arguments arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(Position(arguments, "-b:a"), -1) << "PCM has no bitrate";
    request.audioCodec = AudioCodecEntry { "AC-3", "ac3", AudioFamily::Ac3 };
    request.settings.sampleRate = 22050;
    arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(ValueOf(arguments, "-ar"), "32000");
}

TEST(FfmpegArguments, NoSizeKeepsTheSourceSize)
{
    ConvertRequest request = AviRequest();
    request.settings.width = 0;
    EXPECT_EQ(Position(BuildFfmpegArguments(request), "-s"), -1);
}

TEST(FfmpegArguments, DiscFormatsUseTheirStandardWhateverTheSettings)
{
    ConvertRequest request = AviRequest();
    request.settings.width = 320;
    request.settings.height = 240;
    request.settings.framesPerSecond = 29.0;
    request.settings.audioKbits = 224;
    const std::pair<VideoEditFormat, const char*> targets[] = {
        { VideoEditFormat::VcdPal, "pal-vcd" },
        { VideoEditFormat::VcdNtsc, "ntsc-vcd" },
        { VideoEditFormat::SvcdPal, "pal-svcd" },
        { VideoEditFormat::SvcdNtsc, "ntsc-svcd" },
        { VideoEditFormat::DvdPal, "pal-dvd" },
        { VideoEditFormat::DvdNtsc, "ntsc-dvd" },
    };
    for (const auto& [format, target] : targets) {
        request.format = format;
        const Arguments arguments = BuildFfmpegArguments(request);
        EXPECT_EQ(ValueOf(arguments, "-target"), target);
        // The preset's size and rate must not be overridden.
        EXPECT_EQ(Position(arguments, "-s"), -1) << target;
        EXPECT_EQ(Position(arguments, "-r"), -1) << target;
        EXPECT_EQ(Position(arguments, "-c:v"), -1) << target;
        EXPECT_EQ(ValueOf(arguments, "-b:a"), "224k") << target;
        EXPECT_EQ(ValueOf(arguments, "-aspect"), "4:3") << target;
        // A 16:9 source stays 16:9 where the standard has it; VCD letterboxes.
        request.sourceWidth = 1280;
        request.sourceHeight = 720;
        const Arguments wide = BuildFfmpegArguments(request);
        const bool vcd = std::string(target).ends_with("-vcd");
        EXPECT_EQ(ValueOf(wide, "-aspect"), vcd ? "4:3" : "16:9") << target;
        EXPECT_NE(ValueOf(wide, "-vf").find(vcd ? "setdar=4/3" : "setdar=16/9"), std::string::npos) << target;
        request.sourceWidth = request.sourceHeight = 0;
    }
}

TEST(FfmpegArguments, ProgramStreamsAreMpeg1OrMpeg2WithTheChosenValues)
{
    ConvertRequest request = AviRequest();
    request.format = VideoEditFormat::Mpeg1Standard;
    request.settings.framesPerSecond = 23.976;
    request.settings.sampleRate = 22050;
    request.settings.audioKbits = 224;
    Arguments arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(ValueOf(arguments, "-c:v"), "mpeg1video");
    EXPECT_EQ(ValueOf(arguments, "-f"), "mpeg");
    EXPECT_EQ(ValueOf(arguments, "-r"), "24000/1001");
    EXPECT_EQ(ValueOf(arguments, "-s"), "320x240");
    EXPECT_EQ(ValueOf(arguments, "-c:a"), "mp2");
    EXPECT_EQ(ValueOf(arguments, "-ar"), "22050");
    EXPECT_EQ(ValueOf(arguments, "-b:a"), "160k");
    EXPECT_EQ(ValueOf(arguments, "-b:v"), "800k"); // the floor for small pictures

    request.format = VideoEditFormat::Mpeg2Standard;
    request.settings.width = 720;
    request.settings.height = 576;
    request.settings.framesPerSecond = 25.0;
    arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(ValueOf(arguments, "-c:v"), "mpeg2video");
    EXPECT_EQ(ValueOf(arguments, "-f"), "vob");
    // A quarter bit per pixel: 720 x 576 x 25 / 4.
    EXPECT_EQ(ValueOf(arguments, "-b:v"), "2592k");
}

TEST(FfmpegArguments, KeptSourceSizesSetTheProgramStreamBitrate)
{
    ConvertRequest request = AviRequest();
    request.format = VideoEditFormat::Mpeg2Standard;
    request.settings.width = 0;
    request.sourceWidth = 1920;
    request.sourceHeight = 1080;
    request.settings.framesPerSecond = 50.0;
    const Arguments arguments = BuildFfmpegArguments(request);
    EXPECT_EQ(Position(arguments, "-s"), -1);
    EXPECT_EQ(ValueOf(arguments, "-b:v"), "9000k"); // the ceiling
}

TEST(FfmpegArguments, FormatValuesOutsideTheListAreNoFormat)
{
    EXPECT_EQ(FormatFromValue(0), VideoEditFormat::VcdPal);
    EXPECT_EQ(FormatFromValue(8), VideoEditFormat::Avi);
    EXPECT_FALSE(FormatFromValue(9).has_value());
    EXPECT_FALSE(FormatFromValue(-1).has_value());
}
