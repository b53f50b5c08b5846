#include "TimeText.h"

#include <algorithm>
#include <cstdio>

namespace kelvara {

std::string TrimTimeText(double milliseconds)
{
    // Trim times come from a source's probed duration, which a broken file
    // can make anything: what no whole number of seconds can hold is held at
    // the bounds instead of being converted (which is undefined).
    constexpr double kLongestSeconds = 9.2e18; // below the largest long long
    const double seconds = milliseconds * 0.001;
    if (!(seconds > 0.0))
        return ClockText(0);
    return ClockText(static_cast<long long>(std::min(seconds, kLongestSeconds)));
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
