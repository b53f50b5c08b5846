// The skin's font: Tahoma when installed, DejaVu Sans otherwise.
#pragma once

#include <QFont>

namespace kelvara {

// height is the cell height in pixels (ascent plus descent), as the skin's
// sizes are given; the font's pixel size is chosen so the cell fits it.
QFont SkinFont(int height, bool bold = true);

} // namespace kelvara
