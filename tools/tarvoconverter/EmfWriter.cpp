#include "EmfWriter.h"

#include "DeviceIndependentBitmap.h"

namespace kelvara::tarvo {

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

void AppendRectangle(Bytes& out, std::uint32_t right, std::uint32_t bottom)
{
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, right);
    AppendLe32(out, bottom);
}

void AppendHeader(Bytes& out, const RgbImage& image, std::uint32_t FileSize)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    AppendLe32(out, kEmrHeader);
    AppendLe32(out, kHeaderSize);
    AppendRectangle(out, width - 1, height - 1); // bounds in pixels, inclusive
    AppendRectangle(out, width * kHundredthsOfMillimetrePerInch / kPixelsPerInch - 1,
        height * kHundredthsOfMillimetrePerInch / kPixelsPerInch - 1); // frame in 0.01 mm
    AppendLe32(out, kEmfSignature);
    AppendLe32(out, 0x00010000); // version
    AppendLe32(out, FileSize);
    AppendLe32(out, 3); // records
    AppendLe16(out, 1); // handles: only the reserved one
    AppendLe16(out, 0);
    AppendLe32(out, 0); // description length, offset
    AppendLe32(out, 0);
    AppendLe32(out, 0); // palette entries
    AppendLe32(out, kDeviceWidthPixels);
    AppendLe32(out, kDeviceHeightPixels);
    AppendLe32(out, kDeviceWidthMicrometres / 1000);
    AppendLe32(out, (kDeviceHeightMicrometres + 500) / 1000);
    AppendLe32(out, 0); // pixel format size, offset; no OpenGL
    AppendLe32(out, 0);
    AppendLe32(out, 0);
    AppendLe32(out, kDeviceWidthMicrometres);
    AppendLe32(out, kDeviceHeightMicrometres);
}

void AppendStretchDibits(Bytes& out, const RgbImage& image, std::uint32_t recordSize)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    AppendLe32(out, kEmrStretchDibits);
    AppendLe32(out, recordSize);
    AppendRectangle(out, width - 1, height - 1);
    AppendLe32(out, 0); // destination x, y
    AppendLe32(out, 0);
    AppendLe32(out, 0); // source x, y, width, height
    AppendLe32(out, 0);
    AppendLe32(out, width);
    AppendLe32(out, height);
    AppendLe32(out, kStretchDibitsFixedSize); // where the bitmap header is
    AppendLe32(out, kBitmapInfoHeaderSize);
    AppendLe32(out, kStretchDibitsFixedSize + kBitmapInfoHeaderSize); // where the bits are
    AppendLe32(out, BitmapBitsSize(image));
    AppendLe32(out, kDibRgbColours);
    AppendLe32(out, kSourceCopy);
    AppendLe32(out, width); // destination size
    AppendLe32(out, height);
    AppendBitmapInfoHeader(out, image);
    AppendBitmapBits(out, image);
}

void AppendEof(Bytes& out)
{
    AppendLe32(out, kEmrEof);
    AppendLe32(out, kEofSize);
    AppendLe32(out, 0); // palette entries
    AppendLe32(out, 16); // where they would be
    AppendLe32(out, kEofSize);
}

} // namespace

std::optional<Bytes> EncodeEmf(const RgbImage& image)
{
    const std::uint64_t stretchSize
        = std::uint64_t(kStretchDibitsFixedSize) + kBitmapInfoHeaderSize + BitmapBitsSize(image);
    const std::uint64_t FileSize = kHeaderSize + stretchSize + kEofSize;
    if (FileSize > 0xFFFFFFFFu)
        return std::nullopt;
    Bytes out;
    out.reserve(FileSize);
    AppendHeader(out, image, static_cast<std::uint32_t>(FileSize));
    AppendStretchDibits(out, image, static_cast<std::uint32_t>(stretchSize));
    AppendEof(out);
    return out;
}

} // namespace kelvara::tarvo
