#include "CImageTab.h"

#include "FocusMark.h"
#include "SkinPalette.h"
#include "SkinResourceIds.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kelvara {

namespace {

using Arrow = TabStripLayout::Arrow;

// The arrows' width when their pictures are missing, so the tabs still scroll.
constexpr int kFallbackArrowWidth = 16;

LazyMaskedBitmap Picture(int bitmapId)
{
    return { bitmapId, CImageTab::kTransparent };
}

} // namespace

CImageTab::CImageTab(QWidget* parent)
    : CSkinButton(parent)
{
    DrawBorder(false);
    DrawTransparent(true);
    m_left = { Picture(skin_id::TabScrollLeft), Picture(skin_id::TabScrollLeft + 1),
        Picture(skin_id::TabScrollLeft + 2) };
    m_right = { Picture(skin_id::TabScrollRight), Picture(skin_id::TabScrollRight + 1),
        Picture(skin_id::TabScrollRight + 2) };
}

void CImageTab::AddImage(int index, int bitmapId)
{
    if (index < 0)
        return;
    if (index >= Count())
        m_tabs.resize(std::size_t(index) + 1);
    m_tabs[std::size_t(index)] = { Picture(bitmapId), Picture(bitmapId + skin_id::kTabNormalOffset) };
    update();
}

TabStripLayout& CImageTab::Layout() const
{
    if (m_layout.StripWidth() == width() && m_layout.Count() == Count())
        return m_layout;
    std::vector<int> widths;
    widths.reserve(m_tabs.size());
    for (const Tab& tab : m_tabs)
        widths.push_back(tab.normal.Size().width());
    const int arrowWidth = m_left.idle.IsNull() ? kFallbackArrowWidth : m_left.idle.Size().width();
    const int first = m_layout.FirstShown();
    m_layout = TabStripLayout(std::move(widths), width(), arrowWidth);
    m_layout.ScrollBy(first);
    m_layout.ShowTab(m_selected);
    return m_layout;
}

void CImageTab::Select(int index)
{
    if (index < 0 || index > Count() - 1)
        return;
    m_selected = index;
    Layout().ShowTab(index);
    update();
}

bool CImageTab::ChooseTab(int index)
{
    if (index < 0 || index >= Count() || index == m_selected)
        return false;
    Select(index);
    emit ImageTabClick(this);
    return true;
}

bool CImageTab::ScrollTabs(int tabs)
{
    const int before = Layout().FirstShown();
    Layout().ScrollBy(tabs);
    if (Layout().FirstShown() == before)
        return false;
    update();
    return true;
}

QRect CImageTab::TabPlace(int index) const
{
    return { Layout().TabLeft(index), 0, Layout().TabWidth(index), height() };
}

QRect CImageTab::TabRect(int index) const
{
    return TabPlace(index).intersected(QRect(0, 0, Layout().TabAreaWidth(), height()));
}

QRect CImageTab::ArrowRect(Arrow arrow) const
{
    if (!Layout().Scrolls() || arrow == Arrow::None)
        return {};
    const int arrowWidth = (width() - Layout().TabAreaWidth()) / 2;
    return { Layout().ArrowLeft(arrow), 0, arrowWidth, height() };
}

void CImageTab::DrawPicture(QPainter& painter, QPoint at, const LazyMaskedBitmap& look) const
{
    const MaskedBitmap& picture = look.Get();
    if (picture.IsNull())
        return;
    if (isEnabled()) {
        DrawMaskedBitmap(painter, at, picture);
        return;
    }
    const QPalette system = QApplication::palette();
    DrawDisabledBitmap(painter, at, picture, system.color(QPalette::Light), system.color(QPalette::Dark));
}

void CImageTab::DrawArrow(QPainter& painter, Arrow arrow, const ArrowLooks& looks) const
{
    const LazyMaskedBitmap& look = !Layout().CanScroll(arrow) ? looks.off
        : m_hotArrow == arrow                                 ? looks.hover
                                                              : looks.idle;
    const QRect place = ArrowRect(arrow);
    DrawPicture(painter, QPoint(place.left(), (height() - look.Size().height()) / 2), look);
}

void CImageTab::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.save();
    // A tab cut by the arrows ends under them, never over them.
    p.setClipRect(QRect(0, 0, Layout().TabAreaWidth(), height()));
    for (int i = 0; i < Count(); ++i) {
        if (TabRect(i).isEmpty())
            continue;
        const Tab& tab = m_tabs[std::size_t(i)];
        DrawPicture(p, QPoint(Layout().TabLeft(i), 0), i == m_selected ? tab.selected : tab.normal);
    }
    p.restore();
    if (Layout().Scrolls()) {
        DrawArrow(p, Arrow::Left, m_left);
        DrawArrow(p, Arrow::Right, m_right);
    }
    if (ShowsFocusMark())
        PaintFocusMark(p, FocusMarkRect());
}

void CImageTab::mousePressEvent(QMouseEvent* event)
{
    // The strip has no press look and no click: a press picks a tab at once.
    if (event->button() != Qt::LeftButton || Count() == 0)
        return;
    const int x = int(event->position().x());
    if (const Arrow arrow = Layout().ArrowAt(x); arrow != Arrow::None) {
        ScrollTabs(arrow == Arrow::Left ? -1 : 1);
        return;
    }
    const int index = Layout().TabAt(x);
    if (index == m_selected)
        return;
    Select(index);
    emit ImageTabClick(this);
}

void CImageTab::mouseReleaseEvent(QMouseEvent*)
{
}

void CImageTab::SetHotArrow(Arrow arrow)
{
    if (arrow == m_hotArrow)
        return;
    m_hotArrow = arrow;
    update();
}

void CImageTab::mouseMoveEvent(QMouseEvent* event)
{
    CSkinButton::mouseMoveEvent(event);
    SetHotArrow(Layout().ArrowAt(int(event->position().x())));
}

void CImageTab::leaveEvent(QEvent* event)
{
    CSkinButton::leaveEvent(event);
    SetHotArrow(Arrow::None);
}

void CImageTab::keyPressEvent(QKeyEvent* event)
{
    // The arrows stop at either end, as a tab bar's do. Space and Return
    // would click a button; a strip has nothing to click, so they and every
    // other key go on to the window.
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || Count() == 0) {
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
        ChooseTab(Count() - 1);
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
    const QRect tab = TabRect(m_selected);
    if (tab.isEmpty())
        return QRect(0, 0, Layout().TabAreaWidth(), height()).adjusted(1, 1, -1, -1);
    return tab.adjusted(1, 1, -1, -1);
}

} // namespace kelvara
