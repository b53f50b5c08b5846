// What must hold before a conversion starts, so that StartConvert can say
// "cannot start" at once instead of reporting a failure later.
#pragma once

#include <optional>
#include <string>

namespace kelvara {

// A regular file this process may read.
bool IsReadableFile(const std::string& path);

// The output's folder exists and takes new files, and the output itself is
// either absent or a regular file that may be overwritten.
bool CanWriteOutput(const std::string& outputPath);

// Both name one existing file (writing the output would destroy the source).
bool AreSameFile(const std::string& first, const std::string& second);

// The ffmpeg program: $TARVO_FFMPEG when set (and then only that), else the
// first "ffmpeg" on PATH. Nothing when it is not an executable file.
std::optional<std::string> FindFfmpeg();

} // namespace kelvara
