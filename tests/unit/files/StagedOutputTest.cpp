// An output written into an unnamed file, or under a hidden name where the
// file system has none, that becomes the final file only when committed.
#include "files/StagedOutput.h"
#include "files/LeftoverStagedFiles.h"
#include "files/StagedFileName.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using kelvara::RemoveLeftoverStagedFiles;
using kelvara::StagedOutput;
using kelvara::StagingMethod;
using kelvara::testing::EntriesIn;
using kelvara::testing::FileContents;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

constexpr StagingMethod kBothMethods[] = { StagingMethod::UnnamedFile, StagingMethod::HiddenName };

std::string NameOf(StagingMethod method)
{
    return method == StagingMethod::UnnamedFile ? "unnamed file" : "hidden name";
}

} // namespace

TEST(StagedOutput, TemporaryFileIsHiddenUniqueBesideTheOutputWithItsExtension)
{
    TempFolder folder;
    StagedOutput::Created first
        = StagedOutput::Create(folder.File("clip.name.MP4"), StagingMethod::HiddenName);
    StagedOutput::Created second
        = StagedOutput::Create(folder.File("clip.name.MP4"), StagingMethod::HiddenName);
    ASSERT_TRUE(first.output && second.output) << first.error << second.error;

    EXPECT_EQ(first.output->Folder(), folder.Folder());
    EXPECT_EQ(first.output->TemporaryPath(), folder.Folder() + first.output->TemporaryName());
    EXPECT_TRUE(kelvara::IsStagedFileName(first.output->TemporaryName())) << first.output->TemporaryName();
    EXPECT_TRUE(first.output->TemporaryName().ends_with(".MP4"));
    EXPECT_NE(first.output->TemporaryPath(), second.output->TemporaryPath());
    EXPECT_TRUE(fs::exists(first.output->TemporaryPath())) << "the name is reserved";
    EXPECT_FALSE(fs::exists(folder.File("clip.name.MP4")));
}

TEST(StagedOutput, UnnamedFileHasNoNameUntilCommittedToAFreeName)
{
    TempFolder folder;
    StagedOutput::Created staged = StagedOutput::Create(folder.File("out.gif"));
    ASSERT_TRUE(staged.output) << staged.error;
    ASSERT_EQ(staged.output->Method(), StagingMethod::UnnamedFile) << "this file system has unnamed files";

    std::ofstream(staged.output->OwnPath()) << "GIF89a";
    EXPECT_EQ(staged.output->WrittenBytes(), 6);
    EXPECT_EQ(EntriesIn(folder.Folder()), 0u) << "a killed writer would leave nothing";
    EXPECT_EQ(staged.output->Commit(), "");
    EXPECT_EQ(FileContents(folder.File("out.gif")), "GIF89a");
    EXPECT_EQ(EntriesIn(folder.Folder()), 1u);
}

TEST(StagedOutput, CommitReplacesTheOutputAndDiscardOrDestructionLeaveNothing)
{
    for (StagingMethod method : kBothMethods) {
        SCOPED_TRACE(NameOf(method));
        TempFolder folder;
        const std::string output = folder.File("out.mp3");
        std::ofstream(output) << "old";
        {
            StagedOutput::Created kept = StagedOutput::Create(output, method);
            ASSERT_TRUE(kept.output);
            std::ofstream(kept.output->OwnPath()) << "new";
            EXPECT_EQ(kept.output->WrittenBytes(), 3);
            EXPECT_EQ(kept.output->Commit(), "");
        }
        EXPECT_EQ(FileContents(output), "new");
        EXPECT_EQ(EntriesIn(folder.Folder()), 1u) << "no hidden name left beside it";

        {
            StagedOutput::Created dropped = StagedOutput::Create(output, method);
            ASSERT_TRUE(dropped.output);
            std::ofstream(dropped.output->OwnPath()) << "partial";
            StagedOutput moved = std::move(*dropped.output); // the moved-from one removes nothing
        }
        StagedOutput::Created discarded = StagedOutput::Create(output, method);
        ASSERT_TRUE(discarded.output);
        discarded.output->Discard();
        EXPECT_NE(discarded.output->Commit(), "") << "nothing left to keep";
        EXPECT_EQ(FileContents(output), "new");
        EXPECT_EQ(EntriesIn(folder.Folder()), 1u);
    }
}

TEST(StagedOutput, MissingFolderIsRefusedWithTheFolderAndTheSystemsReason)
{
    TempFolder folder;
    for (StagingMethod method : kBothMethods) {
        const StagedOutput::Created created = StagedOutput::Create(folder.File("gone/out.gif"), method);
        EXPECT_FALSE(created.output);
        EXPECT_EQ(created.error,
            "cannot write in the folder '" + folder.Folder() + "gone/': No such file or directory");
    }
}

TEST(LeftoverStagedFiles, OnlyUnheldFilesOfExactlyOurPatternAreRemoved)
{
    TempFolder folder;
    const std::string leftover = folder.File(kelvara::NewStagedFileName(".gif"));
    std::ofstream(leftover) << "GIF8";
    StagedOutput::Created pending = StagedOutput::Create(folder.File("b.mp3"), StagingMethod::HiddenName);
    ASSERT_TRUE(pending.output);
    const std::string userFile = folder.File("mine.mp3");
    std::ofstream(userFile) << "mine";
    const std::vector<std::string> kept = {
        ".kelvara-notes.txt", // not eight letters
        ".kelvara-ABCD1234.mp3", // capitals
        ".kelvara-abcd1234.tar.gz", // not one extension
        "kelvara-abcd1234.mp3", // not hidden
        ".kelvara-abcd12345.mp3",
    };
    for (const std::string& name : kept)
        std::ofstream(folder.File(name)) << "a user's";
    // Named like ours but not a regular file: never opened for long, never removed.
    ASSERT_EQ(::mkfifo(folder.File(".kelvara-fifo0000.mp4").c_str(), 0600), 0);
    fs::create_symlink(userFile, folder.File(".kelvara-link0000.mp3"));

    EXPECT_EQ(RemoveLeftoverStagedFiles(folder.Folder()), 1);

    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(pending.output->TemporaryPath())) << "another run still writes it";
    for (const std::string& name : kept)
        EXPECT_EQ(FileContents(folder.File(name)), "a user's") << name;
    EXPECT_TRUE(fs::is_fifo(folder.File(".kelvara-fifo0000.mp4")));
    EXPECT_TRUE(fs::is_symlink(folder.File(".kelvara-link0000.mp3")));
    EXPECT_EQ(FileContents(userFile), "mine");

    pending.output->Discard();
    EXPECT_EQ(RemoveLeftoverStagedFiles(folder.Folder()), 0);
}
