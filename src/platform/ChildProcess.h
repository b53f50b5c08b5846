// A started program that is always reaped: by Wait/TryReap, or at the latest
// by the destructor, which ends it first. No child is ever left behind.
#pragma once

#include "UniqueFd.h"

#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kelvara::platform {

struct SpawnRequest {
    std::string program; // full path of the executable
    std::vector<std::string> arguments; // argv, arguments[0] included
    std::string workingDirectory; // empty: the parent's
    // Descriptors for the child's standard streams; -1 gives it /dev/null.
    int standardInput = -1;
    int standardOutput = -1;
    int standardError = -1;
};

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ~ChildProcess();

    // Starts the program; on failure returns false with errno set.
    bool Spawn(const SpawnRequest& request);

    bool IsRunning() const { return m_pid > 0 && !m_reaped; }
    pid_t Pid() const { return m_pid; }

    // Reaps the child when it has ended; true once it has been reaped.
    bool TryReap();
    // Sends a signal to a child that has not been reaped.
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
    void Reset();

    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_exitCode = -1;
    int m_signal = 0;
    UniqueFd m_pidFd;
};

} // namespace kelvara::platform
