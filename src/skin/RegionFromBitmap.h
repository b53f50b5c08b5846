// A window outline taken from a picture: the region of every pixel that is
// not of the key colour.
#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <optional>

namespace kelvara {

// A pixel is of the key colour when each channel lies between the key's
// channel and that channel plus tolerance (capped at 255). No result for a
// null image; an empty region when every pixel is of the key colour. The
// region is in the coordinates the picture is drawn in: for a picture of
// device pixel ratio 2 each of its points covers 2 x 2 pixels and lies inside
// when any of them is not of the key colour.
std::optional<QRegion> RegionFromBitmap(const QImage& bitmap, QRgb key, int tolerance);

} // namespace kelvara
