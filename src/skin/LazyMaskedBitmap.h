// A skin picture with a transparent colour that is decoded and prepared only
// when first drawn: a window holds many looks (hidden strips, states not
// shown) that its first paint never needs.
#pragma once

#include "MaskedBitmap.h"

#include <QSize>

#include <optional>

namespace kelvara {

class LazyMaskedBitmap {
public:
    LazyMaskedBitmap() = default;
    LazyMaskedBitmap(int bitmapId, QRgb transparentColour);
    // A picture already prepared, from an image not among the skin's.
    explicit LazyMaskedBitmap(MaskedBitmap prepared);

    // The prepared picture, decoded at the first call; null when the id does not exist.
    const MaskedBitmap& Get() const;
    // In the coordinates it is drawn in, from the picture's header when not
    // yet decoded; empty when the id does not exist.
    QSize Size() const;
    bool IsNull() const { return Size().isEmpty(); }

private:
    int m_bitmapId = 0;
    QRgb m_transparentColour = 0;
    mutable std::optional<MaskedBitmap> m_prepared;
    mutable std::optional<QSize> m_size;
};

} // namespace kelvara
