// The component's outputs: never over a source, whole or absent after a
// failure or a stop, and a refusal that says why.
#include "VideoEditTestSupport.h"

#include "support/FileContents.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/SmallFileSystem.h"
#include "support/TempFolder.h"
#include "videoedit/CVideoEdit.h"
#include "videoedit/FfmpegRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kelvara;
using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kAvi = 8;
constexpr std::int32_t kMpeg1 = 6;

class ComponentOutput : public ::testing::Test {
protected:
    void SetUp() override { ::unsetenv("TARVO_FFMPEG"); }

    void UseClip(const std::string& path, double start, double end)
    {
        m_component.ClearClips();
        m_component.AddClipEx(path, start, end, 0);
        m_component.AddClip(path, start, end);
    }

    // Starts and waits for the completion; false when it did not come.
    bool ConvertAndWait(const std::string& output)
    {
        int completions = 0;
        const QMetaObject::Connection connection
            = QObject::connect(&m_component, &CVideoEdit::ConvertComplete, [&] { ++completions; });
        const ConvertStart start = m_component.StartConvert(output);
        EXPECT_TRUE(start.IsStarted()) << start.Reason();
        const bool completed = start && PumpUntil([&] { return completions > 0; }, 60000);
        QObject::disconnect(connection);
        return completed;
    }

    TempFolder m_folder;
    CVideoEdit m_component;
};

TEST_F(ComponentOutput, TheSourceInAnySpellingIsRefusedAndKept)
{
    for (const auto& [format, extension] : { std::pair { kAvi, ".avi" }, std::pair { kMpeg1, ".mpg" } }) {
        const std::string source = m_folder.File(std::string("source") + extension);
        ASSERT_TRUE(MakeClip(source, 1.0));
        const std::string before = FileContents(source);
        const std::string symbolic = m_folder.File(std::string("link") + extension);
        const std::string hard = m_folder.File(std::string("hard") + extension);
        fs::create_symlink(source, symbolic);
        fs::create_hard_link(source, hard);
        m_component.SetOutputFormat(format);
        UseClip(source, 0.0, 1.0);
        for (const std::string& output : { m_folder.Folder() + "./source" + extension,
                 fs::relative(source, fs::current_path()).string(), symbolic, hard }) {
            const ConvertStart start = m_component.StartConvert(output);
            EXPECT_EQ(start.Refusal(), ConvertRefusal::OutputIsSource) << output << ": " << start.Reason();
            EXPECT_NE(start.Reason().find("same file"), std::string::npos) << start.Reason();
        }
        EXPECT_EQ(FileContents(source) == before, true) << extension;
    }
}

TEST_F(ComponentOutput, AFullDiskLeavesNoFileAndSaysSo)
{
    SmallFileSystem disk(m_folder.File("full disk"), 64 * 1024);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.Reason();
    const std::string source = m_folder.File("long.mp4");
    ASSERT_TRUE(MakeClip(source, 6.0, 320, 240));
    for (const auto& [format, name] : { std::pair { kAvi, "full.avi" }, std::pair { kMpeg1, "full.mpg" } }) {
        m_component.SetOutputFormat(format);
        m_component.SetOutputWidth(320);
        m_component.SetOutputHeight(240);
        UseClip(source, 0.0, 6.0);
        ASSERT_TRUE(ConvertAndWait(disk.Folder() + name));
        EXPECT_FALSE(m_component.LastConvertSucceeded()) << name;
        EXPECT_NE(m_component.LastConvertError().find("No space left on device"), std::string::npos)
            << m_component.LastConvertError();
        EXPECT_NE(m_component.LastConvertError().find(disk.Folder() + name), std::string::npos)
            << "the name the user gave: " << m_component.LastConvertError();
        EXPECT_EQ(disk.EntryCount(), 0u) << name << " left a file behind";
    }
}

TEST_F(ComponentOutput, ADamagedSourceLeavesNoFile)
{
    const std::string whole = m_folder.File("whole.mp4");
    ASSERT_TRUE(MakeClip(whole, 3.0));
    const std::string text = FileContents(whole);
    const std::string damaged = m_folder.File("damaged.mp4");
    std::ofstream(damaged, std::ios::binary) << text.substr(0, text.size() / 2); // its index is at the end
    const fs::path outputs = m_folder.File("outputs");
    fs::create_directory(outputs);

    for (const auto& [format, name] : { std::pair { kAvi, "out.avi" }, std::pair { kMpeg1, "out.mpg" } }) {
        m_component.SetOutputFormat(format);
        UseClip(damaged, 0.0, 3.0);
        const ConvertStart start = m_component.StartConvert((outputs / name).string());
        if (start) {
            PumpUntil([&] { return !m_component.IsConverting(); }, 30000);
            EXPECT_FALSE(m_component.LastConvertSucceeded());
        } else {
            EXPECT_EQ(start.Refusal(), ConvertRefusal::SourceUnreadable) << start.Reason();
        }
        EXPECT_EQ(EntriesIn(outputs.string()), 0u) << name;
    }
}

// A stop returns at once; ffmpeg finishes the file on the event loop, and
// only then is it kept or removed.
void WaitForTheStopToEnd()
{
    EXPECT_TRUE(PumpUntil([] { return ChildrenOfThisProcess().empty(); }, FfmpegRun::kStopGraceMs + 1000));
}

TEST_F(ComponentOutput, AStopBeforeTheFirstFrameLeavesNoFileAndALaterStopAPlayableOne)
{
    const std::string source = m_folder.File("long.mp4");
    ASSERT_TRUE(MakeClip(source, 8.0, 160, 120));
    const fs::path outputs = m_folder.File("outputs");
    fs::create_directory(outputs);
    m_component.SetOutputFormat(kAvi);
    // Large frames: slow enough to be stopped half-way.
    m_component.SetOutputWidth(1920);
    m_component.SetOutputHeight(1080);
    UseClip(source, 0.0, 8.0);

    ASSERT_TRUE(m_component.StartConvert((outputs / "early.avi").string()));
    m_component.StopConvert();
    WaitForTheStopToEnd();
    EXPECT_EQ(EntriesIn(outputs.string()), 0u) << "a stop before the first frame keeps nothing";

    double position = 0.0;
    QObject::connect(&m_component, &CVideoEdit::ConvertProgress, [&](double at, double) { position = at; });
    const std::string later = (outputs / "later.avi").string();
    ASSERT_TRUE(m_component.StartConvert(later));
    ASSERT_TRUE(PumpUntil([&] { return position > 0.5; }, 30000));
    m_component.StopConvert();
    WaitForTheStopToEnd();
    EXPECT_EQ(EntriesIn(outputs.string()), 1u);
    EXPECT_GT(ProbeDuration(later).value_or(0.0), 0.3);
    EXPECT_EQ(Probe(later, "format=format_name").value_or(""), "avi");
}

TEST_F(ComponentOutput, EachRefusalSaysWhy)
{
    const std::string source = m_folder.File("clip.mp4");
    ASSERT_TRUE(MakeClip(source, 1.0));
    const std::string output = m_folder.File("out.avi");
    m_component.SetOutputFormat(kAvi);

    EXPECT_EQ(m_component.StartConvert(output).Refusal(), ConvertRefusal::NoClip);
    UseClip(m_folder.File("missing.mp4"), 0.0, 1.0);
    const ConvertStart missing = m_component.StartConvert(output);
    EXPECT_EQ(missing.Refusal(), ConvertRefusal::SourceUnreadable);
    EXPECT_NE(missing.Reason().find("missing.mp4': No such file or directory"), std::string::npos)
        << missing.Reason();
    UseClip(source, 5.0, 6.0); // past the end of a 1-second source
    EXPECT_EQ(m_component.StartConvert(output).Refusal(), ConvertRefusal::EmptyClip);
    UseClip(source, 0.0, 1.0);
    m_component.SetOutputFormat(99);
    EXPECT_EQ(m_component.StartConvert(output).Refusal(), ConvertRefusal::UnknownFormat);
    m_component.SetOutputFormat(kAvi);
    m_component.SetUseVideoCodec(true);
    m_component.SetVideoCodecIndex(999);
    EXPECT_EQ(m_component.StartConvert(output).Refusal(), ConvertRefusal::UnknownCodec);
    m_component.SetVideoCodecIndex(0);
    const ConvertStart noFolder = m_component.StartConvert(m_folder.File("no such folder/out.avi"));
    EXPECT_EQ(noFolder.Refusal(), ConvertRefusal::OutputFolderMissing);
    EXPECT_NE(noFolder.Reason().find("no such folder/': No such file or directory"), std::string::npos)
        << noFolder.Reason();
    ::setenv("TARVO_FFMPEG", m_folder.File("no ffmpeg").c_str(), 1);
    EXPECT_EQ(m_component.StartConvert(output).Refusal(), ConvertRefusal::NoFfmpeg);
    ::unsetenv("TARVO_FFMPEG");
    EXPECT_TRUE(m_component.StartConvert(output).IsStarted());
    EXPECT_EQ(
        m_component.StartConvert(m_folder.File("second.avi")).Refusal(), ConvertRefusal::AlreadyConverting);
    m_component.StopConvert();

    SmallFileSystem readOnly(m_folder.File("read-only"), 64 * 1024, SmallFileSystem::Access::ReadOnly);
    if (!readOnly.IsMounted())
        GTEST_SKIP() << readOnly.Reason();
    const ConvertStart refused = m_component.StartConvert(readOnly.Folder() + "out.avi");
    EXPECT_EQ(refused.Refusal(), ConvertRefusal::OutputFolderReadOnly);
    EXPECT_NE(refused.Reason().find("Read-only file system"), std::string::npos) << refused.Reason();
}

} // namespace
