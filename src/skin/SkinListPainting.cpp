#include "SkinListPainting.h"

#include "SkinPalette.h"

#include <QPainterPath>

namespace kelvara {

namespace {

// Dark on the top and left, light on the bottom and right: a pressed-in look.
void DrawSunkenFrame(QPainter& p, const QRect& r, QColor light, QColor dark)
{
    p.setPen(dark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

void PaintRoundedListFrame(QPainter& p, QSize size, QColor light, QColor dark)
{
    const QRectF outline(0.5, 0.5, size.width() - 1, size.height() - 1);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    // Upper-left bands in the light colour, lower-right ones in the dark.
    p.setClipRegion(QRegion(0, 0, size.width(), 2) + QRegion(0, 0, 2, size.height()));
    p.setPen(QPen(light, 1));
    p.drawRoundedRect(outline, 5, 5);
    p.setClipRegion(
        QRegion(0, size.height() - 2, size.width(), 2) + QRegion(size.width() - 2, 0, 2, size.height()));
    p.setPen(QPen(dark, 1));
    p.drawRoundedRect(outline, 5, 5);
    p.restore();
}

void PaintItemPanel(
    QPainter& p, const QRect& panel, const QPixmap& tile, int scrollOffset, QColor light, QColor dark)
{
    p.save();
    p.setClipRect(panel);
    if (!tile.isNull()) {
        const int tileHeight = LogicalSize(tile).height();
        const int phase = scrollOffset % tileHeight;
        p.drawTiledPixmap(panel, tile, QPoint(0, phase + panel.top() % tileHeight));
    }
    DrawSunkenFrame(p, panel.adjusted(0, 0, -1, -1), light, dark);
    p.restore();
}

void PaintPressedRow(
    QPainter& p, const QRect& row, const QPixmap& tile, int scrollOffset, QColor light, QColor dark)
{
    const QRect inner = row.adjusted(0, 1, 0, -1);
    if (!tile.isNull())
        p.drawTiledPixmap(inner, tile, QPoint(0, (scrollOffset + inner.top()) % LogicalSize(tile).height()));
    DrawSunkenFrame(p, inner.adjusted(0, 0, -1, -1), light, dark);
}

} // namespace kelvara
