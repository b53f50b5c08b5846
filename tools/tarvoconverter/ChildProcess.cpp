#include "ChildProcess.h"

#include "FileDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvara::tarvo {

namespace {

// Above every descriptor the child is given, so that moving one into
// place never overwrites another that still has to be moved.
constexpr int kScratchFdBase = 64;

constexpr int kSignalsToReset[] = { SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGCHLD, SIGQUIT };

// Runs in the child between fork and exec: async-signal-safe calls only.
[[noreturn]] void ExecInChild(pid_t parent, const char* program, char* const argv[],
    const std::vector<ChildFd>& fds, int* scratch, int errorPipe)
{
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) // the parent ended before the line above
        ::_exit(127);
    for (std::size_t i = 0; i < fds.size(); ++i)
        scratch[i] = ::fcntl(fds[i].parentFd, F_DUPFD_CLOEXEC, kScratchFdBase);
    for (std::size_t i = 0; i < fds.size(); ++i)
        ::dup2(scratch[i], fds[i].childFd); // the copy is inherited: dup2 clears close-on-exec
    struct sigaction defaultAction { };
    defaultAction.sa_handler = SIG_DFL;
    for (int signal : kSignalsToReset)
        ::sigaction(signal, &defaultAction, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execvp(program, argv);
    const int error = errno;
    [[maybe_unused]] ssize_t ignored = ::write(errorPipe, &error, sizeof error);
    ::_exit(127);
}

} // namespace

StartedChild StartChild(
    const std::string& program, const std::vector<std::string>& arguments, const std::vector<ChildFd>& fds)
{
    // Everything the child needs is prepared before fork: it may not allocate.
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<int> scratch(fds.size());

    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0)
        return { -1, errno };
    FileDescriptor errorReader(errorPipe[0]);
    FileDescriptor errorWriter(errorPipe[1]);

    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0)
        return { -1, errno };
    if (pid == 0)
        ExecInChild(parent, program.c_str(), argv.data(), fds, scratch.data(), errorWriter.get());

    errorWriter.reset();
    int childError = 0;
    ssize_t got;
    do
        got = ::read(errorReader.get(), &childError, sizeof childError);
    while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof childError)) { // exec failed: the child is gone
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) { }
        return { -1, childError };
    }
    return { pid, 0 };
}

} // namespace kelvara::tarvo
