// How values are written on ffmpeg's command line.
#pragma once

#include <string>
#include <string_view>

namespace kelvara {

// A path for ffmpeg's command line. ffmpeg reads "-name" as an option and
// "name:rest" as a protocol; an absolute path is neither, any other path is
// given through the file protocol, where it is only a path.
std::string FfmpegFilePath(const std::string& path);

// Seconds as ffmpeg reads them: "12.5", "0.04", "3". Microseconds are
// ffmpeg's own time unit, so no precision is lost and none is invented;
// a negative time is 0.
std::string SecondsText(double seconds);

// A value inside a filter graph written as one command-line argument (a
// file name for "movie=", say). Such a value is read twice: once as the
// graph, where , ; [ ] separate filters, and once as the filter's options,
// where : separates them; quotes and backslashes matter to both.
std::string FilterGraphValue(std::string_view value);

} // namespace kelvara
