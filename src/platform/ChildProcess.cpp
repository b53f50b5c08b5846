#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kelvara::platform {

namespace {

int OpenPidFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    const long fd = ::syscall(SYS_pidfd_open, pid, 0);
    if (fd >= 0) {
        ::fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
        return static_cast<int>(fd);
    }
#endif
    (void)pid;
    return -1;
}

// Gives the child `fd` as standard stream `target`, or /dev/null.
int AddStream(posix_spawn_file_actions_t& actions, int fd, int target)
{
    if (fd < 0)
        return posix_spawn_file_actions_addopen(
            &actions, target, "/dev/null", target == 0 ? O_RDONLY : O_WRONLY, 0);
    return posix_spawn_file_actions_adddup2(&actions, fd, target);
}

} // namespace

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1))
    , m_reaped(other.m_reaped)
    , m_exitCode(other.m_exitCode)
    , m_signal(other.m_signal)
    , m_pidFd(std::move(other.m_pidFd))
{
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept
{
    if (this != &other) {
        KillAndReap();
        m_pid = std::exchange(other.m_pid, -1);
        m_reaped = other.m_reaped;
        m_exitCode = other.m_exitCode;
        m_signal = other.m_signal;
        m_pidFd = std::move(other.m_pidFd);
    }
    return *this;
}

ChildProcess::~ChildProcess()
{
    KillAndReap();
}

void ChildProcess::Reset()
{
    m_pid = -1;
    m_reaped = false;
    m_exitCode = -1;
    m_signal = 0;
    m_pidFd.Close();
}

bool ChildProcess::Spawn(const SpawnRequest& request)
{
    KillAndReap();
    Reset();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int failure = AddStream(actions, request.standardInput, 0);
    if (failure == 0)
        failure = AddStream(actions, request.standardOutput, 1);
    if (failure == 0)
        failure = AddStream(actions, request.standardError, 2);
    if (failure == 0 && !request.workingDirectory.empty())
        failure = posix_spawn_file_actions_addchdir_np(&actions, request.workingDirectory.c_str());
    if (failure == 0)
        failure = posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    // The child starts with default signal handling, whatever the parent
    // ignores (a GUI ignores SIGPIPE; an encoder must not inherit that).
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t noMask;
    sigemptyset(&noMask);
    posix_spawnattr_setsigmask(&attributes, &noMask);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> argv;
    for (const std::string& argument : request.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = -1;
    if (failure == 0)
        failure = posix_spawn(&pid, request.program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        errno = failure;
        return false;
    }
    m_pid = pid;
    m_pidFd = UniqueFd(OpenPidFd(pid));
    return true;
}

bool ChildProcess::TryReap()
{
    if (m_pid <= 0)
        return true;
    if (m_reaped)
        return true;
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(m_pid, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return false;
    m_reaped = true;
    m_pidFd.Close();
    if (result < 0) {
        // Someone else reaped it; treat it as gone without a status.
        m_exitCode = -1;
        return true;
    }
    if (WIFEXITED(status)) {
        m_exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        m_exitCode = -1;
        m_signal = WTERMSIG(status);
    }
    return true;
}

void ChildProcess::Signal(int signalNumber)
{
    if (IsRunning())
        ::kill(m_pid, signalNumber);
}

void ChildProcess::KillAndReap()
{
    if (!IsRunning())
        return;
    if (TryReap())
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    pid_t result;
    do {
        result = ::waitpid(m_pid, &status, 0);
    } while (result < 0 && errno == EINTR);
    m_reaped = true;
    m_exitCode = -1;
    m_signal = SIGKILL;
    m_pidFd.Close();
}

} // namespace kelvara::platform
