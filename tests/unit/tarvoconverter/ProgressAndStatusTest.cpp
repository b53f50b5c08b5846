// ffmpeg's progress reports in, status lines for Kelvara out.
#include "ProgressReport.h"
#include "StatusLine.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kelvara::tarvo;

namespace {

TEST(StatusLine, HasTheFormKelvaraParses)
{
    ProgressSnapshot progress;
    progress.frames = 25;
    progress.quality = 2.0;
    progress.sizeBytes = 123 * 1024;
    progress.seconds = 12.34;

    EXPECT_EQ(
        FormatStatusLine(progress), "frame=   25 q=2.0 size=     123kB time=12.34 bitrate=  81.7kbits/s\n");
}

TEST(StatusLine, SizeAndTimeReadBackAtEveryMagnitude)
{
    for (const long long kilobytes : { 0LL, 1LL, 99999999LL }) {
        for (const double seconds : { 0.0, 4.0, 99.99 }) {
            ProgressSnapshot progress;
            progress.sizeBytes = kilobytes * 1024 + 1023; // whole kilobytes: the rest is dropped
            progress.seconds = seconds;
            const std::string line = FormatStatusLine(progress);
            // Kelvara reads 8 characters after "size=" and 5 after "time=".
            EXPECT_EQ(std::strtol(line.substr(line.find("size=") + 5, 8).c_str(), nullptr, 10), kilobytes)
                << line;
            EXPECT_DOUBLE_EQ(std::atof(line.substr(line.find("time=") + 5, 5).c_str()), seconds) << line;
            EXPECT_EQ(line.find('\n'), line.size() - 1);
        }
    }
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
    EXPECT_TRUE(last[0].finished);
}

} // namespace
