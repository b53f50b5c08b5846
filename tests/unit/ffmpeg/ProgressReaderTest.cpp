// ffmpeg's "-progress" report, read in pieces as they come from a pipe.
#include "ffmpeg/ProgressReader.h"

#include <gtest/gtest.h>

using kelvara::ProgressReader;
using kelvara::ProgressSnapshot;

namespace {

const char* const kTwoBlocks = "frame=12\nout_time_us=480000\nout_time_ms=480000\n"
                               "out_time=00:00:00.480000\nprogress=continue\n"
                               "frame=38\nout_time_us=1520000\nspeed=20x\nprogress=end\n";

// The output positions of the blocks that gave one.
std::vector<double> Positions(const std::vector<ProgressSnapshot>& reports)
{
    std::vector<double> positions;
    for (const ProgressSnapshot& report : reports) {
        if (report.timeKnown)
            positions.push_back(report.seconds);
    }
    return positions;
}

} // namespace

TEST(ProgressReader, EachBlockGivesItsOutputTime)
{
    ProgressReader reader;
    const std::vector<double> positions = Positions(reader.Feed(kTwoBlocks));
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
        std::vector<double> positions = Positions(reader.Feed(std::string_view(text).substr(0, cut)));
        const std::vector<double> rest = Positions(reader.Feed(std::string_view(text).substr(cut)));
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
    EXPECT_TRUE(Positions(reader.Feed("out_time_us=N/A\nprogress=continue\n")).empty());
    EXPECT_TRUE(Positions(reader.Feed("out_time_us=-5\nprogress=continue\n")).empty());
    EXPECT_TRUE(Positions(reader.Feed("out_time_us=12x\nprogress=continue\n")).empty());
    ASSERT_EQ(Positions(reader.Feed("out_time_us=40000\nprogress=continue\n")).size(), 1u);
    EXPECT_TRUE(Positions(reader.Feed("frame=3\nprogress=continue\n")).empty());
    EXPECT_FALSE(reader.SawEnd());
}

TEST(ProgressReader, CarriageReturnsAndUnfinishedLinesAreHandled)
{
    ProgressReader reader;
    const std::vector<double> positions = Positions(reader.Feed("out_time_us=2000000\r\nprogress=end\r\n"));
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_DOUBLE_EQ(positions[0], 2.0);
    EXPECT_TRUE(reader.SawEnd());
    // A block whose closing line has not arrived yet is not reported.
    ProgressReader waiting;
    EXPECT_TRUE(waiting.Feed("out_time_us=1000000\nprogress=contin").empty());
    EXPECT_EQ(waiting.Feed("ue\n").size(), 1u);
}

TEST(ProgressReader, BlocksSplitAnywhereAreJoinedAndGapsKeepTheLastValues)
{
    const std::string block = "frame=25\nstream_0_0_q=2.0\nstream_0_1_q=-1.0\ntotal_size=125952\n"
                              "out_time_us=12340000\nprogress=continue\n";
    ProgressReader reader;
    std::vector<ProgressSnapshot> reports;
    for (char c : block) {
        for (const ProgressSnapshot& report : reader.Feed(std::string_view(&c, 1)))
            reports.push_back(report);
    }
    const auto last = reader.Feed("frame=26\ntotal_size=N/A\nout_time_us=N/A\nprogress=end\n");

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].frames, 25);
    EXPECT_DOUBLE_EQ(reports[0].quality, 2.0); // the first stream's, not the audio's -1
    EXPECT_EQ(reports[0].sizeBytes, 125952);
    EXPECT_DOUBLE_EQ(reports[0].seconds, 12.34);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].frames, 26);
    EXPECT_EQ(last[0].sizeBytes, 125952);
    EXPECT_DOUBLE_EQ(last[0].seconds, 12.34);
    EXPECT_FALSE(last[0].timeKnown);
    EXPECT_TRUE(last[0].finished);
    EXPECT_TRUE(reader.Latest().finished);
}

TEST(ProgressReader, AnOverlongLineIsDroppedNotKept)
{
    ProgressReader reader;
    EXPECT_TRUE(reader.Feed("out_time_us=" + std::string(100000, '1')).empty());
    // The rest of the long line ends with the newline; the next block reads cleanly.
    const std::vector<double> positions
        = Positions(reader.Feed("\nout_time_us=3000000\nprogress=continue\n"));
    ASSERT_EQ(positions.size(), 1u);
    EXPECT_DOUBLE_EQ(positions[0], 3.0);
}
