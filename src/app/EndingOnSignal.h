// How the program ends on SIGTERM, SIGINT or SIGHUP: as a user's STOP and
// then Close would end it, without a question in between. A running batch is
// stopped through the one stop policy, a box left open is closed (its loop
// would hold the batch's unwinding under it), and the program leaves its
// event loop once the batch has unwound and every program it started has
// ended (a stopped conversion keeps the part that plays), at the latest when
// the stop policy's longest grace period is over.
#pragma once

#include "process/ProcessStop.h"

#include <QTimer>
#include <chrono>
#include <functional>

namespace kelvara {

// What ending needs of the program; tests hand in their own.
struct EndingSteps {
    std::function<bool()> batchRunning;
    std::function<void()> stopBatch;
    std::function<void()> closeOpenBoxes;
    std::function<bool()> programsRunning;
    // Leaves the event loop with this exit status.
    std::function<void(int exitStatus)> leave;
};

class EndingOnSignal {
public:
    // An encoder stops its own ffmpeg first: the longest the stop policy
    // lets a batch take to unwind.
    explicit EndingOnSignal(EndingSteps steps, std::chrono::milliseconds limit = kSupervisorStopGracePeriod);

    // The first signal starts the ending; later ones change nothing.
    void OnSignal(int signalNumber);
    bool Ending() const { return m_signal != 0; }

    // 128 + the signal's number, as shells report a program a signal ended.
    static int ExitStatusFor(int signalNumber) { return 128 + signalNumber; }

private:
    void Check();

    EndingSteps m_steps;
    std::chrono::milliseconds m_limit;
    std::chrono::steady_clock::time_point m_deadline;
    QTimer m_timer;
    int m_signal = 0;
    bool m_left = false;
};

} // namespace kelvara
