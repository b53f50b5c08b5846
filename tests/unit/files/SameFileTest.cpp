// "Same file" means the same device and inode, whatever the spelling.
#include "files/SameFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using kelvara::IsSameFile;
using kelvara::testing::TempFolder;
namespace fs = std::filesystem;

TEST(SameFile, EverySpellingOfOneFileIsTheSameFile)
{
    TempFolder folder;
    const std::string file = folder.File("m.mp3");
    std::ofstream(file) << "sound";
    fs::create_directory(folder.File("sub"));
    fs::create_symlink(file, folder.File("link.mp3"));
    fs::create_hard_link(file, folder.File("hard.mp3"));

    for (const std::string& other :
        { folder.Folder() + "./m.mp3", folder.Folder() + "sub/../m.mp3", folder.File("link.mp3"),
            folder.File("hard.mp3"), fs::relative(file, fs::current_path()).string() })
        EXPECT_TRUE(IsSameFile(file, other)) << other;
}

TEST(SameFile, DifferentOrMissingFilesAreNot)
{
    TempFolder folder;
    std::ofstream(folder.File("a.mp3")) << "same contents";
    std::ofstream(folder.File("b.mp3")) << "same contents";

    EXPECT_FALSE(IsSameFile(folder.File("a.mp3"), folder.File("b.mp3"))) << "equal contents are not one file";
    EXPECT_FALSE(IsSameFile(folder.File("a.mp3"), folder.File("missing.mp3")));
    EXPECT_FALSE(IsSameFile(folder.File("missing.mp3"), folder.File("missing.mp3")));
    EXPECT_FALSE(IsSameFile("", ""));
}
