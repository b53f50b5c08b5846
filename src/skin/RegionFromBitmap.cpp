#include "RegionFromBitmap.h"

#include <algorithm>
#include <vector>

namespace kelvara {

namespace {

// Rectangles are gathered in batches and each batch is turned into a region
// at once, which is far cheaper than uniting the runs one by one.
constexpr std::size_t kRectanglesPerBatch = 2000;

struct KeyRange {
    int low[3];
    int high[3];
    bool exact; // no tolerance: one comparison of the colour instead of three ranges
    QRgb key;

    bool Contains(QRgb pixel) const
    {
        if (exact)
            return (pixel & RGB_MASK) == key;
        const int c[3] = { qRed(pixel), qGreen(pixel), qBlue(pixel) };
        for (int i = 0; i < 3; ++i)
            if (c[i] < low[i] || c[i] > high[i])
                return false;
        return true;
    }
};

KeyRange RangeOf(QRgb key, int tolerance)
{
    const int t = std::max(tolerance, 0);
    const int low[3] = { qRed(key), qGreen(key), qBlue(key) };
    KeyRange range {};
    for (int i = 0; i < 3; ++i) {
        range.low[i] = low[i];
        range.high[i] = std::min(low[i] + t, 255);
    }
    range.exact = t == 0;
    range.key = key & RGB_MASK;
    return range;
}

void Flush(std::vector<QRect>& batch, QRegion& result)
{
    if (batch.empty())
        return;
    QRegion part;
    part.setRects(batch.data(), int(batch.size()));
    result = result.isEmpty() ? part : result.united(part);
    batch.clear();
}

// Which pixels of one row of the window's coordinates lie inside the outline.
// On a picture of ratio r each of them stands for an r x r block, inside when
// any pixel of the block is not of the key colour.
void InsideRow(const QImage& image, int row, int ratio, const KeyRange& range, std::vector<char>& inside)
{
    std::fill(inside.begin(), inside.end(), 0);
    for (int y = row * ratio; y < (row + 1) * ratio; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (std::size_t x = 0; x < inside.size(); ++x) {
            const QRgb* block = pixels + x * std::size_t(ratio);
            for (int k = 0; k < ratio && !inside[x]; ++k)
                inside[x] = range.Contains(block[k]) ? 0 : 1;
        }
    }
}

} // namespace

std::optional<QRegion> RegionFromBitmap(const QImage& bitmap, QRgb key, int tolerance)
{
    if (bitmap.isNull())
        return std::nullopt;
    const QImage image = bitmap.convertToFormat(QImage::Format_RGB32);
    const int ratio = std::max(1, qRound(bitmap.devicePixelRatio()));
    const KeyRange range = RangeOf(key, tolerance);
    QRegion result;
    std::vector<QRect> batch;
    batch.reserve(kRectanglesPerBatch);
    std::vector<char> inside(std::size_t(image.width() / ratio));
    const int width = int(inside.size());
    for (int y = 0; y < image.height() / ratio; ++y) {
        InsideRow(image, y, ratio, range, inside);
        int x = 0;
        while (x < width) {
            while (x < width && !inside[std::size_t(x)])
                ++x;
            const int start = x;
            while (x < width && inside[std::size_t(x)])
                ++x;
            if (x > start) {
                batch.emplace_back(start, y, x - start, 1);
                if (batch.size() == kRectanglesPerBatch)
                    Flush(batch, result);
            }
        }
    }
    Flush(batch, result);
    return result;
}

} // namespace kelvara
