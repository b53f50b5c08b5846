#include "PsdWriter.h"

#include "PackBits.h"

namespace tarvo {

namespace {

constexpr int kLargestSide = 30000;
constexpr std::uint32_t kChannels = 3;
constexpr std::uint32_t kRgbColourMode = 3;
constexpr std::uint32_t kRleCompression = 1;

void appendHeader(Bytes& out, const RgbImage& image)
{
    appendText(out, "8BPS");
    appendBe16(out, 1); // version
    out.insert(out.end(), 6, 0); // reserved
    appendBe16(out, kChannels);
    appendBe32(out, static_cast<std::uint32_t>(image.height));
    appendBe32(out, static_cast<std::uint32_t>(image.width));
    appendBe16(out, 8); // bits per channel
    appendBe16(out, kRgbColourMode);
    appendBe32(out, 0); // colour mode data
    appendBe32(out, 0); // image resources
    appendBe32(out, 0); // layers and masks
}

// The image data is planar: every row of red, then of green, then of blue,
// each row packed on its own; a table of the packed row sizes comes first.
void appendImageData(Bytes& out, const RgbImage& image)
{
    Bytes rows;
    Bytes sizes;
    Bytes channelRow(static_cast<std::size_t>(image.width));
    for (std::uint32_t channel = 0; channel < kChannels; ++channel) {
        for (int y = 0; y < image.height; ++y) {
            const std::uint8_t* pixel = image.row(y) + channel;
            for (int x = 0; x < image.width; ++x, pixel += 3)
                channelRow[static_cast<std::size_t>(x)] = *pixel;
            const std::size_t before = rows.size();
            appendPackBits(rows, channelRow.data(), channelRow.size());
            appendBe16(sizes, static_cast<std::uint32_t>(rows.size() - before));
        }
    }
    appendBe16(out, kRleCompression);
    appendBytes(out, sizes);
    appendBytes(out, rows);
}

} // namespace

std::optional<Bytes> encodePsd(const RgbImage& image)
{
    if (image.width > kLargestSide || image.height > kLargestSide)
        return std::nullopt;
    Bytes out;
    appendHeader(out, image);
    appendImageData(out, image);
    return out;
}

} // namespace tarvo
