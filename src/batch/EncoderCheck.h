// Whether the engines can run at all: every output kind goes through the
// ffmpeg program (tarvoconverter and the video-editing component run it). A
// missing ffmpeg is told when the window opens and whenever START is pressed,
// in the same words, instead of as a failed batch.
#pragma once

#include "ffmpeg/FfmpegProgram.h"

#include <optional>
#include <string>

namespace kelvara {

class BatchHost;

inline constexpr const char* kMissingEncoderTitle = "error";

// What the user must install, naming the program and the Debian package that
// brings it; nothing when `ffmpeg` was found.
std::optional<std::string> MissingEncoderText(const FfmpegProgram& ffmpeg);

// The same for the ffmpeg the engines would run now: a look along PATH, no
// program started, so it is cheap enough for every START.
std::optional<std::string> MissingEncoderText();

// Shows the text in the window's message box when ffmpeg is missing; true
// when it did (and START must refuse).
bool TellMissingEncoder(BatchHost& host);

} // namespace kelvara
