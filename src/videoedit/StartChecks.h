// What must hold before a conversion starts, so that StartConvert can refuse
// at once, with the reason, instead of reporting a failure later.
#pragma once

#include "videoedit/ConvertStart.h"

#include <optional>
#include <string>

namespace kelvara {

// A regular file this process may read; otherwise a refusal saying why.
std::optional<ConvertStart> CheckSource(const std::string& path);

// The output's folder exists and takes new files, and the output itself is
// either absent or a regular file; otherwise a refusal saying why.
std::optional<ConvertStart> CheckOutput(const std::string& outputPath);

// The executable file of the ffmpeg program the engines run (WhichFfmpeg);
// nothing when there is none.
std::optional<std::string> FindFfmpeg();

} // namespace kelvara
