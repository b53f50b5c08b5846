#include "MaskedBitmap.h"

namespace kelvara {

namespace {
constexpr QRgb kDisabledKey = qRgb(114, 139, 139);
// Pixels darker than this count as the picture's ink in the embossed look.
constexpr int kEmbossThreshold = 160;

int Luminance(QRgb c)
{
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}
} // namespace

QBitmap MakeTransparencyMask(QImage& source, QRgb transparentColour)
{
    if (source.isNull())
        return {};
    source = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparentColour | 0xFF000000;
    QImage mask(source.size(), QImage::Format_Mono);
    mask.setDevicePixelRatio(source.devicePixelRatio());
    mask.fill(0);
    for (int y = 0; y < source.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if ((row[x] | 0xFF000000) == key && qAlpha(row[x]) == 255) {
                mask.setPixel(x, y, 1);
                row[x] = 0;
            }
        }
    }
    return QBitmap::fromImage(mask);
}

MaskedBitmap PrepareMaskedBitmap(QImage image, QRgb transparentColour)
{
    MaskedBitmap bitmap;
    bitmap.mask = MakeTransparencyMask(image, transparentColour);
    if (bitmap.mask.isNull())
        return {};
    bitmap.image = image;
    bitmap.transparentColour = transparentColour;
    return bitmap;
}

void DrawMaskedBitmap(QPainter& painter, QPoint at, const MaskedBitmap& bitmap)
{
    if (!bitmap.IsNull())
        painter.drawImage(at, bitmap.image);
}

QImage DisabledLook(const MaskedBitmap& bitmap, QColor highlight, QColor shadow)
{
    const QImage& source = bitmap.image;
    QImage ink(source.size(), QImage::Format_ARGB32);
    ink.setDevicePixelRatio(source.devicePixelRatio());
    ink.fill(Qt::transparent);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(ink.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const QRgb composed = qAlpha(in[x]) == 0 ? kDisabledKey : in[x];
            if (qAlpha(in[x]) != 0 && Luminance(composed) < kEmbossThreshold)
                out[x] = 0xFF000000;
        }
    }
    auto tinted = [&ink](QColor colour) {
        QImage t = ink;
        QPainter p(&t);
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(t.rect(), colour);
        return t;
    };
    // On a picture of more pixels than it covers, the highlight moves by one
    // pixel of the window's coordinates, as on an ordinary one.
    QImage result(source.size(), QImage::Format_ARGB32);
    result.setDevicePixelRatio(source.devicePixelRatio());
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.drawImage(1, 1, tinted(highlight));
    p.drawImage(0, 0, tinted(shadow));
    return result;
}

void DrawDisabledBitmap(
    QPainter& painter, QPoint at, const MaskedBitmap& bitmap, QColor highlight, QColor shadow)
{
    if (!bitmap.IsNull())
        painter.drawImage(at, DisabledLook(bitmap, highlight, shadow));
}

} // namespace kelvara
