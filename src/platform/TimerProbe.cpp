#include "TimerProbe.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kelvara::platform {

TimerProbe::TimerProbe(QObject* parent)
    : QObject(parent)
{
    // A coarse timer may fire up to 5 % early or late by design; the probe
    // wants to see only what the event loop adds.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TimerProbe::OnTick);
}

TimerProbe::~TimerProbe()
{
    if (!m_path.empty() && !Write())
        std::fprintf(stderr, "cannot write the timer probe's figures to %s\n", m_path.c_str());
}

std::unique_ptr<TimerProbe> TimerProbe::FromEnvironment()
{
    const char* path = std::getenv(kTimerProbeVariable);
    if (path == nullptr || *path == '\0')
        return nullptr;
    auto probe = std::make_unique<TimerProbe>();
    probe->WriteAtExit(path);
    probe->Start();
    return probe;
}

void TimerProbe::Start()
{
    m_last = std::chrono::steady_clock::now();
    m_timer.start(kInterval);
}

void TimerProbe::Stop()
{
    m_timer.stop();
}

void TimerProbe::OnTick()
{
    // steady_clock is CLOCK_MONOTONIC on Linux: the clock a benchmark script
    // reads in another process.
    const auto now = std::chrono::steady_clock::now();
    const double late = std::chrono::duration<double, std::milli>(now - m_last - kInterval).count();
    m_ticks.push_back({ std::chrono::duration<double>(now.time_since_epoch()).count(), std::max(0.0, late) });
    m_last = now;
}

double TimerProbe::Quantile(double q) const
{
    if (m_ticks.empty())
        return 0.0;
    std::vector<double> lateness;
    lateness.reserve(m_ticks.size());
    for (const Tick& tick : m_ticks)
        lateness.push_back(tick.latenessMs);
    std::sort(lateness.begin(), lateness.end());
    return lateness[static_cast<std::size_t>(q * static_cast<double>(lateness.size() - 1))];
}

bool TimerProbe::Write() const
{
    std::FILE* file = std::fopen(m_path.c_str(), "w");
    if (file == nullptr)
        return false;
    for (const Tick& tick : m_ticks)
        std::fprintf(file, "%.6f %.3f\n", tick.monotonicSeconds, tick.latenessMs);
    return std::fclose(file) == 0;
}

} // namespace kelvara::platform
