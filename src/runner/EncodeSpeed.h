// How fast a conversion goes, in media seconds per second of waiting: the
// media time an engine reports, measured against the clock and smoothed, so
// that the remaining time a user reads follows the pace of the run, not the
// media time left nor one quick or slow report.
#pragma once

#include <cstdint>

namespace kelvara {

class EncodeSpeed {
public:
    // A run begins at `tick` (a 32-bit millisecond count) with no media done.
    void Restart(std::uint32_t tick);

    // The media time the run has reached at `tick`. Returns the smoothed
    // speed; 0 while none has been measured.
    double Sample(double mediaSeconds, std::uint32_t tick);

    double Speed() const { return m_speed; }
    std::uint32_t StartTick() const { return m_startTick; }

private:
    std::uint32_t m_startTick = 0;
    std::uint32_t m_lastTick = 0;
    double m_lastSeconds = 0.0;
    double m_speed = 0.0;
};

} // namespace kelvara
