#include "platform/ProgramSearch.h"
#include "platform/Diagnostics.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using kelvara::platform::FindProgram;
namespace fs = std::filesystem;

namespace {

void WriteProgram(const fs::path& path, fs::perms permissions)
{
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(path, permissions);
}

} // namespace

TEST(ProgramSearch, TheToolDirectoryComesBeforeThePath)
{
    kelvara::testing::TempFolder tools;
    WriteProgram(tools.Path() / "ls", fs::perms::owner_all);
    EXPECT_EQ(FindProgram("ls", tools.Folder()), tools.File("ls"));
    EXPECT_EQ(FindProgram("ls", "/nonexistent/"), "/usr/bin/ls");
}

TEST(ProgramSearch, FilesThatCannotRunAreSkipped)
{
    kelvara::testing::TempFolder tools;
    WriteProgram(tools.Path() / "ls", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(tools.Path() / "sh");
    EXPECT_EQ(FindProgram("ls", tools.Folder()), "/usr/bin/ls");
    EXPECT_NE(FindProgram("sh", tools.Folder()), tools.File("sh"));
    EXPECT_FALSE(FindProgram("no-such-program-anywhere", tools.Folder()));
    EXPECT_FALSE(FindProgram("", tools.Folder()));
}

TEST(ProgramSearch, APathIsTakenAsItIs)
{
    EXPECT_EQ(FindProgram("/bin/sh", "/nonexistent/"), "/bin/sh");
    EXPECT_FALSE(FindProgram("/nonexistent/sh", "/bin/"));
}

TEST(Diagnostics, TheTextNamesTheCallTheCodeAndItsMessage)
{
    EXPECT_EQ(kelvara::platform::FormatDiagnostic("CreatePipe", EMFILE),
        "ERROR:   API         =   CreatePipe.\n"
        "       error   code   =   24.\n"
        "       message         =   Too many open files.\n");
}
