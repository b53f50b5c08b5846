// Reads the binary PPM (P6, 8 bits) in which ffmpeg hands over a frame.
#pragma once

#include "RgbImage.h"

#include <optional>
#include <string_view>

namespace kelvara::tarvo {

// Nothing for anything but one complete 8-bit P6 image.
std::optional<RgbImage> ReadPpm(std::string_view data);

} // namespace kelvara::tarvo
