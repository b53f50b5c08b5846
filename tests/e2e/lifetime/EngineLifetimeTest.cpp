// No engine outlives the program: a stand-in for the program (or
// tarvoconverter itself) runs each engine and is killed with SIGKILL; one
// second later none of the processes it had started may still run, and no
// file of any name is left of the output it was writing. The
// encoder also has a session of its own, so a terminal's Ctrl-C to the
// program's process group does not reach it.
#include "process/CommandLine.h"
#include "process/Spawner.h"
#include "support/FileContents.h"
#include "support/MediaMaker.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <memory>
#include <thread>
#include <unistd.h>

using namespace kelvara;
using namespace std::chrono_literals;
using kelvara::testing::DescendantsOf;
using kelvara::testing::IsRunning;

namespace {

const std::string kToolDirectory = std::string(KELVARA_TOOL_DIR) + "/";

class EngineLifetime : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<kelvara::testing::TempFolder>();
        s_sound = s_folder->File("long sound.wav");
        ASSERT_EQ(kelvara::testing::RunProgram({ "ffmpeg", "-nostdin", "-v", "error", "-y", "-f", "lavfi",
                                                   "-i", "sine=frequency=440:duration=30", s_sound })
                      .exitCode,
            0);
        s_clip = s_folder->File(std::string(kelvara::testing::kHostileName) + ".mp4");
        ASSERT_TRUE(kelvara::testing::MakeClip(s_clip, 8.0, 160, 120));
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    // Starts `argv`; with `ownGroup` it leads a process group of its own, as
    // a program started from a terminal does.
    static ChildProcess Start(const std::vector<std::string>& argv, bool ownGroup = false)
    {
        SpawnRequest request;
        request.program = argv.front();
        request.arguments = argv;
        request.newSession = ownGroup;
        SpawnResult started = Spawn(request);
        EXPECT_TRUE(started.Started()) << started.Reason(argv.front());
        return std::move(started.child);
    }

    // Waits until `root` has started `count` processes that run.
    static std::vector<int> WaitForEngines(int root, std::size_t count)
    {
        std::vector<int> engines;
        for (auto waited = 0ms; waited < 20s; waited += 20ms) {
            engines = DescendantsOf(root);
            std::erase_if(engines, [](int pid) { return !IsRunning(pid); });
            if (engines.size() >= count)
                break;
            std::this_thread::sleep_for(20ms);
        }
        return engines;
    }

    // Kills the program as a crash or the system would, then gives its
    // engines one second.
    static void ExpectKillingLeavesNoEngine(ChildProcess& program, const std::vector<int>& engines)
    {
        program.Signal(SIGKILL);
        program.Wait();
        std::this_thread::sleep_for(1s);
        for (int pid : engines)
            EXPECT_FALSE(IsRunning(pid)) << "process " << pid << " outlived the program";
        EXPECT_EQ(kelvara::testing::EntriesIn(s_folder->Folder()), 2u) << "only the two sources";
    }

    static std::string RunnerCommand(const std::string& output)
    {
        return "tarvoconverter -re -i " + QuoteArgument(s_sound) + " -ab 128 " + QuoteArgument(output);
    }

    static std::unique_ptr<kelvara::testing::TempFolder> s_folder;
    static std::string s_sound;
    static std::string s_clip;
};

std::unique_ptr<kelvara::testing::TempFolder> EngineLifetime::s_folder;
std::string EngineLifetime::s_sound;
std::string EngineLifetime::s_clip;

} // namespace

TEST_F(EngineLifetime, TheEncoderAndItsFfmpegDoNotOutliveTheProgram)
{
    ChildProcess program
        = Start({ ENGINE_HOST, "runner", kToolDirectory, RunnerCommand(s_folder->File("runner.mp3")) });
    const std::vector<int> engines = WaitForEngines(program.Pid(), 2); // tarvoconverter and its ffmpeg
    ASSERT_EQ(engines.size(), 2u);
    ExpectKillingLeavesNoEngine(program, engines);
}

TEST_F(EngineLifetime, TheEncoderHasASessionOfItsOwnThatACtrlCDoesNotReach)
{
    ChildProcess program = Start(
        { ENGINE_HOST, "runner", kToolDirectory, RunnerCommand(s_folder->File("session.mp3")) }, true);
    const std::vector<int> engines = WaitForEngines(program.Pid(), 2);
    ASSERT_EQ(engines.size(), 2u);
    const int encoder = kelvara::testing::ChildrenOf(program.Pid()).front();
    EXPECT_EQ(::getsid(encoder), encoder);
    EXPECT_NE(::getsid(encoder), ::getsid(program.Pid()));
    EXPECT_NE(::getpgid(encoder), ::getpgid(program.Pid()));

    // The terminal's Ctrl-C goes to the program's whole process group; the
    // stand-in ignores it, so only an encoder in that group would stop.
    ::kill(-program.Pid(), SIGINT);
    std::this_thread::sleep_for(700ms);
    for (int pid : engines)
        EXPECT_TRUE(IsRunning(pid)) << "the Ctrl-C reached process " << pid;
    ExpectKillingLeavesNoEngine(program, engines);
}

TEST_F(EngineLifetime, TheVideoEditingComponentsFfmpegDoesNotOutliveTheProgram)
{
    ChildProcess program = Start({ ENGINE_HOST, "videoedit", s_clip, s_folder->File("component.avi") });
    const std::vector<int> engines = WaitForEngines(program.Pid(), 1);
    ASSERT_EQ(engines.size(), 1u);
    ExpectKillingLeavesNoEngine(program, engines);
}

TEST_F(EngineLifetime, TarvoconvertersFfmpegDoesNotOutliveIt)
{
    ChildProcess converter = Start({ kToolDirectory + "tarvoconverter", "-re", "-i", s_sound, "-ab", "128",
        s_folder->File("converter.mp3") });
    const std::vector<int> engines = WaitForEngines(converter.Pid(), 1);
    ASSERT_EQ(engines.size(), 1u);
    ExpectKillingLeavesNoEngine(converter, engines);
}

TEST_F(EngineLifetime, AnAuxiliaryToolDoesNotOutliveTheProgram)
{
    ChildProcess program = Start({ ENGINE_HOST, "helper", kToolDirectory, "sleep 30" });
    const std::vector<int> engines = WaitForEngines(program.Pid(), 1);
    ASSERT_EQ(engines.size(), 1u);
    ExpectKillingLeavesNoEngine(program, engines);
}
