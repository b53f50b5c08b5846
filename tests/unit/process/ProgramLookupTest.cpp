// The one program lookup: the tool directory first, then PATH; what counts
// as a program; a path taken as it is; PATH unset, empty, or with an empty
// entry; and that the spawner looks programs up the same way.
#include "process/ProgramLookup.h"
#include "process/Spawner.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

using namespace kelvara;
namespace fs = std::filesystem;

namespace {

void WriteProgram(const fs::path& path, fs::perms permissions)
{
    std::ofstream(path) << "#!/bin/sh\n";
    fs::permissions(path, permissions);
}

// PATH (nullopt: unset) and the current folder for one case, restored after.
class ScopedSearch {
public:
    ScopedSearch(const std::optional<std::string>& path, const fs::path& folder)
        : m_path("PATH", path)
        , m_folder(fs::current_path())
    {
        fs::current_path(folder);
    }
    ~ScopedSearch() { fs::current_path(m_folder); }

private:
    kelvara::testing::ScopedVariable m_path;
    fs::path m_folder;
};

} // namespace

TEST(ProgramLookup, FindsWhatAUserExpectsInEachCase)
{
    kelvara::testing::TempFolder tools;
    kelvara::testing::TempFolder onPath;
    const fs::perms runs = fs::perms::owner_all;
    const fs::perms doesNotRun = fs::perms::owner_read | fs::perms::owner_write;
    WriteProgram(tools.Path() / "both", runs);
    WriteProgram(onPath.Path() / "both", runs);
    WriteProgram(tools.Path() / "stale", doesNotRun);
    WriteProgram(onPath.Path() / "stale", runs);
    fs::create_directory(tools.Path() / "folder");
    WriteProgram(onPath.Path() / "folder", runs);
    WriteProgram(tools.Path() / "unrunnable", doesNotRun);
    const std::string path = onPath.Path().string();

    struct Case {
        const char* what;
        std::string name;
        std::string firstFolder;
        std::optional<std::string> pathVariable;
        std::string expectedPath; // empty: none found, for expectedError
        int expectedError;
    };
    const Case cases[] = {
        { "the tool directory first", "both", tools.Folder(), path, tools.File("both"), 0 },
        { "PATH without a tool directory", "both", "", path, onPath.File("both"), 0 },
        { "a file that cannot run is skipped", "stale", tools.Folder(), path, onPath.File("stale"), 0 },
        { "a folder is skipped", "folder", tools.Folder(), path, onPath.File("folder"), 0 },
        { "nothing of that name", "missing", tools.Folder(), path, "", ENOENT },
        { "no name", "", tools.Folder(), path, "", ENOENT },
        { "only a file that cannot run", "unrunnable", tools.Folder(), path, "", EACCES },
        { "a path as it is", tools.File("both"), onPath.Folder(), path, tools.File("both"), 0 },
        { "a path that cannot run", tools.File("stale"), "", path, "", EACCES },
        { "a path to nothing", "/nonexistent/sh", "/bin/", path, "", ENOENT },
        { "PATH unset: the default folders", "ls", "", std::nullopt, "/usr/bin/ls", 0 },
        { "PATH empty: no folder, not even the current one", "both", "", "", "", ENOENT },
        { "an empty entry: the current folder", "both", "", "/nonexistent:", "./both", 0 },
    };
    for (const Case& c : cases) {
        const ScopedSearch search(c.pathVariable, onPath.Path());
        const ProgramLookup found = FindProgram(c.name, c.firstFolder);
        EXPECT_EQ(found.path, c.expectedPath) << c.what;
        EXPECT_EQ(found.error, c.expectedError) << c.what;
    }

    // The spawner looks a bare name up the same way, and takes a path as it is.
    const ScopedSearch empty(std::string(), onPath.Path());
    SpawnRequest request;
    request.program = "both";
    request.arguments = { "both" };
    const SpawnResult notFound = Spawn(request);
    EXPECT_EQ(notFound.failedStep, SpawnStep::FindProgram);
    request.program = "./both";
    SpawnResult started = Spawn(request);
    ASSERT_TRUE(started.Started()) << started.Reason(request.program);
    started.child.Wait();
    EXPECT_EQ(started.child.ExitCode(), 0);
}
