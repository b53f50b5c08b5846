// pmpmux against real encoder outputs, judged by ffmpeg's own PMP reader.
#include "MediaTools.h"
#include "PmpJudge.h"
#include "support/FileContents.h"
#include "support/SmallFileSystem.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iterator>

using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

class PmpMux : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = fs::temp_directory_path() / ("kelvara-pmpmux-" + std::to_string(getpid()));
        fs::create_directories(m_folder);
        m_source = m_folder / "source.avi";
        ASSERT_TRUE(MakeSourceClip(m_source, 2.0, "160x120"));
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // The encoder's first PMP step: video and audio written apart.
    void Encode(const std::vector<std::string>& videoOptions, const std::vector<std::string>& audioOptions)
    {
        std::vector<std::string> command { "ffmpeg", "-nostdin", "-v", "error", "-y", "-i",
            m_source.string() };
        command.insert(command.end(), videoOptions.begin(), videoOptions.end());
        command.insert(command.end(), { "-an", Video().string() });
        command.insert(command.end(), audioOptions.begin(), audioOptions.end());
        command.insert(command.end(), { "-vn", "-c:a", "libmp3lame", Audio().string() });
        const CommandResult encoded = RunProgram(command);
        ASSERT_EQ(encoded.exitCode, 0) << encoded.output;
    }

    CommandResult Mux() const
    {
        return RunProgram({ ToolProgram("pmpmux"), Video().string(), Audio().string(), Output().string() });
    }
    CommandResult Check(const fs::path& source) const
    {
        return RunProgram({ ToolProgram("pmpmux"), "--check", Output().string(), source.string() });
    }

    fs::path Video() const { return m_folder / "clip 'x' $SIZE0001.avi"; }
    fs::path Audio() const { return m_folder / "clip 'x' $SIZE0001.mp3"; }
    fs::path Output() const { return m_folder / "clip 'x' $SIZE.pmp"; }

    fs::path m_folder;
    fs::path m_source;
};

TEST_F(PmpMux, Mpeg4WithStereoMp3IsReadBackFrameForFrame)
{
    Encode({ "-c:v", "mpeg4", "-bf", "0", "-s", "480x272", "-r", "29.97", "-fps_mode", "cfr" },
        { "-ar", "44100", "-ac", "2", "-b:a", "128k" });
    const CommandResult muxed = Mux();
    ASSERT_EQ(muxed.exitCode, 0) << muxed.output;
    ExpectPlayablePmp(Output(), { "mpeg4", 480, 272, 60, 44100, 2 });
    EXPECT_EQ(Check(Video()).exitCode, 0);
    EXPECT_EQ(Check(Audio()).exitCode, 0);
}

TEST_F(PmpMux, H264WithMonoLowRateMp3IsReadBackFrameForFrame)
{
    Encode({ "-c:v", "libx264", "-profile:v", "main", "-bf", "0", "-s", "368x272", "-r", "25", "-fps_mode",
               "cfr" },
        { "-ar", "22050", "-ac", "1", "-b:a", "32k" });
    const CommandResult muxed = Mux();
    ASSERT_EQ(muxed.exitCode, 0) << muxed.output;
    ExpectPlayablePmp(Output(), { "h264", 368, 272, 50, 22050, 1 });
    EXPECT_EQ(Check(Video()).exitCode, 0);
    EXPECT_EQ(Check(Audio()).exitCode, 0);
}

TEST_F(PmpMux, AudioShorterThanTheVideoIsPaddedWithSilence)
{
    Encode({ "-c:v", "mpeg4", "-bf", "0", "-s", "360x272", "-r", "30", "-fps_mode", "cfr" },
        { "-ar", "32000", "-ac", "1", "-t", "0.5" });
    const CommandResult muxed = Mux();
    ASSERT_EQ(muxed.exitCode, 0) << muxed.output;
    ExpectPlayablePmp(Output(), { "mpeg4", 360, 272, 60, 32000, 1 });
    EXPECT_EQ(Check(Audio()).exitCode, 0);
}

TEST_F(PmpMux, VideoWithDroppedFramesIsRefusedAndLeavesNoFile)
{
    // Without a constant-rate output the AVI skips the frames it would repeat.
    Encode({ "-c:v", "mpeg4", "-s", "360x272", "-r", "29.97", "-fps_mode", "vfr" }, {});
    const CommandResult muxed = Mux();
    EXPECT_NE(muxed.exitCode, 0);
    EXPECT_NE(muxed.output.find("constant frame rate"), std::string::npos) << muxed.output;
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(PmpMux, CheckFindsDamageAndForeignSources)
{
    Encode({ "-c:v", "mpeg4", "-bf", "0", "-s", "480x272", "-r", "25", "-fps_mode", "cfr" }, {});
    ASSERT_EQ(Mux().exitCode, 0);
    EXPECT_EQ(Check(Video()).exitCode, 0);
    // The source clip's own frames are not the ones in the PMP file.
    EXPECT_NE(Check(m_source).exitCode, 0);

    const auto size = fs::file_size(Output());
    {
        std::fstream file(Output(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekg(static_cast<std::streamoff>(size - 10));
        const char byte = static_cast<char>(file.get());
        file.seekp(static_cast<std::streamoff>(size - 10));
        file.put(static_cast<char>(byte ^ 0x5A));
    }
    EXPECT_NE(Check(Audio()).exitCode, 0);
    fs::resize_file(Output(), size - 3);
    EXPECT_NE(RunProgram({ ToolProgram("pmpmux"), "--check", Output().string() }).exitCode, 0);
}

TEST_F(PmpMux, RefusesToOverwriteAnInput)
{
    Encode({ "-c:v", "mpeg4", "-bf", "0", "-s", "480x272", "-r", "25", "-fps_mode", "cfr" }, {});
    const auto size = fs::file_size(Video());
    EXPECT_NE(
        RunProgram({ ToolProgram("pmpmux"), Video().string(), Audio().string(), Video().string() }).exitCode,
        0);
    EXPECT_EQ(fs::file_size(Video()), size);
}

TEST_F(PmpMux, UnusableInputsFailWithAReason)
{
    const CommandResult missing = RunProgram({ ToolProgram("pmpmux"), (m_folder / "none.avi").string(),
        (m_folder / "none.mp3").string(), Output().string() });
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.output.find("none.avi"), std::string::npos);
    // The source clip's audio is PCM, not MP3.
    EXPECT_NE(RunProgram({ ToolProgram("pmpmux"), m_source.string(), m_source.string(), Output().string() })
                  .exitCode,
        0);
    EXPECT_FALSE(fs::exists(Output()));
    EXPECT_EQ(RunProgram({ ToolProgram("pmpmux") }).exitCode, 2);
}

TEST_F(PmpMux, RefusesAnInputInAnyOtherSpellingAndKeepsIt)
{
    Encode({ "-c:v", "mpeg4", "-bf", "0", "-s", "160x120", "-r", "25", "-fps_mode", "cfr" }, {});
    const std::string before = kelvara::testing::FileContents(Audio().string());
    const fs::path symbolic = m_folder / "link.mp3";
    const fs::path hard = m_folder / "hard.mp3";
    fs::create_symlink(Audio(), symbolic);
    fs::create_hard_link(Audio(), hard);
    const fs::path dotted = m_folder / "." / Audio().filename();
    for (const fs::path& output : { dotted, symbolic, hard, fs::relative(Audio(), fs::current_path()) }) {
        const CommandResult muxed
            = RunProgram({ ToolProgram("pmpmux"), Video().string(), Audio().string(), output.string() });
        EXPECT_NE(muxed.exitCode, 0) << output;
        EXPECT_NE(muxed.output.find("same file"), std::string::npos) << muxed.output;
    }
    EXPECT_EQ(kelvara::testing::FileContents(Audio().string()) == before, true);
}

// Reading or writing a FIFO would wait forever for its other end.
TEST_F(PmpMux, FifoIsRefusedAtOnce)
{
    const std::string fifo = (m_folder / "x.mp4").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string source = m_source.string();
    for (const std::vector<std::string>& arguments : { std::vector<std::string> { "--check", fifo },
             { "--check", source, fifo }, { fifo, source, Output().string() }, { source, source, fifo } }) {
        std::vector<std::string> command { "timeout", "-s", "KILL", "3", ToolProgram("pmpmux") };
        command.insert(command.end(), arguments.begin(), arguments.end());
        const auto start = std::chrono::steady_clock::now();
        const CommandResult run = RunProgram(command);
        EXPECT_LE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << arguments[1];
        EXPECT_EQ(run.exitCode, 1) << arguments[1];
        EXPECT_NE(run.output.find("'" + fifo + "': it is a named pipe (FIFO), not a regular file"),
            std::string::npos)
            << run.output;
    }
    EXPECT_FALSE(fs::exists(Output()));
}

TEST_F(PmpMux, EachFailureSaysWhatAndWhereAndLeavesNoFile)
{
    Encode({ "-c:v", "mpeg4", "-bf", "0", "-s", "320x240", "-r", "25", "-fps_mode", "cfr", "-q:v", "1" }, {});
    const CommandResult missing = RunProgram(
        { ToolProgram("pmpmux"), (m_folder / "none.avi").string(), Audio().string(), Output().string() });
    EXPECT_NE(missing.output.find("none.avi': No such file or directory"), std::string::npos)
        << missing.output;
    const CommandResult noFolder = RunProgram({ ToolProgram("pmpmux"), Video().string(), Audio().string(),
        (m_folder / "gone" / "o.pmp").string() });
    EXPECT_NE(noFolder.output.find("gone/': No such file or directory"), std::string::npos)
        << noFolder.output;

    kelvara::testing::SmallFileSystem full((m_folder / "full").string(), 16 * 1024);
    kelvara::testing::SmallFileSystem readOnly(
        (m_folder / "read-only").string(), 16 * 1024, kelvara::testing::SmallFileSystem::Access::ReadOnly);
    if (!full.IsMounted() || !readOnly.IsMounted())
        GTEST_SKIP() << full.Reason() << readOnly.Reason();
    const CommandResult noSpace = RunProgram(
        { ToolProgram("pmpmux"), Video().string(), Audio().string(), full.Folder() + "out.pmp" });
    EXPECT_NE(noSpace.exitCode, 0);
    EXPECT_NE(noSpace.output.find("out.pmp': No space left on device"), std::string::npos) << noSpace.output;
    EXPECT_EQ(full.EntryCount(), 0u);
    const CommandResult refused = RunProgram(
        { ToolProgram("pmpmux"), Video().string(), Audio().string(), readOnly.Folder() + "out.pmp" });
    EXPECT_NE(refused.output.find("read-only/': Read-only file system"), std::string::npos) << refused.output;
}

} // namespace
