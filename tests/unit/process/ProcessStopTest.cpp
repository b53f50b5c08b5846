// The stop policy against programs that obey the request and programs that
// ignore it: the order (ask first, kill only after the grace period), the
// times, and that the child is always reaped. Both faces: the blocking one
// and the steps an event loop drives.
#include "process/ProcessStop.h"
#include "process/Spawner.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace kelvara;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using kelvara::testing::ChildrenOfThisProcess;

namespace {

constexpr auto kShortGrace = 600ms;

struct Started {
    ChildProcess child;
    UniqueFd input; // the child's standard input, our end
};

// Runs `script` in sh with its standard input from a pipe we hold.
Started StartScript(const std::string& script, const std::vector<std::string>& parameters = {})
{
    std::optional<PipeEnds> input = CreatePipe();
    EXPECT_TRUE(input);
    SpawnRequest request;
    request.program = "sh";
    request.arguments = { "sh", "-c", script };
    request.arguments.insert(request.arguments.end(), parameters.begin(), parameters.end());
    request.descriptors = { { 0, input->readEnd.Get() } };
    SpawnResult spawned = Spawn(request);
    EXPECT_TRUE(spawned.Started());
    // Let the shell reach the line it waits on (and set its traps).
    std::this_thread::sleep_for(150ms);
    return { std::move(spawned.child), std::move(input->writeEnd) };
}

// A script that sets its traps and says so before it goes on: a signal that
// came before its traps would end it at once, however long we had waited.
Started StartTrapped(const std::string& traps, const std::string& rest)
{
    static kelvara::testing::TempFolder folder;
    static int count = 0;
    const std::string mark = folder.File("trapped " + std::to_string(++count));
    Started program = StartScript(traps + "; : >\"$0\"; " + rest, { mark });
    for (int i = 0; i < 1000 && !std::filesystem::exists(mark); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(std::filesystem::exists(mark)) << "the script never set its traps";
    return program;
}

std::string Contents(const std::string& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

TEST(StopPolicy, AProgramThatObeysQuitEndsAtOnceOnItsOwn)
{
    kelvara::testing::TempFolder folder;
    const std::string mark = folder.File("heard");
    Started program = StartScript(R"(head -c 1 >"$0"; exit 0)", { mark });

    const auto asked = Clock::now();
    const StopOutcome outcome = StopAndReap(program.child, StopRequest::ByQuitKey(std::move(program.input)));
    const auto took = Clock::now() - asked;

    EXPECT_FALSE(outcome.forced);
    EXPECT_EQ(Contents(mark), "q");
    EXPECT_EQ(program.child.ExitCode(), 0);
    EXPECT_LT(took, 1s);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST(StopPolicy, AProgramThatIgnoresQuitIsAskedFirstAndKilledAfterTheGracePeriod)
{
    kelvara::testing::TempFolder folder;
    const std::string mark = folder.File("heard");
    // It hears the "q", then goes on as if nothing happened.
    Started program = StartScript(R"(head -c 1 >"$0"; exec sleep 30)", { mark });

    const auto asked = Clock::now();
    const StopOutcome outcome
        = StopAndReap(program.child, StopRequest::ByQuitKey(std::move(program.input), kShortGrace));
    const auto took = Clock::now() - asked;

    EXPECT_TRUE(outcome.forced);
    EXPECT_EQ(Contents(mark), "q");
    EXPECT_EQ(program.child.TerminatingSignal(), SIGKILL);
    EXPECT_GE(took, kShortGrace);
    EXPECT_LT(took, kShortGrace + 500ms);
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST(StopPolicy, ASignalRequestLetsTheProgramFinishCleanly)
{
    Started program = StartTrapped("trap 'exit 3' TERM", "while :; do sleep 0.05; done");
    const StopOutcome outcome = StopAndReap(program.child, StopRequest::BySignal(SIGTERM, kShortGrace));
    EXPECT_FALSE(outcome.forced);
    EXPECT_EQ(program.child.ExitCode(), 3);
}

TEST(StopPolicy, AProgramThatIgnoresTheSignalIsKilledAfterTheGracePeriod)
{
    Started program = StartTrapped("trap '' TERM INT", "exec sleep 30");
    const auto asked = Clock::now();
    const StopOutcome outcome = StopAndReap(program.child, StopRequest::BySignal(SIGTERM, kShortGrace));
    EXPECT_TRUE(outcome.forced);
    EXPECT_GE(Clock::now() - asked, kShortGrace);
    EXPECT_EQ(program.child.TerminatingSignal(), SIGKILL);
}

TEST(StopPolicy, TheStepsNeverBlockAndFinishAtTheDeadline)
{
    Started program = StartTrapped("trap '' TERM INT", "exec sleep 30");
    const auto asked = Clock::now();
    ProcessStop stop(program.child, StopRequest::BySignal(SIGTERM, kShortGrace));
    EXPECT_EQ(stop.Advance(), StopState::Waiting);
    EXPECT_LT(Clock::now() - asked, 50ms);
    EXPECT_GT(stop.TimeLeft(), kShortGrace - 100ms);
    EXPECT_LE(stop.TimeLeft(), kShortGrace);
    EXPECT_TRUE(program.child.IsRunning());

    std::this_thread::sleep_for(stop.TimeLeft());
    const auto beforeLastStep = Clock::now();
    EXPECT_EQ(stop.Advance(), StopState::Done);
    EXPECT_LT(Clock::now() - beforeLastStep, 200ms); // kill and reap only
    EXPECT_TRUE(stop.WasForced());
    EXPECT_EQ(stop.TimeLeft(), 0ms);
    EXPECT_FALSE(program.child.IsRunning());
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST(StopPolicy, AProgramThatHasAlreadyEndedIsOnlyReaped)
{
    Started program = StartScript("exit 4");
    std::this_thread::sleep_for(100ms);
    ProcessStop stop(program.child, StopRequest::ByQuitKey(std::move(program.input)));
    EXPECT_EQ(stop.Advance(), StopState::Done);
    EXPECT_FALSE(stop.WasForced());
    EXPECT_EQ(program.child.ExitCode(), 4);
}

TEST(StopPolicy, TheGracePeriodsLeaveANestedStopRoomToFinish)
{
    // tarvoconverter stops its ffmpeg with the policy; whoever stops
    // tarvoconverter must wait longer than that.
    EXPECT_GT(kSupervisorStopGracePeriod, kStopGracePeriod + 500ms);
}
