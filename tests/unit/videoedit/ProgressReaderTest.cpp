#include "videoedit/ProgressReader.h"

#include <gtest/gtest.h>

using kelvara::ProgressReader;

namespace {

const char* const kTwoBlocks = "frame=12\nout_time_us=480000\nout_time_ms=480000\n"
                               "out_time=00:00:00.480000\nprogress=continue\n"
                               "frame=38\nout_time_us=1520000\nspeed=20x\nprogress=end\n";

} // namespace

TEST(ProgressReader, EachBlockGivesItsOutputTime)
{
    ProgressReader reader;
    const std::vector<double> positions = reader.Feed(kTwoBlocks);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_DOUBLE_EQ(positions[0], 0.48);
    EXPECT_DOUBLE_EQ(positions[1], 1.52);
    EXPECT_TRUE(reader.SawEnd());
}

TEST(ProgressReader, TextSplitAnywhereReadsTheSame)
{
    const std::string text = kTwoBlocks;
    for (std::size_t cut = 1; cut < text.size(); ++cut) {
        ProgressReader reader;
        std::vector<double> positions = reader.Feed(std::string_view(text).substr(0, cut));
        const std::vector<double> rest = reader.Feed(std::string_view(text).substr(cut));
        positions.insert(positions.end(), rest.begin(), rest.end());
        ASSERT_EQ(positions.size(), 2u) << "cut at " << cut;
        EXPECT_DOUBLE_EQ(positions[0], 0.48) << "cut at " << cut;
        EXPECT_DOUBLE_EQ(positions[1], 1.52) << "cut at " << cut;
    }
}

TEST(ProgressReader, BlocksWithoutAKnownTimeGiveNothing)
{
    ProgressReader reader;
    // Before the first frame ffmpeg writes N/A; a time must not leak from
    // one block into the next.
    EXPECT_TRUE(reader.Feed("out_time_us=N/A\nprogress=continue\n").empty());
    EXPECT_TRUE(reader.Feed("out_time_us=-5\nprogress=continue\n").empty());
    EXPECT_TRUE(reader.Feed("out_time_us=12x\nprogress=continue\n").empty());
    ASSERT_EQ(reader.Feed("out_time_us=40000\nprogress=continue\n").size(), 1u);
    EXPECT_TRUE(reader.Feed("frame=3\nprogress=continue\n").empty());
    EXPECT_FALSE(reader.SawEnd());
}

TEST(ProgressReader, CarriageReturnsAndUnfinishedLinesAreHandled)
{
    ProgressReader reader;
    const std::vector<double> positions = reader.Feed("out_time_us=2000000\r\nprogress=end\r\n");
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_DOUBLE_EQ(positions[0], 2.0);
    EXPECT_TRUE(reader.SawEnd());
    // A block whose closing line has not arrived yet is not reported.
    ProgressReader waiting;
    EXPECT_TRUE(waiting.Feed("out_time_us=1000000\nprogress=contin").empty());
    EXPECT_EQ(waiting.Feed("ue\n").size(), 1u);
}
