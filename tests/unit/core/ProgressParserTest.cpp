#include "runner/ProgressParser.h"

#include <gtest/gtest.h>

#include <string>

using kelvara::EncodeSpeed;
using kelvara::JobRecord;
using kelvara::ParseProgressChunk;

namespace {

JobRecord FromIntermediateFile(double trimSeconds)
{
    JobRecord job;
    job.isVob = 1;
    job.trimStartMs = 5000.0;
    job.trimEndMs = 5000.0 + trimSeconds * 1000.0;
    return job;
}

} // namespace

TEST(ProgressParser, ReadsSizeAndTimeOfAStatusLine)
{
    JobRecord job;
    ParseProgressChunk(
        "frame=  100 fps= 25 q=2.0 size=    1234kB time=4.00 bitrate= 81.2kbits/s", job, 2000, 0);
    EXPECT_EQ(job.encodedSizeKb, 1234);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 4.0);
    EXPECT_DOUBLE_EQ(job.encodeRate, 2.0); // 4 media seconds in 2 seconds
}

TEST(ProgressParser, TokensTooCloseToTheChunkEndAreIgnored)
{
    JobRecord job;
    job.encodedSizeKb = 7;
    job.encodedSeconds = 3.0;
    // "size=" followed by 7 characters: 12 from the token on, one too few.
    ParseProgressChunk("xxxx size=   99kB", job, 10, 0);
    EXPECT_EQ(job.encodedSizeKb, 7);
    // Exactly 13 characters from the token on is enough.
    ParseProgressChunk("xxxx size=    99kB", job, 10, 0);
    EXPECT_EQ(job.encodedSizeKb, 99);

    // "time=" with 3 characters after it: 8 from the token on.
    ParseProgressChunk("time=1.5", job, 10, 0);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 3.0);
    ParseProgressChunk("time=1.50", job, 10, 0);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 1.5);
}

TEST(ProgressParser, TimeIsReadFromFiveCharacters)
{
    JobRecord job;
    // Five characters of "1234.56" are "1234.": the fraction is lost.
    ParseProgressChunk("size=       1kB time=1234.56 bitrate=", job, 10, 0);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 1234.0);
    ParseProgressChunk("size=       1kB time=123.45 bitrate=", job, 10, 0);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 123.4);
    ParseProgressChunk("size=       1kB time=12.34 bitrate=", job, 10, 0);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 12.34);
}

TEST(ProgressParser, OnlyTheFirstTokenOfAChunkCounts)
{
    JobRecord job;
    ParseProgressChunk("size=      10kB time=1.00 b\nsize=      20kB time=2.00 b\n", job, 10, 0);
    EXPECT_EQ(job.encodedSizeKb, 10);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 1.0);
}

TEST(ProgressParser, SizeSkipsBlanksAndStopsAtTheFirstNonDigit)
{
    JobRecord job;
    ParseProgressChunk("size=  56kB   time=0.50 xx", job, 10, 0);
    EXPECT_EQ(job.encodedSizeKb, 56);
    ParseProgressChunk("size=garbage! time=0.50 xx", job, 10, 0);
    EXPECT_EQ(job.encodedSizeKb, 0);
}

TEST(ProgressParser, AChunkWithoutTokensChangesNothing)
{
    JobRecord job;
    job.encodedSizeKb = 12;
    job.encodedSeconds = 2.5;
    job.encodeRate = 1.25;
    EXPECT_FALSE(ParseProgressChunk("Press [q] to stop, [?] for help\n", job, 99, 0));
    EXPECT_EQ(job.encodedSizeKb, 12);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 2.5);
    EXPECT_DOUBLE_EQ(job.encodeRate, 1.25);
}

TEST(ProgressParser, RateIsLeftAloneWhenNoTimeHasPassed)
{
    JobRecord job;
    job.encodeRate = 3.0;
    ParseProgressChunk("size=       1kB time=2.00 bitrate", job, 500, 500);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 2.0);
    EXPECT_DOUBLE_EQ(job.encodeRate, 3.0);
}

TEST(ProgressParser, RateSurvivesTheTickCounterWrapping)
{
    JobRecord job;
    // Started 1000 ms before the 32-bit counter wrapped, now 1000 ms after.
    ParseProgressChunk("size=       1kB time=4.00 bitrate", job, 1000, 0xFFFFFFFFu - 999);
    EXPECT_DOUBLE_EQ(job.encodeRate, 2.0);
}

TEST(ProgressParser, IntermediateJobIsStoppedAtItsTrimmedLength)
{
    JobRecord job = FromIntermediateFile(10.0);
    EXPECT_FALSE(ParseProgressChunk("size=      50kB time=9.96 bitrate", job, 10, 0));
    EXPECT_TRUE(ParseProgressChunk("size=      60kB time=10.00 bitrate", job, 10, 0));
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 10.0);
}

TEST(ProgressParser, IntermediateJobIsNotStoppedBeforeAnythingWasWritten)
{
    JobRecord job = FromIntermediateFile(10.0);
    EXPECT_FALSE(ParseProgressChunk("size=       0kB time=12.00 bitrate", job, 10, 0));
}

TEST(ProgressParser, JobReadingItsSourceIsNeverStoppedByTheParser)
{
    JobRecord job;
    job.trimEndMs = 10000.0;
    EXPECT_FALSE(ParseProgressChunk("size=     500kB time=99.00 bitrate", job, 10, 0));
}

TEST(EncodeSpeed, FollowsThePaceOfTheRunAndForgetsItsSlowStart)
{
    EncodeSpeed speed;
    std::uint32_t tick = 0xFFFFFFFFu - 999; // the tick count wraps during the run
    speed.Restart(tick);
    // Opening the source: one media second in the first two seconds.
    tick += 2000;
    EXPECT_DOUBLE_EQ(speed.Sample(1.0, tick), 0.5);
    // Then ten media seconds a second, reported twice a second.
    double media = 1.0;
    double before = speed.Speed();
    for (int report = 0; report < 30; ++report) {
        const double now = speed.Sample(media += 5.0, tick += 500);
        EXPECT_GT(now, before) << "rises steadily towards the new pace";
        EXPECT_LT(now, 10.0);
        before = now;
    }
    EXPECT_NEAR(speed.Speed(), 10.0, 0.5);
    // One report without progress is a bump, not a stall.
    const double bumped = speed.Sample(media, tick += 500);
    EXPECT_GT(bumped, 8.0);
    EXPECT_LT(bumped, before);
}

TEST(EncodeSpeed, ReportsCloseTogetherAreMeasuredAsOneAndATimeGoingBackIsANewStart)
{
    EncodeSpeed speed;
    speed.Restart(1000);
    EXPECT_EQ(speed.Sample(0.5, 1050), 0.0) << "50 ms measure the pipe, not the encoder";
    EXPECT_DOUBLE_EQ(speed.Sample(2.0, 2000), 2.0); // since the start
    EXPECT_DOUBLE_EQ(speed.Sample(9.0, 2010), 2.0);
    EXPECT_DOUBLE_EQ(speed.Sample(1.0, 3000), 2.0) << "no negative speed";
    const double next = speed.Sample(5.0, 4000); // 4 media seconds in 1 s, from 1.0 at 3000
    EXPECT_GT(next, 2.0);
    EXPECT_LT(next, 4.0);
}
