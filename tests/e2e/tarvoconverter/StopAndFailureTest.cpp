// Stopping a run, status lines while it works, and the ways it can fail.
#include "MediaWorkspace.h"
#include "support/FileContents.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

using namespace kelvara::tarvo::testing;

namespace {

// -re makes ffmpeg read at the pace of playback: a 30-second source then
// takes 30 seconds, long enough to be stopped in the middle.
std::vector<std::string> SlowConversion(const std::string& input, const std::string& output)
{
    return { ConverterPath(), "-re", "-i", input, "-ab", "128", output };
}

std::vector<pid_t> FfmpegChildrenWhileRunning(const RunningProgram& converter)
{
    std::vector<pid_t> children;
    for (int attempt = 0; attempt < 50 && children.empty(); ++attempt) {
        children = ChildrenOf(converter.pid());
        if (children.empty())
            std::this_thread::sleep_for(20ms);
    }
    return children;
}

::testing::AssertionResult AllEnded(const std::vector<pid_t>& processes)
{
    for (pid_t pid : processes) {
        if (IsRunning(pid))
            return ::testing::AssertionFailure() << "process " << pid << " is still running";
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

// Reads a field the way Kelvara's progress parser does: a fixed number of
// characters after the token.
double FieldAfter(const std::string& line, const std::string& token, std::size_t width)
{
    const std::size_t found = line.find(token);
    return found == std::string::npos ? -1.0 : std::atof(line.substr(found + token.size(), width).c_str());
}

void ExpectWellFormedStatusLinesWithRisingTime(const std::string& output)
{
    const std::regex form(
        R"(frame= {0,4}\d+ q=\d+\.\d size= {0,7}\d+kB time=\d+\.\d\d bitrate= {0,5}\d+\.\dkbits/s)");
    const std::vector<std::string> lines = LinesOf(output);
    ASSERT_FALSE(lines.empty());
    double previousTime = -1.0;
    for (const std::string& line : lines) {
        EXPECT_TRUE(std::regex_match(line, form)) << line;
        const double time = FieldAfter(line, "time=", 5);
        EXPECT_GE(time, previousTime) << line;
        previousTime = time;
    }
    EXPECT_GT(previousTime, 1.0);
    EXPECT_GT(FieldAfter(lines.back(), "size=", 8), 0.0) << lines.back();
}

TEST(Stop, QOnThePipeFinishesAPlayableShorterOutputAndLeavesNoFfmpeg)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stopped by q.mp3");
    RunningProgram converter(SlowConversion(workspace.LongAudio(), output), InputKind::Pipe);
    const std::vector<pid_t> children = FfmpegChildrenWhileRunning(converter);
    ASSERT_FALSE(children.empty()) << "ffmpeg was not started";

    const std::string early = converter.ReadOutputFor(1800ms);
    converter.WriteInput("q");
    const ProgramResult result = converter.finish(8s);

    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const double duration = ProbeDuration(output);
    EXPECT_GT(duration, 1.0);
    EXPECT_LT(duration, 6.0);
    EXPECT_TRUE(AllEnded(children));
    EXPECT_GE(LinesOf(early).size(), 3u) << "a few status lines a second while working:\n" << early;
    ExpectWellFormedStatusLinesWithRisingTime(result.out);
}

// A GIF animation is two ffmpeg runs: the first makes the clip's palette
// and writes nothing of the output, the second writes the frames. -re keeps
// each run as long as the clip.
std::vector<std::string> SlowGifAnimation(const std::string& input, const std::string& output)
{
    return { ConverterPath(), "-re", "-i", input, "-s", "80*60", output };
}

bool WritingStarted(const std::string& statusLines)
{
    for (const std::string& line : LinesOf(statusLines)) {
        if (FieldAfter(line, "size=", 8) > 0.0)
            return true;
    }
    return false;
}

TEST(Stop, GifAnimationStoppedWhileItsPaletteIsMadeLeavesNoFile)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stopped early.gif");
    RunningProgram converter(SlowGifAnimation(workspace.clip(), output), InputKind::Pipe);
    const std::vector<pid_t> children = FfmpegChildrenWhileRunning(converter);

    const std::string early = converter.ReadOutputFor(700ms);
    converter.WriteInput("q");
    const ProgramResult result = converter.finish(8s);

    EXPECT_FALSE(WritingStarted(early)) << early;
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("stopped before any output was written"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_TRUE(AllEnded(children));
}

TEST(Stop, GifAnimationStoppedWhileWritingFramesIsAPlayableShorterGif)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stopped later.gif");
    RunningProgram converter(SlowGifAnimation(workspace.clip(), output), InputKind::Pipe);

    std::string seen;
    for (int attempt = 0; attempt < 100 && !WritingStarted(seen); ++attempt)
        seen += converter.ReadOutputFor(100ms);
    ASSERT_TRUE(WritingStarted(seen)) << seen;
    converter.WriteInput("q");
    const ProgramResult result = converter.finish(8s);

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(probe(output, "stream=codec_name"), "gif");
    EXPECT_GT(ProbeDuration(output), 0.0);
    EXPECT_LT(ProbeDuration(output), 1.9); // the clip lasts 2 s
}

TEST(Stop, ClosingAPipedInputStopsLikeQ)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stopped by close.mp3");
    RunningProgram converter(SlowConversion(workspace.LongAudio(), output), InputKind::Pipe);

    converter.ReadOutputFor(1000ms);
    converter.CloseInput();
    const ProgramResult result = converter.finish(8s);

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_GT(ProbeDuration(output), 0.3);
    EXPECT_LT(ProbeDuration(output), 6.0);
}

TEST(Stop, CallerThatClosedItsEndBeforeQStillGetsAFinishedOutput)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stopped unheard.wma");
    RunningProgram converter(SlowConversion(workspace.LongAudio(), output), InputKind::Pipe);

    converter.ReadOutputFor(1000ms);
    converter.CloseOutput(); // our later status lines now meet a broken pipe
    converter.ReadOutputFor(700ms);
    converter.WriteInput("q");
    const ProgramResult result = converter.finish(8s);

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(probe(output, "stream=codec_name"), "wmav2");
    EXPECT_GT(ProbeDuration(output), 1.0);
}

TEST(Stop, InputThatIsNotAPipeIsIgnored)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("not stopped.mp3");
    RunningProgram converter(
        { ConverterPath(), "-re", "-i", workspace.LongAudio(), "-t", "1.5", output }, InputKind::DevNull);

    const ProgramResult result = converter.finish(10s);

    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NEAR(ProbeDuration(output), 1.5, 0.1);
}

TEST(Stop, FfmpegThatIgnoresTheRequestIsEndedAfterTheGracePeriod)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string stubborn = workspace.path("stubborn ffmpeg.sh");
    // It says when its trap is set: a stop before that would end it at once.
    std::ofstream(stubborn) << "#!/bin/sh\ntrap '' INT TERM\n: > \"$0.ready\"\nexec sleep 30\n";
    std::filesystem::permissions(stubborn, std::filesystem::perms::owner_all);
    RunningProgram converter({ ConverterPath(), "-i", workspace.clip(), workspace.path("never.mp3") },
        InputKind::Pipe, { { "TARVO_FFMPEG", stubborn } });
    const std::vector<pid_t> children = FfmpegChildrenWhileRunning(converter);
    for (int i = 0; i < 1000 && !std::filesystem::exists(stubborn + ".ready"); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(std::filesystem::exists(stubborn + ".ready"));

    const auto asked = std::chrono::steady_clock::now();
    converter.WriteInput("q");
    const ProgramResult result = converter.finish(10s);
    const auto waited = std::chrono::steady_clock::now() - asked;

    EXPECT_FALSE(result.timedOut);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("stop"), std::string::npos) << result.err;
    EXPECT_GT(waited, 2500ms);
    EXPECT_LT(waited, 6s);
    EXPECT_TRUE(AllEnded(children));
}

TEST(Stop, AStopWhileFfmpegIsStillOpeningTheSourceIsReportedAsAStop)
{
    // Interrupted while it opens its input, ffmpeg blames the input; the
    // stand-in does what ffmpeg does then.
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string opening = workspace.path("opening ffmpeg.sh");
    std::ofstream(opening)
        << "#!/bin/sh\n"
           "trap 'kill $!; echo \"in.wav: Invalid data found when processing input\" >&2; exit 1' INT\n"
           ": > \"$0.ready\"\n"
           "sleep 30 & wait\n";
    std::filesystem::permissions(opening, std::filesystem::perms::owner_all);
    const std::string output = workspace.path("stopped while opening.mp3");
    RunningProgram converter({ ConverterPath(), "-i", workspace.clip(), output }, InputKind::Pipe,
        { { "TARVO_FFMPEG", opening } });
    const std::vector<pid_t> children = FfmpegChildrenWhileRunning(converter);
    for (int i = 0; i < 1000 && !std::filesystem::exists(opening + ".ready"); ++i)
        std::this_thread::sleep_for(10ms); // the stand-in sets its trap
    ASSERT_TRUE(std::filesystem::exists(opening + ".ready"));

    converter.WriteInput("q");
    const ProgramResult result = converter.finish(10s);

    EXPECT_EQ(result.exitCode, 4) << result.err; // stopped, nothing written
    EXPECT_NE(result.err.find("stopped"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Invalid data"), std::string::npos) << result.err;
    EXPECT_TRUE(AllEnded(children));
}

TEST(Stop, AnImmediateQIsNeverTakenForABrokenSource)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string output = workspace.path("stopped at once.mp3");
    RunningProgram converter(SlowConversion(workspace.LongAudio(), output), InputKind::Pipe);
    converter.WriteInput("q");
    const ProgramResult result = converter.finish(10s);

    EXPECT_FALSE(result.timedOut);
    EXPECT_TRUE(result.exitCode == 0 || result.exitCode == 4) << result.exitCode << " " << result.err;
    EXPECT_EQ(result.err.find("Invalid data"), std::string::npos) << result.err;
    EXPECT_TRUE(ChildrenOf(converter.pid()).empty());
}

TEST(Stop, KillingTheConverterTakesFfmpegWithIt)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    RunningProgram converter(
        SlowConversion(workspace.LongAudio(), workspace.path("orphan.mp3")), InputKind::Pipe);
    const std::vector<pid_t> children = FfmpegChildrenWhileRunning(converter);
    ASSERT_FALSE(children.empty());

    ::kill(converter.pid(), SIGKILL);
    converter.finish(5s);
    std::this_thread::sleep_for(300ms);

    EXPECT_TRUE(AllEnded(children));
}

// The output is an unnamed file until it is whole: a converter killed while
// it writes leaves nothing, under any name, where the output was to go.
TEST(Stop, KillingTheConverterMidJobLeavesNoFileOfAnyName)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string folder = workspace.path("killed mid-job/");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    for (const std::vector<std::string>& command : { SlowGifAnimation(workspace.clip(), folder + "a.gif"),
             SlowConversion(workspace.LongAudio(), folder + "a.mp3") }) {
        SCOPED_TRACE(command.back());
        RunningProgram converter(command, InputKind::Pipe);
        std::string seen;
        for (int attempt = 0; attempt < 100 && !WritingStarted(seen); ++attempt)
            seen += converter.ReadOutputFor(100ms);
        ASSERT_TRUE(WritingStarted(seen)) << seen;
        const std::vector<pid_t> children = ChildrenOf(converter.pid());

        ::kill(converter.pid(), SIGKILL);
        converter.finish(5s);
        for (int attempt = 0; attempt < 50 && !AllEnded(children); ++attempt)
            std::this_thread::sleep_for(20ms);

        EXPECT_TRUE(AllEnded(children));
        EXPECT_EQ(kelvara::testing::EntriesIn(folder), 0u);
    }
}

TEST(Failure, ReasonWrittenIntoAPipeTheCallerClosedEndsNoWorse)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string failing = workspace.path("failing ffmpeg.sh");
    std::ofstream(failing) << "#!/bin/sh\nsleep 0.5\nexit 1\n";
    std::filesystem::permissions(failing, std::filesystem::perms::owner_all);
    RunningProgram converter({ ConverterPath(), "-i", workspace.clip(), workspace.path("failed.mp3") },
        InputKind::DevNull, { { "TARVO_FFMPEG", failing } }, ErrorOutput::JoinedWithOutput);

    converter.CloseOutput();
    const ProgramResult result = converter.finish(5s);

    EXPECT_EQ(result.exitCode, 1) << "ended by a signal instead of its failure status";
}

TEST(Failure, MissingFfmpegIsReported)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();

    const ProgramResult run = RunConverter({ "-i", workspace.clip(), workspace.path("none.mp3") },
        { { "TARVO_FFMPEG", "/nonexistent/ffmpeg" } });

    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("/nonexistent/ffmpeg"), std::string::npos) << run.err;
    EXPECT_EQ(LinesOf(run.err).size(), 1u) << run.err;
}

TEST(Failure, UnreadableInputIsReportedWithFfmpegsReason)
{
    MediaWorkspace& workspace = MediaWorkspace::instance();
    const std::string missing = workspace.path("no such clip.avi");
    const std::string garbage = workspace.path("garbage.avi");
    std::ofstream(garbage) << "these are not the frames you are looking for";

    const ProgramResult missingRun = RunConverter({ "-i", missing, workspace.path("a.mp3") });
    const ProgramResult garbageRun = RunConverter({ "-i", garbage, workspace.path("b.mp3") });

    EXPECT_NE(missingRun.exitCode, 0);
    EXPECT_NE(missingRun.err.find("No such file"), std::string::npos) << missingRun.err;
    EXPECT_NE(garbageRun.exitCode, 0);
    EXPECT_NE(garbageRun.err.find("ffmpeg failed"), std::string::npos) << garbageRun.err;
}

} // namespace
