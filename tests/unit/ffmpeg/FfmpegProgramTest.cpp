// Which ffmpeg the engines run: the variable's program and only that, or
// ffmpeg on PATH.
#include "ffmpeg/FfmpegProgram.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

using namespace kelvara;
namespace fs = std::filesystem;

using kelvara::testing::ScopedVariable;

TEST(FfmpegProgram, TheVariableNamesItAndNothingElseStandsIn)
{
    kelvara::testing::TempFolder folder;
    for (const char* name : { "ffmpeg", "fake ffmpeg" }) {
        std::ofstream(folder.Path() / name) << "#!/bin/sh\n";
        fs::permissions(folder.Path() / name, fs::perms::owner_all);
    }
    const ScopedVariable path("PATH", folder.Path().string());

    struct Case {
        std::optional<std::string> variable;
        std::string expectedName;
        std::string expectedPath;
        int expectedError;
    };
    const Case cases[] = {
        { std::nullopt, "ffmpeg", folder.File("ffmpeg"), 0 },
        { "", "ffmpeg", folder.File("ffmpeg"), 0 },
        { folder.File("fake ffmpeg"), folder.File("fake ffmpeg"), folder.File("fake ffmpeg"), 0 },
        { "fake ffmpeg", "fake ffmpeg", folder.File("fake ffmpeg"), 0 }, // a bare name, on PATH
        // A missing program is reported, never replaced by the one on PATH.
        { "/nonexistent/ffmpeg", "/nonexistent/ffmpeg", "", ENOENT },
    };
    for (const Case& c : cases) {
        const ScopedVariable chosen(kFfmpegVariable, c.variable);
        const FfmpegProgram ffmpeg = WhichFfmpeg();
        const std::string what = c.variable.value_or("(unset)");
        EXPECT_EQ(ffmpeg.name, c.expectedName) << what;
        EXPECT_EQ(ffmpeg.found.path, c.expectedPath) << what;
        EXPECT_EQ(ffmpeg.found.error, c.expectedError) << what;
    }
}
