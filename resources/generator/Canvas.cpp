#include "Canvas.h"

#include "PngWriter.h"

#include <QFontDatabase>
#include <QPainterPath>

namespace kelvara::generator {

namespace {
QString g_regular = QStringLiteral("DejaVu Sans");
QString g_bold = QStringLiteral("DejaVu Sans");
int g_scale = 1;

QString FamilyOf(const QString& file)
{
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.first();
}
} // namespace

void LoadFonts()
{
    const QString regular = FamilyOf(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    const QString bold = FamilyOf(QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
    if (!regular.isEmpty())
        g_regular = regular;
    g_bold = bold.isEmpty() ? g_regular : bold;
}

QFont Font(int pixelSize, bool bold)
{
    QFont font(bold ? g_bold : g_regular);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Full hinting rounds every advance to a whole ordinary pixel; drawn at a
    // finer scale those rounded advances spread the letters apart, so there
    // only the vertical metrics are fitted to the grid.
    font.setHintingPreference(g_scale > 1 ? QFont::PreferVerticalHinting : QFont::PreferFullHinting);
    return font;
}

int Scale()
{
    return g_scale;
}

ScaleScope::ScaleScope(int scale)
    : m_previous(g_scale)
{
    g_scale = scale;
}

ScaleScope::~ScaleScope()
{
    g_scale = m_previous;
}

QImage NewImage(int width, int height)
{
    QImage image(width * g_scale, height * g_scale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(g_scale);
    image.fill(Qt::transparent);
    return image;
}

QImage NewOpaqueImage(int width, int height)
{
    QImage image(width * g_scale, height * g_scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(g_scale);
    image.fill(Qt::black);
    return image;
}

namespace {
// True where a whole block of `block` x `block` pixels, standing for one
// ordinary pixel, was left untouched by the drawing.
QImage UncoveredBlocks(const QImage& source, int block)
{
    QImage blocks(source.width() / block, source.height() / block, QImage::Format_Grayscale8);
    for (int by = 0; by < blocks.height(); ++by) {
        uchar* out = blocks.scanLine(by);
        for (int bx = 0; bx < blocks.width(); ++bx) {
            bool empty = true;
            for (int y = by * block; empty && y < (by + 1) * block; ++y) {
                const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
                for (int x = bx * block; empty && x < (bx + 1) * block; ++x)
                    empty = qAlpha(in[x]) == 0;
            }
            out[bx] = empty ? 1 : 0;
        }
    }
    return blocks;
}
} // namespace

QImage Flatten(const QImage& drawing, QColor sitsOn, QRgb key)
{
    QImage source = drawing.convertToFormat(QImage::Format_ARGB32);
    const int block = qMax(1, qRound(drawing.devicePixelRatio()));
    const QImage uncovered = UncoveredBlocks(source, block);
    QImage out(source.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(drawing.devicePixelRatio());
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        const uchar* outside = uncovered.constScanLine(y / block);
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            if (outside[x / block]) {
                row[x] = key;
                continue;
            }
            const int a = qAlpha(in[x]);
            auto mix = [a](int c, int bg) { return (c * a + bg * (255 - a) + 127) / 255; };
            QRgb pixel = qRgb(mix(qRed(in[x]), sitsOn.red()), mix(qGreen(in[x]), sitsOn.green()),
                mix(qBlue(in[x]), sitsOn.blue()));
            if ((pixel | 0xFF000000) == (key | 0xFF000000))
                pixel = qRgb(qMax(qRed(pixel) - 1, 0), qGreen(pixel), qBlue(pixel));
            row[x] = pixel;
        }
    }
    return out;
}

QImage Opaque(const QImage& drawing)
{
    QImage out(drawing.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(drawing.devicePixelRatio());
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, drawing);
    return out;
}

bool Save(const QImage& image, const QString& path)
{
    return WriteFastPng(image, path);
}

QLinearGradient Vertical(const QRectF& rect, QColor top, QColor bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QLinearGradient Horizontal(const QRectF& rect, QColor left, QColor right)
{
    QLinearGradient g(rect.topLeft(), rect.topRight());
    g.setColorAt(0, left);
    g.setColorAt(1, right);
    return g;
}

void GlossyPanel(QPainter& p, const QRectF& rect, qreal radius, QColor base, bool lit)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = lit ? base.lighter(118) : base;
    QLinearGradient g = Vertical(rect, body.lighter(135), body.darker(118));
    g.setColorAt(0.48, body.lighter(112));
    g.setColorAt(0.52, body);
    p.setPen(QPen(body.darker(175), 1));
    p.setBrush(g);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // The gloss: a soft white sheen over the upper half.
    QRectF sheen = rect.adjusted(1.5, 1.5, -1.5, -rect.height() / 2);
    QLinearGradient s = Vertical(sheen, QColor(255, 255, 255, lit ? 150 : 115), QColor(255, 255, 255, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(s);
    p.drawRoundedRect(sheen, radius - 1, radius - 1);
    if (lit) {
        p.setPen(QPen(QColor(150, 210, 255, 200), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
    }
    p.restore();
}

void Recess(QPainter& p, const QRectF& rect, qreal radius, QColor fill)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // Light lower-right rim, dark upper-left rim: the surface is cut in.
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, 1.5, 1.5), radius, radius);
    p.setPen(QPen(QColor(70, 78, 100, 170), 1));
    p.setBrush(fill);
    p.drawRoundedRect(rect.adjusted(-0.5, -0.5, 0.5, 0.5), radius, radius);
    p.restore();
}

void Text(QPainter& p, const QRectF& rect, const QString& text, const QFont& font, QColor colour, int flags)
{
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, flags, text);
    p.restore();
}

void EmbossedText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font, QColor colour,
    QColor shadow, int flags)
{
    Text(p, rect.translated(1, 1), text, font, shadow, flags);
    Text(p, rect, text, font, colour, flags);
}

} // namespace kelvara::generator
