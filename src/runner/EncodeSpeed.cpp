#include "EncodeSpeed.h"

#include <cmath>

namespace kelvara {

namespace {

// Engines report about twice a second, often several reports in one read:
// a shorter interval measures the reading, not the encoding.
constexpr std::uint32_t kShortestIntervalMs = 200;
// How long the speed takes to move most of the way to a new pace: long
// enough that one uneven stretch of the source does not make the remaining
// time jump, short enough that the slow start of an encoder (opening the
// source, the first keyframes) is forgotten within seconds.
constexpr double kSmoothingMs = 4000.0;

} // namespace

void EncodeSpeed::Restart(std::uint32_t tick)
{
    m_startTick = tick;
    m_lastTick = tick;
    m_lastSeconds = 0.0;
    m_speed = 0.0;
}

double EncodeSpeed::Sample(double mediaSeconds, std::uint32_t tick)
{
    if (!std::isfinite(mediaSeconds))
        return m_speed;
    if (mediaSeconds < m_lastSeconds) {
        // The media time went back (a new step of the job): measure from here.
        m_lastTick = tick;
        m_lastSeconds = mediaSeconds;
        return m_speed;
    }
    const std::uint32_t elapsedMs = tick - m_lastTick; // wraps like the tick count
    if (elapsedMs < kShortestIntervalMs)
        return m_speed;
    const double measured = (mediaSeconds - m_lastSeconds) * 1000.0 / elapsedMs;
    if (m_speed > 0.0)
        m_speed += (1.0 - std::exp(-static_cast<double>(elapsedMs) / kSmoothingMs)) * (measured - m_speed);
    else
        m_speed = measured;
    m_lastTick = tick;
    m_lastSeconds = mediaSeconds;
    return m_speed;
}

} // namespace kelvara
