// `kelvara --convert` as a script starts it: the real program with no
// display and no session bus, converting tiny clips into every kind the
// window offers, several at once, with a failure among them, and stopped by
// Ctrl+C. The outputs are judged by ffprobe.
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <QProcess>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

using namespace kelvara::testing;
namespace fs = std::filesystem;

namespace {

struct Finished {
    int status = -1; // -1: crashed or hung
    std::string err;
};

// No DISPLAY, no WAYLAND_DISPLAY, no DBUS_SESSION_BUS_ADDRESS; the settings
// in a folder of the test's own, so the window's defaults hold.
QProcessEnvironment ConsoleEnvironment(const TempFolder& home)
{
    QProcessEnvironment environment;
    environment.insert("PATH", "/usr/bin:/bin");
    environment.insert("HOME", QString::fromStdString(home.Path().string()));
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home.File("config")));
    return environment;
}

class ConvertCommand : public ::testing::Test {
protected:
    Finished Convert(const QStringList& arguments)
    {
        QProcess program;
        program.setProcessEnvironment(ConsoleEnvironment(m_home));
        program.start(QStringLiteral(KELVARA_PROGRAM), QStringList { "--convert" } + arguments);
        const bool ended = program.waitForFinished(120000) && program.exitStatus() == QProcess::NormalExit;
        return { ended ? program.exitCode() : -1, program.readAllStandardError().toStdString() };
    }

    // A second of picture and sound.
    std::string Clip(const std::string& name)
    {
        std::string path = m_sources.File(name);
        EXPECT_TRUE(MakeClip(path, 1.0, 160, 120));
        return path;
    }

    QString OutFolder() const { return QString::fromStdString(m_output.Folder() + "out"); }

    TempFolder m_home;
    TempFolder m_sources;
    TempFolder m_output;
};

struct KindCase {
    const char* kind;
    QStringList options;
    const char* extension;
    const char* codec;
    const char* selector; // the stream whose codec counts: "v:0" or "a:0"
};

// ffprobe's answer is its last line: a reader may warn before it (the PMP
// reader finds no sound packets it knows).
std::string FirstCodec(const fs::path& file, const char* selector)
{
    std::string answer = RunProgram({ "ffprobe", "-v", "error", "-select_streams", selector, "-show_entries",
                                        "stream=codec_name", "-of", "default=nw=1:nk=1", file.string() })
                             .output;
    while (!answer.empty() && answer.back() == '\n')
        answer.pop_back();
    return answer.substr(answer.rfind('\n') + 1);
}

TEST_F(ConvertCommand, EveryKindOfTheWindowIsWrittenWithoutADisplay)
{
    // What each kind's converter or start profile states.
    const KindCase cases[] = {
        { "avi", {}, ".avi", "mpeg4", "v:0" },
        { "mpeg", {}, ".mpg", "mpeg1video", "v:0" },
        { "dvd-pal", {}, ".mpg", "mpeg2video", "v:0" },
        { "image", { "--picture", "png" }, ".png", "png", "v:0" },
        { "mp4", {}, ".mp4", "h264", "v:0" },
        { "mkv", {}, ".mkv", "hevc", "v:0" },
        { "webm", {}, ".webm", "vp9", "v:0" },
        { "av1", {}, ".webm", "av1", "v:0" },
        { "psp", { "--profile", "17" }, ".MP4", "h264", "v:0" },
        { "xbox360", {}, ".mpg", "mpeg2video", "v:0" },
        { "pocketpc", {}, ".avi", "mpeg4", "v:0" },
        { "pmp", {}, ".pmp", "mpeg4", "v:0" },
        { "phone", {}, ".mp4", "h264", "v:0" },
        { "tv", {}, ".mp4", "hevc", "v:0" },
        { "web", {}, ".webm", "vp9", "v:0" },
        { "mp3", { "--bitrate", "192" }, ".mp3", "mp3", "a:0" },
        { "wma", {}, ".wma", "wmav2", "a:0" },
        { "wav", {}, ".wav", "pcm_s16le", "a:0" },
        { "mp2", {}, ".mp2", "mp2", "a:0" },
        { "ac3", {}, ".ac3", "ac3", "a:0" },
        { "flac", {}, ".flac", "flac", "a:0" },
        { "opus", {}, ".opus", "opus", "a:0" },
        { "aac", {}, ".m4a", "aac", "a:0" },
        { "ogg", {}, ".ogg", "vorbis", "a:0" },
        { "alac", {}, ".m4a", "alac", "a:0" },
    };
    const std::string source = Clip("clip.mkv");
    for (const KindCase& c : cases) {
        const QString out = OutFolder() + "-" + c.kind;
        const Finished run = Convert(QStringList { "--kind", c.kind, "--out", out } + QStringList(c.options)
            + QStringList { QString::fromStdString(source) });
        EXPECT_EQ(run.status, 0) << c.kind << ": " << run.err;
        EXPECT_NE(run.err.find("1 converted, 0 failed"), std::string::npos) << c.kind << ": " << run.err;
        // The output is the file the summary line names (a PSP writes a
        // thumbnail beside it).
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(out.toStdString()))
            if (run.err.find(entry.path().string() + "\n") != std::string::npos)
                files.push_back(entry.path());
        ASSERT_EQ(files.size(), 1U) << c.kind << ": " << run.err;
        EXPECT_EQ(files[0].extension().string(), c.extension) << c.kind;
        EXPECT_EQ(FirstCodec(files[0], c.selector), c.codec) << c.kind << ": " << files[0];
    }
}

TEST_F(ConvertCommand, SeveralAtOnceWithAFailureAmongThemEndsWithOneAndItsReason)
{
    const std::string a = Clip("a.mkv");
    const std::string b = Clip("b.mkv");
    const std::string broken = m_sources.Write("broken.mkv", "this is not a film");
    const Finished run = Convert(
        { "--kind", "mp3", "--jobs", "2", "--trim", "00:00:00.200-00:00:00.800", "--out", OutFolder(),
            QString::fromStdString(a), QString::fromStdString(broken), QString::fromStdString(b) });
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("2 converted, 1 failed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("broken.mkv: failed"), std::string::npos) << run.err;
    for (const char* name : { "a.mp3", "b.mp3" }) {
        const std::string output = OutFolder().toStdString() + "/" + name;
        EXPECT_NE(run.err.find(std::string("\xE2\x86\x92 ") + output), std::string::npos) << run.err;
        const std::optional<double> duration = ProbeDuration(output);
        ASSERT_TRUE(duration) << output;
        EXPECT_NEAR(*duration, 0.6, 0.15) << output;
    }
}

// A user's own profile is numbered after the shipped ones, as in the panel,
// and converts with its own values: here the shipped customizable profile
// saved with the 360p frame size.
TEST_F(ConvertCommand, AUsersOwnProfileFollowsTheShippedOnes)
{
    std::ifstream shippedFile(KELVARA_TOOL_DIR "/TARVO_Pro_MP4.ini");
    const std::string shipped(
        (std::istreambuf_iterator<char>(shippedFile)), std::istreambuf_iterator<char>());
    const std::size_t first = shipped.find("[profile0]");
    ASSERT_NE(first, std::string::npos);
    std::string own = "[Info]\nKind=MP4\n" + shipped.substr(first, shipped.find("[profile1]") - first);
    own.replace(
        own.find("Title="), own.find('\n', own.find("Title=")) - own.find("Title="), "Title=Mine, 360p");
    own.replace(own.find("VideoSize=0"), 11, "VideoSize=6");
    fs::create_directories(m_home.Path() / "config/kelvara/profiles");
    std::ofstream(m_home.Path() / "config/kelvara/profiles/mine.ini") << own;

    QProcess list;
    list.setProcessEnvironment(ConsoleEnvironment(m_home));
    list.start(QStringLiteral(KELVARA_PROGRAM), { "--convert", "--list" });
    ASSERT_TRUE(list.waitForFinished(20000));
    EXPECT_NE(list.readAllStandardOutput().toStdString().find("        5   Mine, 360p  (yours)\n"),
        std::string::npos);

    const Finished run = Convert({ "--kind", "mp4", "--profile", "5", "--out", OutFolder(),
        QString::fromStdString(Clip("clip.mkv")) });
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Probe(OutFolder().toStdString() + "/clip.mp4", "stream=height", "v:0"), "360");
}

TEST_F(ConvertCommand, UsageErrorsEndWithTwoBeforeAnythingIsWritten)
{
    const QString clip = QString::fromStdString(Clip("clip.mkv"));
    const QString out = OutFolder();
    for (const QStringList& arguments :
        { QStringList { "--kind", "mp3", "--out", out }, QStringList { "--kind", "mp9", "--out", out, clip },
            QStringList { "--bogus", "--out", out, clip },
            QStringList { "--kind", "mp3", "--bitrate", "100", "--out", out, clip },
            QStringList { "--kind", "psp", "--profile", "999", "--out", out, clip } }) {
        const Finished run = Convert(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString() << ": " << run.err;
        EXPECT_TRUE(run.err.starts_with("kelvara --convert: ")) << run.err;
    }
    EXPECT_FALSE(fs::exists(out.toStdString()));
}

TEST_F(ConvertCommand, CtrlCStopsTheBatchAndLeavesNoProgramAndNoTemporaryFile)
{
    // Long and large enough to be stopped in the middle of its encoding.
    const std::string source = m_sources.File("long.mkv");
    ASSERT_TRUE(MakeClip(source, 20.0, 320, 240));
    QProcess program;
    program.setProcessEnvironment(ConsoleEnvironment(m_home));
    program.start(QStringLiteral(KELVARA_PROGRAM),
        { "--convert", "--kind", "mkv", "--out", OutFolder(), QString::fromStdString(source) });
    ASSERT_TRUE(program.waitForStarted());
    const int pid = static_cast<int>(program.processId());
    // Pressed once the encoder runs.
    for (int tries = 0; tries < 400 && ChildrenOf(pid).empty(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    ASSERT_FALSE(ChildrenOf(pid).empty()) << program.readAllStandardError().toStdString();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::vector<int> started = DescendantsOf(pid);
    ::kill(pid, SIGINT);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 130) << program.readAllStandardError().toStdString();
    for (const int child : started)
        EXPECT_FALSE(IsRunning(child)) << child << " " << CommandNameOf(child);
    // A playable part, or nothing; never a hidden file of the run's own.
    const fs::path out = OutFolder().toStdString();
    if (fs::exists(out))
        for (const auto& entry : fs::directory_iterator(out)) {
            EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
            EXPECT_TRUE(ProbeDuration(entry.path().string())) << entry.path();
        }
}

TEST_F(ConvertCommand, ListNamesEveryKindWithTheWindowsLabels)
{
    QProcess program;
    program.setProcessEnvironment(ConsoleEnvironment(m_home));
    program.start(QStringLiteral(KELVARA_PROGRAM), { "--convert", "--list" });
    ASSERT_TRUE(program.waitForFinished(20000));
    const std::string out = program.readAllStandardOutput().toStdString();
    EXPECT_EQ(program.exitCode(), 0);
    for (const char* line :
        { "  mp3       To MP3\n", "  tv        TV & streaming stick\n", "  ogg       To Ogg Vorbis\n",
            "        dvd-pal         DVD PAL\n", "        png             To PNG Image" })
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
    EXPECT_EQ(out.find("none readable"), std::string::npos) << out;
}

} // namespace
