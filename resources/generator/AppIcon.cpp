// The program's icon for the desktop's icon theme, drawn separately at every
// size the theme asks for: a small icon is not a shrunken large one, its
// strokes and margins are chosen for its own pixel grid.
#include "AppIcon.h"

#include "Canvas.h"

#include <QDir>
#include <QFile>
#include <QPainterPath>
#include <QTextStream>
#include <cmath>

namespace kelvara::generator {

namespace {

// What changes from one size to the next. Strokes and insets are chosen so
// edges fall on whole or half pixels at that size.
struct IconMetrics {
    int size;
    qreal inset; // the tile's distance from the image edge
    qreal radius; // the tile's corner radius
    qreal ring; // the conversion ring's radius
    qreal stroke; // the ring's stroke width
    qreal head; // the arrowheads' length
    int holes; // sprocket holes per film edge; 0 leaves the film edges out
};

constexpr IconMetrics kMetrics[] = {
    { 16, 0.5, 3, 5.0, 1.6, 2.6, 0 },
    { 24, 1.0, 4.5, 7.5, 2.0, 3.6, 0 },
    { 32, 1.0, 6, 10.0, 2.5, 4.6, 0 },
    { 48, 2.0, 9, 13.5, 3.2, 6.2, 4 },
    { 64, 2.0, 12, 18.0, 4.0, 8.0, 5 },
    { 128, 4.0, 24, 36.0, 7.5, 15.0, 6 },
    { 256, 8.0, 48, 72.0, 14.0, 29.0, 7 },
};

const IconMetrics& MetricsFor(int size)
{
    for (const IconMetrics& m : kMetrics) {
        if (m.size == size)
            return m;
    }
    return kMetrics[2];
}

// The blue, lit-from-above tile of the skin's buttons.
void Tile(QPainter& p, const QRectF& tile, const IconMetrics& m)
{
    QLinearGradient body = Vertical(tile, BlueLight, BlueDeep);
    body.setColorAt(0.5, Blue);
    p.setPen(QPen(BlueDeep.darker(150), m.size >= 64 ? m.size / 64.0 : 1.0));
    p.setBrush(body);
    p.drawRoundedRect(tile, m.radius, m.radius);
    const qreal edge = std::max(1.0, m.size / 32.0);
    const QRectF sheen = tile.adjusted(edge, edge, -edge, -tile.height() * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(sheen, QColor(255, 255, 255, 120), QColor(255, 255, 255, 10)));
    p.drawRoundedRect(sheen, m.radius - edge, m.radius - edge);
}

// Dark film edges with light sprocket holes down both sides of the tile:
// what makes the tile read as video at the sizes that have room for it.
void FilmEdges(QPainter& p, const QRectF& tile, const IconMetrics& m)
{
    if (m.holes == 0)
        return;
    const qreal band = std::round(m.size * 0.11);
    const qreal top = tile.top() + m.radius * 0.55;
    const qreal height = tile.height() - m.radius * 1.1;
    const qreal pitch = height / m.holes;
    const qreal hole = std::max(2.0, std::round(band * 0.5));
    p.setPen(Qt::NoPen);
    for (const qreal x : { tile.left() + band * 0.5, tile.right() - band * 0.5 }) {
        for (int i = 0; i < m.holes; ++i) {
            const QPointF c(x, top + pitch * (i + 0.5));
            p.setBrush(QColor(10, 40, 90, 150));
            p.drawRoundedRect(
                QRectF(c.x() - hole / 2 - 0.5, c.y() - hole / 2 - 0.5, hole + 1, hole * 1.3 + 1), hole / 3,
                hole / 3);
            p.setBrush(QColor(225, 240, 255, 235));
            p.drawRoundedRect(
                QRectF(c.x() - hole / 2, c.y() - hole / 2, hole, hole * 1.3), hole / 4, hole / 4);
        }
    }
}

// One half of the conversion ring: an arc ending in an arrowhead that
// points along the turn.
void ArcArrow(QPainter& p, QPointF centre, const IconMetrics& m, qreal startDeg, qreal spanDeg)
{
    const QRectF box(centre.x() - m.ring, centre.y() - m.ring, m.ring * 2, m.ring * 2);
    QPainterPath arc;
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, spanDeg);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, m.stroke, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(arc);

    // The head sits at the arc's end, pointing along its tangent (the
    // angles run counter-clockwise, y grows downwards).
    const qreal end = qDegreesToRadians(startDeg + spanDeg);
    const QPointF tip(centre.x() + m.ring * std::cos(end), centre.y() - m.ring * std::sin(end));
    const QPointF along(-std::sin(end), -std::cos(end)); // the direction of travel
    const QPointF across(std::cos(end), -std::sin(end));
    const qreal half = m.head * 0.62;
    QPainterPath head;
    head.moveTo(tip + along * m.head);
    head.lineTo(tip + across * half);
    head.lineTo(tip - across * half);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(head);
}

// The media being converted: a play triangle in the middle of the ring.
void PlayMark(QPainter& p, QPointF centre, const IconMetrics& m)
{
    const qreal h = m.ring * (m.size <= 16 ? 1.05 : 0.95);
    const qreal w = h * 0.87;
    QPainterPath t;
    t.moveTo(centre.x() - w * 0.4, centre.y() - h / 2);
    t.lineTo(centre.x() + w * 0.6, centre.y());
    t.lineTo(centre.x() - w * 0.4, centre.y() + h / 2);
    t.closeSubpath();
    if (m.size >= 48) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 40, 100, 90));
        p.drawPath(t.translated(0, m.size / 64.0 + 0.5));
    }
    p.setPen(QPen(QColor(255, 255, 255), m.size >= 48 ? m.size / 64.0 : 0.5, Qt::SolidLine, Qt::RoundCap,
        Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(t);
}

} // namespace

const QList<int>& AppIconSizes()
{
    static const QList<int> sizes = { 16, 24, 32, 48, 64, 128, 256 };
    return sizes;
}

QImage AppIconAt(int size)
{
    const IconMetrics& m = MetricsFor(size);
    // Exactly `size` pixels whatever scale the skin's bitmaps are drawn at:
    // the theme's sizes are device pixels already.
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(m.inset, m.inset, size - 2 * m.inset, size - 2 * m.inset);
    Tile(p, tile, m);
    FilmEdges(p, tile, m);
    const QPointF centre(size / 2.0, size / 2.0);
    // Two arcs chase each other round the centre: one file becomes another.
    ArcArrow(p, centre, m, 120, 130);
    ArcArrow(p, centre, m, 300, 130);
    PlayMark(p, centre, m);
    p.end();
    return image;
}

bool WriteAppIcons(const QString& resourcesFolder)
{
    const QDir root(resourcesFolder);
    if (!root.mkpath("appicon"))
        return false;
    QString qrc;
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/appicon\">\n";
    for (const int size : AppIconSizes()) {
        const QString name = QString::number(size) + ".png";
        if (!Save(AppIconAt(size), root.filePath("appicon/" + name)))
            return false;
        list << "    <file>" << name << "</file>\n";
    }
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    QFile file(root.filePath("appicon/appicon.qrc"));
    const QByteArray bytes = qrc.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace kelvara::generator
