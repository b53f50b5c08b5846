// Makes small media files with ffmpeg for end-to-end tests, and asks ffprobe
// about the results: tools we did not write judge our outputs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kelvara::testing {

// Runs a program with arguments (no shell); returns its exit code and output.
struct CommandResult {
    int exitCode = -1;
    std::string output;
};
CommandResult RunProgram(const std::vector<std::string>& arguments);

// A clip of testsrc2 video and a sine tone, `seconds` long.
bool MakeClip(const std::string& path, double seconds, int width = 160, int height = 120,
    const std::vector<std::string>& extraOutputOptions = {});

// One value of ffprobe's -show_entries, e.g. "format=duration" or
// "stream=codec_name" with a stream selector such as "v:0".
std::optional<std::string> Probe(
    const std::string& path, const std::string& entry, const std::string& streams = "");
std::optional<double> ProbeDuration(const std::string& path);

} // namespace kelvara::testing
