// A one-page PDF whose page is the picture: an RGB image XObject drawn at
// one point per pixel.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace tarvo {

std::optional<Bytes> encodePdf(const RgbImage& image);

} // namespace tarvo
