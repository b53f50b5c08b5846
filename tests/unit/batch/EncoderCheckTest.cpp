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

class NullView : public JobListView {
public:
    void RedrawCell(int, JobColumn) override { }
};

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

TEST(EncoderCheck, StartRefusesWithTheSameWordsUntilFfmpegIsThere)
{
    TempFolder sources;
    TempFolder output;
    JobList jobs;
    NullView view;
    ConversionContext context { jobs, view };
    FakeBatchHost host;
    host.folderText = output.Folder();
    FakeConverters converters { context };
    FakeSound sound;
    FakeShutdown shutdown;
    FakeSleepInhibitor sleep;
    shutdown.inhibitor = &sleep;
    BatchDriver driver { context, host, converters, sound, shutdown, sleep };
    JobRecord job;
    job.sourcePath = sources.File("clip.mp4");
    std::ofstream(job.sourcePath) << "source";
    jobs.Add(job);

    const std::string ffmpeg = sources.File("ffmpeg");
    const ScopedVariable chosen(kFfmpegVariable, ffmpeg);
    driver.OnStart();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, *MissingEncoderText());
    EXPECT_NE(host.messages[0].text.find(ffmpeg + " is missing"), std::string::npos);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(converters.calls.empty());
    EXPECT_FALSE(driver.Converting());

    // Installed meanwhile: the next START converts.
    std::ofstream(ffmpeg) << "#!/bin/sh\n";
    std::filesystem::permissions(ffmpeg, std::filesystem::perms::owner_all);
    driver.OnStart();
    EXPECT_EQ(host.messages.size(), 2u) << "only the completion message follows";
    EXPECT_EQ(converters.calls.size(), 1u);
}

} // namespace
