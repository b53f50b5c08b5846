// A source whose name is not UTF-8, given on the command line: it lands in
// the list with its bytes, shows U+FFFD where a byte cannot be read as text,
// and converts to an output named with the same bytes.
#include "app/CommandLineFiles.h"
#include "conversions/EncoderConversions.h"
#include "filelist/FileListCommands.h"
#include "filelist/FileListView.h"
#include "filelist/SourceProbing.h"
#include "jobs/JobList.h"
#include "jobs/RandomNumbers.h"
#include "naming/OutputNaming.h"
#include "runner/ConversionContext.h"
#include "runner/EncoderRunner.h"
#include "skin/CSkinListCtrl.h"
#include "support/FixedOptions.h"
#include "support/MediaMaker.h"
#include "support/TempFolder.h"
#include "widget/filelist/FakeFileListHost.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace kelvara {
namespace {

// The component's reading of a source, as the dialog's video-editing
// component answers it.
class LibavMediaProbe : public MediaProbe {
public:
    double GetFileDuration(const std::string& path) override { return ReadMediaInfo(path).durationSeconds; }
    int GetFileWidth(const std::string& path) override { return ReadMediaInfo(path).width; }
    int GetFileHeight(const std::string& path) override { return ReadMediaInfo(path).height; }
};

TEST(SourceNameBytes, ANameThatIsNotUtf8IsListedShownAndConvertedWithItsBytes)
{
    testing::TempFolder sources;
    testing::TempFolder output;
    const std::string base = "cl\xc3\xa9p \xff"; // é in UTF-8, then a byte no text has
    const std::string source = sources.File(base + ".avi");
    ASSERT_TRUE(testing::MakeClip(source, 2.0));

    QWidget window;
    auto* list = new CSkinListCtrl(&window);
    JobList jobs;
    FakeFileListHost host;
    host.kind = OutputKind { OutputCategory::Audio, 0 };
    FileListView view(*list, jobs, host);
    LibavSourceProber prober;
    LibavMediaProbe component;
    RandomNumbers numbers { 3 };
    FileListCommands commands(jobs, host, view, component, prober, numbers);

    const char* argv[] = { "kelvara", source.c_str() };
    const CommandLineFiles commandLine = ParseProgramArguments(2, argv);
    ASSERT_EQ(commandLine.files.size(), 1) << "a readable file, whatever its name";
    commands.AddSources(commandLine.files + commandLine.notFiles);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !commands.IsAdding(); }, 10000));

    ASSERT_EQ(jobs.GetSize(), 1);
    const JobRecord job = jobs.GetAt(0);
    EXPECT_EQ(job.sourcePath, source);
    EXPECT_NEAR(job.durationMs, 2000.0, 100.0) << "the probe found the file by its bytes";
    EXPECT_EQ(list->CellInfo(0, 1).text, QString::fromStdString(sources.File("cl\u00e9p \ufffd.avi")));
    EXPECT_EQ(list->CellInfo(0, 4).text, QString::fromUtf8("cl\u00e9p \ufffd.mp3"));

    ConversionContext context(jobs, view);
    context.toolDirectory = std::string(KELVARA_TOOL_DIR) + "/";
    context.outputFolder = output.Folder();
    context.outputKind = host.kind;
    context.currentJob = 0;
    EncoderRunner runner(context);
    testing::FixedOptions options;
    ConvertAudio(context, runner, options, 0);

    EXPECT_EQ(jobs.GetAt(0).stateIcon, JobState::Done) << jobs.GetAt(0).run.outcome;
    const std::string written = output.File(base + ".mp3");
    EXPECT_EQ(AudioOutputPath(output.Folder(), job.outputTitle, 0), written);
    ASSERT_TRUE(std::filesystem::exists(written));
    EXPECT_EQ(testing::Probe(written, "stream=codec_name", "a:0"), "mp3");
}

} // namespace
} // namespace kelvara
