#include "CFadeInPicture.h"

#include "SkinPalette.h"

#include <QPainter>

namespace kelvara {

CFadeInPicture::CFadeInPicture(QWidget* parent)
    : QWidget(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &CFadeInPicture::OnStep);
}

int CFadeInPicture::SetBitmap(int bitmapId, int delayMs)
{
    QPixmap bitmap = LoadSkinBitmap(bitmapId);
    if (bitmap.isNull())
        return 0;
    m_bitmap = bitmap;
    m_bitmapId = bitmapId;
    m_delayMs = delayMs;
    m_alpha = 0;
    m_fadedIn = false;
    resize(LogicalSize(m_bitmap));
    m_timer.start(m_delayMs);
    update();
    return 1;
}

void CFadeInPicture::OnStep()
{
    m_alpha += kAlphaStep;
    if (m_alpha > 255) {
        // The last step (alpha 255) has been shown for one delay: the fade is over.
        m_alpha = 255;
        m_timer.stop();
        m_fadedIn = true;
        emit FadedIn();
    }
    update();
}

void CFadeInPicture::paintEvent(QPaintEvent*)
{
    if (m_bitmap.isNull())
        return;
    QPainter p(this);
    p.setOpacity(m_fadedIn ? 1.0 : m_alpha / 255.0);
    p.drawPixmap(0, 0, m_bitmap);
}

} // namespace kelvara
