// How values are written on ffmpeg's command line.
#pragma once

#include <string>

namespace kelvara {

// A path for ffmpeg's command line. ffmpeg reads "-name" as an option and
// "name:rest" as a protocol; an absolute path is neither, any other path is
// given through the file protocol, where it is only a path.
std::string FfmpegFilePath(const std::string& path);

// Seconds as ffmpeg reads them: "12.5", "0.04", "3". Microseconds are
// ffmpeg's own time unit, so no precision is lost and none is invented;
// a negative time is 0.
std::string SecondsText(double seconds);

} // namespace kelvara
