#include "WmfWriter.h"

#include "DeviceIndependentBitmap.h"

namespace tarvo {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kLargestSide = 32767;
constexpr std::uint32_t kUnitsPerInch = 96; // one unit per pixel on a 96 dpi screen
constexpr std::uint16_t kMetaSetWindowOrg = 0x020B;
constexpr std::uint16_t kMetaSetWindowExt = 0x020C;
constexpr std::uint16_t kMetaStretchDib = 0x0F43;
constexpr std::uint16_t kMetaEof = 0x0000;
constexpr std::uint32_t kHeaderWords = 9;

void appendPlaceableHeader(Bytes& out, const RgbImage& image)
{
    const std::size_t start = out.size();
    appendLe32(out, kPlaceableKey);
    appendLe16(out, 0); // handle, unused in files
    appendLe16(out, 0); // bounding box: left, top, right, bottom
    appendLe16(out, 0);
    appendLe16(out, static_cast<std::uint32_t>(image.width));
    appendLe16(out, static_cast<std::uint32_t>(image.height));
    appendLe16(out, kUnitsPerInch);
    appendLe32(out, 0); // reserved
    std::uint16_t checksum = 0; // XOR of the ten 16-bit words before it
    for (std::size_t i = start; i < start + 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    appendLe16(out, checksum);
}

void appendRecordStart(Bytes& out, std::uint32_t words, std::uint16_t function)
{
    appendLe32(out, words);
    appendLe16(out, function);
}

void appendPointRecord(Bytes& out, std::uint16_t function, int x, int y)
{
    appendRecordStart(out, 5, function);
    appendLe16(out, static_cast<std::uint32_t>(y)); // parameters are stored last first
    appendLe16(out, static_cast<std::uint32_t>(x));
}

void appendStretchDib(Bytes& out, const RgbImage& image, std::uint32_t words)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    appendRecordStart(out, words, kMetaStretchDib);
    appendLe32(out, kSourceCopy);
    appendLe16(out, kDibRgbColours);
    appendLe16(out, height); // source height, width, y, x
    appendLe16(out, width);
    appendLe16(out, 0);
    appendLe16(out, 0);
    appendLe16(out, height); // destination height, width, y, x
    appendLe16(out, width);
    appendLe16(out, 0);
    appendLe16(out, 0);
    appendBitmapInfoHeader(out, image);
    appendBitmapBits(out, image);
}

} // namespace

std::optional<Bytes> encodeWmf(const RgbImage& image)
{
    if (image.width > kLargestSide || image.height > kLargestSide)
        return std::nullopt;
    const std::uint32_t stretchWords = (28 + kBitmapInfoHeaderSize + bitmapBitsSize(image)) / 2;
    const std::uint32_t totalWords = kHeaderWords + 5 + 5 + stretchWords + 3;

    Bytes out;
    out.reserve(22 + totalWords * 2);
    appendPlaceableHeader(out, image);
    appendLe16(out, 1); // kept in a file
    appendLe16(out, kHeaderWords);
    appendLe16(out, 0x0300); // Windows 3.0 metafile
    appendLe32(out, totalWords);
    appendLe16(out, 0); // objects
    appendLe32(out, stretchWords); // the largest record
    appendLe16(out, 0); // unused
    appendPointRecord(out, kMetaSetWindowOrg, 0, 0);
    appendPointRecord(out, kMetaSetWindowExt, image.width, image.height);
    appendStretchDib(out, image, stretchWords);
    appendRecordStart(out, 3, kMetaEof);
    return out;
}

} // namespace tarvo
