// An enhanced metafile: header, one StretchDIBits record, end of file.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace kelvara::tarvo {

std::optional<Bytes> EncodeEmf(const RgbImage& image);

} // namespace kelvara::tarvo
