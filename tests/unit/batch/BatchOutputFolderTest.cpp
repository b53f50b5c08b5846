// The output folder taken from the field's text.
#include "batch/BatchOutputFolder.h"
#include "batch/CompletionMessage.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kelvara;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

TEST(BatchOutputFolder, MissingFolderIsCreatedOneLevelOnly)
{
    TempFolder temp;
    EXPECT_EQ(PrepareOutputFolder(temp.File("new"), "/home/u"), temp.File("new") + "/");
    EXPECT_TRUE(fs::is_directory(temp.File("new")));
    // Two missing levels: not created, the jobs then fail to write.
    EXPECT_EQ(PrepareOutputFolder(temp.File("a/b"), "/home/u"), temp.File("a/b") + "/");
    EXPECT_FALSE(fs::exists(temp.File("a")));
}

TEST(BatchOutputFolder, ExistingFileOfTheNameIsLeftAlone)
{
    TempFolder temp;
    std::ofstream(temp.File("taken")) << "data";
    EXPECT_EQ(PrepareOutputFolder(temp.File("taken"), "/home/u"), temp.File("taken") + "/");
    EXPECT_TRUE(fs::is_regular_file(temp.File("taken")));
}

TEST(BatchOutputFolder, SeparatorIsAppendedOnce)
{
    TempFolder temp;
    EXPECT_EQ(PrepareOutputFolder(temp.Folder(), "/home/u"), temp.Folder());
    EXPECT_EQ(PrepareOutputFolder(" " + temp.Folder() + "  ", "/home/u"), temp.Folder());
}

TEST(BatchOutputFolder, ARelativeFolderIsTheHomeFoldersOnce)
{
    TempFolder home;
    for (const char* typed : { "relout", " ~/relout ", "relout/" }) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(PrepareOutputFolder(typed, home.Folder()), home.File("relout") + "/");
        EXPECT_TRUE(fs::is_directory(home.File("relout")));
    }
    EXPECT_EQ(PrepareOutputFolder("~", home.Folder()), home.Folder());
}

TEST(BatchOutputFolder, BlankTextIsNoFolder)
{
    EXPECT_FALSE(PrepareOutputFolder("", "/home/u"));
    EXPECT_FALSE(PrepareOutputFolder(" \t ", "/home/u"));
}

TEST(BatchOutputFolder, OverlongTextIsCutWithoutSplittingALetter)
{
    // "é" is two bytes; the limit falls inside the last one.
    std::string text = "/nowhere/";
    while (text.size() < kOutputFolderLimit - 1)
        text += 'x';
    text += "\xC3\xA9zzzz";
    const std::optional<std::string> folder = PrepareOutputFolder(text, "/home/u");
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, text.substr(0, kOutputFolderLimit - 1) + "/");
}

TEST(CompletionMessage, WithoutFailuresItIsTheSuccessMessage)
{
    const CompletionMessage message = CompletionMessageOf(0, 4);
    EXPECT_EQ(message.text, "All tasks have been completed!");
    EXPECT_EQ(message.title, "success");
    EXPECT_EQ(message.icon, MessageIcon::None);
}

TEST(CompletionMessage, FailuresAreCountedInASecondLine)
{
    const CompletionMessage message = CompletionMessageOf(2, 5);
    EXPECT_EQ(message.text, "All tasks have been completed!\n2 of 5 files could not be converted.");
    EXPECT_EQ(message.title, "Warning");
    EXPECT_EQ(message.icon, MessageIcon::Warning);
}

} // namespace
