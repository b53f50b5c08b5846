// The skin's font: Tahoma when installed, DejaVu Sans otherwise.
#pragma once

#include <QFont>

namespace kelvara {

// height is the cell height in pixels (ascent plus descent), as the skin's
// sizes are given; the font's pixel size is chosen so the cell fits it.
QFont SkinFont(int height, bool bold = true);

// The font a design height means on the screen: the design measures a
// font's cell with the ascent and descent its file gives for Windows
// (usWinAscent + usWinDescent, 1.21 em for Tahoma), where Qt reads the
// typographic ones (0.97 em). Height 13 is thus an 11-pixel Tahoma, the
// size the list's texts and titles were laid out for.
QFont SkinFontAtDesignHeight(int height, bool bold = true);

} // namespace kelvara
