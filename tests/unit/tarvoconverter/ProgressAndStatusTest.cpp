// ffmpeg's progress reports in, status lines for Kelvara out.
#include "ProgressReport.h"
#include "StatusLine.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace tarvo;

namespace {

constexpr const char* kVideoBlock = "frame=25\nfps=0.0\nstream_0_0_q=2.0\nstream_0_1_q=-1.0\nbitrate= 81.2kbits/s\n"
                                    "total_size=125952\nout_time_us=12340000\nout_time_ms=12340000\n"
                                    "out_time=00:00:12.340000\nspeed=1.2x\nprogress=continue\n";

// Kelvara's progress parser reads fixed widths after each token.
long sizeAsKelvaraReadsIt(const std::string& line)
{
    return std::strtol(line.substr(line.find("size=") + 5, 8).c_str(), nullptr, 10);
}

double timeAsKelvaraReadsIt(const std::string& line)
{
    return std::atof(line.substr(line.find("time=") + 5, 5).c_str());
}

TEST(StatusLine, HasTheFormKelvaraParses)
{
    ProgressSnapshot progress;
    progress.frames = 25;
    progress.quality = 2.0;
    progress.sizeBytes = 123 * 1024;
    progress.seconds = 12.34;

    EXPECT_EQ(formatStatusLine(progress), "frame=   25 q=2.0 size=     123kB time=12.34 bitrate=  81.7kbits/s\n");
}

TEST(StatusLine, SizeAndTimeReadBackAtEveryMagnitude)
{
    for (const std::int64_t kilobytes : { 0LL, 1LL, 1234LL, 99999999LL }) {
        for (const double seconds : { 0.0, 4.0, 12.34, 99.99 }) {
            ProgressSnapshot progress;
            progress.sizeBytes = kilobytes * 1024 + 1023; // whole kilobytes: the rest is dropped
            progress.seconds = seconds;
            const std::string line = formatStatusLine(progress);
            EXPECT_EQ(sizeAsKelvaraReadsIt(line), kilobytes) << line;
            EXPECT_DOUBLE_EQ(timeAsKelvaraReadsIt(line), seconds) << line;
            EXPECT_LT(line.size(), 255u);
            EXPECT_EQ(line.find('\n'), line.size() - 1);
        }
    }
}

TEST(StatusLine, NoTimeYetMeansNoBitrateRatherThanInfinity)
{
    ProgressSnapshot progress;
    progress.sizeBytes = 4096;
    EXPECT_NE(formatStatusLine(progress).find("bitrate=   0.0kbits/s"), std::string::npos);
}

TEST(ProgressReader, BlocksSplitAnywhereAreJoined)
{
    ProgressReader reader;
    std::vector<ProgressSnapshot> reports;
    for (const char* c = kVideoBlock; *c; ++c) {
        for (const ProgressSnapshot& report : reader.feed(std::string_view(c, 1)))
            reports.push_back(report);
    }

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].frames, 25);
    EXPECT_DOUBLE_EQ(reports[0].quality, 2.0); // the first stream's, not the audio's -1
    EXPECT_EQ(reports[0].sizeBytes, 125952);
    EXPECT_DOUBLE_EQ(reports[0].seconds, 12.34);
    EXPECT_FALSE(reports[0].finished);
}

TEST(ProgressReader, ValuesNotYetKnownKeepTheLastOnes)
{
    ProgressReader reader;
    reader.feed(kVideoBlock);
    const auto reports = reader.feed("frame=26\ntotal_size=N/A\nout_time_us=N/A\nprogress=end\n");

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].frames, 26);
    EXPECT_EQ(reports[0].sizeBytes, 125952);
    EXPECT_DOUBLE_EQ(reports[0].seconds, 12.34);
    EXPECT_TRUE(reports[0].finished);
    EXPECT_TRUE(reader.latest().finished);
}

TEST(ProgressReader, TimeBeforeTheStartReadsAsZeroAndAudioHasNoQuality)
{
    ProgressReader reader;
    const auto reports = reader.feed("total_size=48\r\nout_time_us=-23220\r\nprogress=continue\r\n");

    ASSERT_EQ(reports.size(), 1u);
    EXPECT_DOUBLE_EQ(reports[0].seconds, 0.0);
    EXPECT_DOUBLE_EQ(reports[0].quality, 0.0);
    EXPECT_EQ(reports[0].sizeBytes, 48);
}

} // namespace
