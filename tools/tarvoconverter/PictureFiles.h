// Writes a frame that ffmpeg decoded into one of the picture types ffmpeg
// cannot write itself.
#pragma once

#include "OutputFormat.h"

#include <string>
#include <string_view>

namespace kelvara::tarvo {

// ppm: the frame as ffmpeg wrote it. Returns an error text, empty on success.
std::string WriteOwnPicture(OwnPictureFormat format, std::string_view ppm, const std::string& path);

} // namespace kelvara::tarvo
