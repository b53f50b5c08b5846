// One run of a job, as the job keeps it until it is started again: when the
// run started and ended, how it ended, and the engines' last lines of output.
// Plain data, so a failed job can show why it failed.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara {

// The output a run keeps: enough for the lines before a failure of every
// step of a device profile, small enough for a message box and for a list
// of thousands of jobs.
inline constexpr std::size_t kRunTailLines = 40;
inline constexpr std::size_t kRunTailBytes = 8192;

struct RunRecord {
    using Clock = std::chrono::system_clock;

    // Wall-clock times; the clock's epoch while not started or not ended.
    Clock::time_point started {};
    Clock::time_point ended {};
    // "finished in 12.3 s", "stopped by the user at 45 %" or "failed: <reason>";
    // empty while the run goes on.
    std::string outcome;
    // The encoder's and the video-editing component's last lines, in the
    // order they came, joined by "\n" and capped at kRunTailLines and
    // kRunTailBytes.
    std::string outputTail;

    bool Started() const { return started != Clock::time_point {}; }
    bool Ended() const { return !outcome.empty(); }
    // A started run that has no outcome yet.
    bool Going() const { return Started() && !Ended(); }

    // A fresh record for a run that starts `now`.
    void Start(Clock::time_point now);
    // Starts a fresh record unless a run is going: the intermediate step of
    // a source and the conversion after it are one run.
    void StartUnlessGoing(Clock::time_point now);

    // Adds lines of output (any line ends; empty lines are dropped) and cuts
    // the oldest away beyond the caps.
    void AppendOutput(std::string_view lines);

    void Finish(Clock::time_point now);
    void Stop(int percent, Clock::time_point now);
    void Fail(std::string_view reason, Clock::time_point now);
};

std::string FinishedOutcome(std::chrono::milliseconds took);
std::string StoppedOutcome(int percent);
std::string FailedOutcome(std::string_view reason);

} // namespace kelvara
