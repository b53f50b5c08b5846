// The status line the converter prints for its caller, e.g.
// "frame=   25 q=2.0 size=     123kB time=12.34 bitrate= 81.2kbits/s".
// Callers read the 8 characters after "size=" as whole kilobytes and the
// 5 characters after "time=" as seconds, so the widths are fixed.
#pragma once

#include "ffmpeg/ProgressReader.h"

#include <string>

namespace kelvara::tarvo {

std::string FormatStatusLine(const ProgressSnapshot& progress);

} // namespace kelvara::tarvo
