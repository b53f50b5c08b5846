// Which ffmpeg the engines run: the one answer for tarvoconverter and the
// video-editing component.
#pragma once

#include "process/ProgramLookup.h"

#include <string>

namespace kelvara {

// Names the ffmpeg program to run instead of the one on PATH (tests put a
// fake there).
inline constexpr const char* kFfmpegVariable = "TARVO_FFMPEG";

struct FfmpegProgram {
    // $TARVO_FFMPEG when it is set and not empty (and then only that), else
    // "ffmpeg": what a message quotes.
    std::string name;
    // That name looked up as every program is: a path as it is, a bare name
    // on PATH.
    ProgramLookup found;
};

FfmpegProgram WhichFfmpeg();

} // namespace kelvara
