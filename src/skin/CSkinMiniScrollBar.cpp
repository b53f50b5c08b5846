#include "CSkinMiniScrollBar.h"

#include "PostEvent.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelvara {

CSkinMiniScrollBar::CSkinMiniScrollBar(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void CSkinMiniScrollBar::SetLook(QColor light, QColor dark, const QPixmap& tile)
{
    m_light = light;
    m_dark = dark;
    m_tile = tile;
    update();
}

void CSkinMiniScrollBar::SetRange(int range, int page)
{
    m_range = qMax(range, 1);
    m_page = qBound(0, page, m_range);
    SetPos(m_position);
}

void CSkinMiniScrollBar::SetPos(int position)
{
    m_position = qBound(0, position, m_range - m_page);
    update();
}

int CSkinMiniScrollBar::ThumbStart() const
{
    return int(qint64(m_position) * (height() - 10) / m_range);
}

int CSkinMiniScrollBar::ThumbLength() const
{
    return int(qint64(height() - 9) * m_page / m_range);
}

void CSkinMiniScrollBar::MoveByUser(int position)
{
    const int before = m_position;
    SetPos(position);
    if (m_position != before)
        Post(this, [](CSkinMiniScrollBar* self) { emit self->MiniScroll(self->m_position, self); });
}

void CSkinMiniScrollBar::mousePressEvent(QMouseEvent* event)
{
    const int y = int(event->position().y());
    const int start = ThumbStart();
    const int end = start + ThumbLength();
    if (y > end + 8) {
        MoveByUser(m_position + m_page);
    } else if (y <= start + 2) {
        MoveByUser(m_position - m_page);
    } else {
        m_dragging = true;
        m_dragStartY = y;
        m_dragStartPosition = m_position;
    }
}

void CSkinMiniScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || height() <= 16)
        return;
    const int dy = int(event->position().y()) - m_dragStartY;
    MoveByUser(m_dragStartPosition + int(qint64(dy) * m_range / (height() - 16)));
}

void CSkinMiniScrollBar::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

void CSkinMiniScrollBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_PageUp)
        MoveByUser(m_position - m_page);
    else if (event->key() == Qt::Key_PageDown)
        MoveByUser(m_position + m_page);
    else
        event->ignore(); // the owner handles every other key
}

void CSkinMiniScrollBar::Frame(QPainter& p, const QRect& r) const
{
    p.setPen(m_light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(m_dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

void CSkinMiniScrollBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!m_tile.isNull())
        p.drawTiledPixmap(rect(), m_tile);
    Frame(p, rect().adjusted(0, 0, -1, -1));
    const QRect thumb(1, ThumbStart() + 1, width() - 2, qMax(ThumbLength(), 4));
    const QColor brush((m_light.red() + m_dark.red() + 1) / 2, (m_light.green() + m_dark.green() + 1) / 2,
        (m_light.blue() + m_dark.blue() + 1) / 2);
    p.fillRect(thumb, brush);
    if (!m_tile.isNull()) {
        p.setOpacity(0.5);
        p.drawTiledPixmap(thumb, m_tile);
        p.setOpacity(1);
    }
    Frame(p, thumb.adjusted(0, 0, -1, -1));
    const int middle = thumb.center().y();
    p.setPen(m_dark.darker(130));
    p.drawLine(thumb.left() + 2, middle - 1, thumb.right() - 2, middle - 1);
    p.drawLine(thumb.left() + 2, middle + 2, thumb.right() - 2, middle + 2);
}

} // namespace kelvara
