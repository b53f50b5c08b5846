// A started program that is always reaped: by TryReap/Wait, or at the latest
// by the destructor, which ends it first. No child is ever left behind.
#pragma once

#include "UniqueFd.h"

#include <sys/types.h>

namespace kelvara {

class ChildProcess {
public:
    ChildProcess() = default;
    // Takes charge of a child of this process that nobody else reaps.
    explicit ChildProcess(pid_t pid);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ~ChildProcess();

    bool IsRunning() const { return m_pid > 0 && !m_reaped; }
    pid_t Pid() const { return m_pid; }

    // Reaps the child when it has ended; true once it has been reaped.
    bool TryReap();
    // Waits until the child ends and reaps it.
    void Wait();
    // Sends a signal to a child that has not been reaped (so the pid cannot
    // have been given to another process meanwhile).
    void Signal(int signalNumber);
    // Ends the child for good (SIGKILL) and reaps it.
    void KillAndReap();

    // A descriptor that becomes readable when the child ends (a pidfd), or
    // -1 where the kernel has none; waiting loops then fall back to a timer.
    int ExitNotifier() const { return m_pidFd.Get(); }

    // Valid once reaped: the exit code, or -1 when a signal ended it.
    int ExitCode() const { return m_exitCode; }
    // Valid once reaped: the signal that ended it, 0 if it exited.
    int TerminatingSignal() const { return m_signal; }

private:
    void Release();
    void Record(int waitStatus);

    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_exitCode = -1;
    int m_signal = 0;
    UniqueFd m_pidFd;
};

} // namespace kelvara
