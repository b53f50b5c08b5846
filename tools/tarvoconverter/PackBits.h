// PackBits run-length encoding: the RLE of PSD image data, and of the
// RunLengthDecode filter of PostScript and PDF.
#pragma once

#include "ByteWriter.h"

#include <cstddef>
#include <cstdint>

namespace kelvara::tarvo {

// Appends the encoding of size bytes at data (no end-of-data mark).
void AppendPackBits(Bytes& out, const std::uint8_t* data, std::size_t size);

// The end-of-data mark of the RunLengthDecode filter.
constexpr std::uint8_t kRunLengthEndOfData = 128;

} // namespace kelvara::tarvo
