// An output folder that fills up or cannot be written: every job fails with
// its reason, the batch goes on to the next job, and nothing partial or
// temporary is left in the folder.
#include "support/FileContents.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/RealBatch.h"
#include "support/SmallFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace kelvara;
using namespace kelvara::testing;

namespace {

const std::string kToolDirectory = std::string(KELVARA_TOOL_DIR) + "/";

struct KindCase {
    const char* what;
    OutputKind kind;
    int picture = 4;
    int profile = 0;
};

const KindCase kKinds[] = {
    { "MP3", { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) } },
    { "WAV", { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Wav) } },
    { "AVI", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Avi) } },
    { "MPEG", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Mpeg) } },
    { "GIF animation", { OutputCategory::PcVideo, static_cast<std::int32_t>(PcKind::Image) }, 0 },
    { "PSP", { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Psp) }, 4, 7 },
    { "Xbox360", { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Xbox360) }, 4, 2 },
    { "PMP", { OutputCategory::MobileVideo, static_cast<std::int32_t>(MobileKind::Pmp) }, 4, 1 },
};

// The files left in `folder` that are temporary (hidden) or partial (they
// do not decode to the end). A whole file a step finished before a later
// step failed, such as a PSP thumbnail, may stay.
std::vector<std::string> PartialOrTemporaryFilesIn(const std::string& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const bool whole = RunProgram({ "ffmpeg", "-v", "error", "-xerror", "-i", entry.path().string(), "-f",
                                          "null", "-" })
                               .exitCode
            == 0;
        if (name.starts_with(".") || !whole)
            found.push_back(name);
    }
    return found;
}

class OutputFolderFailure : public ::testing::Test {
protected:
    OutputFolderFailure()
    {
        // Long enough that no kind's output fits in the small file system.
        EXPECT_TRUE(MakeClip(m_sources.File("long one.mp4"), 8.0, 320, 240));
        EXPECT_TRUE(MakeClip(m_sources.File("second.mp4"), 8.0, 320, 240));
    }

    // Runs a batch of both sources for `kind` into `folder`; every job must
    // have failed with a reason, and the folder must be empty again.
    void ExpectEveryJobFailsAndNothingIsLeft(
        const KindCase& kind, const SmallFileSystem& folder, const std::string& systemReason)
    {
        SCOPED_TRACE(kind.what);
        RealBatch batch(kToolDirectory, folder.Folder());
        batch.options.picture = kind.picture;
        batch.device.profilePosition = kind.profile;
        batch.host.kind = kind.kind;
        batch.AddSource(m_sources.File("long one.mp4"));
        batch.AddSource(m_sources.File("second.mp4"));
        batch.driver.OnStart();

        for (int i = 0; i < 2; ++i) {
            const JobRecord job = batch.Job(i);
            EXPECT_TRUE(job.failed) << "job " << i << " was not reported failed";
            EXPECT_NE(job.run.outcome.find(systemReason), std::string::npos)
                << "job " << i << ": " << job.run.outcome;
            EXPECT_EQ(job.finished, 0);
        }
        EXPECT_EQ(batch.driver.LastSummary().attempted, 2) << "the batch ended at the first failure";
        EXPECT_EQ(PartialOrTemporaryFilesIn(folder.Folder()), std::vector<std::string> {});
        ASSERT_EQ(batch.host.messages.size(), 1u);
        EXPECT_EQ(batch.host.messages[0].text,
            "All tasks have been completed!\n2 of 2 files could not be converted.");
        EXPECT_TRUE(ChildrenOfThisProcess().empty());
    }

    TempFolder m_sources;
    TempFolder m_mounts;
};

TEST_F(OutputFolderFailure, FullFileSystemFailsEveryKindsJobsAndLeavesNothingPartial)
{
    for (const KindCase& kind : kKinds) {
        SmallFileSystem folder(m_mounts.File("full"), 24 * 1024);
        if (!folder.IsMounted())
            GTEST_SKIP() << "needs a small file system of its own: " << folder.Reason();
        ExpectEveryJobFailsAndNothingIsLeft(kind, folder, "No space left on device");
    }
}

TEST_F(OutputFolderFailure, ReadOnlyFolderFailsEveryKindsJobsWithTheSystemsReason)
{
    for (const KindCase& kind : kKinds) {
        SmallFileSystem folder(m_mounts.File("read-only"), 1024 * 1024, SmallFileSystem::Access::ReadOnly);
        if (!folder.IsMounted())
            GTEST_SKIP() << "needs a read-only file system of its own: " << folder.Reason();
        ExpectEveryJobFailsAndNothingIsLeft(kind, folder, "Read-only file system");
    }
}

// The space a failed job took is given back, so a job that fits, after
// one that did not, converts.
TEST_F(OutputFolderFailure, AJobThatFitsAfterOneThatFilledTheFolderConverts)
{
    SmallFileSystem folder(m_mounts.File("small"), 40 * 1024);
    if (!folder.IsMounted())
        GTEST_SKIP() << "needs a small file system of its own: " << folder.Reason();
    const std::string small = m_sources.File("small.mp4");
    ASSERT_TRUE(MakeClip(small, 1.0));
    RealBatch batch(kToolDirectory, folder.Folder());
    batch.host.kind = { OutputCategory::Audio, static_cast<std::int32_t>(AudioKind::Mp3) };
    batch.AddSource(m_sources.File("long one.mp4"));
    batch.AddSource(small);
    batch.driver.OnStart();

    EXPECT_TRUE(batch.Job(0).failed);
    EXPECT_EQ(batch.Job(1).stateIcon, JobState::Done) << batch.Job(1).run.outcome;
    EXPECT_EQ(Probe(folder.Folder() + "small.mp3", "stream=codec_name", "a:0"), "mp3");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

} // namespace
