#include "Canvas.h"
#include "Drawings.h"

#include <QPainterPath>

namespace kelvara::generator {

namespace {

const QColor Surface(214, 220, 232); // what the light buttons sit on
const QColor BandColour(74, 82, 107); // what the title-band buttons sit on

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, QColor colour)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = box.center();
    const qreal s = qMin(box.width(), box.height()) / 2.0;
    QPen pen(colour, qMax(1.6, s / 3.2), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(colour);
    switch (glyph) {
    case Glyph::Start: {
        QPainterPath play;
        play.moveTo(c + QPointF(-s * 0.45, -s * 0.62));
        play.lineTo(c + QPointF(s * 0.7, 0));
        play.lineTo(c + QPointF(-s * 0.45, s * 0.62));
        play.closeSubpath();
        p.setPen(Qt::NoPen);
        p.drawPath(play);
        break;
    }
    case Glyph::Stop:
    case Glyph::Square:
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(
            QRectF(c - QPointF(s * 0.52, s * 0.52), QSizeF(s * 1.04, s * 1.04)), s * 0.15, s * 0.15);
        break;
    case Glyph::Add:
        p.drawLine(c + QPointF(-s * 0.55, 0), c + QPointF(s * 0.55, 0));
        p.drawLine(c + QPointF(0, -s * 0.55), c + QPointF(0, s * 0.55));
        break;
    case Glyph::Remove:
    case Glyph::Minimize:
        p.drawLine(c + QPointF(-s * 0.55, glyph == Glyph::Minimize ? s * 0.35 : 0),
            c + QPointF(s * 0.55, glyph == Glyph::Minimize ? s * 0.35 : 0));
        break;
    case Glyph::Clear:
    case Glyph::Close:
        p.drawLine(c + QPointF(-s * 0.45, -s * 0.45), c + QPointF(s * 0.45, s * 0.45));
        p.drawLine(c + QPointF(s * 0.45, -s * 0.45), c + QPointF(-s * 0.45, s * 0.45));
        break;
    case Glyph::Previous:
    case Glyph::Next: {
        const qreal d = glyph == Glyph::Next ? 1 : -1;
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 2; ++k) {
            const QPointF o = c + QPointF(d * (k == 0 ? -s * 0.42 : s * 0.42), 0);
            QPainterPath t;
            t.moveTo(o + QPointF(-d * s * 0.42, -s * 0.5));
            t.lineTo(o + QPointF(d * s * 0.42, 0));
            t.lineTo(o + QPointF(-d * s * 0.42, s * 0.5));
            t.closeSubpath();
            p.drawPath(t);
        }
        break;
    }
    case Glyph::Camera:
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(c.x() - s * 0.7, c.y() - s * 0.35, s * 1.4, s * 0.95), 1.5, 1.5);
        p.drawRect(QRectF(c.x() - s * 0.25, c.y() - s * 0.55, s * 0.5, s * 0.25));
        p.setBrush(QColor(0, 0, 0, 110));
        p.drawEllipse(c + QPointF(0, s * 0.12), s * 0.3, s * 0.3);
        break;
    case Glyph::Up:
    case Glyph::Down: {
        const qreal d = glyph == Glyph::Up ? -1 : 1;
        QPainterPath t;
        t.moveTo(c + QPointF(-s * 0.8, -d * s * 0.4));
        t.lineTo(c + QPointF(s * 0.8, -d * s * 0.4));
        t.lineTo(c + QPointF(0, d * s * 0.5));
        t.closeSubpath();
        p.setPen(Qt::NoPen);
        p.drawPath(t);
        break;
    }
    }
    p.restore();
}

} // namespace

QImage RoundButton(int width, int height, Glyph glyph, const QString& caption, bool hover)
{
    QImage image = NewImage(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool big = caption.isEmpty();
    const qreal d = big ? qMin(width, height) - 1.0 : 32.0;
    const QRectF disc((width - d) / 2.0, 0.5, d, d);
    QColor base = Blue;
    if (glyph == Glyph::Stop)
        base = QColor(206, 48, 36);
    else if (!big)
        base = QColor(96, 108, 140);
    QRadialGradient g(disc.center() - QPointF(d * 0.2, d * 0.3), d);
    const QColor body = hover ? base.lighter(125) : base;
    g.setColorAt(0, body.lighter(150));
    g.setColorAt(0.5, body);
    g.setColorAt(1, body.darker(160));
    p.setPen(QPen(body.darker(190), 1));
    p.setBrush(g);
    p.drawEllipse(disc);
    QRectF sheen(disc.left() + d * 0.18, disc.top() + d * 0.06, d * 0.64, d * 0.42);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(sheen, QColor(255, 255, 255, hover ? 170 : 130), QColor(255, 255, 255, 10)));
    p.drawEllipse(sheen);
    if (hover) {
        p.setPen(QPen(QColor(170, 220, 255, 220), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(disc.adjusted(1.5, 1.5, -1.5, -1.5));
    }
    DrawGlyph(p, glyph, disc.adjusted(d * 0.26, d * 0.26, -d * 0.26, -d * 0.26), Qt::white);
    if (!big)
        EmbossedText(p, QRectF(0, d + 1, width, height - d - 1), caption, Font(10, true),
            hover ? BlueDeep : QColor(44, 50, 68), QColor(255, 255, 255, 200));
    p.end();
    return Flatten(image, Surface, White);
}

QImage TextButton(int width, int height, const QString& caption, bool onDark, bool hover, bool arrow)
{
    QImage image = NewImage(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, width, height);
    const QColor base = onDark ? (hover ? Blue : SlateLight) : (hover ? BlueLight : QColor(226, 231, 240));
    GlossyPanel(p, r, 5, base, hover);
    const QColor ink = onDark || hover ? QColor(255, 255, 255) : Ink;
    const QColor shade = onDark || hover ? QColor(0, 0, 0, 120) : QColor(255, 255, 255, 200);
    QRectF textBox = r.adjusted(4, 0, arrow ? -12 : -4, 0);
    EmbossedText(p, textBox, caption, Font(11, true), ink, shade);
    if (arrow) {
        QPainterPath t;
        const qreal x = width - 12, y = height / 2.0;
        t.moveTo(x, y - 1.5);
        t.lineTo(x + 6, y - 1.5);
        t.lineTo(x + 3, y + 2.5);
        t.closeSubpath();
        p.fillPath(t, ink);
    }
    p.end();
    return Flatten(image, onDark ? BandColour : Surface, White);
}

QImage GlyphButton(int width, int height, Glyph glyph, bool onDark, bool hover)
{
    QImage image = NewImage(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, width, height);
    QColor base = onDark ? SlateLight : QColor(120, 132, 162);
    if (hover)
        base = glyph == Glyph::Close ? QColor(214, 60, 48) : Blue;
    GlossyPanel(p, r, qMin(width, height) / 4.0, base, hover);
    const qreal inset = qMin(width, height) * 0.28;
    DrawGlyph(p, glyph, r.adjusted(inset, inset, -inset, -inset), Qt::white);
    p.end();
    return Flatten(image, onDark ? BandColour : Surface, White);
}

} // namespace kelvara::generator
