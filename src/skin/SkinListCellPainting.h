// Drawing one cell of the skinned list from its ListCellInfo: check box,
// image, shaded progress band, text and focus rectangle.
#pragma once

#include "ListCellInfo.h"

#include <QFont>
#include <QPainter>
#include <QRect>

namespace kelvara {

// The colours a cell is drawn in once the system defaults are resolved.
struct CellColours {
    QColor text;
    QColor back;
    QColor unselectedBack;
    QColor selectedBack;
    QColor progressText;
};
CellColours ResolveCellColours(const ListCellInfo& info, bool listFocused);

// A band darkest at its edges and lightest along its middle line.
void PaintShadedBand(QPainter& p, const QRect& rect, QColor base);
// The rectangle of the bar inside a cell's text area.
QRect ProgressBarRect(const QRect& textArea, bool inset);
// The filled part of the bar: the whole bar once the position reaches the maximum.
QRect ProgressFilledRect(const QRect& bar, int position, int maximum);

struct CellPaintState {
    bool listFocused = false;
    bool focusCell = false; // the list's focused cell, drawn with a focus rectangle
};
void PaintListCell(
    QPainter& p, const QRect& cell, const ListCellInfo& info, const QFont& listFont, CellPaintState state);

} // namespace kelvara
