#include "TimeText.h"

#include <cstdio>

namespace kelvara {

std::string TrimTimeText(double milliseconds)
{
    return ClockText(static_cast<long long>(milliseconds * 0.001));
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
