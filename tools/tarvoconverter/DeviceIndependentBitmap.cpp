#include "DeviceIndependentBitmap.h"

namespace kelvara::tarvo {

namespace {

constexpr std::uint32_t kPixelsPerMetreAt96Dpi = 3780;

std::uint32_t PaddedRowSize(const RgbImage& image)
{
    return (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
}

} // namespace

std::uint32_t BitmapBitsSize(const RgbImage& image)
{
    return PaddedRowSize(image) * image.height;
}

void AppendBitmapInfoHeader(Bytes& out, const RgbImage& image)
{
    AppendLe32(out, kBitmapInfoHeaderSize);
    AppendLe32(out, static_cast<std::uint32_t>(image.width));
    AppendLe32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up rows
    AppendLe16(out, 1); // planes
    AppendLe16(out, 24); // bits per pixel
    AppendLe32(out, 0); // BI_RGB
    AppendLe32(out, BitmapBitsSize(image));
    AppendLe32(out, kPixelsPerMetreAt96Dpi);
    AppendLe32(out, kPixelsPerMetreAt96Dpi);
    AppendLe32(out, 0); // colours used
    AppendLe32(out, 0); // important colours
}

void AppendBitmapBits(Bytes& out, const RgbImage& image)
{
    const std::uint32_t padding = PaddedRowSize(image) - static_cast<std::uint32_t>(image.width) * 3;
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* pixel = image.Row(y);
        for (int x = 0; x < image.width; ++x, pixel += 3) {
            out.push_back(pixel[2]);
            out.push_back(pixel[1]);
            out.push_back(pixel[0]);
        }
        out.insert(out.end(), padding, 0);
    }
}

} // namespace kelvara::tarvo
