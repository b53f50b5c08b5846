#include "LazyMaskedBitmap.h"

#include "SkinPalette.h"

#include <utility>

namespace kelvara {

LazyMaskedBitmap::LazyMaskedBitmap(int bitmapId, QRgb transparentColour)
    : m_bitmapId(bitmapId)
    , m_transparentColour(transparentColour)
{
}

LazyMaskedBitmap::LazyMaskedBitmap(MaskedBitmap prepared)
    : m_prepared(std::move(prepared))
{
}

const MaskedBitmap& LazyMaskedBitmap::Get() const
{
    if (!m_prepared)
        m_prepared = m_bitmapId != 0 ? PrepareMaskedBitmap(LoadSkinImage(m_bitmapId), m_transparentColour)
                                     : MaskedBitmap();
    return *m_prepared;
}

QSize LazyMaskedBitmap::Size() const
{
    if (m_prepared)
        return m_prepared->Size();
    if (!m_size)
        m_size = m_bitmapId != 0 ? SkinImageLogicalSize(m_bitmapId) : QSize();
    return *m_size;
}

} // namespace kelvara
