// A Photoshop document: one RGB image of three channels, no layers, with
// run-length encoded image data.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace kelvara::tarvo {

// Nothing when a side exceeds the format's 30000 pixels.
std::optional<Bytes> EncodePsd(const RgbImage& image);

} // namespace kelvara::tarvo
