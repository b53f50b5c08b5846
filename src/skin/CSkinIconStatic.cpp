#include "CSkinIconStatic.h"

#include <QPainter>

namespace kelvara {

CSkinIconStatic::CSkinIconStatic(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CSkinIconStatic::SetIcon(const QPixmap& icon)
{
    m_icon = icon;
    update();
}

void CSkinIconStatic::paintEvent(QPaintEvent*)
{
    if (m_icon.isNull())
        return;
    QPainter p(this);
    p.setClipRect(rect());
    p.drawPixmap(QRect(0, 0, 32, 32), m_icon);
}

} // namespace kelvara
