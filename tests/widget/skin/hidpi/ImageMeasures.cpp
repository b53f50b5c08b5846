#include "ImageMeasures.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace kelvara::testing {

namespace {
QImage Rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

int Brightness(QRgb c)
{
    return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}
} // namespace

QImage RenderAtRatioOne(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

QImage Flattened(const QImage& image)
{
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(QColor(128, 128, 128));
    QImage source = image;
    source.setDevicePixelRatio(1);
    QPainter p(&out);
    p.drawImage(0, 0, source);
    return out;
}

QImage Halved(const QImage& image)
{
    const QImage in = Rgb(image);
    QImage out(in.width() / 2, in.height() / 2, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p[] = { in.pixel(2 * x, 2 * y), in.pixel(2 * x + 1, 2 * y), in.pixel(2 * x, 2 * y + 1),
                in.pixel(2 * x + 1, 2 * y + 1) };
            int r = 0, g = 0, b = 0;
            for (const QRgb c : p) {
                r += qRed(c);
                g += qGreen(c);
                b += qBlue(c);
            }
            out.setPixel(x, y, qRgb((r + 2) / 4, (g + 2) / 4, (b + 2) / 4));
        }
    }
    return out;
}

QImage Enlarged(const QImage& image, Qt::TransformationMode mode)
{
    QImage in = Rgb(image);
    in.setDevicePixelRatio(1);
    return in.scaled(in.size() * 2, Qt::IgnoreAspectRatio, mode);
}

double MeanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 255.0;
    const QImage x = Rgb(a);
    const QImage y = Rgb(b);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            const QRgb q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

int NonUniformBlocks(const QImage& image)
{
    const QImage in = Rgb(image);
    int count = 0;
    for (int y = 0; y + 1 < in.height(); y += 2) {
        for (int x = 0; x + 1 < in.width(); x += 2) {
            const QRgb c = in.pixel(x, y);
            if (in.pixel(x + 1, y) != c || in.pixel(x, y + 1) != c || in.pixel(x + 1, y + 1) != c)
                ++count;
        }
    }
    return count;
}

double EdgeEnergy(const QImage& image)
{
    const QImage in = Rgb(image);
    double energy = 0;
    for (int y = 0; y + 1 < in.height(); ++y) {
        for (int x = 0; x + 1 < in.width(); ++x) {
            const int here = Brightness(in.pixel(x, y));
            const int right = Brightness(in.pixel(x + 1, y)) - here;
            const int down = Brightness(in.pixel(x, y + 1)) - here;
            energy += double(right) * right + double(down) * down;
        }
    }
    return energy;
}

int DistinctEdgePixels(const QImage& image)
{
    constexpr int kStep = 85;
    const QImage in = Rgb(image);
    int count = 0;
    for (int y = 0; y + 1 < in.height(); ++y) {
        for (int x = 0; x + 1 < in.width(); ++x) {
            const int here = Brightness(in.pixel(x, y));
            if (std::abs(Brightness(in.pixel(x + 1, y)) - here) > kStep
                || std::abs(Brightness(in.pixel(x, y + 1)) - here) > kStep)
                ++count;
        }
    }
    return count;
}

} // namespace kelvara::testing
