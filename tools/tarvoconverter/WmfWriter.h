// A placeable Windows metafile that draws the picture with one StretchDIB record.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace tarvo {

// Nothing when a side exceeds the format's 16-bit coordinates.
std::optional<Bytes> encodeWmf(const RgbImage& image);

} // namespace tarvo
