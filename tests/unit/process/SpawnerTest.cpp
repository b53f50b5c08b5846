// The spawner: what a child gets (arguments, descriptors, folder,
// environment, signals, session), how a failed start is reported, and that
// nothing of ours leaks into it or stays behind.
#include "process/Spawner.h"
#include "support/Processes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace kelvara;
using kelvara::testing::ChildrenOfThisProcess;
using kelvara::testing::OpenDescriptorCount;

namespace {

// Runs `script` in sh with its standard output into a pipe; returns the
// output and the exit code.
struct ScriptRun {
    std::string output;
    int exitCode = -1;
    SpawnResult spawn;
};

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

ScriptRun RunScript(const std::string& script, SpawnRequest request = {})
{
    ScriptRun run;
    std::optional<PipeEnds> output = CreatePipe();
    if (!output)
        return run;
    request.program = "sh";
    request.arguments = { "sh", "-c", script };
    request.descriptors.push_back({ 1, output->writeEnd.Get() });
    run.spawn = Spawn(request);
    output->writeEnd.Close();
    if (!run.spawn.Started())
        return run;
    run.output = ReadAll(output->readEnd.Get());
    run.spawn.child.Wait();
    run.exitCode = run.spawn.child.ExitCode();
    return run;
}

std::string StatusField(pid_t pid, const std::string& name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name + ":", 0) == 0)
            return line.substr(line.find_first_not_of(" \t", name.size() + 1));
    }
    return {};
}

} // namespace

TEST(Spawner, ArgumentsReachTheProgramUnchangedAndItsExitCodeComesBack)
{
    const ScriptRun run = RunScript(R"(printf '%s|' "$0" "$1"; exit 7)");
    ASSERT_TRUE(run.spawn.Started()) << run.spawn.Reason("sh");
    EXPECT_EQ(run.output, "sh||"); // argv[0] as given, nothing more
    EXPECT_EQ(run.exitCode, 7);

    std::optional<PipeEnds> output = CreatePipe();
    ASSERT_TRUE(output);
    SpawnRequest request;
    request.program = "printf";
    request.arguments = { "printf", "%s|", kelvara::testing::kHostileName, "$HOME", "" };
    request.descriptors = { { 1, output->writeEnd.Get() } };
    SpawnResult started = Spawn(request);
    output->writeEnd.Close();
    ASSERT_TRUE(started.Started());
    EXPECT_EQ(ReadAll(output->readEnd.Get()), std::string(kelvara::testing::kHostileName) + "|$HOME||");
    started.child.Wait();
    EXPECT_EQ(started.child.ExitCode(), 0);
}

TEST(Spawner, TheChildGetsExactlyTheMappedDescriptorsAndNullStandardStreams)
{
    // A descriptor of ours that is not close-on-exec must not reach it either.
    const int leaky = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(leaky, 0);
    std::optional<PipeEnds> extra = CreatePipe();
    ASSERT_TRUE(extra);
    SpawnRequest request;
    request.descriptors = { { 5, extra->writeEnd.Get() } };
    const std::string script = "echo to-five >&5; test -e /proc/$$/fd/" + std::to_string(leaky)
        + " && echo leaked; readlink /proc/$$/fd/0 /proc/$$/fd/2";
    const ScriptRun run = RunScript(script, request);
    extra->writeEnd.Close();
    ::close(leaky);

    ASSERT_TRUE(run.spawn.Started());
    EXPECT_EQ(run.output, "/dev/null\n/dev/null\n");
    EXPECT_EQ(ReadAll(extra->readEnd.Get()), "to-five\n");
}

TEST(Spawner, MappingsThatCrossEachOtherAllArrive)
{
    // Our descriptor a goes to the child's b and ours b to its a: moved in a
    // naive order one would overwrite the other.
    std::optional<PipeEnds> first = CreatePipe();
    std::optional<PipeEnds> second = CreatePipe();
    ASSERT_TRUE(first && second);
    const int a = first->writeEnd.Get();
    const int b = second->writeEnd.Get();
    SpawnRequest request;
    request.descriptors = { { b, a }, { a, b } };
    const ScriptRun run
        = RunScript("echo first >&" + std::to_string(b) + "; echo second >&" + std::to_string(a), request);
    first->writeEnd.Close();
    second->writeEnd.Close();
    ASSERT_TRUE(run.spawn.Started());
    EXPECT_EQ(ReadAll(first->readEnd.Get()), "first\n");
    EXPECT_EQ(ReadAll(second->readEnd.Get()), "second\n");
}

TEST(Spawner, WorkingFolderAndEnvironmentChangesApplyToTheChildOnly)
{
    kelvara::testing::TempFolder folder;
    SpawnRequest request;
    request.workingDirectory = folder.Path().string();
    // An entry without "=" replaces nothing (it must not wipe the rest).
    request.environmentChanges = { "KELVARA_SPAWN_TEST=one two", "HOME=/nowhere", "NO_VALUE" };
    const ScriptRun run = RunScript(R"(pwd; echo "$KELVARA_SPAWN_TEST|$HOME|${PATH:+path kept}")", request);
    ASSERT_TRUE(run.spawn.Started());
    EXPECT_EQ(
        run.output, std::filesystem::canonical(folder.Path()).string() + "\none two|/nowhere|path kept\n");
    EXPECT_EQ(std::getenv("KELVARA_SPAWN_TEST"), nullptr);
}

TEST(Spawner, TheChildStartsWithDefaultSignalsAndAnEmptyMask)
{
    // A GUI ignores SIGPIPE and a tool may block signals for signalfd; a
    // child must inherit neither.
    struct sigaction ignore { };
    ignore.sa_handler = SIG_IGN;
    struct sigaction previousPipe { };
    struct sigaction previousInt { };
    ::sigaction(SIGPIPE, &ignore, &previousPipe);
    ::sigaction(SIGINT, &ignore, &previousInt);
    sigset_t blocked;
    sigset_t previousMask;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGCHLD);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &previousMask);

    SpawnRequest request;
    request.program = "sleep";
    request.arguments = { "sleep", "30" };
    SpawnResult started = Spawn(request);

    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    ::sigaction(SIGPIPE, &previousPipe, nullptr);
    ::sigaction(SIGINT, &previousInt, nullptr);
    ASSERT_TRUE(started.Started());
    EXPECT_EQ(StatusField(started.child.Pid(), "SigIgn"), "0000000000000000");
    EXPECT_EQ(StatusField(started.child.Pid(), "SigBlk"), "0000000000000000");
}

TEST(Spawner, ANewSessionIsTheChildsOwn)
{
    SpawnRequest request;
    request.program = "sleep";
    request.arguments = { "sleep", "30" };
    request.newSession = true;
    SpawnResult own = Spawn(request);
    request.newSession = false;
    SpawnResult shared = Spawn(request);
    ASSERT_TRUE(own.Started() && shared.Started());
    EXPECT_EQ(::getsid(own.child.Pid()), own.child.Pid());
    EXPECT_EQ(::getpgid(own.child.Pid()), own.child.Pid());
    EXPECT_EQ(::getsid(shared.child.Pid()), ::getsid(0));
}

TEST(Spawner, FailedStartsSayWhichStepFailedAndLeaveNothingBehind)
{
    kelvara::testing::TempFolder folder;
    const std::string notExecutable = folder.File("plain file");
    std::ofstream(notExecutable) << "#!/bin/sh\n";
    const int descriptorsBefore = OpenDescriptorCount();

    SpawnRequest missing;
    missing.program = "no-such-program-anywhere";
    missing.arguments = { missing.program };
    const SpawnResult notFound = Spawn(missing);
    EXPECT_EQ(notFound.failedStep, SpawnStep::FindProgram);
    EXPECT_EQ(notFound.error, ENOENT);
    EXPECT_NE(notFound.Reason("x").find("No such file"), std::string::npos);

    SpawnRequest refused;
    refused.program = notExecutable;
    refused.arguments = { notExecutable };
    const SpawnResult denied = Spawn(refused);
    EXPECT_EQ(denied.failedStep, SpawnStep::Execute);
    EXPECT_EQ(denied.error, EACCES);

    SpawnRequest nowhere;
    nowhere.program = "true";
    nowhere.arguments = { "true" };
    nowhere.workingDirectory = folder.File("missing folder");
    const SpawnResult noFolder = Spawn(nowhere);
    EXPECT_EQ(noFolder.failedStep, SpawnStep::WorkingFolder);
    EXPECT_EQ(noFolder.error, ENOENT);
    EXPECT_NE(noFolder.Reason("true").find("working folder"), std::string::npos);

    EXPECT_FALSE(notFound.child.IsRunning() || denied.child.IsRunning() || noFolder.child.IsRunning());
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
    EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
}

TEST(Spawner, RunsLeaveNoDescriptorOfOursOpen)
{
    const int before = OpenDescriptorCount();
    for (int i = 0; i < 20; ++i) {
        const ScriptRun run = RunScript("echo $$");
        ASSERT_EQ(run.exitCode, 0);
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST(ChildProcessLifetime, TheDestructorEndsAndReapsARunningChild)
{
    {
        SpawnRequest request;
        request.program = "sleep";
        request.arguments = { "sleep", "30" };
        SpawnResult started = Spawn(request);
        ASSERT_TRUE(started.Started());
        ChildProcess moved = std::move(started.child);
        EXPECT_FALSE(started.child.IsRunning());
        EXPECT_TRUE(moved.IsRunning());
        EXPECT_GE(moved.ExitNotifier(), 0);
    }
    EXPECT_TRUE(ChildrenOfThisProcess().empty());
}

TEST(ChildProcessLifetime, ReapingReportsExitCodesAndSignals)
{
    SpawnRequest request;
    request.program = "sh";
    request.arguments = { "sh", "-c", "kill -TERM $$" };
    SpawnResult killed = Spawn(request);
    ASSERT_TRUE(killed.Started());
    killed.child.Wait();
    EXPECT_EQ(killed.child.ExitCode(), -1);
    EXPECT_EQ(killed.child.TerminatingSignal(), SIGTERM);
    EXPECT_EQ(killed.child.ExitNotifier(), -1); // released with the child
    EXPECT_TRUE(killed.child.TryReap());
}
