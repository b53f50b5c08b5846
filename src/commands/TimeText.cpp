#include "TimeText.h"

#include <cstdio>

namespace kelvara {

int WholeSeconds(double milliseconds) { return static_cast<int>(milliseconds * 0.001); }

std::string HoursMinutesSeconds(int seconds)
{
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    return text;
}

} // namespace kelvara
