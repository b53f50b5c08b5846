#include "StatusLine.h"

#include <algorithm>
#include <cstdio>

namespace kelvara::tarvo {

std::string FormatStatusLine(const ProgressSnapshot& progress)
{
    const long long kilobytes = progress.sizeBytes / 1024;
    const double kilobitsPerSecond = progress.seconds > 0.0
        ? static_cast<double>(progress.sizeBytes) * 8.0 / progress.seconds / 1000.0
        : 0.0;
    char line[160];
    const int length
        = std::snprintf(line, sizeof line, "frame=%5lld q=%.1f size=%8lldkB time=%.2f bitrate=%6.1fkbits/s\n",
            static_cast<long long>(progress.frames), progress.quality, kilobytes, progress.seconds,
            kilobitsPerSecond);
    return std::string(line, length > 0 ? std::min<std::size_t>(length, sizeof line - 1) : 0);
}

} // namespace kelvara::tarvo
