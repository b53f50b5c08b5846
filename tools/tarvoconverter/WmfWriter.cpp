#include "WmfWriter.h"

#include "DeviceIndependentBitmap.h"

namespace kelvara::tarvo {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kLargestSide = 32767;
constexpr std::uint32_t kUnitsPerInch = 96; // one unit per pixel on a 96 dpi screen
constexpr std::uint16_t kMetaSetWindowOrg = 0x020B;
constexpr std::uint16_t kMetaSetWindowExt = 0x020C;
constexpr std::uint16_t kMetaStretchDib = 0x0F43;
constexpr std::uint16_t kMetaEof = 0x0000;
constexpr std::uint32_t kHeaderWords = 9;

void AppendPlaceableHeader(Bytes& out, const RgbImage& image)
{
    const std::size_t start = out.size();
    AppendLe32(out, kPlaceableKey);
    AppendLe16(out, 0); // handle, unused in files
    AppendLe16(out, 0); // bounding box: left, top, right, bottom
    AppendLe16(out, 0);
    AppendLe16(out, static_cast<std::uint32_t>(image.width));
    AppendLe16(out, static_cast<std::uint32_t>(image.height));
    AppendLe16(out, kUnitsPerInch);
    AppendLe32(out, 0); // reserved
    std::uint16_t checksum = 0; // XOR of the ten 16-bit words before it
    for (std::size_t i = start; i < start + 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
    AppendLe16(out, checksum);
}

void AppendRecordStart(Bytes& out, std::uint32_t words, std::uint16_t function)
{
    AppendLe32(out, words);
    AppendLe16(out, function);
}

void AppendPointRecord(Bytes& out, std::uint16_t function, int x, int y)
{
    AppendRecordStart(out, 5, function);
    AppendLe16(out, static_cast<std::uint32_t>(y)); // parameters are stored last first
    AppendLe16(out, static_cast<std::uint32_t>(x));
}

void AppendStretchDib(Bytes& out, const RgbImage& image, std::uint32_t words)
{
    const auto width = static_cast<std::uint32_t>(image.width);
    const auto height = static_cast<std::uint32_t>(image.height);
    AppendRecordStart(out, words, kMetaStretchDib);
    AppendLe32(out, kSourceCopy);
    AppendLe16(out, kDibRgbColours);
    AppendLe16(out, height); // source height, width, y, x
    AppendLe16(out, width);
    AppendLe16(out, 0);
    AppendLe16(out, 0);
    AppendLe16(out, height); // destination height, width, y, x
    AppendLe16(out, width);
    AppendLe16(out, 0);
    AppendLe16(out, 0);
    AppendBitmapInfoHeader(out, image);
    AppendBitmapBits(out, image);
}

} // namespace

std::optional<Bytes> EncodeWmf(const RgbImage& image)
{
    if (image.width > kLargestSide || image.height > kLargestSide)
        return std::nullopt;
    const std::uint32_t stretchWords = (28 + kBitmapInfoHeaderSize + BitmapBitsSize(image)) / 2;
    const std::uint32_t totalWords = kHeaderWords + 5 + 5 + stretchWords + 3;

    Bytes out;
    out.reserve(22 + totalWords * 2);
    AppendPlaceableHeader(out, image);
    AppendLe16(out, 1); // kept in a file
    AppendLe16(out, kHeaderWords);
    AppendLe16(out, 0x0300); // Windows 3.0 metafile
    AppendLe32(out, totalWords);
    AppendLe16(out, 0); // objects
    AppendLe32(out, stretchWords); // the largest record
    AppendLe16(out, 0); // unused
    AppendPointRecord(out, kMetaSetWindowOrg, 0, 0);
    AppendPointRecord(out, kMetaSetWindowExt, image.width, image.height);
    AppendStretchDib(out, image, stretchWords);
    AppendRecordStart(out, 3, kMetaEof);
    return out;
}

} // namespace kelvara::tarvo
