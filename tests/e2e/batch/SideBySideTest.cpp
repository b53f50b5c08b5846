// Several files at once: the jobs of one-core encoders run side by side
// through the real driver, converters and encoder; names stay unique, a
// failure stops no other job, STOP stops every running job, and the end
// comes once.
#include "batch/FilesAtOnce.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/RealBatch.h"
#include "support/TempFolder.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

class SideBySide : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (UsableCores() < 2)
            GTEST_SKIP() << "one core: nothing runs side by side";
        batch.SetKind(OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3));
        batch.driver.SetFilesAtOnce(4);
        // The most rows converting at one moment, seen as the list redraws.
        batch.view.onStatusRedraw = [this] {
            int converting = 0;
            for (int i = 0; i < batch.jobs.GetSize(); ++i)
                converting += batch.Job(i).stateIcon == JobState::Converting ? 1 : 0;
            mostAtOnce = std::max(mostAtOnce, converting);
            if (onRedraw)
                onRedraw(converting);
        };
    }

    // `count` clips of one name, each in a folder of its own.
    void AddClipsNamedAlike(int count, double seconds)
    {
        for (int i = 0; i < count; ++i) {
            const fs::path folder = sources.Path() / std::to_string(i);
            fs::create_directory(folder);
            const std::string clip = (folder / "song.mkv").string();
            ASSERT_TRUE(MakeClip(clip, seconds));
            batch.AddSource(clip);
        }
    }

    std::set<std::string> OutputNames() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(output.Path()))
            names.insert(entry.path().filename().string());
        return names;
    }

    TempFolder sources;
    TempFolder output;
    RealBatch batch { std::string(KELVARA_TOOL_DIR) + "/", output.Folder() };
    int mostAtOnce = 0;
    std::function<void(int converting)> onRedraw;
};

TEST_F(SideBySide, JobsOfOneNameGetNamesOfTheirOwnAndTheEndComesOnce)
{
    AddClipsNamedAlike(4, 1.0);
    batch.driver.OnStart();

    EXPECT_GE(mostAtOnce, 2);
    EXPECT_EQ(OutputNames(), (std::set<std::string> { "song.mp3", "song2.mp3", "song3.mp3", "song4.mp3" }));
    for (int i = 0; i < batch.jobs.GetSize(); ++i) {
        EXPECT_EQ(batch.Job(i).stateIcon, JobState::Done) << batch.Job(i).run.outcome;
        EXPECT_GT(ProbeDuration(batch.Job(i).outputPath).value_or(0.0), 0.5) << batch.Job(i).outputPath;
    }
    ASSERT_EQ(batch.host.messages.size(), 1u);
    EXPECT_EQ(batch.host.messages[0].text, "All tasks have been completed!");
    EXPECT_EQ(batch.sound.played.size(), 1u);
    EXPECT_EQ(batch.sleep.holds, 1);
    EXPECT_FALSE(batch.sleep.holding);
}

TEST_F(SideBySide, AFailureAmongThemStopsNoOtherAndIsCounted)
{
    AddClipsNamedAlike(3, 1.0);
    batch.AddSource(sources.Write("broken.mkv", "not a film at all"));
    batch.driver.OnStart();

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(batch.Job(i).stateIcon, JobState::Done) << batch.Job(i).run.outcome;
    EXPECT_TRUE(batch.Job(3).failed);
    EXPECT_FALSE(batch.Job(3).run.outcome.empty());
    ASSERT_EQ(batch.host.messages.size(), 1u);
    EXPECT_NE(batch.host.messages[0].text.find("1 of 4 files could not be converted."), std::string::npos)
        << batch.host.messages[0].text;
}

TEST_F(SideBySide, StopEndsEveryRunningJobAndLeavesTheRestQueued)
{
    AddClipsNamedAlike(6, 4.0);
    onRedraw = [this](int converting) {
        if (converting >= 2 && batch.driver.Converting())
            batch.driver.OnStop();
    };
    batch.driver.OnStart();

    int stopped = 0;
    for (int i = 0; i < batch.jobs.GetSize(); ++i) {
        const JobRecord job = batch.Job(i);
        EXPECT_FALSE(job.failed) << i << ": " << job.run.outcome;
        EXPECT_NE(job.stateIcon, JobState::Converting) << i;
        stopped += job.stateIcon == JobState::Stopped ? 1 : 0;
    }
    EXPECT_GE(stopped, 2);
    EXPECT_EQ(batch.Job(5).stateIcon, JobState::Queued);
    EXPECT_TRUE(batch.host.messages.empty());
    EXPECT_TRUE(batch.sound.played.empty());
    // Each stopped encoder finishes a part that plays, or leaves nothing.
    for (int tries = 0; tries < 100 && !ChildrenOfThisProcess().empty(); ++tries)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
    for (const std::string& name : OutputNames()) {
        EXPECT_FALSE(name.starts_with(".")) << name;
        EXPECT_TRUE(ProbeDuration(output.File(name)).has_value()) << name;
    }
}

} // namespace
