#include "RunnerFixture.h"

#include "batch/StatusText.h"
#include "runner/EncoderStop.h"

#include <QTimer>

#include <chrono>
#include <cstdio>
#include <sys/resource.h>

using namespace kelvara;
using namespace kelvara::testing;

namespace {

double CpuSecondsOfThisProcess()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

TEST_F(RunnerTest, ProgressOfTheEncoderReachesTheJob)
{
    const std::string mark = m_work.File("mark");
    const RunOutcome outcome = m_runner.RunEncoder(Encoder("status 8 " + Quoted(mark)), m_job);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.reason;
    const JobRecord job = m_jobs.GetAt(m_job);
    EXPECT_EQ(job.encodedSizeKb, 80);
    EXPECT_DOUBLE_EQ(job.encodedSeconds, 8.0);
    EXPECT_GT(job.encodeRate, 0.0);
    EXPECT_GE(m_view.statusRedraws, 1);
    EXPECT_FALSE(FileHolds(mark, "quit"));
}

// A seven-minute trim that the encoder gets through at many times real time
// must not show the media still to encode (minutes) as the time to wait.
TEST_F(RunnerTest, RemainTimeIsTheWaitAtTheEncodersPace)
{
    m_jobs.Update(m_job, [](JobRecord& job) {
        job.trimEndMs = 420000.0;
        job.stage = JobStage::Encoding;
    });
    // 20 media seconds every 0.3 s: about 60 times real time.
    m_runner.RunEncoder(Encoder("times " + Quoted(m_work.File("mark")) + " 20.00 40.00 60.00 80.00"), m_job);
    const std::string text = StatusOf(m_jobs.GetAt(m_job), { OutputCategory::Audio, 0 }).text;
    int hours = 0, minutes = 0, seconds = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "%*d%% Remain Time:%d:%d:%d", &hours, &minutes, &seconds), 3) << text;
    EXPECT_LT(hours * 3600 + minutes * 60 + seconds, 60) << text << ": 340 media seconds left";
}

TEST_F(RunnerTest, AFailingEncoderIsReportedWithItsLastErrorLine)
{
    const RunOutcome outcome = m_runner.RunEncoder(Encoder("fail 3"), m_job);
    EXPECT_TRUE(outcome.started);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_NE(outcome.reason.find("Cannot open the input"), std::string::npos) << outcome.reason;
}

TEST_F(RunnerTest, AMissingEncoderIsReportedAsNotStarted)
{
    const RunOutcome outcome = m_runner.RunEncoder("no-such-encoder -i 'a.avi' 'b.mp3'", m_job);
    EXPECT_FALSE(outcome.started);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_NE(outcome.reason.find("no-such-encoder"), std::string::npos);
    EXPECT_EQ(m_view.statusRedraws, 0);
}

TEST_F(RunnerTest, EmptyAndUnclosedCommandsFailWithoutStarting)
{
    EXPECT_FALSE(m_runner.RunEncoder("", m_job).started);
    EXPECT_FALSE(m_runner.RunEncoder("tarvoconverter -i 'open", m_job).started);
}

TEST_F(RunnerTest, HostileFileNamesReachTheEncoderAsOneArgumentEach)
{
    const std::string out = m_work.File("args");
    const std::string hostile = m_work.File(kHostileName);
    const std::string second = "$(touch pwned) `id` ; & | > *";
    m_runner.RunEncoder(
        Encoder("args " + Quoted(out) + " -i " + Quoted(hostile) + " " + Quoted(second)), m_job);
    EXPECT_TRUE(FileHolds(out, "-i\n" + hostile + "\n" + second + "\n"));
    EXPECT_FALSE(std::filesystem::exists(m_tools.File("pwned")));
}

TEST_F(RunnerTest, ACommandLongerThanAnyFixedBufferIsPassedWhole)
{
    const std::string out = m_work.File("args");
    const std::string longName(5000, 'x');
    m_runner.RunEncoder(Encoder("args " + Quoted(out) + " " + Quoted(longName)), m_job);
    EXPECT_TRUE(FileHolds(out, longName + "\n"));
}

TEST_F(RunnerTest, StopDuringARunAsksTheEncoderToQuitAndLeavesNoProcess)
{
    const std::string mark = m_work.File("mark");
    m_context.outputKind = OutputKind { OutputCategory::Audio, 0 };
    m_view.onStatusRedraw = [&] {
        if (m_view.statusRedraws == 3)
            StopEncoderJob(m_context, m_runner);
    };
    const auto started = std::chrono::steady_clock::now();
    const RunOutcome outcome = m_runner.RunEncoder(Encoder("status 200 " + Quoted(mark)), m_job);
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_TRUE(outcome.stopped);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_TRUE(FileHolds(mark, "quit"));
    EXPECT_LT(took, std::chrono::seconds(5));
    EXPECT_EQ(m_jobs.GetAt(m_job).stateIcon, JobState::Stopped);
    EXPECT_EQ(m_view.iconRedraws, 1);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST_F(RunnerTest, IntermediateJobGetsQuitOnTheFirstLineAtItsTrimmedLength)
{
    JobRecord job = m_jobs.GetAt(m_job);
    job.isRealMedia = 1;
    job.trimStartMs = 2000.0;
    job.trimEndMs = 12000.0;
    m_jobs.SetAt(m_job, job);

    const std::string mark = m_work.File("mark");
    const RunOutcome outcome
        = m_runner.RunEncoder(Encoder("times " + Quoted(mark) + " 4.00 9.96 10.00 14.00 18.00"), m_job);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.reason;
    EXPECT_TRUE(FileHolds(mark, "quit"));
    EXPECT_DOUBLE_EQ(m_jobs.GetAt(m_job).encodedSeconds, 10.0);
}

TEST_F(RunnerTest, TheWindowIsServicedWhileTheEncoderIsSilentWithoutSpinning)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(100);

    const double cpuBefore = CpuSecondsOfThisProcess();
    const RunOutcome outcome = m_runner.RunEncoder(Encoder("silent 1.5 /dev/null"), m_job);
    const double cpuUsed = CpuSecondsOfThisProcess() - cpuBefore;

    EXPECT_TRUE(outcome.Succeeded()) << outcome.reason;
    EXPECT_GE(ticks, 8);
    EXPECT_LT(cpuUsed, 0.2);
}

TEST_F(RunnerTest, EveryDescriptorOfARunIsReleased)
{
    const int before = OpenDescriptorCount();
    m_runner.RunEncoder(Encoder("status 2 /dev/null"), m_job);
    m_runner.AskEncoderToQuit();
    m_runner.RunEncoder("no-such-encoder", m_job);
    m_runner.AskEncoderToQuit();
    m_runner.RunEncoder(Encoder("fail 1"), m_job);
    m_runner.AskEncoderToQuit();
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST_F(RunnerTest, SetJobStageStoresTheStageAndRedrawsTheStatus)
{
    m_runner.SetJobStage(JobStage::AuxiliaryRuns, m_job);
    EXPECT_EQ(m_jobs.GetAt(m_job).stage, JobStage::AuxiliaryRuns);
    EXPECT_EQ(m_view.statusRedraws, 1);
}

TEST_F(RunnerTest, AJobRemovedWhileTheWindowIsServicedIsNotWrittenAgain)
{
    // The list refuses changes during a batch, but if one slips through the
    // runner must neither write past the list's end nor redraw a lost row.
    m_view.onStatusRedraw = [&] { m_jobs.RemoveAll(); };
    const RunOutcome outcome = m_runner.RunEncoder(Encoder("status 6 " + Quoted(m_work.File("mark"))), m_job);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.reason;
    EXPECT_EQ(m_jobs.GetSize(), 0);
    EXPECT_EQ(m_view.statusRedraws, 1);
    m_runner.SetJobStage(JobStage::Encoding, m_job);
    EXPECT_EQ(m_view.statusRedraws, 1);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST_F(RunnerTest, TheJobKeepsTheEncodersLastTwentyLines)
{
    const RunOutcome outcome = m_runner.RunEncoder(Encoder("chatty 25 4"), m_job);
    EXPECT_FALSE(outcome.Succeeded());
    const std::string kept = m_jobs.GetAt(m_job).run.outputTail;
    std::string expected;
    for (int n = 6; n <= 25; ++n)
        expected += (n > 6 ? "\n" : "") + std::string("error line ") + std::to_string(n);
    EXPECT_EQ(kept, expected);
}

// A device profile's steps are one run of the job: each step's lines follow
// the previous step's in the job's record.
TEST_F(RunnerTest, EachEncoderRunAddsItsLastLinesToTheJobsRecord)
{
    ASSERT_FALSE(m_runner.RunEncoder(Encoder("fail 2"), m_job).Succeeded());
    EXPECT_NE(m_jobs.GetAt(m_job).run.outputTail.find("Cannot open the input"), std::string::npos);
    ASSERT_TRUE(m_runner.RunEncoder(Encoder("status 3 " + Quoted(m_work.File("mark"))), m_job).Succeeded());
    const std::string tail = m_jobs.GetAt(m_job).run.outputTail;
    EXPECT_NE(tail.find("Cannot open the input"), std::string::npos) << tail;
    // Only the last of the status lines: they rewrite one another on screen.
    EXPECT_TRUE(tail.ends_with("\nframe=    3 q=2.0 size=      30kB time=3.00 bitrate= 81.2kbits/s")) << tail;
}
