// The rows of the pop-up list and the list box: their rectangles, fitting,
// hit-testing and scrolling, kept apart from any window.
#pragma once

#include <QRect>
#include <QVector>

namespace kelvara {

class RowLayout {
public:
    static constexpr int kLeft = 5;
    static constexpr int kScrollBarRoom = 10;

    // Rows of the given count and text height, for a list of the given width.
    void Build(int count, int textHeight, int width, bool scrollBar);
    int Count() const { return int(m_rows.size()); }
    int RowHeight() const { return m_textHeight + 4; }
    // Row i as laid out (unscrolled).
    QRect Row(int index) const { return m_rows.value(index); }
    // The index of the row under a point of the list, with the list scrolled
    // by offset pixels; -1 when no row is there.
    int HitTest(QPoint point, int offset) const;
    // The offset after scrolling row index into view.
    int ScrollIntoView(int index, int offset, int visibleRows) const;

    // The height that all rows need (top and bottom margins included), and
    // the height of the first rows that fit into available.
    int FullHeight() const;
    int FittingRows(int available) const;
    int HeightOfRows(int rows) const;

private:
    QVector<QRect> m_rows;
    int m_textHeight = 0;
};

} // namespace kelvara
