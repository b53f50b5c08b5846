// The one way the project stops a program it started: ask politely, give it
// a grace period to finish its file, then end it for real; always reap.
//
// The four places that drive it:
// - the encoder runner (src/runner/EncoderRunner.cpp, StopServicingWindow):
//   steps a ProcessStop while it keeps the window serviced; tarvoconverter
//   by the quit key with kSupervisorStopGracePeriod, the auxiliary tools
//   (pmpmux) by SIGTERM;
// - the background stop (src/platform/BackgroundStop.cpp, StopInBackground):
//   steps a ProcessStop on the event loop's timer and the child's exit
//   notifier, or runs StopAndReap where there is no event loop to return to;
// - the video-editing component's ffmpeg (src/videoedit/FfmpegRun.cpp,
//   FfmpegRun::Stop): asked by SIGINT and handed to the background stop, so
//   the window never waits for it;
// - tarvoconverter's supervisor (tools/tarvoconverter/EncoderSupervisor.cpp,
//   RequestStop): steps a ProcessStop inside its poll loop; ffmpeg by SIGINT.
// The program's end on a signal (src/app/EndingOnSignal.h) waits at most
// kSupervisorStopGracePeriod for them.
//
// The times rest on these observations:
// - ffmpeg asked to stop finishes its output (trailer, index) in well under
//   a second for the files we write, even on a loaded two-core machine; a
//   program that has not ended three seconds after being asked is stuck
//   (a stalled input, a signal it ignores), and waiting longer only delays
//   the user.
// - A program that itself stops a child this way (tarvoconverter stops its
//   ffmpeg) needs that child's grace period before it can end, and then a
//   moment to finish its own output (its own picture writers): twice the
//   period and a second more covers both.
#pragma once

#include "ChildProcess.h"
#include "UniqueFd.h"

#include <chrono>

namespace kelvara {

constexpr std::chrono::milliseconds kStopGracePeriod { 3000 };
constexpr std::chrono::milliseconds kSupervisorStopGracePeriod
    = 2 * kStopGracePeriod + std::chrono::milliseconds(1000);

// How a program is asked to finish. Where it reads its standard input, "q"
// there (and the end of the input); otherwise a signal on which it finishes
// cleanly.
struct StopRequest {
    UniqueFd quitInput; // written "q", then closed; may be closed already
    int signal = 0; // sent when there is no quit input; 0: none
    std::chrono::milliseconds grace = kStopGracePeriod;

    static StopRequest ByQuitKey(UniqueFd input, std::chrono::milliseconds grace = kStopGracePeriod);
    static StopRequest BySignal(int signal, std::chrono::milliseconds grace = kStopGracePeriod);
};

enum class StopState { Waiting, Done };

// The policy as steps, for an event loop that must never block: the
// constructor asks; Advance() reaps when the program has ended and kills it
// once the grace period is over. Call it again after TimeLeft() or when
// the child's exit notifier becomes readable.
class ProcessStop {
public:
    using Clock = std::chrono::steady_clock;

    ProcessStop(ChildProcess& child, StopRequest request);
    ProcessStop(const ProcessStop&) = delete;
    ProcessStop& operator=(const ProcessStop&) = delete;

    StopState Advance();
    // Until the next step is due (zero once the deadline has passed).
    std::chrono::milliseconds TimeLeft() const;
    // True when the program did not end on its own within the grace period.
    bool WasForced() const { return m_forced; }

private:
    ChildProcess& m_child;
    Clock::time_point m_deadline;
    bool m_forced = false;
};

struct StopOutcome {
    bool forced = false; // ended by SIGKILL after the grace period
};

// The policy for a program that may block while it waits (command-line
// tools): asks, waits on the exit notifier, kills at the deadline, reaps.
StopOutcome StopAndReap(ChildProcess& child, StopRequest request);

// Writes the quit key and closes the input; quiet when the reader has gone.
void SendQuitKey(UniqueFd& input);

} // namespace kelvara
