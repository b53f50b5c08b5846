// The ffmpeg command line made from a request.
#include "FfmpegInvocation.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kelvara::tarvo;

namespace {

using Arguments = std::vector<std::string>;

FfmpegInvocation InvocationFor(const Arguments& commandLine)
{
    const ParsedCommandLine parsed = ParseCommandLine(commandLine);
    EXPECT_TRUE(parsed.request) << parsed.error;
    return parsed.request ? BuildFfmpegInvocation(*parsed.request, "/work/") : FfmpegInvocation {};
}

std::ptrdiff_t PositionOf(const Arguments& arguments, const Arguments& sequence)
{
    const auto found = std::search(arguments.begin(), arguments.end(), sequence.begin(), sequence.end());
    return found == arguments.end() ? -1 : found - arguments.begin();
}

std::string ValueAfter(const Arguments& arguments, const std::string& option)
{
    const std::ptrdiff_t found = PositionOf(arguments, { option });
    return found < 0 || found + 1 == std::ssize(arguments) ? std::string() : arguments[found + 1];
}

TEST(FfmpegArguments, StartSeeksInTheInputAndLengthLimitsTheOutput)
{
    const Arguments arguments = InvocationFor(
        { "-i", "/in/song.wav", "-ss", "00:01:15", "-t", "01:00:50", "-ab", "128", "/out/song.mp3" })
                                    .arguments;

    const std::ptrdiff_t seek = PositionOf(arguments, { "-ss", "75", "-i", "/in/song.wav" });
    EXPECT_GE(seek, 0);
    EXPECT_GT(PositionOf(arguments, { "-t", "3650" }), seek);
    EXPECT_EQ(ValueAfter(arguments, "-b:a"), "128k"); // kbit/s, where ffmpeg's -ab counts bit/s
    EXPECT_EQ(arguments.back(), "/out/song.mp3");
}

TEST(FfmpegArguments, StillPictureIsWrittenUnderExactlyItsName)
{
    const Arguments arguments
        = InvocationFor({ "-i", "/in/clip.avi", "-f", "image2", "-t", "0.001", "/out/100%d.jpg" }).arguments;

    EXPECT_GE(
        PositionOf(arguments, { "-frames:v", "1", "-update", "1", "-f", "image2", "/out/100%d.jpg" }), 0);
}

TEST(FfmpegArguments, GifAnimationScalesBeforeMakingPalettes)
{
    const Arguments arguments
        = InvocationFor({ "-i", "/in/a.avi", "-t", "00:00:02", "-s", "160*120", "/out/a.gif" }).arguments;

    const std::string graph = ValueAfter(arguments, "-vf");
    EXPECT_LT(graph.find("scale=160:120"), graph.find("palettegen")) << graph;
    EXPECT_NE(graph.find("paletteuse"), std::string::npos) << graph;
    EXPECT_EQ(PositionOf(arguments, { "-s" }), -1); // scaling after paletteuse would spoil the palette
}

TEST(FfmpegArguments, OwnPicturesEachGetAFramePipe)
{
    const FfmpegInvocation invocation = InvocationFor(
        { "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.eps", "-s", "80x60", "/out/a.WMF" });

    ASSERT_EQ(invocation.ownPictures.size(), 2u);
    EXPECT_EQ(invocation.ownPictures[0].format, OwnPictureFormat::Eps);
    EXPECT_EQ(invocation.ownPictures[1].format, OwnPictureFormat::Wmf);
    EXPECT_NE(invocation.ownPictures[0].childFd, invocation.ownPictures[1].childFd);
    EXPECT_GE(PositionOf(invocation.arguments, { "-c:v", "ppm", "-f", "image2pipe" }), 0);
    EXPECT_EQ(invocation.arguments.back(), "pipe:" + std::to_string(invocation.ownPictures[1].childFd));
}

TEST(FfmpegArguments, ProfileOptionsComeAfterOurDefaultsSoTheyWin)
{
    const Arguments arguments
        = InvocationFor({ "-i", "/in/a.avi", "-acodec", "libshine", "/out/a.mp3" }).arguments;

    EXPECT_LT(
        PositionOf(arguments, { "-c:a", "libmp3lame" }), PositionOf(arguments, { "-acodec", "libshine" }));
}

TEST(FfmpegArguments, AnInputWithItsOwnFormatNamesNoFile)
{
    const Arguments lavfi = InvocationFor({ "-f", "lavfi", "-i", "sine=f=440:d=1", "/out/a.wav" }).arguments;
    EXPECT_GE(PositionOf(lavfi, { "-i", "sine=f=440:d=1" }),
        0); // an input with its own format names no file
}

TEST(FfmpegArguments, Ac3TooLowForSurroundIsDownmixedUnlessTheCallerFiltersItself)
{
    const Arguments arguments = InvocationFor({ "-i", "/in/a.wav", "-ab", "40", "/out/a.ac3" }).arguments;
    EXPECT_EQ(ValueAfter(arguments, "-af"), "aformat=channel_layouts=mono|stereo");
    EXPECT_EQ(ValueAfter(arguments, "-b:a"), "40k");

    const Arguments filtered
        = InvocationFor({ "-i", "/in/a.wav", "-af", "volume=2", "-ab", "40", "/out/a.ac3" }).arguments;
    EXPECT_LT(PositionOf(filtered, { "-af", "aformat=channel_layouts=mono|stereo" }),
        PositionOf(filtered, { "-af", "volume=2" })); // the last -af is the one ffmpeg keeps

    const Arguments surround = InvocationFor({ "-i", "/in/a.wav", "-ab", "448", "/out/a.ac3" }).arguments;
    EXPECT_LT(PositionOf(surround, { "-af" }), 0);
}

// The later audio types: their encoder, their title from the file's name,
// a layout their encoder carries, and a bitrate only where one means
// something (ALAC shares .m4a with AAC and is asked for by its encoder).
TEST(FfmpegArguments, LaterAudioTypesGetTheirEncoderTitleLayoutAndBitrate)
{
    struct Case {
        Arguments commandLine;
        const char* encoder; // the last -c:a, which ffmpeg keeps
        const char* bitrate; // "" for none
        const char* quality;
        bool layoutFilter;
    };
    const Case cases[] = {
        { { "-i", "/in/a.avi", "-ab", "320", "-ar", "44100", "/out/My song.opus" }, "libopus", "256k", "",
            true },
        { { "-i", "/in/a.avi", "-ab", "128", "/out/My song.m4a" }, "aac", "128k", "", true },
        { { "-i", "/in/a.avi", "-ab", "128", "-c:a", "alac", "/out/My song.m4a" }, "alac", "", "", false },
        { { "-i", "/in/a.avi", "-ab", "128", "/out/My song.ogg" }, "libvorbis", "", "4", true },
        { { "-i", "/in/a.avi", "-ab", "128", "/out/My song.flac" }, "flac", "", "", true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine.back());
        const Arguments arguments = InvocationFor(c.commandLine).arguments;
        std::string encoder;
        for (std::ptrdiff_t at = 0; at + 1 < std::ssize(arguments); ++at) {
            if (arguments[at] == "-c:a")
                encoder = arguments[at + 1];
        }
        EXPECT_EQ(encoder, c.encoder);
        EXPECT_EQ(ValueAfter(arguments, "-metadata"), "title=My song");
        EXPECT_EQ(ValueAfter(arguments, "-b:a"), c.bitrate);
        EXPECT_EQ(ValueAfter(arguments, "-q:a"), c.quality);
        EXPECT_EQ(PositionOf(arguments, { "-af" }) >= 0, c.layoutFilter);
    }
    // The older types keep the source's title.
    EXPECT_LT(PositionOf(InvocationFor({ "-i", "/in/a.avi", "/out/a.mp3" }).arguments, { "-metadata" }), 0);
}

TEST(FfmpegArguments, GifAnimationTakesThePaletteAFirstRunMakesOfTheTrimmedClip)
{
    const FfmpegInvocation invocation
        = InvocationFor({ "-i", "/in/a.avi", "-ss", "5", "-t", "00:00:02", "-s", "160*120", "/out/a.gif" });
    const Arguments& first = invocation.paletteArguments;

    // The same part of the clip at the same size and rate as the frames it is for.
    EXPECT_GE(PositionOf(first, { "-ss", "5", "-i", "/in/a.avi" }), 0);
    // The trim ends the frames, so the palette is made without reading the rest of the source.
    EXPECT_EQ(ValueAfter(first, "-vf"), "trim=duration=2,fps=15,scale=160:120:flags=lanczos,palettegen");
    EXPECT_EQ(ValueAfter(first, "-t"), "2");
    EXPECT_EQ(first.back(), "/work/palette0.png");
    EXPECT_EQ(ValueAfter(first, "-progress"), "pipe:3"); // a stop reaches the first run too

    const std::string graph = ValueAfter(invocation.arguments, "-vf");
    EXPECT_NE(graph.find("movie=/work/palette0.png[palette]"), std::string::npos) << graph;
    EXPECT_EQ(graph.find("new=1"), std::string::npos) << graph;
}

TEST(FfmpegArguments, OnlyAnAnimationNeedsAFirstRun)
{
    EXPECT_TRUE(InvocationFor({ "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.gif" })
                    .paletteArguments.empty());
    EXPECT_TRUE(InvocationFor({ "-i", "/in/a.avi", "-ab", "128", "/out/a.mp3" }).paletteArguments.empty());
}

// A staged output is written through a descriptor's name, which has no
// extension: ffmpeg is told what the final name would have told it, once.
TEST(FfmpegArguments, OutputWrittenThroughADescriptorGetsTheFormatItsNameMeans)
{
    struct Case {
        Arguments commandLine;
        Arguments told; // right before the descriptor's name; empty: nothing added
        std::string muxer; // the one -f value ffmpeg gets
    };
    const Case cases[] = {
        { { "-i", "/in/a.wav", "/out/a.mp3" }, { "-f", "mp3" }, "mp3" },
        { { "-i", "/in/a.avi", "-vcodec", "mpeg4", "/out/a.avi" }, { "-f", "avi" }, "avi" },
        { { "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.BMP" }, { "-c:v", "bmp" }, "image2" },
        { { "-i", "/in/a.avi", "-f", "psp", "-vcodec", "mpeg4", "/out/a.MP4" }, {}, "psp" },
        { { "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "-vcodec", "mjpeg", "/out/a.THM" }, {},
            "image2" },
        { { "-i", "/in/a.wav", "/out/a.wma" }, {}, "asf" },
        { { "-i", "/in/a.avi", "/out/a.gif" }, {}, "gif" },
    };
    for (const Case& c : cases) {
        ParsedCommandLine parsed = ParseCommandLine(c.commandLine);
        ASSERT_TRUE(parsed.request) << parsed.error;
        parsed.request->outputs[0].writtenAt = "/proc/self/fd/40";
        const Arguments arguments = BuildFfmpegInvocation(*parsed.request, "/work/").arguments;
        const std::string& name = c.commandLine.back();

        EXPECT_EQ(arguments.back(), "/proc/self/fd/40") << name;
        EXPECT_EQ(std::count(arguments.begin(), arguments.end(), "-f"), 1) << name;
        EXPECT_EQ(ValueAfter(arguments, "-f"), c.muxer) << name;
        Arguments ending = c.told;
        ending.push_back("/proc/self/fd/40");
        EXPECT_EQ(PositionOf(arguments, ending), std::ssize(arguments) - std::ssize(ending)) << name;
    }
}

TEST(FfmpegArguments, OnlyAnExtensionWeCannotNameTheFormatOfNeedsTheOutputsOwnName)
{
    const std::pair<Arguments, bool> cases[] = {
        { { "-i", "/in/a.avi", "/out/a.mkv" }, true },
        { { "-i", "/in/a.avi", "/out/a.xyz" }, false },
        { { "-i", "/in/a.avi", "-f", "matroska", "/out/a.xyz" }, true },
        { { "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.thm" }, false },
        { { "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "-vcodec", "mjpeg", "/out/a.THM" }, true },
    };
    for (const auto& [commandLine, known] : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(commandLine);
        ASSERT_TRUE(parsed.request) << parsed.error;
        EXPECT_EQ(FormatKnownWithoutTheName(parsed.request->outputs.front()), known) << commandLine.back();
    }
}

} // namespace
