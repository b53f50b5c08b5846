// Status lines for Kelvara made from ffmpeg's progress reports.
#include "StatusLine.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace kelvara::tarvo;
using kelvara::ProgressSnapshot;

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

} // namespace
