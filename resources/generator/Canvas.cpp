#include "Canvas.h"

#include <QFontDatabase>
#include <QPainterPath>

namespace Gen {

namespace {
QString g_regular = QStringLiteral("DejaVu Sans");
QString g_bold = QStringLiteral("DejaVu Sans");

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
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage NewImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage Flatten(const QImage& drawing, QColor sitsOn, QRgb key)
{
    QImage source = drawing.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a == 0) {
                row[x] = key;
                continue;
            }
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
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, drawing);
    return out;
}

bool Save(const QImage& image, const QString& path)
{
    return image.save(path, "PNG");
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

} // namespace Gen
