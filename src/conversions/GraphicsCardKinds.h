// Which output kinds a graphics card's encoder can serve: the video kinds
// whose profiles encode with a codec the card makes.
#pragma once

#include "ffmpeg/HardwareEncoders.h"
#include "options/OutputKind.h"

#include <span>

namespace kelvara {

// True when one of `encoders` makes a codec of `kind`'s profiles.
bool GraphicsCardServes(const OutputKind& kind, std::span<const UsableEncoder> encoders);

} // namespace kelvara
