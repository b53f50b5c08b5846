// A missing ffmpeg told in one text, naming the program and its package.
#include "batch/EncoderCheck.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace kelvara;

namespace {

TEST(EncoderCheck, TheTextNamesTheProgramAndTheDebianPackage)
{
    const std::pair<FfmpegProgram, std::optional<std::string>> cases[] = {
        { { "ffmpeg", { "/usr/bin/ffmpeg", 0 } }, std::nullopt },
        { { "ffmpeg", { "", ENOENT } },
            "Kelvara cannot convert: the program ffmpeg is missing. Install the Debian package \"ffmpeg\" "
            "(sudo apt-get install ffmpeg)." },
        { { "/opt/ff/ffmpeg", { "", EACCES } },
            "Kelvara cannot convert: the program /opt/ff/ffmpeg cannot be run. Install the Debian package "
            "\"ffmpeg\" (sudo apt-get install ffmpeg)." },
    };
    for (const auto& [program, text] : cases)
        EXPECT_EQ(MissingEncoderText(program), text) << program.name;
}

} // namespace
