#include "EmfWriter.h"

#include "DeviceIndependentBitmap.h"

namespace tarvo {

namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrStretchDibits = 81;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kHeaderSize = 108; // with both header extensions
constexpr std::uint32_t kStretchDibitsFixedSize = 80;
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"

// The reference device: a 1920 x 1080 screen at 96 dpi.
constexpr std::uint32_t kDeviceWidthPixels = 1920;
constexpr std::uint32_t kDeviceHeightPixels = 1080;
constexpr std::uint32_t kDeviceWidthMicrometres = 508000;
constexpr std::uint32_t kDeviceHeightMicrometres = 285750;
constexpr std::uint32_t kHundredthsOfMillimetrePerInch = 2540;
constexpr std::uint32_t kPixelsPerInch = 96;

void appendRectangle(Bytes& out, std::uint32_t right, std::uint32_t bottom)
{
    appendLe32(out, 0);
    appendLe32(out, 0);
    appendLe32(out, right);
    appendLe32(out, bottom);
}

void appendHeader(Bytes& out, const RgbImage& image, std::uint32_t fileSize)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    appendLe32(out, kEmrHeader);
    appendLe32(out, kHeaderSize);
    appendRectangle(out, width - 1, height - 1); // bounds in pixels, inclusive
    appendRectangle(out, width * kHundredthsOfMillimetrePerInch / kPixelsPerInch - 1,
        height * kHundredthsOfMillimetrePerInch / kPixelsPerInch - 1); // frame in 0.01 mm
    appendLe32(out, kEmfSignature);
    appendLe32(out, 0x00010000); // version
    appendLe32(out, fileSize);
    appendLe32(out, 3); // records
    appendLe16(out, 1); // handles: only the reserved one
    appendLe16(out, 0);
    appendLe32(out, 0); // description length, offset
    appendLe32(out, 0);
    appendLe32(out, 0); // palette entries
    appendLe32(out, kDeviceWidthPixels);
    appendLe32(out, kDeviceHeightPixels);
    appendLe32(out, kDeviceWidthMicrometres / 1000);
    appendLe32(out, (kDeviceHeightMicrometres + 500) / 1000);
    appendLe32(out, 0); // pixel format size, offset; no OpenGL
    appendLe32(out, 0);
    appendLe32(out, 0);
    appendLe32(out, kDeviceWidthMicrometres);
    appendLe32(out, kDeviceHeightMicrometres);
}

void appendStretchDibits(Bytes& out, const RgbImage& image, std::uint32_t recordSize)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    appendLe32(out, kEmrStretchDibits);
    appendLe32(out, recordSize);
    appendRectangle(out, width - 1, height - 1);
    appendLe32(out, 0); // destination x, y
    appendLe32(out, 0);
    appendLe32(out, 0); // source x, y, width, height
    appendLe32(out, 0);
    appendLe32(out, width);
    appendLe32(out, height);
    appendLe32(out, kStretchDibitsFixedSize); // where the bitmap header is
    appendLe32(out, kBitmapInfoHeaderSize);
    appendLe32(out, kStretchDibitsFixedSize + kBitmapInfoHeaderSize); // where the bits are
    appendLe32(out, bitmapBitsSize(image));
    appendLe32(out, kDibRgbColours);
    appendLe32(out, kSourceCopy);
    appendLe32(out, width); // destination size
    appendLe32(out, height);
    appendBitmapInfoHeader(out, image);
    appendBitmapBits(out, image);
}

void appendEof(Bytes& out)
{
    appendLe32(out, kEmrEof);
    appendLe32(out, kEofSize);
    appendLe32(out, 0); // palette entries
    appendLe32(out, 16); // where they would be
    appendLe32(out, kEofSize);
}

} // namespace

std::optional<Bytes> encodeEmf(const RgbImage& image)
{
    const std::uint64_t stretchSize
        = std::uint64_t(kStretchDibitsFixedSize) + kBitmapInfoHeaderSize + bitmapBitsSize(image);
    const std::uint64_t fileSize = kHeaderSize + stretchSize + kEofSize;
    if (fileSize > 0xFFFFFFFFu)
        return std::nullopt;
    Bytes out;
    out.reserve(fileSize);
    appendHeader(out, image, static_cast<std::uint32_t>(fileSize));
    appendStretchDibits(out, image, static_cast<std::uint32_t>(stretchSize));
    appendEof(out);
    return out;
}

} // namespace tarvo
