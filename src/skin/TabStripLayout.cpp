#include "TabStripLayout.h"

#include <algorithm>
#include <numeric>

namespace kelvara {

TabStripLayout::TabStripLayout(std::vector<int> tabWidths, int stripWidth, int arrowWidth)
    : m_widths(std::move(tabWidths))
    , m_stripWidth(stripWidth)
    , m_arrowWidth(arrowWidth)
{
}

int TabStripLayout::RowWidth(int from, int to) const
{
    return std::accumulate(m_widths.begin() + from, m_widths.begin() + to, 0);
}

bool TabStripLayout::Scrolls() const
{
    return RowWidth(0, Count()) > m_stripWidth;
}

int TabStripLayout::TabAreaWidth() const
{
    return std::max(0, m_stripWidth - (Scrolls() ? 2 * m_arrowWidth : 0));
}

int TabStripLayout::TabLeft(int index) const
{
    return index >= m_first ? RowWidth(m_first, index) : -RowWidth(index, m_first);
}

int TabStripLayout::TabWidth(int index) const
{
    return index >= 0 && index < Count() ? m_widths[std::size_t(index)] : 0;
}

int TabStripLayout::TabAt(int x) const
{
    if (x < 0 || x >= TabAreaWidth())
        return -1;
    for (int i = m_first, left = 0; i < Count(); left += TabWidth(i), ++i)
        if (x < left + TabWidth(i))
            return i;
    return -1;
}

TabStripLayout::Arrow TabStripLayout::ArrowAt(int x) const
{
    if (!Scrolls() || x < TabAreaWidth() || x >= m_stripWidth)
        return Arrow::None;
    return x < ArrowLeft(Arrow::Right) ? Arrow::Left : Arrow::Right;
}

int TabStripLayout::ArrowLeft(Arrow arrow) const
{
    return TabAreaWidth() + (arrow == Arrow::Right ? m_arrowWidth : 0);
}

int TabStripLayout::LastFirstShown() const
{
    int first = Count() - 1;
    while (first > 0 && RowWidth(first - 1, Count()) <= TabAreaWidth())
        --first;
    return std::max(first, 0);
}

bool TabStripLayout::CanScroll(Arrow arrow) const
{
    if (arrow == Arrow::Left)
        return m_first > 0;
    return arrow == Arrow::Right && m_first < LastFirstShown();
}

void TabStripLayout::ScrollBy(int tabs)
{
    m_first = std::clamp(m_first + tabs, 0, LastFirstShown());
}

void TabStripLayout::ShowTab(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (index < m_first) {
        m_first = index;
        return;
    }
    while (m_first < index && RowWidth(m_first, index + 1) > TabAreaWidth())
        ++m_first;
}

} // namespace kelvara
