// The component in-process: its events while the caller services messages,
// stopping, and what it does when it cannot start or ffmpeg fails.
#include "VideoEditTestSupport.h"

#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/TempFolder.h"
#include "videoedit/CVideoEdit.h"
#include "videoedit/FfmpegRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

// What the component told its caller.
struct EventLog {
    explicit EventLog(CVideoEdit& component)
    {
        QObject::connect(&component, &CVideoEdit::ConvertProgress,
            [this](double position, double total) { progress.emplace_back(position, total); });
        QObject::connect(&component, &CVideoEdit::ConvertComplete, [this] { ++completions; });
    }
    std::vector<std::pair<double, double>> progress;
    int completions = 0;
};

int IndexOf(const CodecList& list, const std::string& prefix)
{
    for (std::int16_t i = 0; i < list.Count(); ++i) {
        if (list.Item(i).rfind(prefix, 0) == 0)
            return i;
    }
    return -1;
}

bool ProcessExists(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

class ComponentEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::unsetenv("TARVO_FFMPEG");
        m_source = m_folder.File(std::string(kHostileName) + ".mp4");
        ASSERT_TRUE(MakeClip(m_source, 2.0, 160, 120));
    }
    void TearDown() override { ::unsetenv("TARVO_FFMPEG"); }

    // The program's way of giving one clip: the same clip twice.
    static void AddTheClip(CVideoEdit& component, const std::string& path, double start, double end)
    {
        component.ClearClips();
        EXPECT_TRUE(component.AddClipEx(path, start, end, 0));
        EXPECT_TRUE(component.AddClip(path, start, end));
    }

    // A stand-in for ffmpeg: a shell script with this body.
    std::string FakeFfmpeg(const std::string& body)
    {
        const std::string path = m_folder.File("fake ffmpeg");
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    TempFolder m_folder;
    std::string m_source;
};

} // namespace

TEST_F(ComponentEvents, ProgressRisesToTheTotalAndExactlyOneCompletionArrives)
{
    CVideoEdit component;
    EventLog log(component);
    AddTheClip(component, m_source, 0.25, 1.75);
    const std::string output = m_folder.File("out.avi");
    ASSERT_TRUE(component.StartConvert(output));
    EXPECT_TRUE(component.IsConverting());
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 30000));
    PumpFor(300); // a second completion would come by now
    EXPECT_EQ(log.completions, 1);
    // One clip, not two: the total is its length.
    const std::string fault = ProgressFault(log.progress, 1.5);
    EXPECT_TRUE(fault.empty()) << fault;
    EXPECT_TRUE(component.LastConvertSucceeded()) << component.LastConvertError();
    EXPECT_FALSE(component.IsConverting());
    const std::optional<double> seconds = ProbeDuration(output);
    ASSERT_TRUE(seconds.has_value());
    EXPECT_NEAR(*seconds, 1.5, 0.15);
    EXPECT_TRUE(ChildProcesses().empty());
}

TEST_F(ComponentEvents, AClipPastTheSourcesEndLastsToTheEnd)
{
    CVideoEdit component;
    EventLog log(component);
    AddTheClip(component, m_source, 1.0, 30.0);
    ASSERT_TRUE(component.StartConvert(m_folder.File("out.avi")));
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 30000));
    const std::string fault = ProgressFault(log.progress, 1.0);
    EXPECT_TRUE(fault.empty()) << fault;
}

class StopTest : public ComponentEvents, public ::testing::WithParamInterface<bool> { };

// From the progress handler (as the intermediate-file step does, after
// servicing messages) or from the waiting loop (as the AVI/MPEG step does).
TEST_P(StopTest, StopEndsFfmpegLeavesNoProcessAndNoCompletionFollows)
{
    const bool fromHandler = GetParam();
    const std::string longSource = m_folder.File("long.mp4");
    ASSERT_TRUE(MakeClip(longSource, 8.0, 160, 120));
    CVideoEdit component;
    const int h264 = IndexOf(component.VideoCodecs(), "H.264");
    ASSERT_GE(h264, 0);
    // Large H.264 frames: slow enough to be stopped half-way.
    component.SetVideoCodecIndex(static_cast<std::int16_t>(h264));
    component.SetOutputWidth(1920);
    component.SetOutputHeight(1080);
    AddTheClip(component, longSource, 0.0, 8.0);
    EventLog log(component);

    qint64 pid = 0;
    int stopCalls = 0;
    std::size_t progressAtStop = 0;
    auto stop = [&] {
        pid = component.ConverterProcessId();
        progressAtStop = log.progress.size();
        ++stopCalls;
        component.StopConvert();
    };
    if (fromHandler) {
        QObject::connect(&component, &CVideoEdit::ConvertProgress, [&](double position, double total) {
            if (stopCalls == 0 && position < total) {
                QCoreApplication::processEvents();
                stop();
            }
        });
    }
    const std::string output = m_folder.File("stopped.avi");
    ASSERT_TRUE(component.StartConvert(output));
    ASSERT_TRUE(PumpUntil([&] { return !log.progress.empty() || log.completions > 0; }, 30000));
    ASSERT_EQ(log.completions, 0) << "finished before it could be stopped";
    QElapsedTimer timer;
    timer.start();
    if (!fromHandler)
        stop();
    ASSERT_EQ(stopCalls, 1);
    EXPECT_FALSE(component.IsConverting());
    ASSERT_GT(pid, 0);
    // The stop finishes on the event loop: ffmpeg has its grace period.
    PumpUntil([&] { return !ProcessExists(pid); }, FfmpegRun::kStopGraceMs + 2000);
    EXPECT_LT(timer.elapsed(), FfmpegRun::kStopGraceMs + 2000);
    EXPECT_FALSE(ProcessExists(pid)) << "ffmpeg still exists";
    EXPECT_TRUE(ChildProcesses().empty());
    PumpFor(500);
    EXPECT_EQ(log.completions, 0);
    EXPECT_EQ(log.progress.size(), progressAtStop) << "progress after the stop";
    EXPECT_FALSE(component.LastConvertSucceeded());
    // ffmpeg was asked to finish, so what it wrote is a proper file.
    EXPECT_EQ(Probe(output, "format=format_name").value_or(""), "avi");

    // A stop with nothing running does nothing; the component converts again.
    component.StopConvert();
    AddTheClip(component, m_source, 0.0, 0.5);
    component.SetOutputWidth(160);
    component.SetOutputHeight(120);
    ASSERT_TRUE(component.StartConvert(m_folder.File("again.avi")));
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 30000));
    EXPECT_EQ(log.completions, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Callers, StopTest, ::testing::Values(true, false), [](const ::testing::TestParamInfo<bool>& info) {
        return info.param ? "FromHandler" : "FromWaitingLoop";
    });

// Stops the running conversion; the stop must be back in the event loop
// within 50 ms. Returns the pid ffmpeg had.
qint64 StopWithinFiftyMilliseconds(CVideoEdit& component)
{
    const qint64 pid = component.ConverterProcessId();
    EXPECT_GT(pid, 0);
    QElapsedTimer timer;
    timer.start();
    component.StopConvert();
    EXPECT_LT(timer.elapsed(), 50);
    EXPECT_FALSE(component.IsConverting());
    return pid;
}

// The window must not freeze while ffmpeg finishes its file: the stop asks
// and returns, the event loop finishes the stop policy.
TEST_F(ComponentEvents, StoppingAnAviConversionReturnsAtOnceAndFfmpegEndsWithinTheGracePeriod)
{
    const std::string longSource = m_folder.File("long.mp4");
    ASSERT_TRUE(MakeClip(longSource, 8.0, 160, 120));
    CVideoEdit component;
    component.SetOutputWidth(1920);
    component.SetOutputHeight(1080);
    AddTheClip(component, longSource, 0.0, 8.0);
    EventLog log(component);
    const std::string output = m_folder.File("stopped at once.avi");
    const int descriptors = OpenDescriptorCount();
    ASSERT_TRUE(component.StartConvert(output));
    ASSERT_TRUE(PumpUntil([&] { return !log.progress.empty() || log.completions > 0; }, 30000));
    ASSERT_EQ(log.completions, 0) << "finished before it could be stopped";
    const qint64 pid = StopWithinFiftyMilliseconds(component);

    EXPECT_TRUE(PumpUntil([&] { return !ProcessExists(pid); }, FfmpegRun::kStopGraceMs));
    EXPECT_TRUE(ChildProcesses().empty());
    PumpFor(100); // the finished stop lets go of its pipes
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    EXPECT_EQ(log.completions, 0);
    EXPECT_EQ(Probe(output, "format=format_name").value_or(""), "avi");
}

TEST_F(ComponentEvents, AnFfmpegThatIgnoresTheStopIsEndedAfterTheGracePeriodWithoutBlocking)
{
    const std::string stubborn = m_folder.File("stubborn ffmpeg");
    // It says when its trap is set: a stop before that would end it at once.
    std::ofstream(stubborn) << "#!/bin/sh\ntrap '' INT TERM\n: > \"$0.ready\"\nexec sleep 30\n";
    std::filesystem::permissions(stubborn, std::filesystem::perms::owner_all);
    ::setenv("TARVO_FFMPEG", stubborn.c_str(), 1);
    CVideoEdit component;
    AddTheClip(component, m_source, 0.0, 2.0);
    ASSERT_TRUE(component.StartConvert(m_folder.File("never.avi")));
    ::unsetenv("TARVO_FFMPEG");
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(stubborn + ".ready"); }, 10000));
    const qint64 pid = StopWithinFiftyMilliseconds(component);
    PumpFor(FfmpegRun::kStopGraceMs - 500);
    EXPECT_TRUE(ProcessExists(pid)) << "ended before its grace period was over";
    EXPECT_TRUE(PumpUntil([&] { return !ProcessExists(pid); }, 1500));
    EXPECT_TRUE(ChildProcesses().empty());
}

TEST_F(ComponentEvents, DestroyingTheComponentEndsItsConversion)
{
    const std::string longSource = m_folder.File("long.mp4");
    ASSERT_TRUE(MakeClip(longSource, 8.0, 160, 120));
    auto component = std::make_unique<CVideoEdit>();
    component->SetOutputWidth(1920);
    component->SetOutputHeight(1080);
    AddTheClip(*component, longSource, 0.0, 8.0);
    ASSERT_TRUE(component->StartConvert(m_folder.File("out.avi")));
    const qint64 pid = component->ConverterProcessId();
    ASSERT_GT(pid, 0);
    component.reset();
    EXPECT_FALSE(ProcessExists(pid));
    EXPECT_TRUE(ChildProcesses().empty());
    PumpFor(200); // nothing of the gone component may still arrive
}

TEST_F(ComponentEvents, RefusalsToStartEmitNothing)
{
    CVideoEdit component;
    EventLog log(component);
    const std::string output = m_folder.File("out.avi");
    EXPECT_FALSE(component.StartConvert(output)) << "no clip";

    AddTheClip(component, m_source, 0.0, 1.0);
    // A second, different clip is refused, not silently dropped or joined.
    EXPECT_FALSE(component.AddClip(m_source, 0.5, 1.0));
    ::setenv("TARVO_FFMPEG", m_folder.File("no such ffmpeg").c_str(), 1);
    EXPECT_FALSE(component.StartConvert(output)) << "no ffmpeg";
    ::unsetenv("TARVO_FFMPEG");

    component.SetOutputFormat(8);
    component.SetAudioCodecIndex(-1);
    EXPECT_FALSE(component.StartConvert(output)) << "no such audio codec";
    component.SetAudioCodecIndex(0);

    ASSERT_TRUE(component.StartConvert(output));
    EXPECT_FALSE(component.StartConvert(m_folder.File("second.avi"))) << "already converting";
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 30000));
    PumpFor(200);
    EXPECT_EQ(log.completions, 1);
    EXPECT_FALSE(fs::exists(m_folder.File("second.avi")));
    EXPECT_TRUE(component.LastConvertSucceeded());
}

TEST_F(ComponentEvents, AnFfmpegFailureCompletesOnceWithItsLastErrorLine)
{
    ::setenv("TARVO_FFMPEG",
        FakeFfmpeg("echo 'first complaint' >&2\necho 'Conversion failed: the real reason' >&2\nexit 1")
            .c_str(),
        1);
    CVideoEdit component;
    EventLog log(component);
    AddTheClip(component, m_source, 0.0, 1.0);
    ASSERT_TRUE(component.StartConvert(m_folder.File("out.avi")));
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 10000));
    PumpFor(200);
    EXPECT_EQ(log.completions, 1);
    EXPECT_FALSE(component.LastConvertSucceeded());
    EXPECT_EQ(component.LastConvertError(), "Conversion failed: the real reason");
    // A failed conversion does not claim to have reached the end.
    for (const auto& [position, total] : log.progress)
        EXPECT_LT(position, total);
}

TEST_F(ComponentEvents, SuccessWithoutAnOutputIsAFailure)
{
    // Reports the whole length, exits 0, writes nothing.
    ::setenv("TARVO_FFMPEG", FakeFfmpeg("echo out_time_us=1000000\necho progress=end\nexit 0").c_str(), 1);
    CVideoEdit component;
    EventLog log(component);
    AddTheClip(component, m_source, 0.0, 1.0);
    ASSERT_TRUE(component.StartConvert(m_folder.File("out.avi")));
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 10000));
    EXPECT_EQ(log.completions, 1);
    EXPECT_FALSE(component.LastConvertSucceeded());
    EXPECT_EQ(component.LastConvertError(), "no output written");
}

TEST_F(ComponentEvents, EventsArriveOnlyWhileTheCallerServicesMessages)
{
    CVideoEdit component;
    EventLog log(component);
    AddTheClip(component, m_source, 0.0, 1.0);
    ASSERT_TRUE(component.StartConvert(m_folder.File("out.avi")));
    // ffmpeg is done with a second of tiny video long before this.
    ::usleep(1500 * 1000);
    EXPECT_TRUE(log.progress.empty());
    EXPECT_EQ(log.completions, 0);
    ASSERT_TRUE(PumpUntil([&] { return log.completions > 0; }, 10000));
    EXPECT_EQ(log.completions, 1);
    EXPECT_TRUE(component.LastConvertSucceeded());
}
