// Painting shared by the pop-up list and the list box: the rounded outer
// frame, the item panel whose pattern scrolls with the rows, and the
// pressed-in look of a highlighted row.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace kelvara {

void PaintRoundedListFrame(QPainter& p, QSize size, QColor light, QColor dark);
void PaintItemPanel(
    QPainter& p, const QRect& panel, const QPixmap& tile, int scrollOffset, QColor light, QColor dark);
void PaintPressedRow(
    QPainter& p, const QRect& row, const QPixmap& tile, int scrollOffset, QColor light, QColor dark);

} // namespace kelvara
