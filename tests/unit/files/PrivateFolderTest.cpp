// The conversion's own folder inside the output folder: its files move out
// without ever replacing one, and only folders no process holds are
// removed as leftovers.
#include "files/PrivateFolder.h"
#include "support/FileContents.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using kelvara::PrivateFolder;
using kelvara::RemoveLeftoverPrivateFolders;
using kelvara::testing::FileContents;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

TEST(PrivateFolder, FilesMoveOutNumberedPastTheUsersFilesNeverReplacingThem)
{
    TempFolder out;
    std::ofstream(out.File("clip.MP4")) << "the user's";
    std::ofstream(out.File("clip2.MP4")) << "the user's too";
    std::map<std::string, std::string> moved;
    {
        PrivateFolder::Created created = PrivateFolder::Create(out.Folder());
        ASSERT_TRUE(created.folder) << created.error;
        const std::string inside = created.folder->Path();
        EXPECT_TRUE(inside.starts_with(out.Folder() + ".")) << "hidden, in the output folder";
        std::ofstream(inside + "clip.MP4") << "ours";
        std::ofstream(inside + "clip.THM") << "thumb";
        moved = created.folder->MoveFilesInto(out.Folder());
        EXPECT_EQ(moved[inside + "clip.MP4"], out.File("clip3.MP4"));
        EXPECT_EQ(moved[inside + "clip.THM"], out.File("clip.THM"));
        std::ofstream(inside + "step0001.avi") << "left over";
    }
    EXPECT_EQ(FileContents(out.File("clip.MP4")), "the user's");
    EXPECT_EQ(FileContents(out.File("clip2.MP4")), "the user's too");
    EXPECT_EQ(FileContents(out.File("clip3.MP4")), "ours");
    EXPECT_EQ(std::distance(fs::directory_iterator(out.Path()), fs::directory_iterator()), 4)
        << "the folder went with the file left in it";
}

TEST(PrivateFolder, LeftoversGoOnlyWhenNoRunningProcessHoldsThem)
{
    TempFolder out;
    PrivateFolder::Created running = PrivateFolder::Create(out.Folder());
    ASSERT_TRUE(running.folder);
    std::ofstream(running.folder->Path() + "part.mp4") << "being written";
    // A folder a killed run left: named as ours, holding a file, unlocked.
    const fs::path left = out.Path() / ".kelvara-job-AbC123";
    fs::create_directory(left);
    std::ofstream(left / "clip0001.avi") << "old step";
    // The user's own folder of a similar name.
    fs::create_directory(out.Path() / ".kelvara-job-mine-keep");

    RemoveLeftoverPrivateFolders(out.Folder());

    EXPECT_FALSE(fs::exists(left));
    EXPECT_TRUE(fs::exists(running.folder->Path() + "part.mp4"));
    EXPECT_TRUE(fs::exists(out.Path() / ".kelvara-job-mine-keep"));
}
