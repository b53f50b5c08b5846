#include "CImageTab.h"

#include <QKeyEvent>
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

bool CImageTab::ChooseTab(int index)
{
    if (index < 0 || index >= m_count || index == m_selected)
        return false;
    Select(index);
    emit ImageTabClick(this);
    return true;
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
    // The arrows stop at either end, as a tab bar's do. Space and Return
    // would click a button; a strip has nothing to click, so they and every
    // other key go on to the window.
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || m_count == 0) {
        event->ignore();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        ChooseTab(m_selected - 1);
        break;
    case Qt::Key_Right:
        ChooseTab(m_selected + 1);
        break;
    case Qt::Key_Home:
        ChooseTab(0);
        break;
    case Qt::Key_End:
        ChooseTab(m_count - 1);
        break;
    default:
        event->ignore();
        return;
    }
    NoteKeyboardUse();
    event->accept();
}

void CImageTab::keyReleaseEvent(QKeyEvent* event)
{
    event->ignore();
}

QRect CImageTab::FocusMarkRect() const
{
    if (m_count == 0 || m_selected < 0)
        return rect();
    const int tabWidth = width() / m_count;
    return QRect(m_selected * tabWidth, 0, tabWidth, height()).adjusted(1, 1, -1, -1);
}

} // namespace kelvara
