// Whole batches through the real converters: the encoder for an audio kind,
// the video-editing component for AVI, judged by ffprobe.
#include "../conversions/ConversionFixture.h"
#include "batch/BatchDriver.h"
#include "batch/CommandConverters.h"
#include "conversions/VideoEditConversions.h"
#include "jobs/JobCreation.h"
#include "jobs/RandomNumbers.h"
#include "support/BatchFakes.h"
#include "videoedit/CVideoEdit.h"

#include <QCoreApplication>
#include <QObject>

#include <filesystem>
#include <fstream>
#include <thread>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

class BatchRun : public ConversionTest {
protected:
    BatchRun()
    {
        m_host.folderText = m_output.Folder();
        QObject::connect(
            &m_component, &CVideoEdit::ConvertComplete, [this] { m_conversions.OnVideoEditComplete(); });
        QObject::connect(&m_component, &CVideoEdit::ConvertProgress,
            [this](double position, double total) { m_conversions.OnVideoEditProgress(position, total); });
    }

    // A job for a generated clip, trimmed to [1 s, 2 s] of its 3 seconds
    // (command lines carry whole seconds).
    int AddClip(const std::string& name)
    {
        const std::string path = m_sources.File(name);
        EXPECT_TRUE(MakeClip(path, 3.0, 160, 120));
        JobRecord job = CreateJobRecord(path, m_component, m_numbers, m_jobs,
            DefaultAviCodecs(m_component.VideoCodecs(), m_component.AudioCodecs()));
        job.trimStartMs = 1000.0;
        job.trimEndMs = 2000.0;
        return m_jobs.Add(job);
    }

    CVideoEdit m_component;
    RandomNumbers m_numbers;
    VideoEditConversions m_conversions { m_context, m_component, m_options, m_numbers };
    CommandConverters m_converters { m_context, m_runner, m_conversions, m_options,
        [] { return DeviceChoice {}; } };
    FakeBatchHost m_host;
    FakeSound m_sound;
    FakeShutdown m_shutdown;
    FakeSleepInhibitor m_sleep;
    BatchDriver m_driver { m_context, m_host, m_converters, m_sound, m_shutdown, m_sleep };
};

bool PumpUntilNoChildren(std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ChildrenOfThisProcess().empty()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

const std::string kNames[] = { std::string(kHostileName) + ".avi", "second clip.mp4", "third.mkv" };

TEST_F(BatchRun, ThreeClipsBecomeMp3FilesOfTheTrimmedLength)
{
    m_host.kind = { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
    for (const std::string& name : kNames)
        AddClip(name);
    m_driver.OnStart();

    for (int i = 0; i < 3; ++i) {
        const JobRecord job = Job(i);
        EXPECT_EQ(job.stateIcon, JobState::Done) << job.run.outcome;
        EXPECT_EQ(job.finished, 1);
        const std::string output = m_output.Folder() + BaseNameOf(job.sourcePath) + ".mp3";
        EXPECT_EQ(Probe(output, "stream=codec_name", "a:0"), "mp3") << output;
        const std::optional<double> duration = ProbeDuration(output);
        ASSERT_TRUE(duration);
        EXPECT_NEAR(*duration, 1.0, 0.15);
    }
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(m_host.messages[0].text, "All tasks have been completed!");
    EXPECT_EQ(m_sound.played.size(), 1u);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST_F(BatchRun, TwoClipsBecomeNumberedAviFiles)
{
    m_host.kind = { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi) };
    AddClip(kNames[0]);
    AddClip("b.mp4");
    std::ofstream(m_output.File("b.avi")) << "an earlier output, kept";
    m_driver.OnStart();

    const std::string outputs[]
        = { m_output.Folder() + BaseNameOf(kNames[0]) + ".avi", m_output.File("b2.avi") };
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Job(i).stateIcon, JobState::Done) << Job(i).run.outcome;
        EXPECT_EQ(Probe(outputs[i], "format=format_name"), "avi") << outputs[i];
        EXPECT_EQ(Probe(outputs[i], "stream=width", "v:0"), "160");
        const std::optional<double> duration = ProbeDuration(outputs[i]);
        ASSERT_TRUE(duration);
        EXPECT_NEAR(*duration, 1.0, 0.2);
    }
    std::ifstream kept(m_output.File("b.avi"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "an earlier output, kept");
    EXPECT_EQ(m_host.messages.size(), 1u);
}

TEST_F(BatchRun, StopDuringTheSecondAudioJobLeavesTheThirdQueuedAndNothingRunning)
{
    m_host.kind = { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Wav) };
    for (const std::string& name : kNames)
        AddClip(name);
    // Stage 1 is shown before the encoder starts; the next redraw of the
    // job comes from a chunk of the running encoder's output.
    int encodingRedraws = 0;
    m_view.onStatusRedraw = [&] {
        if (m_context.currentJob == 1 && Job(1).stage == JobStage::Encoding && ++encodingRedraws == 2)
            m_driver.OnStop();
    };
    m_driver.OnStart();

    EXPECT_EQ(Job(0).stateIcon, JobState::Done);
    EXPECT_EQ(Job(1).stateIcon, JobState::Stopped);
    EXPECT_EQ(Job(1).finished, 0);
    EXPECT_EQ(Job(2).stateIcon, JobState::Queued);
    EXPECT_FALSE(fs::exists(m_output.File("third.wav")));
    EXPECT_TRUE(m_host.messages.empty());
    EXPECT_TRUE(m_sound.played.empty());
    EXPECT_FALSE(m_driver.Converting());
    EXPECT_TRUE(ChildrenOfThisProcess().empty());

    // The next START converts what is left: the finished job keeps its file,
    // the stopped one's part is replaced under its own name.
    const std::string first = Job(0).outputPath;
    const auto firstWritten = fs::last_write_time(first);
    // Whether or not the stop came early enough to leave a part, the job's
    // file takes its own name, never a numbered one beside its part.
    const std::string own = m_output.File("second clip.wav");
    EXPECT_LE(Job(1).partialOutputs.size(), 1u);
    m_view.onStatusRedraw = {};
    m_driver.OnStart();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Job(i).stateIcon, JobState::Done) << Job(i).run.outcome;
    EXPECT_EQ(fs::last_write_time(first), firstWritten);
    EXPECT_EQ(Job(1).outputPath, own);
    EXPECT_NEAR(ProbeDuration(own).value_or(0.0), 1.0, 0.1);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_output.Path()), fs::directory_iterator()), 3);
    EXPECT_EQ(m_host.messages.size(), 1u);
}

TEST_F(BatchRun, UnreadableSourceFailsAndTheEndCountsIt)
{
    m_host.kind = { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
    AddClip("good.avi");
    const int bad = AddClip("bad.avi");
    std::ofstream(Job(bad).sourcePath, std::ios::trunc) << "this is not a video";
    m_driver.OnStart();

    EXPECT_EQ(Job(0).finished, 1);
    EXPECT_TRUE(Job(bad).failed);
    EXPECT_EQ(Job(bad).finished, 0);
    EXPECT_FALSE(Job(bad).run.outcome.empty());
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_EQ(
        m_host.messages[0].text, "All tasks have been completed!\n1 of 2 files could not be converted.");
    EXPECT_EQ(m_host.messages[0].icon, MessageIcon::Warning);
}

TEST_F(BatchRun, StopWhileTheFirstOfThreeVobSourcesIsRewrittenEndsTheBatch)
{
    m_host.kind = { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
    const std::string vob = m_sources.File("disc.vob");
    ASSERT_TRUE(MakeClip(vob, 3.0, 352, 288, { "-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob" }));
    const int first = m_jobs.Add(CreateJobRecord(vob, m_component, m_numbers, m_jobs,
        DefaultAviCodecs(m_component.VideoCodecs(), m_component.AudioCodecs())));
    ASSERT_TRUE(Job(first).NeedsIntermediateFile());
    AddClip("second.avi");
    AddClip("third.avi");
    std::string intermediate;
    m_view.onStatusRedraw = [&] {
        const JobRecord job = Job(0);
        if (!m_context.stopFlag && job.stage == JobStage::MakingIntermediate) {
            intermediate = job.intermediatePath;
            m_driver.OnStop();
        }
    };
    m_driver.OnStart();

    ASSERT_FALSE(intermediate.empty());
    EXPECT_FALSE(fs::exists(intermediate));
    EXPECT_EQ(Job(0).stateIcon, JobState::Stopped);
    EXPECT_EQ(Job(1).stateIcon, JobState::Queued);
    EXPECT_EQ(Job(2).stateIcon, JobState::Queued);
    EXPECT_FALSE(fs::exists(m_output.File("disc.mp3")));
    EXPECT_TRUE(m_host.messages.empty());
    // The component's ffmpeg is ended without blocking the window: gone
    // once the event loop has run its stop to the end.
    EXPECT_TRUE(PumpUntilNoChildren(std::chrono::seconds(8)));
}

} // namespace
