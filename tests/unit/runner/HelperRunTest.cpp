#include "RunnerFixture.h"

#include "naming/OutputNaming.h"
#include "runner/EncoderStop.h"

#include <QTimer>

#include <chrono>
#include <filesystem>
#include <fstream>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

TEST_F(RunnerTest, AHelperRunsToItsEnd)
{
    const std::string touched = m_work.File("touched file");
    const RunOutcome outcome = m_runner.RunHelperAndWait("touch " + Quoted(touched));
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_TRUE(fs::exists(touched));
}

TEST_F(RunnerTest, AMissingHelperIsGivenUpQuietly)
{
    const RunOutcome outcome = m_runner.RunHelperAndWait("no-such-helper x");
    EXPECT_FALSE(outcome.started);
}

TEST_F(RunnerTest, StopEndsAHelperAndLeavesNoProcess)
{
    QTimer::singleShot(300, [&] { m_context.stopFlag = true; });
    const auto started = std::chrono::steady_clock::now();
    const RunOutcome outcome = m_runner.RunHelperAndWait("sleep 30");
    EXPECT_TRUE(outcome.stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

// The PMP's own files live in a folder of the conversion's; files of those
// names in the output folder are the user's and stay. The intermediate file
// is the run's own and goes.
TEST_F(RunnerTest, StoppingAPmpJobKeepsTheUsersFilesAndRemovesItsIntermediate)
{
    m_context.outputKind = OutputKind { OutputCategory::MobileVideo, 3 };
    const std::string folder = m_context.outputFolder;
    for (const std::string& path : { PmpFirstStepVideoPath(folder, "clip"),
             PmpFirstStepAudioPath(folder, "clip"), PmpFinalPath(folder, "clip") })
        std::ofstream(path) << "the user's";
    JobRecord job = m_jobs.GetAt(m_job);
    job.stage = JobStage::AuxiliaryRuns;
    job.isVob = 1;
    job.intermediatePath = m_work.File("clip_12345.avi");
    std::ofstream(job.intermediatePath) << "intermediate";
    m_jobs.SetAt(m_job, job);

    StopEncoderJob(m_context, m_runner);

    EXPECT_TRUE(m_context.stopFlag);
    EXPECT_EQ(m_jobs.GetAt(m_job).stateIcon, JobState::Stopped);
    EXPECT_TRUE(FileHolds(PmpFirstStepVideoPath(folder, "clip"), "the user's"));
    EXPECT_TRUE(FileHolds(PmpFirstStepAudioPath(folder, "clip"), "the user's"));
    EXPECT_TRUE(FileHolds(PmpFinalPath(folder, "clip"), "the user's"));
    EXPECT_FALSE(fs::exists(job.intermediatePath));
}

TEST_F(RunnerTest, StoppingAPmpJobWhileEncodingKeepsAFinishedPmpFile)
{
    // At the encoding stage the .pmp of an earlier run is not this run's.
    m_context.outputKind = OutputKind { OutputCategory::MobileVideo, 3 };
    const std::string pmp = PmpFinalPath(m_context.outputFolder, "clip");
    std::ofstream(pmp) << "earlier";
    JobRecord job = m_jobs.GetAt(m_job);
    job.stage = JobStage::Encoding;
    m_jobs.SetAt(m_job, job);
    StopEncoderJob(m_context, m_runner);
    EXPECT_TRUE(fs::exists(pmp));
}
