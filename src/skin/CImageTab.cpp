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

MaskedBitmap Picture(int bitmapId)
{
    return PrepareMaskedBitmap(LoadSkinImage(bitmapId), CImageTab::kTransparent);
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
    Relayout();
}

void CImageTab::Relayout()
{
    std::vector<int> widths;
    widths.reserve(m_tabs.size());
    for (const Tab& tab : m_tabs)
        widths.push_back(tab.normal.Size().width());
    const int arrowWidth = m_left.idle.IsNull() ? kFallbackArrowWidth : m_left.idle.Size().width();
    const int first = m_layout.FirstShown();
    m_layout = TabStripLayout(std::move(widths), width(), arrowWidth);
    m_layout.ScrollBy(first);
    m_layout.ShowTab(m_selected);
    update();
}

void CImageTab::resizeEvent(QResizeEvent* event)
{
    CSkinButton::resizeEvent(event);
    Relayout();
}

void CImageTab::Select(int index)
{
    if (index < 0 || index > Count() - 1)
        return;
    m_selected = index;
    m_layout.ShowTab(index);
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
    const int before = m_layout.FirstShown();
    m_layout.ScrollBy(tabs);
    if (m_layout.FirstShown() == before)
        return false;
    update();
    return true;
}

QRect CImageTab::TabRect(int index) const
{
    const QRect tab(m_layout.TabLeft(index), 0, m_layout.TabWidth(index), height());
    return tab.intersected(QRect(0, 0, m_layout.TabAreaWidth(), height()));
}

QRect CImageTab::ArrowRect(Arrow arrow) const
{
    if (!m_layout.Scrolls() || arrow == Arrow::None)
        return {};
    const int arrowWidth = (width() - m_layout.TabAreaWidth()) / 2;
    return { m_layout.ArrowLeft(arrow), 0, arrowWidth, height() };
}

void CImageTab::DrawPicture(QPainter& painter, QPoint at, const MaskedBitmap& picture) const
{
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
    const MaskedBitmap& look = !m_layout.CanScroll(arrow) ? looks.off
        : m_hotArrow == arrow                             ? looks.hover
                                                          : looks.idle;
    const QRect place = ArrowRect(arrow);
    DrawPicture(painter, QPoint(place.left(), (height() - look.Size().height()) / 2), look);
}

void CImageTab::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.save();
    // A tab cut by the arrows ends under them, never over them.
    p.setClipRect(QRect(0, 0, m_layout.TabAreaWidth(), height()));
    for (int i = 0; i < Count(); ++i) {
        if (TabRect(i).isEmpty())
            continue;
        const Tab& tab = m_tabs[std::size_t(i)];
        DrawPicture(p, QPoint(m_layout.TabLeft(i), 0), i == m_selected ? tab.selected : tab.normal);
    }
    p.restore();
    if (m_layout.Scrolls()) {
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
    if (const Arrow arrow = m_layout.ArrowAt(x); arrow != Arrow::None) {
        ScrollTabs(arrow == Arrow::Left ? -1 : 1);
        return;
    }
    const int index = m_layout.TabAt(x);
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
    SetHotArrow(m_layout.ArrowAt(int(event->position().x())));
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
        return QRect(0, 0, m_layout.TabAreaWidth(), height()).adjusted(1, 1, -1, -1);
    return tab.adjusted(1, 1, -1, -1);
}

} // namespace kelvara
