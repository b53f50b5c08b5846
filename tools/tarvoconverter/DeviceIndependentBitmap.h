// The device-independent bitmap that both Windows metafiles carry: a
// BITMAPINFOHEADER for 24-bit BI_RGB, and the rows from the bottom up in
// BGR order, each padded to four bytes.
#pragma once

#include "ByteWriter.h"
#include "RgbImage.h"

namespace kelvara::tarvo {

constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kSourceCopy = 0x00CC0020; // SRCCOPY raster operation
constexpr std::uint32_t kDibRgbColours = 0; // DIB_RGB_COLORS

void AppendBitmapInfoHeader(Bytes& out, const RgbImage& image);
void AppendBitmapBits(Bytes& out, const RgbImage& image);
std::uint32_t BitmapBitsSize(const RgbImage& image);

} // namespace kelvara::tarvo
