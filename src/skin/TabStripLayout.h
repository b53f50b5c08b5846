// Where the tabs of a strip go when they may not all fit: a row of tabs of
// their own widths, scrolled by whole tabs, with two scroll arrows at the
// strip's right end whenever the row is wider than the strip.
#pragma once

#include <vector>

namespace kelvara {

class TabStripLayout {
public:
    enum class Arrow { None, Left, Right };

    TabStripLayout() = default;
    TabStripLayout(std::vector<int> tabWidths, int stripWidth, int arrowWidth);

    int Count() const { return int(m_widths.size()); }
    int StripWidth() const { return m_stripWidth; }
    // The row does not fit the strip, so the arrows show and take their room.
    bool Scrolls() const;
    // The part of the strip the tabs are drawn in, from its left edge.
    int TabAreaWidth() const;
    // The left edge of a tab in strip coordinates, with the row scrolled;
    // negative or past the tab area for tabs scrolled out of view.
    int TabLeft(int index) const;
    int TabWidth(int index) const;
    // The tab drawn under x, or -1 where none is (an arrow, the empty end).
    int TabAt(int x) const;
    Arrow ArrowAt(int x) const;
    int ArrowLeft(Arrow arrow) const;

    int FirstShown() const { return m_first; }
    // The first tab shown once the last one shows whole: scrolling stops there.
    int LastFirstShown() const;
    bool CanScroll(Arrow arrow) const;
    // Moves the row by whole tabs, kept between the first tab and LastFirstShown.
    void ScrollBy(int tabs);
    // Scrolls as little as needed for the tab to show whole (or from its
    // left edge, when it is wider than the tab area).
    void ShowTab(int index);

private:
    int RowWidth(int from, int to) const;

    std::vector<int> m_widths;
    int m_stripWidth = 0;
    int m_arrowWidth = 0;
    int m_first = 0;
};

} // namespace kelvara
