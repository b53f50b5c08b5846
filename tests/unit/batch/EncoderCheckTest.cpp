// A missing ffmpeg, told in one text, and START refused with it until ffmpeg
// is there.
#include "batch/EncoderCheck.h"
#include "batch/BatchDriver.h"
#include "support/BatchFakes.h"
#include "support/ScopedVariable.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

using namespace kelvara;
using namespace kelvara::testing;

namespace {

TEST(EncoderCheck, TheTextNamesTheProgramAndTheDebianPackage)
{
    const struct {
        FfmpegProgram program;
        std::optional<std::string> text;
    } cases[] = {
        { { "ffmpeg", { "/usr/bin/ffmpeg", 0 } }, std::nullopt },
        { { "ffmpeg", { "", ENOENT } },
            "Kelvara cannot convert: the program ffmpeg is missing. Install the Debian package \"ffmpeg\" "
            "(sudo apt-get install ffmpeg)." },
        { { "/opt/ff/ffmpeg", { "", EACCES } },
            "Kelvara cannot convert: the program /opt/ff/ffmpeg cannot be run. Install the Debian package "
            "\"ffmpeg\" (sudo apt-get install ffmpeg)." },
    };
    for (const auto& c : cases)
        EXPECT_EQ(MissingEncoderText(c.program), c.text) << c.program.name;
}

} // namespace
