// Encapsulated PostScript (language level 2) that paints the picture as one
// RGB image, run-length encoded and kept printable with ASCII85.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

#include <optional>

namespace kelvara::tarvo {

std::optional<Bytes> EncodeEps(const RgbImage& image);

// ASCII85 of data with the "~>" end mark, in lines no longer than lineLength;
// no line starts with "%", so none can pass for a document comment.
void AppendAscii85(Bytes& out, const Bytes& data, std::size_t lineLength);

} // namespace kelvara::tarvo
