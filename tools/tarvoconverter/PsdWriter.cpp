#include "PsdWriter.h"

#include "PackBits.h"

namespace kelvara::tarvo {

namespace {

constexpr int kLargestSide = 30000;
constexpr std::uint32_t kChannels = 3;
constexpr std::uint32_t kRgbColourMode = 3;
constexpr std::uint32_t kRleCompression = 1;

void AppendHeader(Bytes& out, const RgbImage& image)
{
    AppendText(out, "8BPS");
    AppendBe16(out, 1); // version
    out.insert(out.end(), 6, 0); // reserved
    AppendBe16(out, kChannels);
    AppendBe32(out, static_cast<std::uint32_t>(image.height));
    AppendBe32(out, static_cast<std::uint32_t>(image.width));
    AppendBe16(out, 8); // bits per channel
    AppendBe16(out, kRgbColourMode);
    AppendBe32(out, 0); // colour mode data
    AppendBe32(out, 0); // image resources
    AppendBe32(out, 0); // layers and masks
}

// The image data is planar: every row of red, then of green, then of blue,
// each row packed on its own; a table of the packed row sizes comes first.
void AppendImageData(Bytes& out, const RgbImage& image)
{
    Bytes rows;
    Bytes sizes;
    Bytes channelRow(static_cast<std::size_t>(image.width));
    for (std::uint32_t channel = 0; channel < kChannels; ++channel) {
        for (int y = 0; y < image.height; ++y) {
            const std::uint8_t* pixel = image.Row(y) + channel;
            for (int x = 0; x < image.width; ++x, pixel += 3)
                channelRow[static_cast<std::size_t>(x)] = *pixel;
            const std::size_t before = rows.size();
            AppendPackBits(rows, channelRow.data(), channelRow.size());
            AppendBe16(sizes, static_cast<std::uint32_t>(rows.size() - before));
        }
    }
    AppendBe16(out, kRleCompression);
    AppendBytes(out, sizes);
    AppendBytes(out, rows);
}

} // namespace

std::optional<Bytes> EncodePsd(const RgbImage& image)
{
    if (image.width > kLargestSide || image.height > kLargestSide)
        return std::nullopt;
    Bytes out;
    AppendHeader(out, image);
    AppendImageData(out, image);
    return out;
}

} // namespace kelvara::tarvo
