// The batch run's start, loop, stop and end against fake converters.
#include "batch/BatchDriver.h"
#include "batch/EncoderCheck.h"
#include "support/BatchFakes.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

class NullView : public JobListView {
public:
    void RedrawCell(int, JobColumn) override { }
};

class BatchDriverTest : public ::testing::Test {
protected:
    BatchDriverTest()
    {
        m_host.folderText = m_output.Folder();
        m_converters.intermediateFolder = m_sources.Folder();
        m_shutdown.inhibitor = &m_sleep;
    }

    // A job for a source file that exists unless `exists` is false.
    int AddJob(const std::string& name, bool exists = true)
    {
        JobRecord job;
        job.sourcePath = m_sources.File(name);
        job.outputTitle = name.substr(0, name.rfind('.'));
        if (exists)
            std::ofstream(job.sourcePath) << "source";
        return m_jobs.Add(job);
    }
    int AddIntermediateJob(const std::string& name)
    {
        const int index = AddJob(name);
        m_jobs.Update(index, [](JobRecord& job) { job.isVob = 1; });
        return index;
    }
    JobRecord Job(int index) const { return m_jobs.GetAt(index); }
    void Select(OutputCategory category, std::int32_t kind) { m_host.kind = { category, kind }; }

    TempFolder m_sources;
    TempFolder m_output;
    JobList m_jobs;
    NullView m_view;
    ConversionContext m_context { m_jobs, m_view };
    FakeBatchHost m_host;
    FakeConverters m_converters { m_context };
    FakeSound m_sound;
    FakeShutdown m_shutdown;
    FakeSleepInhibitor m_sleep;
    BatchDriver m_driver { m_context, m_host, m_converters, m_sound, m_shutdown, m_sleep };
};

using Calls = std::vector<std::string>;

TEST_F(BatchDriverTest, AviOutputSkipsExistingFilesAndFoldersOfTheName)
{
    Select(OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi));
    std::ofstream(m_output.File("a.avi")) << "earlier";
    fs::create_directory(m_output.File("a2.avi"));
    AddJob("a.mpg");
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "component:0:" + m_output.File("a3.avi") }));
}

TEST_F(BatchDriverTest, MpegOutputIsNamedFromTheSourceWithoutItsExtension)
{
    Select(OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mpeg));
    AddJob("holiday.part1.avi");
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "component:0:" + m_output.File("holiday.part1.mpg") }));
}

TEST_F(BatchDriverTest, ListOfDeletedSourcesEndsAtOnceWithEveryJobQueued)
{
    AddJob("gone1.avi", false);
    AddJob("gone2.avi", false);
    m_driver.OnStart();
    EXPECT_TRUE(m_converters.calls.empty());
    EXPECT_EQ(Job(0).stateIcon, JobState::Queued);
    EXPECT_EQ(Job(1).stateIcon, JobState::Queued);
    EXPECT_EQ(m_host.selectedRows, (std::vector<int> { 0, 1 })); // rows stay selected as visited
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, "All tasks have been completed!");
    EXPECT_EQ(m_host.messages[0].title, "success");
    EXPECT_EQ(m_host.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(m_sound.played, (std::vector<std::string> { ":/sounds/211.wav" }));
    EXPECT_TRUE(m_sound.allAsync);
}

TEST_F(BatchDriverTest, MissingSourceIsSkippedAndTheOthersConverted)
{
    AddJob("one.wav");
    AddJob("gone.wav", false);
    AddJob("three.wav");
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0", "audio:2" }));
    EXPECT_EQ(Job(1).stateIcon, JobState::Queued);
    EXPECT_EQ(Job(0).finished, 1);
    EXPECT_EQ(Job(2).finished, 1);
    EXPECT_EQ(m_context.currentJob, 2);
    EXPECT_EQ(m_host.optionsShownFor, 2);
}

TEST_F(BatchDriverTest, StopDuringTheIntermediateStepOfTheFirstOfThreeAudioJobs)
{
    AddIntermediateJob("first.vob");
    AddJob("second.mp4");
    AddJob("third.mp4");
    m_converters.duringIntermediate = [this](int) { m_driver.OnStop(); };
    m_driver.OnStart();

    EXPECT_EQ(m_converters.calls, (Calls { "intermediate:0" }));
    EXPECT_EQ(m_converters.encoderStops, 1);
    EXPECT_EQ(Job(0).stateIcon, JobState::Stopped);
    EXPECT_EQ(Job(0).finished, 0);
    EXPECT_EQ(Job(1).stateIcon, JobState::Queued);
    EXPECT_EQ(Job(2).stateIcon, JobState::Queued);
    // The user stopped the work: no sound, no message, no power-off.
    EXPECT_TRUE(m_sound.played.empty());
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_FALSE(m_driver.Converting());
    EXPECT_FALSE(m_host.stopShown);
    EXPECT_TRUE(m_host.optionsEnabled);
    EXPECT_TRUE(m_driver.LastSummary().stopped);
}

// The job's run ends with the percentage its Status column showed when STOP
// came, whichever engine was at work; the next START begins a fresh record.
TEST_F(BatchDriverTest, AStopEndsTheRunsRecordAtTheShownPercentage)
{
    const auto encoding = [](JobRecord& job) {
        job.trimEndMs = 10000.0;
        job.stage = JobStage::Encoding;
        job.encodedSeconds = 4.5;
        job.encodedSizeKb = 10;
    };
    const auto component = [](JobRecord& job) { job.percentDone = 45; };
    const auto intermediate = [](JobRecord& job) {
        job.stage = JobStage::MakingIntermediate;
        job.componentPercent = 90.0;
    };
    // MP3 or AVI, a VOB source or not, the progress when STOP comes
    const std::tuple<bool, bool, std::function<void(JobRecord&)>> cases[]
        = { { false, false, encoding }, { true, false, component }, { false, true, intermediate } };
    for (const auto& [avi, vob, progress] : cases) {
        m_jobs.RemoveAll();
        Select(avi ? OutputCategory::PcVideo : OutputCategory::Audio, 0); // AVI or MP3
        const int index = vob ? AddIntermediateJob("clip.vob") : AddJob("clip.mp4");
        m_converters.duringConversion = m_converters.duringIntermediate = [&, &change = progress](int) {
            m_jobs.Update(index, change);
            m_driver.OnStop();
        };
        m_driver.OnStart();
        const RunRecord stopped = Job(index).run;
        EXPECT_EQ(stopped.outcome, "stopped by the user at 45 %") << avi << vob;
        EXPECT_TRUE(stopped.Started() && stopped.ended >= stopped.started);

        m_converters.duringConversion = m_converters.duringIntermediate = nullptr;
        m_driver.OnStart();
        EXPECT_TRUE(Job(index).run.outcome.starts_with("finished in ")) << Job(index).run.outcome;
        EXPECT_GE(Job(index).run.started, stopped.ended);
    }
}

TEST_F(BatchDriverTest, NoPowerOffAfterStopEvenWhenAsked)
{
    m_host.shutdownChecked = true;
    AddJob("one.mp4");
    AddJob("two.mp4");
    m_converters.duringConversion = [this](int) { m_driver.OnStop(); };
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0" }));
    EXPECT_EQ(m_host.countdowns, 0);
    EXPECT_EQ(m_shutdown.powerOffs, 0);
    EXPECT_TRUE(m_sound.played.empty());
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(BatchDriverTest, IntermediateFileIsDeletedAfterTheConversion)
{
    AddIntermediateJob("movie.vob");
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "intermediate:0", "audio:0" }));
    const std::string intermediate = Job(0).intermediatePath;
    ASSERT_FALSE(intermediate.empty());
    EXPECT_FALSE(fs::exists(intermediate));
    EXPECT_EQ(Job(0).finished, 1);
}

TEST_F(BatchDriverTest, FailedIntermediateStepFailsOnlyThatJob)
{
    AddIntermediateJob("broken.vob");
    AddJob("fine.mp4");
    m_converters.intermediateFailing = { 0 };
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "intermediate:0", "audio:1" }));
    EXPECT_TRUE(Job(0).failed);
    EXPECT_EQ(Job(0).finished, 0);
    EXPECT_EQ(m_driver.LastSummary().failed, 1);
    EXPECT_EQ(m_driver.LastSummary().attempted, 2);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(
        m_host.messages[0].text, "All tasks have been completed!\n1 of 2 files could not be converted.");
}

TEST_F(BatchDriverTest, StartingAgainConvertsEveryJobAgain)
{
    AddJob("one.mp4");
    AddJob("two.mp4");
    m_driver.OnStart();
    ASSERT_EQ(Job(1).stateIcon, JobState::Done);
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0", "audio:1", "audio:0", "audio:1" }));
    EXPECT_EQ(m_host.messages.size(), 2u);
}

TEST_F(BatchDriverTest, StoppedBatchIsQueuedAgainByTheNextStart)
{
    AddJob("one.mp4");
    AddJob("two.mp4");
    m_converters.duringConversion = [this](int) { m_driver.OnStop(); };
    m_driver.OnStart();
    m_converters.duringConversion = {};
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0", "audio:0", "audio:1" }));
    EXPECT_EQ(Job(0).finished, 1);
    EXPECT_FALSE(m_driver.LastSummary().stopped);
}

TEST_F(BatchDriverTest, BlanksAroundATypedFolderAreDropped)
{
    const std::string folder = m_output.File("new folder");
    m_host.folderText = "  " + folder + " \t";
    AddJob("clip.mp4");
    Select(OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi));
    m_driver.OnStart();
    EXPECT_EQ(m_context.outputFolder, folder + "/");
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(m_converters.calls, (Calls { "component:0:" + folder + "/clip.avi" }));
}

TEST_F(BatchDriverTest, EmptyFolderFieldIsRefusedAndChangesNothing)
{
    m_host.folderText = "   ";
    AddJob("clip.mp4");
    m_jobs.Update(0, [](JobRecord& job) { job.stateIcon = JobState::Done; });
    m_driver.OnStart();
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, "Set export folder firstly ");
    EXPECT_EQ(m_host.messages[0].title, "error");
    EXPECT_EQ(m_host.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(m_converters.calls.empty());
    EXPECT_EQ(Job(0).stateIcon, JobState::Done);
    EXPECT_FALSE(m_driver.Converting());
    EXPECT_TRUE(m_sound.played.empty());
}

TEST_F(BatchDriverTest, WithoutFfmpegStartRefusesWithTheWindowsWordsUntilItIsThere)
{
    AddJob("clip.mp4");
    const std::string ffmpeg = m_sources.File("ffmpeg");
    const ScopedVariable chosen(kFfmpegVariable, ffmpeg);
    m_driver.OnStart();
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, *MissingEncoderText());
    EXPECT_NE(m_host.messages[0].text.find(ffmpeg + " is missing"), std::string::npos);
    EXPECT_TRUE(m_converters.calls.empty());
    EXPECT_FALSE(m_driver.Converting());
    // Installed meanwhile: the next START converts.
    std::ofstream(ffmpeg) << "#!/bin/sh\n";
    fs::permissions(ffmpeg, fs::perms::owner_all);
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls.size(), 1u);
}

TEST_F(BatchDriverTest, EmptyListDoesNothing)
{
    m_driver.OnStart();
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_TRUE(m_sound.played.empty());
}

TEST_F(BatchDriverTest, ControlsAreLockedWhileConvertingAndReleasedAfter)
{
    AddJob("clip.mp4");
    bool locked = false;
    m_converters.duringConversion
        = [&](int) { locked = m_driver.Converting() && m_host.stopShown && !m_host.optionsEnabled; };
    m_driver.OnStart();
    EXPECT_TRUE(locked);
    EXPECT_EQ(m_host.previewStops, 1);
    EXPECT_EQ(m_converters.busyClears, 1);
    EXPECT_FALSE(m_host.stopShown);
    EXPECT_TRUE(m_host.optionsEnabled);
}

TEST_F(BatchDriverTest, ComputerIsKeptAwakeOnlyWhileTheBatchRuns)
{
    AddJob("one.mp4");
    AddJob("two.mp4");
    std::vector<bool> awake;
    m_converters.duringConversion = [&](int index) {
        awake.push_back(m_sleep.holding);
        if (index == 1)
            m_driver.OnStop();
    };
    m_driver.OnStart();
    EXPECT_EQ(awake, (std::vector<bool> { true, true }));
    EXPECT_FALSE(m_sleep.holding);
    m_driver.OnStart();
    EXPECT_EQ(m_sleep.holds, 2);
    EXPECT_FALSE(m_sleep.holding);
}

TEST_F(BatchDriverTest, RefusedFolderDoesNotKeepTheComputerAwake)
{
    m_host.folderText = "";
    AddJob("one.mp4");
    m_driver.OnStart();
    EXPECT_EQ(m_sleep.holds, 0);
}

TEST_F(BatchDriverTest, StartWhileConvertingIsIgnored)
{
    AddJob("one.mp4");
    AddJob("two.mp4");
    m_converters.duringConversion = [this](int) { m_driver.OnStart(); };
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0", "audio:1" }));
    EXPECT_EQ(m_host.messages.size(), 1u);
}

TEST_F(BatchDriverTest, ComponentStopReleasesTheControlsAtOnceButNoSecondBatchNests)
{
    Select(OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi));
    AddJob("one.mp4");
    AddJob("two.mp4");
    bool releasedAtStop = false;
    m_converters.duringConversion = [&](int) {
        m_driver.OnStop();
        releasedAtStop = !m_driver.Converting() && !m_host.stopShown && m_host.optionsEnabled;
        m_driver.OnStart(); // pressed while the stopped conversion unwinds
    };
    m_driver.OnStart();
    EXPECT_TRUE(releasedAtStop);
    EXPECT_EQ(m_converters.calls.size(), 1u);
    EXPECT_EQ(m_converters.encoderStops, 0);
    EXPECT_EQ(Job(0).stateIcon, JobState::Stopped);
    EXPECT_EQ(Job(1).stateIcon, JobState::Queued);
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_TRUE(m_sound.played.empty());
}

TEST_F(BatchDriverTest, StopOutsideABatchDoesNothing)
{
    AddJob("clip.mp4");
    m_driver.OnStop();
    EXPECT_FALSE(m_context.stopFlag);
    EXPECT_EQ(m_converters.encoderStops, 0);
    EXPECT_EQ(Job(0).stateIcon, JobState::Queued);
}

TEST_F(BatchDriverTest, FailedJobIsNotFinishedAndTheEndSaysHowManyFailed)
{
    AddJob("one.mp4");
    AddJob("two.mp4");
    AddJob("three.mp4");
    m_converters.failing = { 1 };
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0", "audio:1", "audio:2" }));
    EXPECT_EQ(Job(0).finished, 1);
    EXPECT_EQ(Job(1).finished, 0);
    EXPECT_TRUE(Job(1).failed);
    EXPECT_EQ(Job(2).finished, 1);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(
        m_host.messages[0].text, "All tasks have been completed!\n1 of 3 files could not be converted.");
    EXPECT_EQ(m_host.messages[0].title, "Warning");
    EXPECT_EQ(m_host.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(m_sound.played.size(), 1u);
}

TEST_F(BatchDriverTest, FailedComponentJobsAreCountedToo)
{
    Select(OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mpeg));
    AddJob("one.mp4");
    AddJob("two.mp4");
    m_converters.failing = { 0, 1 };
    m_driver.OnStart();
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(
        m_host.messages[0].text, "All tasks have been completed!\n2 of 2 files could not be converted.");
}

TEST_F(BatchDriverTest, CountdownRunningOutTurnsTheComputerOffAndShowsNothing)
{
    m_host.shutdownChecked = true;
    AddJob("clip.mp4");
    m_driver.OnStart();
    EXPECT_EQ(m_host.countdowns, 1);
    EXPECT_EQ(m_shutdown.powerOffs, 1);
    EXPECT_FALSE(m_shutdown.heldAwakeAtPowerOff);
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_TRUE(m_sound.played.empty());
}

TEST_F(BatchDriverTest, CancelledCountdownLeavesTheComputerOn)
{
    m_host.shutdownChecked = true;
    m_host.countdownRunsOut = false;
    AddJob("clip.mp4");
    m_driver.OnStart();
    EXPECT_EQ(m_host.countdowns, 1);
    EXPECT_EQ(m_shutdown.powerOffs, 0);
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(BatchDriverTest, RefusedPowerOffIsReported)
{
    m_host.shutdownChecked = true;
    m_shutdown.accepts = false;
    AddJob("clip.mp4");
    m_driver.OnStart();
    EXPECT_EQ(m_shutdown.powerOffs, 1);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, "Can't turn off the computer.");
    EXPECT_EQ(m_host.messages[0].title, "Warning");
    EXPECT_EQ(m_host.messages[0].icon, MessageIcon::Error);
}

TEST_F(BatchDriverTest, JobsAddedDuringTheBatchAreConvertedInTheSameRun)
{
    AddJob("one.mp4");
    m_converters.duringConversion = [this](int index) {
        if (index == 0)
            AddJob("late.mp4");
    };
    m_driver.OnStart();
    EXPECT_EQ(m_converters.calls, (Calls { "audio:0", "audio:1" }));
}

// Each output kind reaches its own converter.
struct Route {
    OutputKind kind;
    const char* call;
};

class BatchRouting : public BatchDriverTest, public ::testing::WithParamInterface<Route> { };

TEST_P(BatchRouting, KindReachesItsConverter)
{
    m_host.kind = GetParam().kind;
    AddJob("clip.mp4");
    m_driver.OnStart();
    ASSERT_EQ(m_converters.calls.size(), 1u);
    EXPECT_EQ(m_converters.calls[0].substr(0, m_converters.calls[0].find(':')), GetParam().call);
    EXPECT_EQ(m_context.outputKind.category, GetParam().kind.category);
    EXPECT_EQ(m_context.outputKind.kind, GetParam().kind.kind);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BatchRouting,
    ::testing::Values(Route { { OutputCategory::PcVideo, 0 }, "component" },
        Route { { OutputCategory::PcVideo, 1 }, "component" },
        Route { { OutputCategory::PcVideo, 2 }, "image" },
        Route { { OutputCategory::MobileVideo, 0 }, "psp" },
        Route { { OutputCategory::MobileVideo, 1 }, "xbox-or-pocketpc" },
        Route { { OutputCategory::MobileVideo, 2 }, "xbox-or-pocketpc" },
        Route { { OutputCategory::MobileVideo, 3 }, "pmp" }, Route { { OutputCategory::Audio, 0 }, "audio" },
        Route { { OutputCategory::Audio, 4 }, "audio" }),
    [](const auto& info) {
        return "Category" + std::to_string(static_cast<int>(info.param.kind.category)) + "Kind"
            + std::to_string(info.param.kind.kind);
    });

} // namespace

TEST_F(BatchDriverTest, TheDesktopHearsTheEndMessageBeforeItsBoxButNothingAfterStopOrPowerOff)
{
    AddJob("one.mp4");
    AddJob("two.mp4");
    m_converters.failing = { 0 };
    m_driver.OnStart();
    ASSERT_EQ(m_host.announced.size(), 1u);
    EXPECT_EQ(m_host.announced[0].text, m_host.messages.at(0).text);
    EXPECT_EQ(m_host.announced[0].title, "Warning");
    // The box waits for the user; the notice must not wait for the box.
    EXPECT_EQ(m_host.announcedBeforeLastMessage, 1u);

    m_converters.failing = {};
    m_converters.duringConversion = [this](int) { m_driver.OnStop(); };
    m_driver.OnStart();
    EXPECT_EQ(m_host.announced.size(), 1u);

    m_converters.duringConversion = {};
    m_host.shutdownChecked = true;
    m_driver.OnStart();
    EXPECT_EQ(m_host.announced.size(), 1u);
    EXPECT_EQ(m_shutdown.powerOffs, 1);
}
