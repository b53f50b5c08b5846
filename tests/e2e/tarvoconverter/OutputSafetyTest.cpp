// A run leaves a whole output or none: the source is never written over, a
// failed or empty run leaves no file, long paths get their exact name, and
// the reasons say what went wrong in words a user can act on.
#include "MediaWorkspace.h"
#include "support/FileContents.h"
#include "support/SmallFileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/stat.h>

using namespace kelvara::tarvo::testing;
using kelvara::testing::EntriesIn;
using kelvara::testing::FileContents;
using kelvara::testing::SmallFileSystem;
namespace fs = std::filesystem;

namespace {

// An empty folder of the workspace for one test.
std::string FreshFolder(const std::string& name)
{
    const std::string folder = MediaWorkspace::instance().path(name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder + "/";
}

std::string Copied(const std::string& source, const std::string& target)
{
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    return target;
}

std::string MadeWithFfmpeg(const std::vector<std::string>& arguments, const std::string& output)
{
    std::vector<std::string> argv { "ffmpeg", "-v", "error", "-nostdin", "-y" };
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    argv.push_back(output);
    EXPECT_EQ(RunProgram(argv).exitCode, 0) << output;
    return output;
}

const std::vector<std::string> kPspOptions
    = { "-f", "psp", "-vcodec", "mpeg4", "-bf", "0", "-s", "320x240", "-b:v", "192k", "-r", "14.985",
          "-fps_mode", "cfr", "-acodec", "aac", "-ab", "32", "-ar", "24000", "-ac", "1" };

std::vector<std::string> Joined(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// A source and the options that write a file of the same kind over it.
struct SameKind {
    std::string name;
    std::string source;
    std::vector<std::string> options;
};

std::vector<SameKind> SourcesOfEveryKind(const std::string& folder)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string gif = MadeWithFfmpeg({ "-i", workspace.clip(), "-t", "1" }, folder + "anim.gif");
    return {
        { "MP3", MadeWithFfmpeg({ "-f", "lavfi", "-i", "sine=d=8" }, folder + "m.mp3"),
            { "-ab", "128", "-ar", "44100" } },
        { "AVI", Copied(workspace.clip(), folder + "clip.avi"), { "-vcodec", "mpeg4", "-an" } },
        { "PSP", Copied(workspace.LongClip(), folder + "clip.MP4"), kPspOptions },
        { "GIF", gif, {} },
    };
}

// "/a/./m.mp3", "../a/m.mp3" relative to here, a symbolic and a hard link.
std::vector<std::string> OtherSpellings(const std::string& source, const std::string& folder)
{
    const fs::path file(source);
    const std::string name = file.filename().string();
    const std::string symbolic = folder + "link to " + name;
    const std::string hard = folder + "hard link to " + name;
    fs::create_symlink(file, symbolic);
    fs::create_hard_link(file, hard);
    return { folder + "./" + name, fs::relative(file, fs::current_path()).string(), symbolic, hard };
}

TEST(SameFile, EveryOtherSpellingOfTheSourceIsRefusedAndTheSourceKept)
{
    const std::string folder = FreshFolder("same file");
    for (const SameKind& kind : SourcesOfEveryKind(folder)) {
        const std::string before = FileContents(kind.source);
        ASSERT_FALSE(before.empty()) << kind.name;
        for (const std::string& output : OtherSpellings(kind.source, folder + kind.name + "-")) {
            const ProgramResult run
                = RunConverter(Joined({ "-i", kind.source }, Joined(kind.options, { output })));
            EXPECT_NE(run.exitCode, 0) << kind.name << " over " << output;
            EXPECT_NE(run.err.find("same file"), std::string::npos) << run.err;
            EXPECT_EQ(FileContents(kind.source) == before, true)
                << kind.name << " changed through " << output;
        }
    }
}

TEST(SameFile, PictureOverItsOwnSourceGivenByTheSameTextIsRefused)
{
    const std::string folder = FreshFolder("same picture");
    const std::string picture = MadeWithFfmpeg(
        { "-i", MediaWorkspace::instance().clip(), "-frames:v", "1", "-update", "1" }, folder + "p.jpg");
    const std::string before = FileContents(picture);

    const ProgramResult run = RunConverter({ "-i", picture, "-f", "image2", "-t", "0.001", picture });

    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("same file"), std::string::npos) << run.err;
    EXPECT_EQ(FileContents(picture) == before, true);
}

TEST(FullDisk, NoPartialOutputIsLeftAndTheReasonSaysSo)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    SmallFileSystem disk(workspace.path("full disk"), 64 * 1024);
    if (!disk.IsMounted())
        GTEST_SKIP() << disk.Reason();
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        { "sound.mp3", { "-i", workspace.LongAudio(), "-ab", "320" } },
        { "anim.gif", { "-i", workspace.LongClip(), "-t", "10" } },
        { "psp.MP4", Joined({ "-i", workspace.LongClip() }, kPspOptions) },
        { "clip.avi", { "-i", workspace.LongClip(), "-vcodec", "mpeg4", "-q:v", "2" } },
        { "clip.mpg", { "-i", workspace.LongClip(), "-vcodec", "mpeg2video", "-q:v", "2" } },
    };
    for (const auto& [name, arguments] : cases) {
        const ProgramResult run = RunConverter(Joined(arguments, { disk.Folder() + name }));
        EXPECT_NE(run.exitCode, 0) << name;
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << name << ": " << run.err;
        EXPECT_NE(run.err.find(disk.Folder() + name), std::string::npos) << run.err;
        EXPECT_EQ(disk.EntryCount(), 0u) << name << " left a file behind";
    }
}

TEST(DamagedSource, LeavesNoOutputOfAnyKind)
{
    const std::string folder = FreshFolder("damaged");
    const std::string whole = FileContents(MediaWorkspace::instance().LongClip());
    const std::string damaged = folder + "damaged.mp4";
    std::ofstream(damaged, std::ios::binary) << whole.substr(0, whole.size() / 2); // its index is at the end

    for (const std::string name : { "out.mp3", "out.gif", "out.jpg", "out.eps", "out.MP4" }) {
        const std::vector<std::string> options = std::string(name) == "out.MP4" ? kPspOptions
            : std::string(name) == "out.jpg" || std::string(name) == "out.eps"
            ? std::vector<std::string> { "-f", "image2", "-t", "0.001" }
            : std::vector<std::string> {};
        const ProgramResult run = RunConverter(Joined({ "-i", damaged }, Joined(options, { folder + name })));
        EXPECT_NE(run.exitCode, 0) << name;
        EXPECT_EQ(EntriesIn(folder), 1u) << name << " left a file behind";
    }
}

TEST(Stop, StopBeforeTheFirstFrameLeavesNoFile)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string folder = FreshFolder("stopped early");
    for (const auto& [name, options] : std::vector<std::pair<std::string, std::vector<std::string>>> {
             { "early.gif", {} }, { "early.mp3", { "-ab", "128" } }, { "early.MP4", kPspOptions } }) {
        RunningProgram converter(Joined({ ConverterPath(), "-re", "-i", workspace.LongClip() },
                                     Joined(options, { folder + name })),
            InputKind::Pipe);
        converter.WriteInput("q");
        const ProgramResult result = converter.finish(10s);

        EXPECT_FALSE(result.timedOut) << name;
        EXPECT_NE(result.exitCode, 0) << name << " reported a file that was not kept";
        EXPECT_EQ(EntriesIn(folder), 0u) << name << " left a file behind";
    }
}

TEST(Stop, StopAfterSomeFramesKeepsAPlayableFinishedFile)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string folder = FreshFolder("stopped later");
    // A GIF animation first reads the whole trimmed part for its palette (at
    // the source's pace here, as -re asks) and reports nothing written while
    // it does; each output is stopped once it has written for a while.
    for (const auto& [name, options] : std::vector<std::pair<std::string, std::vector<std::string>>> {
             { "later.gif", { "-t", "4" } }, { "later.MP4", kPspOptions } }) {
        RunningProgram converter(Joined({ ConverterPath(), "-re", "-i", workspace.LongClip() },
                                     Joined(options, { folder + name })),
            InputKind::Pipe);
        const std::regex written(R"(size= *[1-9][0-9]*kB time=([1-9]|0\.[5-9]))");
        std::string output;
        for (int slice = 0; slice < 80 && !std::regex_search(output, written); ++slice)
            output += converter.ReadOutputFor(250ms);
        converter.WriteInput("q");
        const ProgramResult result = converter.finish(10s);

        EXPECT_EQ(result.exitCode, 0) << name << ": " << result.err;
        EXPECT_GT(ProbeDuration(folder + name), 0.5) << name;
        EXPECT_LT(ProbeDuration(folder + name), 10.0) << name;
        EXPECT_EQ(EntriesIn(folder), 1u) << "nothing but the output is left: " << name;
        fs::remove(folder + name);
    }
}

// Folders of 200-byte names, deep enough that a file name of `nameLength`
// bytes makes a path of exactly `length` bytes.
std::string DeepFolder(const std::string& top, std::size_t length, std::size_t nameLength)
{
    std::string folder = top;
    while (folder.size() + 201 + nameLength < length)
        folder += std::string(200, 'd') + "/";
    folder += std::string(length - folder.size() - nameLength - 1, 'e') + "/";
    fs::create_directories(folder);
    return folder;
}

struct PictureType {
    const char* extension;
    std::string signature;
};

TEST(LongPath, EveryStillPictureTypeGetsItsExactNameAndNothingElse)
{
    const std::string top = FreshFolder("long path");
    const std::string name = std::string(72, 'p') + ".";
    const std::string folder = DeepFolder(top, 1100, name.size() + 3);
    const PictureType types[]
        = { { "gif", "GIF8" }, { "bmp", "BM" }, { "jpg", "\xFF\xD8" }, { "pcx", "\x0A" }, { "tif", "II*" },
              { "png", "\x89PNG" }, { "j2k", "\xFF\x4F\xFF\x51" }, { "eps", "%!PS" }, { "psd", "8BPS" },
              { "pdf", "%PDF" }, { "wmf", "\xD7\xCD\xC6\x9A" }, { "emf", std::string("\x01\0\0\0", 4) } };

    for (const PictureType& type : types) {
        const std::string output = folder + name + type.extension;
        ASSERT_EQ(output.size(), 1100u);
        const ProgramResult run = RunConverter(
            { "-i", MediaWorkspace::instance().quadrants(), "-f", "image2", "-t", "0.001", output });
        EXPECT_EQ(run.exitCode, 0) << type.extension << ": " << run.err;
        EXPECT_TRUE(FileContents(output).starts_with(type.signature)) << type.extension;
    }
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top)) {
        if (entry.is_regular_file()) {
            ++files;
            EXPECT_EQ(entry.path().parent_path().string() + "/", folder) << "stray " << entry.path();
        }
    }
    EXPECT_EQ(files, std::size(types));
}

TEST(LongPath, PictureAtFourThousandBytesLeavesNoStrayFileAbove)
{
    const std::string top = FreshFolder("very long path");
    const std::string folder = DeepFolder(top, 4000, 64);
    const std::string output = folder + std::string(60, 'p') + ".j2k";
    ASSERT_EQ(output.size(), 4000u);

    const ProgramResult run = RunConverter(
        { "-i", MediaWorkspace::instance().quadrants(), "-f", "image2", "-t", "0.001", output });

    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 1u);
    EXPECT_TRUE(fs::is_regular_file(output));
}

TEST(Reasons, EachFailureSaysWhatAndWhere)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string folder = FreshFolder("reasons");
    SmallFileSystem readOnly(workspace.path("read-only"), 64 * 1024, SmallFileSystem::Access::ReadOnly);

    const ProgramResult missing = RunConverter({ "-i", folder + "missing.wav", folder + "a.mp3" });
    EXPECT_NE(missing.err.find("cannot read '" + folder + "missing.wav': No such file"), std::string::npos)
        << missing.err;
    const ProgramResult directory = RunConverter({ "-i", folder, folder + "b.mp3" });
    EXPECT_NE(directory.err.find("Is a directory"), std::string::npos) << directory.err;
    const ProgramResult noFolder = RunConverter({ "-i", workspace.LongAudio(), folder + "no such/c.mp3" });
    EXPECT_NE(noFolder.err.find("'" + folder + "no such/': No such file or directory"), std::string::npos)
        << noFolder.err;
    for (const ProgramResult* run : { &missing, &directory, &noFolder })
        EXPECT_NE(run->exitCode, 0);
    EXPECT_EQ(EntriesIn(folder), 0u);

    if (!readOnly.IsMounted())
        GTEST_SKIP() << readOnly.Reason();
    const ProgramResult refused = RunConverter({ "-i", workspace.LongAudio(), readOnly.Folder() + "d.mp3" });
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.err.find("'" + readOnly.Folder() + "': Read-only file system"), std::string::npos)
        << refused.err;
}

// ffmpeg would wait forever for the other end of a FIFO, and the caller on us.
TEST(Reasons, FifoSourceOrOutputIsRefusedAtOnce)
{
    const std::string folder = FreshFolder("fifos");
    const std::string fifo = folder + "x.mp4";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string clip = MediaWorkspace::instance().clip();
    for (const std::vector<std::string>& command :
        { std::vector<std::string> { ConverterPath(), "-i", fifo, folder + "a.mp3" },
            { ConverterPath(), "-i", clip, "-vcodec", "mpeg4", fifo } }) {
        const auto start = std::chrono::steady_clock::now();
        const ProgramResult run = RunProgram(command, 3s);
        EXPECT_LE(std::chrono::steady_clock::now() - start, 1s);
        EXPECT_FALSE(run.timedOut);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(
            run.err.find("'" + fifo + "': it is a named pipe (FIFO), not a regular file"), std::string::npos)
            << run.err;
    }
    EXPECT_EQ(EntriesIn(folder), 1u);
}

TEST(RealSources, SilentVideoGetsASilentTrackForThePspAndPlays)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string folder = FreshFolder("silent psp");
    const std::string output = folder + "silent.MP4";

    const ProgramResult run = RunConverter(
        Joined({ "-ss", "1", "-i", workspace.SilentClip(), "-t", "2" }, Joined(kPspOptions, { output })));

    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(probe(output, "stream=codec_type"), "video\naudio");
    EXPECT_NEAR(ProbeDuration(output), 2.0, 0.15);
    std::istringstream durations(probe(output, "stream=duration"));
    for (double streamSeconds = 0.0; durations >> streamSeconds;)
        EXPECT_NEAR(streamSeconds, 2.0, 0.15) << "each stream as long as the clip";
}

TEST(RealSources, MissingSoundOrPictureIsNamedAndNoFileIsLeft)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string folder = FreshFolder("missing streams");

    const ProgramResult noSound
        = RunConverter({ "-i", workspace.SilentClip(), "-ab", "128", folder + "a.mp3" });
    EXPECT_NE(noSound.exitCode, 0);
    EXPECT_NE(noSound.err.find("the source has no sound"), std::string::npos) << noSound.err;
    for (const std::string name : { "b.jpg", "c.gif", "d.eps" }) {
        const ProgramResult noPicture
            = RunConverter({ "-i", workspace.ToneOnly(), "-f", "image2", "-t", "0.001", folder + name });
        EXPECT_NE(noPicture.exitCode, 0) << name;
        EXPECT_NE(noPicture.err.find("the source has no picture"), std::string::npos) << noPicture.err;
    }
    const ProgramResult noAnimation = RunConverter({ "-i", workspace.ToneOnly(), folder + "e.gif" });
    EXPECT_NE(noAnimation.err.find("the source has no picture"), std::string::npos) << noAnimation.err;
    EXPECT_EQ(EntriesIn(folder), 0u);
}

} // namespace
