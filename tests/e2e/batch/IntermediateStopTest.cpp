// STOP while the video-editing component writes a VOB source's
// intermediate file, once it has written frames: the stop must not keep
// that file as it keeps a stopped AVI that plays. It is no output of the
// user's, and it would be left in the temporary folder.
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/RealBatch.h"
#include "support/TempFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

// Services the loop for `duration`, as the window goes on after a stop: the
// component's stop ends its ffmpeg and settles its files from there.
void ServiceFor(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(IntermediateStop, AStopAfterFramesWereWrittenLeavesNoIntermediateFile)
{
    TempFolder sources;
    TempFolder output;
    const std::string vob = sources.File("disc.vob");
    ASSERT_TRUE(MakeClip(vob, 8.0, 352, 288, { "-c:v", "mpeg2video", "-c:a", "mp2", "-f", "vob" }));
    RealBatch batch(std::string(KELVARA_TOOL_DIR) + "/", output.Folder());
    batch.host.kind = { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
    batch.AddSource(vob);
    ASSERT_TRUE(batch.Job(0).NeedsIntermediateFile());

    std::string intermediate;
    batch.view.onStatusRedraw = [&] {
        const JobRecord job = batch.Job(0);
        if (!batch.context.stopFlag && job.stage == JobStage::MakingIntermediate
            && job.componentPosition >= 1.0) {
            intermediate = job.intermediatePath;
            batch.driver.OnStop();
        }
    };
    batch.driver.OnStart();
    ASSERT_FALSE(intermediate.empty()) << "the intermediate step ended before a second was written";

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ChildrenOfThisProcess().empty() && std::chrono::steady_clock::now() < end)
        ServiceFor(std::chrono::milliseconds(50));
    ServiceFor(std::chrono::milliseconds(300));
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
    EXPECT_FALSE(fs::exists(intermediate)) << intermediate;
    EXPECT_EQ(batch.Job(0).stateIcon, JobState::Stopped);
    EXPECT_TRUE(fs::is_empty(output.Path()));
}

} // namespace
