#include "TimeText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kelvara {

namespace {

// The trim keeps whole milliseconds once a thumb is dropped (it truncates),
// so its end may lie up to one below the probed duration.
constexpr double kTrimEndSlackMs = 1.0;

} // namespace

std::string TrimTimeText(double milliseconds)
{
    // Trim times come from a source's probed duration, which a broken file
    // can make anything: what no whole number of milliseconds can hold is
    // held at the bounds instead of being converted (which is undefined).
    constexpr double kLongestMilliseconds = 9.2e18; // below the largest long long
    // A negative time, and one that is not a number, reads as 0.
    const long long whole
        = milliseconds > 0.0 ? std::llround(std::min(milliseconds, kLongestMilliseconds)) : 0;
    char text[64];
    std::snprintf(text, sizeof text, "%s.%03lld", ClockText(whole / 1000).c_str(), whole % 1000);
    return text;
}

bool TrimRunsToSourceEnd(const JobRecord& job)
{
    return job.durationMs > 0.0 && job.trimEndMs >= job.durationMs - kTrimEndSlackMs;
}

std::string ClockText(long long seconds)
{
    if (seconds < 0)
        seconds = 0;
    char text[48];
    std::snprintf(
        text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return text;
}

} // namespace kelvara
