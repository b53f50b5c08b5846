// Runs the encoder for one job: its console text comes through a pipe and is
// parsed into the job while the window keeps being serviced; "q" on its
// standard input asks it to finish. Also runs the auxiliary tools of
// multi-step device conversions.
#pragma once

#include "jobs/JobRecord.h"
#include "process/ChildProcess.h"
#include "process/ProcessStop.h"
#include "process/UniqueFd.h"
#include "runner/ConversionContext.h"
#include "runner/EncodeSpeed.h"
#include "runner/EncoderCommand.h"

#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

// How one run ended, so that a failure is never reported as a success.
struct RunOutcome {
    bool started = false;
    bool stopped = false; // the user pressed Stop during the run
    int exitCode = -1; // -1 when not started or ended by a signal
    std::string reason; // why it failed: the tool's last error lines

    bool Succeeded() const { return started && !stopped && exitCode == 0; }
};

class EncoderRunner {
public:
    explicit EncoderRunner(ConversionContext& context);
    ~EncoderRunner();
    EncoderRunner(const EncoderRunner&) = delete;
    EncoderRunner& operator=(const EncoderRunner&) = delete;

    // Starts the encoder and reads its output until it ends, the stop flag is
    // set, or the encoder was asked to quit; the encoder is reaped before
    // this returns.
    RunOutcome RunEncoder(const EncoderCommand& command, int jobIndex);

    // Releases the output reader, writes "q" (one byte) and releases the
    // input writer. Each is released once; later calls do nothing.
    void AskEncoderToQuit();

    // Runs a second tool without pipes and waits for it, servicing the
    // window; stops it (SIGTERM, then the stop policy) when Stop is pressed.
    RunOutcome RunHelperAndWait(const EncoderCommand& command);

    void SetJobStage(JobStage stage, int jobIndex);

    // Parses one chunk of console text into the job and redraws its status.
    void ParseEncoderOutput(std::string_view chunk, int jobIndex);

    // The diagnostic texts of failed process and pipe calls of the last run.
    const std::vector<std::string>& Diagnostics() const { return m_diagnostics; }

private:
    bool StartEncoderProcess(int standardOutput, int standardInput, const std::vector<std::string>& arguments,
        std::string& reason);
    void ReadEncoderOutput(int jobIndex);
    // Waits, servicing the window, until the process ends or `timeoutMs` passes.
    bool WaitForExit(ChildProcess& process, int timeoutMs);
    // Runs the stop policy, servicing the window while it waits.
    void StopServicingWindow(ChildProcess& process, StopRequest request);
    void FinishProcess(RunOutcome& outcome);
    void Report(const std::string& api, int errorCode);
    void RememberOutput(std::string_view chunk);
    std::optional<std::vector<std::string>> ResolveCommand(
        const EncoderCommand& command, RunOutcome& outcome);

    ConversionContext& m_context;
    UniqueFd m_outputReader;
    UniqueFd m_inputWriter;
    ChildProcess m_encoder;
    std::string m_outputTail;
    std::vector<std::string> m_diagnostics;
    EncodeSpeed m_speed;
};

} // namespace kelvara
