// A placeable Windows metafile that draws the picture with one StretchDIB record.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace kelvara::tarvo {

// Nothing when a side exceeds the format's 16-bit coordinates.
std::optional<Bytes> EncodeWmf(const RgbImage& image);

} // namespace kelvara::tarvo
