// The one focus mark of the skin: a dotted frame, one logical pixel wide,
// whose dots alternate the skin's light and dark frame colours so that it
// shows on any background. Every control that takes the keyboard focus draws
// it while it has the focus.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace kelvara {

struct FocusMarkColours {
    QColor light;
    QColor dark;
};

// The skin's pair (the list box frame colours).
FocusMarkColours SkinFocusMarkColours();

// Draws the mark along the inside of frame. Dots are whole logical pixels, so
// at a device pixel ratio of 2 each is a crisp 2 x 2 block.
void PaintFocusMark(QPainter& painter, const QRect& frame);
void PaintFocusMark(QPainter& painter, const QRect& frame, const FocusMarkColours& colours);

} // namespace kelvara
