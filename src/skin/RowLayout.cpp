#include "RowLayout.h"

namespace kelvara {

void RowLayout::Build(int count, int textHeight, int width, bool scrollBar)
{
    m_textHeight = textHeight;
    m_rows.resize(qMax(count, 0));
    const int right = width - kLeft - (scrollBar ? kScrollBarRoom : 0);
    for (int i = 0; i < m_rows.size(); ++i) {
        const int s = i * RowHeight();
        m_rows[i] = QRect(QPoint(kLeft, s + 3), QPoint(right - 1, s + textHeight + 6 - 1));
    }
}

int RowLayout::HitTest(QPoint point, int offset) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].translated(0, -offset).contains(point))
            return i;
    return -1;
}

int RowLayout::ScrollIntoView(int index, int offset, int visibleRows) const
{
    const int top = index * RowHeight();
    if (top < offset)
        return top;
    if (top + RowHeight() > offset + visibleRows * RowHeight())
        return qMax(0, RowHeight() * (index - visibleRows + 1));
    return offset;
}

int RowLayout::FullHeight() const
{
    return HeightOfRows(Count());
}

int RowLayout::HeightOfRows(int rows) const
{
    return rows * RowHeight() + 5;
}

int RowLayout::FittingRows(int available) const
{
    int rows = 0;
    while (rows < Count() && (rows + 1) * RowHeight() + 6 <= available)
        ++rows;
    return rows;
}

} // namespace kelvara
