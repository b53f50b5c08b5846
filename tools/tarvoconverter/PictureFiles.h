// Writes a frame that ffmpeg decoded into one of the picture types ffmpeg
// cannot write itself.
#pragma once

#include "OutputFormat.h"

#include <string>
#include <string_view>

namespace kelvara::tarvo {

// ppm: the frame as ffmpeg wrote it; path: the output's name, for messages;
// writeTo: where it is written (its staged file). Returns an error text,
// empty on success; the caller discards what a failed write left.
std::string WriteOwnPicture(
    OwnPictureFormat format, std::string_view ppm, const std::string& path, const std::string& writeTo);

} // namespace kelvara::tarvo
