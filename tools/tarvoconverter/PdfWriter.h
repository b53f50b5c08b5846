// A one-page PDF whose page is the picture: an RGB image XObject drawn at
// one point per pixel.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace kelvara::tarvo {

std::optional<Bytes> EncodePdf(const RgbImage& image);

} // namespace kelvara::tarvo
