// The pop-up list of CSkinComboBox: measured to its items, placed below the
// combo (above it near the bottom of the screen), faded in, with a hot row
// that follows the mouse and the keys.
#pragma once

#include "LayeredFadeIn.h"
#include "RowLayout.h"

#include <QPixmap>
#include <QWidget>

namespace kelvara {

class CSkinComboBox;
class CSkinMiniScrollBar;

class CSkinDropList : public QWidget {
    Q_OBJECT
public:
    static constexpr int kEmptyHeight = 24;
    static constexpr int kIgnoredMoves = 3;

    explicit CSkinDropList(CSkinComboBox* combo);

    // Measures the items, places the list and shows it without taking the focus.
    void Open();
    // Keys the combo passes on while the list is open.
    void HandleKey(int key);

    int HotItem() const { return m_hot; }
    int ScrollOffset() const { return m_offset; }
    int VisibleRows() const { return m_visibleRows; }
    bool HasScrollBar() const { return m_scrollBarNeeded; }
    const RowLayout& Rows() const { return m_rows; }
    CSkinMiniScrollBar* ScrollBar() const { return m_scrollBar; }
    const LayeredFadeIn& Fade() const { return m_fade; }

    // Where a list of the given size opens for a combo at comboRect (global
    // coordinates) on a screen of the given size.
    static QPoint Placement(const QRect& comboRect, QSize list, QSize screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Measure();
    void SetHot(int index);
    void ScrollHotIntoView();
    void OnMiniScroll(int position);
    void ChooseAt(QPoint position);
    int RowsRight() const;

    CSkinComboBox* m_combo;
    RowLayout m_rows;
    int m_hot = -1;
    int m_visibleRows = 0;
    int m_offset = 0;
    int m_ignoreMoves = 0;
    bool m_scrollBarNeeded = false;
    CSkinMiniScrollBar* m_scrollBar = nullptr;
    LayeredFadeIn m_fade;
    QPixmap m_tile;
};

} // namespace kelvara
