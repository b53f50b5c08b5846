#include "Spawner.h"

#include "Expect.h"
#include "ProgramLookup.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/close_range.h>
#include <pthread.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara {

namespace {

// What a child that failed to start reports through its error pipe.
struct ChildFailure {
    SpawnStep step;
    int error;
};

// Everything the child needs, prepared before it starts: until it execs, the
// child of a threaded program may only make async-signal-safe calls (no
// allocation, no locks).
struct ChildPlan {
    const char* path;
    char* const* argv;
    char* const* envp;
    const DescriptorMapping* mappings;
    std::size_t mappingCount;
    int* scratch; // one per mapping
    int scratchBase; // above every descriptor the child is given
    int highestDescriptor; // for marking descriptors close-on-exec one by one
    const char* workingDirectory; // nullptr: ours
    int parentDeathSignal;
    bool newSession;
    pid_t parent;
    int errorPipe;
};

[[noreturn]] void FailInChild(int errorPipe, SpawnStep step)
{
    const ChildFailure failure { step, errno };
    [[maybe_unused]] const ssize_t written = ::write(errorPipe, &failure, sizeof failure);
    ::_exit(127);
}

bool IsMapped(const ChildPlan& plan, int childFd)
{
    for (std::size_t i = 0; i < plan.mappingCount; ++i) {
        if (plan.mappings[i].childFd == childFd)
            return true;
    }
    return false;
}

void MarkAllCloseOnExec(const ChildPlan& plan)
{
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    for (int fd = 3; fd <= plan.highestDescriptor; ++fd)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Lifts our descriptors above every target first, so that moving one into
// place never overwrites another that still has to be moved.
void ArrangeDescriptors(const ChildPlan& plan, int errorPipe)
{
    for (std::size_t i = 0; i < plan.mappingCount; ++i) {
        plan.scratch[i] = ::fcntl(plan.mappings[i].parentFd, F_DUPFD_CLOEXEC, plan.scratchBase);
        if (plan.scratch[i] < 0)
            FailInChild(errorPipe, SpawnStep::Descriptors);
    }
    const int nothing = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (nothing < 0)
        FailInChild(errorPipe, SpawnStep::Descriptors);
    for (int standard = 0; standard <= 2; ++standard) {
        if (!IsMapped(plan, standard) && ::dup2(nothing, standard) < 0)
            FailInChild(errorPipe, SpawnStep::Descriptors);
    }
    MarkAllCloseOnExec(plan);
    for (std::size_t i = 0; i < plan.mappingCount; ++i) {
        // The copy is inherited: dup2 clears close-on-exec on the target.
        if (::dup2(plan.scratch[i], plan.mappings[i].childFd) < 0)
            FailInChild(errorPipe, SpawnStep::Descriptors);
    }
}

void ResetSignals()
{
    struct sigaction defaultAction { };
    defaultAction.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        if (signal != SIGKILL && signal != SIGSTOP)
            ::sigaction(signal, &defaultAction, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

[[noreturn]] void RunChild(const ChildPlan& plan)
{
    // Our error pipe moves above the targets too, or a mapping could replace it.
    const int errorPipe = ::fcntl(plan.errorPipe, F_DUPFD_CLOEXEC, plan.scratchBase);
    if (errorPipe < 0)
        ::_exit(127);
    if (plan.newSession && ::setsid() < 0)
        FailInChild(errorPipe, SpawnStep::Session);
    if (plan.parentDeathSignal != 0) {
        ::prctl(PR_SET_PDEATHSIG, plan.parentDeathSignal);
        // The parent may have ended before the line above took effect.
        if (::getppid() != plan.parent)
            ::_exit(127);
    }
    ArrangeDescriptors(plan, errorPipe);
    if (plan.workingDirectory && ::chdir(plan.workingDirectory) != 0)
        FailInChild(errorPipe, SpawnStep::WorkingFolder);
    ResetSignals();
    ::execve(plan.path, plan.argv, plan.envp);
    FailInChild(errorPipe, SpawnStep::Execute);
}

std::vector<std::string> ChildEnvironment(const std::vector<std::string>& changes)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view text(*entry);
        const bool replaced = std::any_of(changes.begin(), changes.end(), [&](const std::string& change) {
            const std::size_t nameEnd = change.find('=');
            return nameEnd != std::string::npos
                && text.substr(0, nameEnd + 1) == std::string_view(change).substr(0, nameEnd + 1);
        });
        if (!replaced)
            result.emplace_back(text);
    }
    result.insert(result.end(), changes.begin(), changes.end());
    return result;
}

std::vector<char*> PointersTo(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

int ScratchBase(const std::vector<DescriptorMapping>& mappings)
{
    int highest = 2;
    for (const DescriptorMapping& mapping : mappings)
        highest = std::max(highest, mapping.childFd);
    return highest + 1;
}

// Reads what the child reported: nothing when exec succeeded (the pipe
// closed with it).
std::optional<ChildFailure> ReadChildFailure(int errorPipe)
{
    ChildFailure failure {};
    ssize_t got;
    do {
        got = ::read(errorPipe, &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof failure))
        return failure;
    return std::nullopt;
}

int RunChildOnItsStack(void* plan)
{
    RunChild(*static_cast<const ChildPlan*>(plan));
}

// The address sanitizer keeps its own books for every thread's stack and
// for the signal handlers: a child that shares our memory would write in
// them. Its builds fork.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kChildSharesMemory = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kChildSharesMemory = false;
#else
constexpr bool kChildSharesMemory = true;
#endif
#else
constexpr bool kChildSharesMemory = true;
#endif

// The child shares our memory until it execs, and we wait for that, as
// vfork does: a fork would copy the page tables of a large window program
// for every job, and every page we then write would be copied once more.
// The child writes nothing of ours but its own stack and the plan's
// scratch, and changes its own signal handlers only (it has a copy of the
// table).
pid_t CloneSharingMemory(const ChildPlan& plan)
{
    constexpr std::size_t kChildStackBytes = std::size_t { 256 } * 1024;
    void* stack = ::mmap(nullptr, kChildStackBytes, PROT_READ | PROT_WRITE,
        MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK | MAP_NORESERVE, -1, 0);
    if (stack == MAP_FAILED)
        return -1;
    const pid_t pid = ::clone(RunChildOnItsStack, static_cast<char*>(stack) + kChildStackBytes,
        CLONE_VM | CLONE_VFORK | SIGCHLD, const_cast<ChildPlan*>(&plan));
    const int cloneError = errno;
    ::munmap(stack, kChildStackBytes);
    errno = cloneError;
    return pid;
}

pid_t StartChild(const ChildPlan& plan)
{
    // No handler of ours may run in the child before it resets them.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    pid_t pid = -1;
    if constexpr (kChildSharesMemory) {
        pid = CloneSharingMemory(plan);
    } else {
        pid = ::fork();
        if (pid == 0)
            RunChild(plan);
    }
    const int startError = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = startError;
    return pid;
}

SpawnResult Failed(SpawnStep step, int error)
{
    SpawnResult result;
    result.failedStep = step;
    result.error = error;
    return result;
}

} // namespace

SpawnResult Spawn(const SpawnRequest& request)
{
    if (request.arguments.empty())
        return Failed(SpawnStep::FindProgram, EINVAL);
    for (const DescriptorMapping& mapping : request.descriptors) // a failed pipe is not passed on
        KELVARA_EXPECT(mapping.childFd >= 0 && mapping.parentFd >= 0);
    // A path goes to exec as it is: exec then says exactly why it cannot run.
    std::string path = request.program;
    if (path.find('/') == std::string::npos) {
        const ProgramLookup found = FindProgram(request.program);
        if (!found.Found())
            return Failed(SpawnStep::FindProgram, found.error);
        path = found.path;
    }

    std::vector<std::string> arguments = request.arguments;
    std::vector<std::string> environment = ChildEnvironment(request.environmentChanges);
    const std::vector<char*> argv = PointersTo(arguments);
    const std::vector<char*> envp = PointersTo(environment);
    std::vector<int> scratch(request.descriptors.size());
    std::optional<PipeEnds> errorPipe = CreatePipe();
    if (!errorPipe)
        return Failed(SpawnStep::Prepare, errno);

    const long openMax = ::sysconf(_SC_OPEN_MAX);
    const ChildPlan plan { path.c_str(), argv.data(), envp.data(), request.descriptors.data(),
        request.descriptors.size(), scratch.data(), ScratchBase(request.descriptors),
        static_cast<int>(std::clamp(openMax, 256L, 65536L)),
        request.workingDirectory.empty() ? nullptr : request.workingDirectory.c_str(),
        request.parentDeathSignal, request.newSession, ::getpid(), errorPipe->writeEnd.Get() };
    const pid_t pid = StartChild(plan);
    if (pid < 0)
        return Failed(SpawnStep::Fork, errno);

    ChildProcess child(pid);
    errorPipe->writeEnd.Close();
    if (const std::optional<ChildFailure> failure = ReadChildFailure(errorPipe->readEnd.Get())) {
        child.Wait();
        return Failed(failure->step, failure->error);
    }
    SpawnResult result;
    result.child = std::move(child);
    return result;
}

std::string SpawnResult::Reason(const std::string& program) const
{
    const std::string cause = std::strerror(error);
    switch (failedStep) {
    case SpawnStep::None:
        return {};
    case SpawnStep::FindProgram:
        return "cannot find " + program + ": " + cause;
    case SpawnStep::WorkingFolder:
        return "cannot start " + program + " in its working folder: " + cause;
    case SpawnStep::Prepare:
    case SpawnStep::Fork:
    case SpawnStep::Descriptors:
    case SpawnStep::Session:
    case SpawnStep::Execute:
        break;
    }
    return "cannot start " + program + ": " + cause;
}

} // namespace kelvara
