// The ffmpeg command line made from a request.
#include "AudioLimits.h"
#include "FfmpegArguments.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvo;

namespace {

FfmpegInvocation invocationFor(const std::vector<std::string>& commandLine)
{
    const ParsedCommandLine parsed = parseCommandLine(commandLine);
    EXPECT_TRUE(parsed.request) << parsed.error;
    return parsed.request ? buildFfmpegInvocation(*parsed.request) : FfmpegInvocation {};
}

std::ptrdiff_t positionOf(const std::vector<std::string>& arguments, const std::vector<std::string>& sequence)
{
    const auto found = std::search(arguments.begin(), arguments.end(), sequence.begin(), sequence.end());
    return found == arguments.end() ? -1 : found - arguments.begin();
}

::testing::AssertionResult hasSequence(const std::vector<std::string>& arguments, const std::vector<std::string>& sequence)
{
    if (positionOf(arguments, sequence) >= 0)
        return ::testing::AssertionSuccess();
    std::string all;
    for (const std::string& argument : arguments)
        all += " " + argument;
    return ::testing::AssertionFailure() << "missing in:" << all;
}

std::string valueAfter(const std::vector<std::string>& arguments, const std::string& option)
{
    const auto found = std::find(arguments.begin(), arguments.end(), option);
    return found == arguments.end() || found + 1 == arguments.end() ? std::string() : *(found + 1);
}

TEST(FfmpegArguments, StartSeeksInTheInputAndLengthLimitsTheOutput)
{
    const auto arguments = invocationFor({ "-i", "/in/song.wav", "-ss", "00:01:15", "-t", "01:00:50", "-ab", "128",
        "-ar", "44100", "/out/song.mp3" }).arguments;

    const std::ptrdiff_t seek = positionOf(arguments, { "-ss", "75.000", "-i", "/in/song.wav" });
    const std::ptrdiff_t length = positionOf(arguments, { "-t", "3650.000" });
    EXPECT_GE(seek, 0);
    EXPECT_GT(length, seek);
    EXPECT_TRUE(hasSequence(arguments, { "-c:a", "libmp3lame" }));
    EXPECT_TRUE(hasSequence(arguments, { "-b:a", "128k" })); // kbit/s, not ffmpeg's bit/s
    EXPECT_TRUE(hasSequence(arguments, { "-ar", "44100" }));
    EXPECT_EQ(arguments.back(), "/out/song.mp3");
}

TEST(FfmpegArguments, FfmpegReportsProgressOnItsOwnDescriptorAndNeverAsks)
{
    const auto arguments = invocationFor({ "-i", "/in/a.wav", "/out/a.mp3" }).arguments;

    EXPECT_TRUE(hasSequence(arguments, { "-progress", "pipe:3" }));
    EXPECT_EQ(valueAfter(arguments, "-stats_period"), "0.5");
    EXPECT_TRUE(hasSequence(arguments, { "-nostdin" }));
    EXPECT_TRUE(hasSequence(arguments, { "-y" }));
}

TEST(FfmpegArguments, StillPictureIsOneFrameUnderExactlyItsName)
{
    const auto arguments = invocationFor({ "-i", "/in/clip.avi", "-f", "image2", "-ss", "00:01:23", "-t", "0.001",
        "-s", "320*240", "/out/100%d.jpg" }).arguments;

    EXPECT_TRUE(hasSequence(arguments, { "-frames:v", "1", "-update", "1", "-f", "image2", "/out/100%d.jpg" }));
    EXPECT_TRUE(hasSequence(arguments, { "-s", "320x240" }));
    EXPECT_TRUE(hasSequence(arguments, { "-q:v", "2" }));
    EXPECT_EQ(positionOf(arguments, { "-t" }), -1);
}

TEST(FfmpegArguments, J2kAsksForABareCodestream)
{
    const auto arguments = invocationFor({ "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.J2K" }).arguments;

    EXPECT_TRUE(hasSequence(arguments, { "-c:v", "libopenjpeg", "-format", "j2k" }));
}

TEST(FfmpegArguments, GifAnimationScalesBeforeMakingPalettes)
{
    const auto arguments = invocationFor({ "-i", "/in/a.avi", "-ss", "00:00:01", "-t", "00:00:02", "-s", "160*120",
        "/out/a.gif" }).arguments;

    const std::string graph = valueAfter(arguments, "-vf");
    EXPECT_NE(graph.find("fps=15"), std::string::npos) << graph;
    EXPECT_LT(graph.find("scale=160:120"), graph.find("palettegen")) << graph;
    EXPECT_NE(graph.find("paletteuse"), std::string::npos) << graph;
    EXPECT_TRUE(hasSequence(arguments, { "-t", "2.000" }));
    EXPECT_EQ(positionOf(arguments, { "-frames:v" }), -1);
    EXPECT_EQ(positionOf(arguments, { "-s" }), -1); // scaling after paletteuse would break the palette
}

TEST(FfmpegArguments, GifPictureIsOneFrameWithoutFrameRate)
{
    const auto arguments = invocationFor({ "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.gif" }).arguments;

    EXPECT_EQ(valueAfter(arguments, "-vf").find("fps="), std::string::npos);
    EXPECT_TRUE(hasSequence(arguments, { "-frames:v", "1" }));
}

TEST(FfmpegArguments, OwnPicturesEachGetAFramePipe)
{
    const FfmpegInvocation invocation = invocationFor(
        { "-i", "/in/a.avi", "-f", "image2", "-t", "0.001", "/out/a.eps", "-s", "80x60", "/out/a.WMF" });

    ASSERT_EQ(invocation.ownPictures.size(), 2u);
    EXPECT_EQ(invocation.ownPictures[0].format, OwnPictureFormat::Eps);
    EXPECT_EQ(invocation.ownPictures[0].childFd, kFirstFrameChildFd);
    EXPECT_EQ(invocation.ownPictures[1].format, OwnPictureFormat::Wmf);
    EXPECT_EQ(invocation.ownPictures[1].path, "/out/a.WMF");
    EXPECT_TRUE(hasSequence(invocation.arguments, { "-c:v", "ppm", "-f", "image2pipe", "pipe:4" }));
    EXPECT_TRUE(hasSequence(invocation.arguments, { "-s", "80x60" }));
    EXPECT_EQ(invocation.arguments.back(), "pipe:5");
}

TEST(FfmpegArguments, ProfileOptionsComeAfterOurDefaultsSoTheyWin)
{
    const auto arguments = invocationFor({ "-i", "/in/a.avi", "-acodec", "libshine", "/out/a.mp3" }).arguments;

    EXPECT_LT(positionOf(arguments, { "-c:a", "libmp3lame" }), positionOf(arguments, { "-acodec", "libshine" }));
}

TEST(FfmpegArguments, AudioSettingsAreMovedIntoWhatTheEncoderTakes)
{
    const auto ac3 = invocationFor({ "-i", "/in/a.avi", "-ar", "8000", "/out/a.ac3" }).arguments;
    const auto mp2 = invocationFor({ "-i", "/in/a.avi", "-ab", "320", "-ar", "22050", "/out/a.mp2" }).arguments;
    const auto mp3 = invocationFor({ "-i", "/in/a.avi", "-ab", "320", "-ar", "8000", "/out/a.mp3" }).arguments;
    const auto avi = invocationFor({ "-i", "/in/a.avi", "-ar", "8000", "/out/a.avi" }).arguments;

    EXPECT_EQ(valueAfter(ac3, "-ar"), "32000");
    EXPECT_EQ(valueAfter(mp2, "-ar"), "22050");
    EXPECT_EQ(valueAfter(mp2, "-b:a"), "160k");
    EXPECT_EQ(valueAfter(mp3, "-ar"), "8000");
    EXPECT_EQ(valueAfter(mp3, "-b:a"), "320k");
    EXPECT_EQ(valueAfter(avi, "-ar"), "8000"); // a profile's own output is left as written
}

TEST(AudioLimits, NearestSupportedValueWins)
{
    EXPECT_EQ(supportedSampleRate(AudioCodec::Mp2, 8000), 16000);
    EXPECT_EQ(supportedSampleRate(AudioCodec::Ac3, 22050), 32000);
    EXPECT_EQ(supportedSampleRate(AudioCodec::Ac3, 44100), 44100);
    EXPECT_EQ(supportedSampleRate(AudioCodec::Wav, 8000), 8000);
    EXPECT_EQ(supportedBitrateKbps(AudioCodec::Mp2, 48000, 320), 320);
    EXPECT_EQ(supportedBitrateKbps(AudioCodec::Mp2, 16000, 192), 160);
    EXPECT_EQ(supportedBitrateKbps(AudioCodec::Mp2, std::nullopt, 100), 96);
    EXPECT_EQ(supportedBitrateKbps(AudioCodec::Ac3, 48000, 100), 96);
}

TEST(FfmpegArguments, NamesThatLookLikeProtocolsStayFiles)
{
    EXPECT_EQ(ffmpegUrlForPath("a:b.mp3"), "file:a:b.mp3");
    EXPECT_EQ(ffmpegUrlForPath("/out/a:b.mp3"), "/out/a:b.mp3");
    EXPECT_EQ(ffmpegUrlForPath("out/a:b.mp3"), "out/a:b.mp3");
    const auto arguments = invocationFor({ "-f", "lavfi", "-i", "sine=f=440:d=1", "/out/a.wav" }).arguments;
    EXPECT_TRUE(hasSequence(arguments, { "-i", "sine=f=440:d=1" }));
}

} // namespace
