#include "FocusMark.h"

#include "SkinPalette.h"

#include <QPainter>

namespace kelvara {

FocusMarkColours SkinFocusMarkColours()
{
    const SkinPalette& skin = Skin();
    return { skin.listBoxFrameLight, skin.listBoxFrameDark };
}

void PaintFocusMark(QPainter& painter, const QRect& frame)
{
    PaintFocusMark(painter, frame, SkinFocusMarkColours());
}

void PaintFocusMark(QPainter& painter, const QRect& frame, const FocusMarkColours& colours)
{
    if (frame.width() < 1 || frame.height() < 1)
        return;
    // Filled unit squares rather than a stroked dash pattern: a pen's dashes
    // are smeared by antialiasing and scale with the pen, squares never are.
    int dot = 0;
    const auto put = [&](int x, int y) {
        painter.fillRect(QRect(x, y, 1, 1), dot++ % 2 == 0 ? colours.light : colours.dark);
    };
    const int left = frame.left();
    const int top = frame.top();
    const int right = frame.right();
    const int bottom = frame.bottom();
    // Clockwise from the top-left corner, each corner pixel drawn once.
    for (int x = left; x <= right; ++x)
        put(x, top);
    for (int y = top + 1; y <= bottom; ++y)
        put(right, y);
    if (bottom > top)
        for (int x = right - 1; x >= left; --x)
            put(x, bottom);
    if (right > left)
        for (int y = bottom - 1; y > top; --y)
            put(left, y);
}

} // namespace kelvara
