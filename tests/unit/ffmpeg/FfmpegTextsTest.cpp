// Paths and times as they are written on ffmpeg's command line.
#include "ffmpeg/FfmpegTexts.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kelvara;

TEST(FfmpegTexts, SecondsAreWrittenShortAndExact)
{
    EXPECT_EQ(SecondsText(3.0), "3");
    EXPECT_EQ(SecondsText(1234 * 0.001), "1.234");
    EXPECT_EQ(SecondsText(0.04), "0.04");
    EXPECT_EQ(SecondsText(0.0), "0");
    EXPECT_EQ(SecondsText(-1.0), "0");
    EXPECT_EQ(SecondsText(5400.000001), "5400.000001");
    EXPECT_EQ(SecondsText(75.0), "75");
    EXPECT_EQ(SecondsText(0.001), "0.001"); // one frame's length
}

TEST(FfmpegTexts, SecondsThatAreNoNumberBecomeZero)
{
    EXPECT_EQ(SecondsText(std::numeric_limits<double>::quiet_NaN()), "0");
    EXPECT_EQ(SecondsText(std::numeric_limits<double>::infinity()), "0");
}

TEST(FfmpegTexts, NamesThatLookLikeProtocolsOrOptionsStayFiles)
{
    EXPECT_EQ(FfmpegFilePath("a:b.mp3"), "file:a:b.mp3");
    EXPECT_EQ(FfmpegFilePath("-i"), "file:-i");
    EXPECT_EQ(FfmpegFilePath("http:evil.avi"), "file:http:evil.avi");
    EXPECT_EQ(FfmpegFilePath("-y.mp3"), "file:-y.mp3");
    EXPECT_EQ(FfmpegFilePath("clip.avi"), "file:clip.avi");
    // An absolute path is neither an option nor a protocol.
    EXPECT_EQ(FfmpegFilePath("/out/a:b.mp3"), "/out/a:b.mp3");
    EXPECT_EQ(FfmpegFilePath("/media/in.vob"), "/media/in.vob");
}

// ffmpeg reads a filter graph value twice, so each special character gets
// two levels of escapes: the graph's and the filter option's.
TEST(FfmpegTexts, FilterGraphValuesKeepEveryCharacterLiteral)
{
    EXPECT_EQ(FilterGraphValue("/tmp/palette0.png"), "/tmp/palette0.png");
    EXPECT_EQ(FilterGraphValue("a:b"), "a\\\\:b");
    EXPECT_EQ(FilterGraphValue("a,b;c[d]"), "a\\,b\\;c\\[d\\]");
    EXPECT_EQ(FilterGraphValue("it's"), "it\\\\\\'s");
    EXPECT_EQ(FilterGraphValue("a\\b"), "a\\\\\\\\b");
}
