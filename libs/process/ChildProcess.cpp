#include "ChildProcess.h"

#include "Expect.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvara {

namespace {

int OpenPidFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    // pidfds are close-on-exec from birth.
    const long fd = ::syscall(SYS_pidfd_open, pid, 0);
    if (fd >= 0)
        return static_cast<int>(fd);
#endif
    (void)pid;
    return -1;
}

pid_t WaitFor(pid_t pid, int& status, int options)
{
    pid_t result;
    do {
        result = ::waitpid(pid, &status, options);
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace

ChildProcess::ChildProcess(pid_t pid)
    : m_pid(pid)
    , m_pidFd(OpenPidFd(pid))
{
    // 0 or -1 would make a kill reach our whole process group, or everyone.
    KELVARA_EXPECT(pid > 0);
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1))
    , m_reaped(std::exchange(other.m_reaped, false))
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
        m_reaped = std::exchange(other.m_reaped, false);
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

void ChildProcess::Record(int waitStatus)
{
    m_reaped = true;
    m_pidFd.Close();
    if (WIFEXITED(waitStatus)) {
        m_exitCode = WEXITSTATUS(waitStatus);
        m_signal = 0;
    } else if (WIFSIGNALED(waitStatus)) {
        m_exitCode = -1;
        m_signal = WTERMSIG(waitStatus);
    }
}

void ChildProcess::Release()
{
    // Someone else reaped it (ECHILD): gone, without a status.
    m_reaped = true;
    m_exitCode = -1;
    m_pidFd.Close();
}

bool ChildProcess::TryReap()
{
    if (!IsRunning())
        return true;
    int status = 0;
    const pid_t result = WaitFor(m_pid, status, WNOHANG);
    if (result == 0)
        return false;
    if (result < 0)
        Release();
    else
        Record(status);
    return true;
}

void ChildProcess::Wait()
{
    if (!IsRunning())
        return;
    int status = 0;
    if (WaitFor(m_pid, status, 0) < 0)
        Release();
    else
        Record(status);
}

void ChildProcess::Signal(int signalNumber)
{
    if (IsRunning())
        ::kill(m_pid, signalNumber);
}

void ChildProcess::KillAndReap()
{
    if (!IsRunning() || TryReap())
        return;
    ::kill(m_pid, SIGKILL);
    Wait();
}

} // namespace kelvara
