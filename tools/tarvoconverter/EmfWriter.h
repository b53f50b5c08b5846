// An enhanced metafile: header, one StretchDIBits record, end of file.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace tarvo {

std::optional<Bytes> encodeEmf(const RgbImage& image);

} // namespace tarvo
