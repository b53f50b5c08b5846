// videoedit-cli's own interface: probing, the codec lists, and conversions
// that cannot start.
#include "VideoEditTestSupport.h"

#include "process/Spawner.h"
#include "support/FileContents.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using namespace kelvara::testing;
using kelvara::Spawn;
using kelvara::SpawnRequest;
using kelvara::SpawnResult;
namespace fs = std::filesystem;

namespace {

// The encoder names in `ffmpeg -encoders`, which we did not write.
std::set<std::string> FfmpegEncoders()
{
    std::set<std::string> names;
    std::istringstream lines(RunProgram({ "ffmpeg", "-hide_banner", "-encoders" }).output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string flags;
        std::string name;
        // Encoder lines: " V....D name  description".
        if (fields >> flags >> name && flags.size() == 6 && flags != "------")
            names.insert(name);
    }
    return names;
}

bool AnyStartsWith(const std::vector<std::string>& names, const std::string& prefix)
{
    return std::any_of(names.begin(), names.end(),
        [&](const std::string& name) { return name.compare(0, prefix.size(), prefix) == 0; });
}

} // namespace

TEST(VideoEditCli, ProbePrintsDurationAndSize)
{
    TempFolder folder;
    const std::string clip = folder.File(std::string(kHostileName) + ".mp4");
    ASSERT_TRUE(MakeClip(clip, 1.5, 176, 144));
    const CommandResult result = RunProgram({ VIDEOEDIT_CLI, "probe", clip });
    EXPECT_EQ(result.exitCode, 0);
    double duration = -1.0;
    int width = -1;
    int height = -1;
    ASSERT_EQ(
        std::sscanf(result.output.c_str(), "duration=%lf width=%d height=%d\n", &duration, &width, &height),
        3)
        << result.output;
    EXPECT_NEAR(duration, 1.5, 0.1);
    EXPECT_EQ(width, 176);
    EXPECT_EQ(height, 144);
}

TEST(VideoEditCli, ProbeOfAnUnreadableFileIsAllZeroAndFails)
{
    TempFolder folder;
    const std::string junk = folder.File("junk.avi");
    std::ofstream(junk) << "not a video at all";
    // libavformat would wait for a writer to the FIFO: the time limit ends such a wait.
    const std::string fifo = folder.File("x.mp4");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : { junk, folder.File("missing.avi"), fifo }) {
        const CommandResult result
            = RunProgram({ "timeout", "-s", "KILL", "5", VIDEOEDIT_CLI, "probe", path });
        EXPECT_NE(result.exitCode, 0) << "a file nobody can read is a failure";
        EXPECT_EQ(result.output, "duration=0 width=0 height=0\n");
    }
}

TEST(VideoEditCli, CodecListsHoldOnlyEncodersThisFfmpegHas)
{
    const std::vector<std::string> video = CliCodecNames("video");
    const std::vector<std::string> audio = CliCodecNames("audio");
    // The program looks for these by name: the AVI panel's default, the
    // intermediate file's preferred codecs and their fall-backs.
    EXPECT_TRUE(AnyStartsWith(video, "DivX"));
    EXPECT_NE(std::find(video.begin(), video.end(), "Microsoft MPEG-4 Video Codec V3"), video.end());
    EXPECT_TRUE(AnyStartsWith(audio, "MPEG Layer-3"));
    EXPECT_TRUE(AnyStartsWith(audio, "PCM"));

    // Each name must be backed by an encoder of the ffmpeg that will run:
    // the conversion tests prove each one really converts, here we prove
    // the list is not padded with names whose encoder the machine lacks.
    const std::set<std::string> encoders = FfmpegEncoders();
    ASSERT_FALSE(encoders.empty());
    const std::map<std::string, std::string> expectedEncoder = { { "DivX", "mpeg4" }, { "Xvid", "libxvid" },
        { "Microsoft MPEG-4 Video Codec V3", "msmpeg4" }, { "Microsoft MPEG-4 Video Codec V2", "msmpeg4v2" },
        { "H.264", "libx264" }, { "Motion JPEG", "mjpeg" }, { "HuffYUV", "huffyuv" }, { "FFV1", "ffv1" },
        { "Uncompressed", "rawvideo" }, { "MPEG Layer-3", "libmp3lame" }, { "PCM", "pcm_s16le" },
        { "MPEG Layer-2", "mp2" }, { "AC-3", "ac3" }, { "Microsoft ADPCM", "adpcm_ms" },
        { "IMA ADPCM", "adpcm_ima_wav" } };
    std::vector<std::string> all = video;
    all.insert(all.end(), audio.begin(), audio.end());
    for (const std::string& name : all) {
        const auto known = std::find_if(expectedEncoder.begin(), expectedEncoder.end(),
            [&](const auto& entry) { return name.compare(0, entry.first.size(), entry.first) == 0; });
        ASSERT_NE(known, expectedEncoder.end()) << "unexpected codec " << name;
        EXPECT_TRUE(encoders.count(known->second)) << name << " needs " << known->second;
    }
    EXPECT_EQ(std::set<std::string>(all.begin(), all.end()).size(), all.size()) << "a name is listed twice";
}

TEST(VideoEditCli, ConversionsThatCannotStartExitNonZeroWithoutEvents)
{
    TempFolder folder;
    const std::string clip = folder.File("clip.mp4");
    ASSERT_TRUE(MakeClip(clip, 1.0));
    const std::string aFile = folder.File("plain.txt");
    std::ofstream(aFile) << "x";
    fs::create_directory(folder.File("a folder"));

    struct Case {
        const char* why;
        std::vector<std::string> arguments;
    };
    const std::vector<Case> cases = {
        { "missing source",
            { "--start", "0", "--end", "1", folder.File("missing.mp4"), folder.File("out.avi") } },
        { "unreadable source", { "--start", "0", "--end", "1", aFile, folder.File("out.avi") } },
        { "missing output folder", { "--start", "0", "--end", "1", clip, folder.File("nowhere/out.avi") } },
        { "output folder is a file", { "--start", "0", "--end", "1", clip, aFile + "/out.avi" } },
        { "output is a folder", { "--start", "0", "--end", "1", clip, folder.File("a folder") } },
        { "output is the source", { "--start", "0", "--end", "1", clip, clip } },
        { "empty range", { "--start", "0.5", "--end", "0.5", clip, folder.File("out.avi") } },
        { "range after the end", { "--start", "5", "--end", "6", clip, folder.File("out.avi") } },
        { "no such format", { "--format", "9", "--start", "0", "--end", "1", clip, folder.File("out.avi") } },
        { "no such codec", { "--vcodec", "99", "--start", "0", "--end", "1", clip, folder.File("out.avi") } },
    };
    for (const Case& one : cases) {
        std::vector<std::string> arguments = { "convert" };
        arguments.insert(arguments.end(), one.arguments.begin(), one.arguments.end());
        const CliRun run = RunCli(arguments);
        EXPECT_NE(run.exitCode, 0) << one.why;
        EXPECT_EQ(run.completions, 0) << one.why;
        EXPECT_TRUE(run.progress.empty()) << one.why;
    }
    EXPECT_FALSE(fs::exists(folder.File("out.avi")));
    EXPECT_TRUE(ProbeDuration(clip).has_value()) << "the source was damaged";
}

// The output is an unnamed file until the conversion ends well: killed in
// the middle, the component leaves nothing, under any name, in the output folder.
TEST(VideoEditCli, KilledMidConversionLeavesNoFileOfAnyName)
{
    TempFolder folder;
    const std::string clip = folder.File("clip.mp4");
    ASSERT_TRUE(MakeClip(clip, 3.0));
    // -re: ffmpeg converts at the pace of playback, so 3 s of clip last 3 s.
    const std::string slowFfmpeg = folder.File("slow ffmpeg");
    std::ofstream(slowFfmpeg) << "#!/bin/sh\nexec ffmpeg -re \"$@\"\n";
    fs::permissions(slowFfmpeg, fs::perms::owner_all);
    const std::string output = folder.File("out/");
    fs::create_directory(output);

    SpawnRequest request;
    request.program = VIDEOEDIT_CLI;
    request.arguments = { request.program, "convert", "--start", "0", "--end", "3", clip, output + "a.avi" };
    request.environmentChanges = { "TARVO_FFMPEG=" + slowFfmpeg };
    SpawnResult cli = Spawn(request);
    ASSERT_TRUE(cli.Started()) << cli.Reason(request.program);
    std::vector<int> ffmpeg;
    for (int attempt = 0; attempt < 100 && ffmpeg.empty(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ffmpeg = ChildrenOf(cli.child.Pid());
    }
    ASSERT_FALSE(ffmpeg.empty());
    std::this_thread::sleep_for(std::chrono::seconds(1));

    cli.child.KillAndReap();
    for (int attempt = 0; attempt < 100 && IsRunning(ffmpeg.front()); ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));

    EXPECT_FALSE(IsRunning(ffmpeg.front()));
    EXPECT_EQ(EntriesIn(output), 0u);
}

TEST(VideoEditCli, WrongUsageExitsNonZero)
{
    EXPECT_NE(RunProgram({ VIDEOEDIT_CLI }).exitCode, 0);
    EXPECT_NE(RunProgram({ VIDEOEDIT_CLI, "convert", "in.avi", "out.avi" }).exitCode, 0);
    EXPECT_NE(RunProgram({ VIDEOEDIT_CLI, "convert", "--start", "x", "--end", "1", "a", "b" }).exitCode, 0);
}
