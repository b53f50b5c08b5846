// Runs programs for the tests without a shell (paths with quotes, blanks
// and $ go through unchanged) and lets a test drive a running converter.
#pragma once

#include "process/ChildProcess.h"
#include "process/UniqueFd.h"
#include "support/Processes.h"

#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace kelvara::tarvo::testing {

using namespace std::chrono_literals;

using Environment = std::vector<std::pair<std::string, std::string>>;

struct ProgramResult {
    int exitCode = -1; // -1 when ended by a signal or still running at the time limit
    bool timedOut = false;
    std::string out;
    std::string err;
};

ProgramResult RunProgram(const std::vector<std::string>& argv, std::chrono::milliseconds timeLimit = 30s,
    const Environment& environment = {});

enum class InputKind { Pipe, DevNull };

// Kelvara reads standard output and standard error through one pipe.
enum class ErrorOutput { Separate, JoinedWithOutput };

class RunningProgram {
public:
    RunningProgram(const std::vector<std::string>& argv, InputKind input, const Environment& environment = {},
        ErrorOutput errors = ErrorOutput::Separate);
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram();

    pid_t pid() const { return m_child.Pid(); }
    void WriteInput(const std::string& text);
    void CloseInput();
    // Like a caller that stops listening: our end of its output goes away.
    void CloseOutput();
    // Reads standard output for a while and returns what came.
    std::string ReadOutputFor(std::chrono::milliseconds duration);
    // Reads until the program ends (or the limit), then reaps it.
    ProgramResult finish(std::chrono::milliseconds timeLimit);

private:
    void pump(std::chrono::milliseconds duration, bool untilEnd);

    ChildProcess m_child;
    UniqueFd m_input;
    UniqueFd m_output;
    UniqueFd m_errors;
    std::string m_out;
    std::string m_err;
};

using kelvara::testing::ChildrenOf;
using kelvara::testing::IsRunning;

} // namespace kelvara::tarvo::testing
