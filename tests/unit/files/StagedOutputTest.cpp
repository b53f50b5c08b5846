// An output under a hidden temporary name that becomes the final file only
// when committed.
#include "StagedOutput.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using kelvara::StagedOutput;
using kelvara::testing::EntriesIn;
using kelvara::testing::FileContents;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

TEST(StagedOutput, TemporaryFileIsHiddenUniqueBesideTheOutputWithItsExtension)
{
    TempFolder folder;
    StagedOutput::Created first = StagedOutput::Create(folder.File("clip.name.MP4"));
    StagedOutput::Created second = StagedOutput::Create(folder.File("clip.name.MP4"));
    ASSERT_TRUE(first.output && second.output) << first.error << second.error;

    EXPECT_EQ(first.output->Folder(), folder.Folder());
    EXPECT_EQ(first.output->TemporaryPath(), folder.Folder() + first.output->TemporaryName());
    EXPECT_TRUE(first.output->TemporaryName().starts_with("."));
    EXPECT_TRUE(first.output->TemporaryName().ends_with(".MP4"));
    EXPECT_LT(first.output->TemporaryName().size(), 40u) << "short, whatever the output's name";
    EXPECT_NE(first.output->TemporaryPath(), second.output->TemporaryPath());
    EXPECT_TRUE(fs::exists(first.output->TemporaryPath())) << "the name is reserved";
    EXPECT_FALSE(fs::exists(folder.File("clip.name.MP4")));
}

TEST(StagedOutput, CommitReplacesTheOutputAndDiscardOrDestructionLeaveNothing)
{
    TempFolder folder;
    const std::string output = folder.File("out.mp3");
    std::ofstream(output) << "old";
    {
        StagedOutput::Created kept = StagedOutput::Create(output);
        ASSERT_TRUE(kept.output);
        std::ofstream(kept.output->TemporaryPath()) << "new";
        EXPECT_EQ(kept.output->WrittenBytes(), 3);
        EXPECT_EQ(kept.output->Commit(), "");
    }
    EXPECT_EQ(FileContents(output), "new");
    EXPECT_EQ(EntriesIn(folder.Folder()), 1u);

    {
        StagedOutput::Created dropped = StagedOutput::Create(output);
        ASSERT_TRUE(dropped.output);
        std::ofstream(dropped.output->TemporaryPath()) << "partial";
        StagedOutput moved = std::move(*dropped.output); // the moved-from one removes nothing
    }
    StagedOutput::Created discarded = StagedOutput::Create(output);
    ASSERT_TRUE(discarded.output);
    discarded.output->Discard();
    EXPECT_NE(discarded.output->Commit(), "") << "nothing left to keep";
    EXPECT_EQ(FileContents(output), "new");
    EXPECT_EQ(EntriesIn(folder.Folder()), 1u);
}

TEST(StagedOutput, MissingFolderIsRefusedWithTheFolderAndTheSystemsReason)
{
    TempFolder folder;
    const StagedOutput::Created created = StagedOutput::Create(folder.File("gone/out.gif"));
    EXPECT_FALSE(created.output);
    EXPECT_EQ(created.error,
        "cannot write in the folder '" + folder.Folder() + "gone/': No such file or directory");
}
