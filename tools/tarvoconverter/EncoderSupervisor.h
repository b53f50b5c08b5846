// Watches a running ffmpeg: turns its progress into status lines, keeps its
// last complaint, collects the frames it writes for our own picture writers,
// and stops it on request ("q" or the end of a piped standard input, or
// SIGINT/SIGTERM/SIGHUP to us). A stopped ffmpeg gets SIGINT, which makes it
// finish the output properly; if it has not ended after a grace period it
// is killed, so that nothing hangs.
#pragma once

#include "FileDescriptor.h"
#include "ffmpeg/ProgressReader.h"

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace kelvara::tarvo {

constexpr std::chrono::milliseconds kStopGracePeriod { 3000 };

struct RunChannels {
    FileDescriptor progress; // ffmpeg's -progress stream
    FileDescriptor errors; // ffmpeg's standard error
    std::vector<FileDescriptor> frames; // one per own picture, in order
    int controlInput = -1; // our standard input when it is a pipe, else -1 (not owned)
    FileDescriptor signals; // from BlockControlSignals()
};

struct SupervisedRun {
    int waitStatus = 0;
    bool stopRequested = false;
    bool forcedToEnd = false;
    std::string lastErrorLine;
    std::vector<std::string> frames;
    ProgressSnapshot progress; // the last report
};

// Blocks SIGCHLD and the stop signals for this process (the child gets a
// clear mask) and returns a descriptor that reports them. Call before the
// child is started, so that its end is never missed.
FileDescriptor BlockControlSignals();

// Standard input counts as a control channel only when it is a pipe (or a
// socket); a terminal or /dev/null is ignored.
bool IsPipe(int fd);

class EncoderSupervisor {
public:
    using ProgressHandler = std::function<void(const ProgressSnapshot&)>;

    EncoderSupervisor(pid_t child, RunChannels channels, ProgressHandler onProgress);

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

    pid_t m_child;
    RunChannels m_channels;
    ProgressHandler m_onProgress;
    ProgressReader m_progressReader;
    SupervisedRun m_result;
    std::string m_errorLineBuffer;
    bool m_reaped = false;
    std::chrono::steady_clock::time_point m_killDeadline;
};

} // namespace kelvara::tarvo
