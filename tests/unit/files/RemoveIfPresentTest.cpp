// Removing a file of ours if it is still there: only a regular file goes;
// what else stands at the path, and what a link points to, stays.
#include "files/RemoveIfPresent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

using namespace kelvara;
namespace fs = std::filesystem;

TEST(RemoveIfPresent, OnlyARegularFileGoes)
{
    kelvara::testing::TempFolder folder;
    const fs::path target = folder.Path() / "target";
    std::ofstream(target) << "the user's";

    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make; // nothing made when empty
        int expectedError;
        bool expectedGone;
    };
    const Case cases[] = {
        { "file", [](const fs::path& p) { std::ofstream(p) << "ours"; }, 0, true },
        { "missing", {}, 0, true },
        { "folder", [](const fs::path& p) { fs::create_directory(p); }, EISDIR, false },
        { "link", [&](const fs::path& p) { fs::create_symlink(target, p); }, EPERM, false },
        { "pipe", [](const fs::path& p) { ::mkfifo(p.c_str(), 0600); }, EPERM, false },
    };
    for (const Case& c : cases) {
        const fs::path path = folder.Path() / c.name;
        if (c.make)
            c.make(path);
        EXPECT_EQ(RemoveIfPresent(path.string()), c.expectedError) << c.name;
        EXPECT_EQ(!fs::exists(fs::symlink_status(path)), c.expectedGone) << c.name;
    }
    EXPECT_EQ(RemoveIfPresent(""), 0);
    EXPECT_TRUE(fs::is_regular_file(target)); // the link's target was never reached
}
