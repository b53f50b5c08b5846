// Ending the program on a termination signal: when it leaves, with which
// status, and the look at the children it waits on.
#include "AppFakes.h"

#include "app/EndingOnSignal.h"
#include "platform/ChildrenLeft.h"
#include "process/Spawner.h"

#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace kelvara::testing {
namespace {

struct FakeProgram {
    bool converting = false;
    bool programs = false;
    int stops = 0;
    int boxesClosed = 0;
    std::vector<int> left;

    EndingSteps Steps()
    {
        return { [this] { return converting; }, [this] { ++stops; }, [this] { ++boxesClosed; },
            [this] { return programs; }, [this](int status) { left.push_back(status); } };
    }
};

TEST(EndingOnSignal, LeavesOnceTheBatchHasUnwoundAndItsProgramsHaveEnded)
{
    FakeProgram program;
    program.converting = program.programs = true;
    EndingOnSignal ending(program.Steps());
    ending.OnSignal(SIGTERM);
    ending.OnSignal(SIGINT); // changes nothing
    EXPECT_EQ(program.stops, 1);
    EXPECT_GE(program.boxesClosed, 1) << "a box left open would hold the batch under it";

    program.converting = false; // unwound; its programs still finish their files
    QTest::qWait(150);
    const int stops = program.stops;
    program.converting = true; // START pressed meanwhile: that batch is stopped too
    QTest::qWait(150);
    EXPECT_GT(program.stops, stops);
    EXPECT_TRUE(program.left.empty());
    program.converting = false;
    program.programs = false;
    EXPECT_TRUE(WaitFor([&] { return !program.left.empty(); }));
    EXPECT_EQ(program.left, std::vector<int> { 128 + SIGTERM });
}

TEST(EndingOnSignal, AnIdleProgramLeavesAtOnceAndAStuckOneAtTheLimit)
{
    FakeProgram idle;
    EndingOnSignal atOnce(idle.Steps());
    atOnce.OnSignal(SIGHUP);
    EXPECT_EQ(idle.left, std::vector<int> { 128 + SIGHUP });
    EXPECT_EQ(idle.stops, 0);

    FakeProgram stuck;
    stuck.programs = true;
    EndingOnSignal limited(stuck.Steps(), std::chrono::milliseconds(300));
    QElapsedTimer clock;
    clock.start();
    limited.OnSignal(SIGINT);
    EXPECT_TRUE(WaitFor([&] { return !stuck.left.empty(); }));
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_EQ(stuck.left, std::vector<int> { 128 + SIGINT });
}

// The look leaves the child to its owner: it still reads the exit status.
TEST(EndingOnSignal, AChildIsLeftUntilItsOwnerHasReapedIt)
{
    ASSERT_FALSE(platform::AnyChildProcessLeft());
    SpawnRequest request;
    request.program = "true";
    request.arguments = { "true" };
    SpawnResult started = Spawn(request);
    ASSERT_TRUE(started.Started());
    siginfo_t ended {};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(started.child.Pid()), &ended, WEXITED | WNOWAIT), 0);
    EXPECT_TRUE(platform::AnyChildProcessLeft());
    ASSERT_TRUE(started.child.TryReap());
    EXPECT_EQ(started.child.ExitCode(), 0);
    EXPECT_FALSE(platform::AnyChildProcessLeft());
}

} // namespace
} // namespace kelvara::testing
