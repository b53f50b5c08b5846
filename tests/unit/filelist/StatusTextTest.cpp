// The Status column's texts and bars at known stages and values.
#include "batch/StatusText.h"

#include <gtest/gtest.h>

namespace kelvara {
namespace {

const OutputKind kMp3 { OutputCategory::Audio, static_cast<int>(AudioKind::Mp3) };
const OutputKind kAvi { OutputCategory::PcVideo, static_cast<int>(PcKind::Avi) };
const OutputKind kMpeg { OutputCategory::PcVideo, static_cast<int>(PcKind::Mpeg) };

// At real-time speed unless told otherwise: a second of media per second.
JobRecord Encoding(
    double trimStartMs, double trimEndMs, double encodedSeconds, int sizeKb = 100, double speed = 1.0)
{
    JobRecord job;
    job.sourcePath = "/media/clip.mp4";
    job.trimStartMs = trimStartMs;
    job.trimEndMs = trimEndMs;
    job.positionMs = trimStartMs;
    job.stage = JobStage::Encoding;
    job.encodedSeconds = encodedSeconds;
    job.encodedSizeKb = sizeKb;
    job.encodeSpeed = speed;
    return job;
}

void ExpectCell(const StatusCell& cell, const std::string& text, int position)
{
    EXPECT_TRUE(cell.hasText);
    EXPECT_EQ(cell.text, text);
    EXPECT_EQ(cell.progressMax, 100);
    EXPECT_EQ(cell.progressPos, position);
}

TEST(StatusText, RemainTimeIsTheWaitAtTheSpeedMeasuredSoFar)
{
    struct Case {
        double trimStartMs, trimEndMs, encodedSeconds, speed;
        const char* text;
        int position;
    };
    const Case cases[] = {
        { 0, 100000, 49.6, 1.0, "  50%    Remain Time:00:00:50", 50 },
        // A trim that starts later counts from its own start.
        { 60000, 3'660'000, 1800.0, 1.0, "  50%    Remain Time:00:30:00", 50 },
        // A fast encoder: seven minutes of media, 409 s of it left, at 8x.
        { 0, 420000, 11.0, 8.0, "  3%    Remain Time:00:00:51", 3 },
        { 0, 100000, 50.0, 0.25, "  50%    Remain Time:00:03:20", 50 },
        // No speed measured yet; a run that has all but stalled.
        { 0, 100000, 50.0, 0.0, "  50%    Remain Time:--:--:--", 50 },
        { 0, 100000, 50.0, 1e-12, "  50%    Remain Time:99:59:59", 50 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ExpectCell(StatusOf(Encoding(c.trimStartMs, c.trimEndMs, c.encodedSeconds, 100, c.speed), kMp3),
            c.text, c.position);
    }
}

TEST(StatusText, PercentThatRoundsTo99IsShownAs100)
{
    ExpectCell(StatusOf(Encoding(0, 100000, 98.6), kMp3), "  100%    Remain Time:00:00:01", 100);
    ExpectCell(StatusOf(Encoding(0, 100000, 98.4), kMp3), "  98%    Remain Time:00:00:02", 98);
    JobRecord vob = Encoding(0, 100000, 98.6);
    vob.isVob = 1;
    ExpectCell(StatusOf(vob, kMp3), "    100%", 100);
}

TEST(StatusText, IntermediateSourcesShowTheEncoderAsTheSecondHalf)
{
    JobRecord job = Encoding(0, 100000, 49.6);
    job.isRealMedia = 1;
    ExpectCell(StatusOf(job, kMp3), "    75%", 75);

    job.stage = JobStage::MakingIntermediate;
    job.componentPercent = 61.0;
    ExpectCell(StatusOf(job, kMp3), "    30.50%", 30);
    // A component percentage beyond 101 is nonsense and shows as nothing done.
    job.componentPercent = 150.0;
    ExpectCell(StatusOf(job, kMp3), "    0.00%", 0);
}

TEST(StatusText, NothingShownUntilTheEncoderReportsTimeAndSize)
{
    for (const bool intermediate : { false, true }) {
        JobRecord job = Encoding(0, 100000, 0.0, 0);
        job.isVcdDat = intermediate ? 1 : 0;
        const StatusCell cell = StatusOf(job, kMp3);
        EXPECT_FALSE(cell.hasText);
        EXPECT_LT(cell.progressMax, 1) << "no bar without a text";
        job.encodedSeconds = 3.0;
        EXPECT_FALSE(StatusOf(job, kMp3).hasText) << "size still 0";
    }
    // An empty trim shows 0 per cent once time and size arrive.
    ExpectCell(StatusOf(Encoding(5000, 5000, 2.0), kMp3), "  0%    Remain Time:00:00:00", 0);
}

TEST(StatusText, FinishingStagesCanceledAndWaiting)
{
    struct Case {
        JobStage stage;
        const char* direct;
        int directPos;
        const char* intermediate;
        int intermediatePos;
    };
    const Case cases[] = {
        { JobStage::Finishing, " 99%    Remain Time:00:00:05", 99, "    99%", 98 },
        { JobStage::FinishingLast, " 99%    Remain Time:00:00:05", 99, "    99%", 99 },
        { JobStage::FinishingExtra, " 99%    Remain Time:00:00:05", 99, "    98%", 99 },
        { JobStage::AuxiliaryRuns, " 99%    Remain Time:00:00:05", 99, "    98%", 99 },
        { JobStage::Canceled, "Canceled", 0, "Canceled", 0 },
        { JobStage::Waiting, "     0%", 0, "    0%", 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.stage));
        JobRecord job = Encoding(0, 10000, 0.0, 0);
        job.stage = c.stage;
        ExpectCell(StatusOf(job, kMp3), c.direct, c.directPos);
        job.isVob = 1;
        ExpectCell(StatusOf(job, kMp3), c.intermediate, c.intermediatePos);
    }
}

TEST(StatusText, FinishedWinsOverTheStageAndFailedOverEverything)
{
    JobRecord job = Encoding(0, 10000, 3.0);
    job.finished = 1;
    job.isVob = 1;
    ExpectCell(StatusOf(job, kMp3), "100%    Finished ", 100);
    job.failed = true;
    job.run.outcome = "failed: the encoder could not start";
    ExpectCell(StatusOf(job, kMp3), "Failed", 0);
    ExpectCell(StatusOf(job, kAvi), "Failed", 0);
}

TEST(StatusText, ComponentKindsShowThePercentTheComponentKeepsAndTheWait)
{
    JobRecord job = Encoding(1000, 10000, 0.0, 0, 3.0);
    job.percentDone = 42;
    job.positionMs = 4000;
    job.stateIcon = JobState::Converting;
    ExpectCell(StatusOf(job, kAvi), "    42%    Remain Time:00:00:02", 42);
    job.encodeSpeed = 0.0;
    ExpectCell(StatusOf(job, kMpeg), "    42%    Remain Time:--:--:--", 42);
    // A stopped or queued job has no time to wait.
    job.stateIcon = JobState::Stopped;
    ExpectCell(StatusOf(job, kMpeg), "    42%", 42);
    job.percentDone = 100;
    ExpectCell(StatusOf(job, kMpeg), "100%    Finished ", 100);
    // Before the component reached the trim's start: a bar but no text.
    job.positionMs = 500;
    job.percentDone = 7;
    const StatusCell cell = StatusOf(job, kAvi);
    EXPECT_FALSE(cell.hasText);
    EXPECT_EQ(cell.progressMax, 100);
    EXPECT_EQ(cell.progressPos, 7);
}

TEST(StatusText, PositionAtTheTrimEndCountsAsDoneNotGarbage)
{
    JobRecord job = Encoding(0, 10000, 4.0);
    job.positionMs = 10000;
    ExpectCell(StatusOf(job, kMp3), "  100%    Remain Time:00:00:06", 100);
}

TEST(StatusText, SplitSpanAndFrameSize)
{
    JobRecord job;
    job.trimStartMs = 90000;
    job.trimEndMs = 120000;
    EXPECT_EQ(SplitSpanText(job), "00:01:30<-->00:02:00|[00:00:30]");
    job.trimStartMs = 1999;
    job.trimEndMs = 3'725'500;
    EXPECT_EQ(SplitSpanText(job), "00:00:01<-->01:02:05|[01:02:03]");
    job.sourceWidth = 320;
    job.sourceHeight = 240;
    EXPECT_EQ(FrameSizeText(job), "320x240");
}

} // namespace
} // namespace kelvara
