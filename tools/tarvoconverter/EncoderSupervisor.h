// Watches a running ffmpeg: turns its progress into status lines, keeps its
// last complaint, collects the frames it writes for our own picture writers,
// and stops it on request ("q" or the end of a piped standard input, or
// SIGINT/SIGTERM/SIGHUP to us) through the stop policy: ffmpeg is asked with
// SIGINT, on which it finishes the output properly (and which, unlike a "q"
// it would read only once its input is open, also ends a stalled opening);
// if it has not ended after the grace period it is killed, so nothing hangs.
#pragma once

#include "ffmpeg/ProgressReader.h"
#include "process/ChildProcess.h"
#include "process/ProcessStop.h"
#include "process/UniqueFd.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kelvara::tarvo {

struct RunChannels {
    UniqueFd progress; // ffmpeg's -progress stream
    UniqueFd errors; // ffmpeg's standard error
    std::vector<UniqueFd> frames; // one per own picture, in order
    int controlInput = -1; // our standard input when it is a pipe, else -1 (not owned)
    UniqueFd signals; // from BlockControlSignals()
};

struct SupervisedRun {
    int exitCode = -1; // -1 when a signal ended it
    int terminatingSignal = 0;
    bool stopRequested = false;
    bool forcedToEnd = false;
    std::string lastErrorLine;
    std::vector<std::string> frames;
    ProgressSnapshot progress; // the last report
};

// Blocks SIGCHLD and the stop signals for this process (the child gets a
// clear mask) and returns a descriptor that reports them. Call before the
// child is started, so that its end is never missed.
UniqueFd BlockControlSignals();

// Standard input counts as a control channel only when it is a pipe (or a
// socket); a terminal or /dev/null is ignored.
bool IsPipe(int fd);

class EncoderSupervisor {
public:
    using ProgressHandler = std::function<void(const ProgressSnapshot&)>;

    EncoderSupervisor(ChildProcess& child, RunChannels channels, ProgressHandler onProgress);

    // Returns once the child has ended and its output has been read.
    SupervisedRun Run();

private:
    void PollOnce();
    void HandleSignals();
    void ReadControlInput();
    void ReadProgress();
    void ReadErrors();
    void ReadFrame(std::size_t index);
    void RequestStop();
    void TryReap();
    void Drain();
    int PollTimeout() const;

    ChildProcess& m_child;
    RunChannels m_channels;
    ProgressHandler m_onProgress;
    ProgressReader m_progressReader;
    SupervisedRun m_result;
    std::string m_errorLineBuffer;
    bool m_reaped = false;
    std::optional<ProcessStop> m_stop;
};

} // namespace kelvara::tarvo
