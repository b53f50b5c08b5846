// One run of the converter: the command line in, ffmpeg supervised, our own
// pictures written, the outcome judged; returns the exit status.
#pragma once

#include <string>
#include <vector>

namespace kelvara::tarvo {

enum class ExitStatus : int {
    Success = 0,
    Failed = 1,
    BadArguments = 2,
    CannotRunFfmpeg = 3,
    Stopped = 4, // asked to stop before anything was written
};

// arguments: the command line after the program name.
ExitStatus RunConversion(const std::vector<std::string>& arguments);

} // namespace kelvara::tarvo
