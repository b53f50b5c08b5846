#include "CImageTab.h"

#include <QMouseEvent>

namespace kelvara {

CImageTab::CImageTab(QWidget* parent)
    : CSkinButton(parent)
{
    DrawBorder(false);
    DrawTransparent(true);
}

void CImageTab::AddImage(int index, int bitmapId)
{
    if (index < 0 || index >= kMaxTabs || m_count >= kMaxTabs)
        return;
    m_ids[std::size_t(index)] = bitmapId;
    ++m_count;
}

void CImageTab::Select(int index)
{
    if (index < 0 || index > m_count - 1)
        return;
    m_selected = index;
    const int id = m_ids[std::size_t(index)];
    SetBitmaps(id, kTransparent, id, kTransparent);
}

void CImageTab::mousePressEvent(QMouseEvent* event)
{
    // The strip has no press look and no click: a press picks a tab at once.
    if (event->button() != Qt::LeftButton || m_count == 0)
        return;
    const int tabWidth = width() / m_count;
    if (tabWidth <= 0)
        return;
    const int index = int(event->position().x()) / tabWidth;
    if (index == m_selected)
        return;
    Select(index);
    emit ImageTabClick(this);
}

void CImageTab::mouseReleaseEvent(QMouseEvent*)
{
}

void CImageTab::keyPressEvent(QKeyEvent* event)
{
    // The space bar would click a button; a tab strip only answers the mouse.
    event->ignore();
}

} // namespace kelvara
