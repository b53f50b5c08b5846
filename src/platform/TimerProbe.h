// A diagnostic for measuring how responsive the program stays: a 10 ms timer
// on the thread that owns it, noting how late each tick came. Started at
// start-up when KELVARA_TIMER_PROBE names a file; at exit the file gets one
// line per tick, "MONOTONIC_SECONDS LATENESS_MS" (CLOCK_MONOTONIC, as other
// processes read it), so a benchmark can take the ticks of the moments it
// cares about, such as a batch between START and its completion box.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kelvara::platform {

inline constexpr const char* kTimerProbeVariable = "KELVARA_TIMER_PROBE";

class TimerProbe : public QObject {
public:
    static constexpr std::chrono::milliseconds kInterval { 10 };

    explicit TimerProbe(QObject* parent = nullptr);
    // Writes the ticks to the file given to WriteAtExit, if any.
    ~TimerProbe() override;

    // A running probe when the variable names a file, nothing otherwise.
    static std::unique_ptr<TimerProbe> FromEnvironment();

    void Start();
    void Stop();
    void WriteAtExit(std::string path) { m_path = std::move(path); }

    // Lateness in milliseconds at quantile `q` (0 to 1) of the ticks so far.
    double Quantile(double q) const;
    std::size_t Samples() const { return m_ticks.size(); }

private:
    struct Tick {
        double monotonicSeconds;
        double latenessMs;
    };
    void OnTick();
    bool Write() const;

    QTimer m_timer;
    std::chrono::steady_clock::time_point m_last;
    std::vector<Tick> m_ticks;
    std::string m_path;
};

} // namespace kelvara::platform
