#include "DeviceIndependentBitmap.h"

namespace tarvo {

namespace {

constexpr std::uint32_t kPixelsPerMetreAt96Dpi = 3780;

std::uint32_t paddedRowSize(const RgbImage& image)
{
    return (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
}

} // namespace

std::uint32_t bitmapBitsSize(const RgbImage& image)
{
    return paddedRowSize(image) * image.height;
}

void appendBitmapInfoHeader(Bytes& out, const RgbImage& image)
{
    appendLe32(out, kBitmapInfoHeaderSize);
    appendLe32(out, static_cast<std::uint32_t>(image.width));
    appendLe32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up rows
    appendLe16(out, 1); // planes
    appendLe16(out, 24); // bits per pixel
    appendLe32(out, 0); // BI_RGB
    appendLe32(out, bitmapBitsSize(image));
    appendLe32(out, kPixelsPerMetreAt96Dpi);
    appendLe32(out, kPixelsPerMetreAt96Dpi);
    appendLe32(out, 0); // colours used
    appendLe32(out, 0); // important colours
}

void appendBitmapBits(Bytes& out, const RgbImage& image)
{
    const std::uint32_t padding = paddedRowSize(image) - static_cast<std::uint32_t>(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* pixel = image.row(y);
        for (int x = 0; x < image.width; ++x, pixel += 3) {
            out.push_back(pixel[2]);
            out.push_back(pixel[1]);
            out.push_back(pixel[0]);
        }
        out.insert(out.end(), padding, 0);
    }
}

} // namespace tarvo
