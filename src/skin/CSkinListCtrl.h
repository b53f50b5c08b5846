// The skinned report list: a virtual list that stores only its row count and
// asks its owner for every cell when it paints it (ListGetCellInfo, a direct
// call), with a bitmap header and two bitmap scroll bars beside it.
#pragma once

#include "ListCellInfo.h"

#include <QPoint>
#include <QTableView>
#include <QVector>

class QMimeData;

namespace kelvara {

class CSkinHScrollBar;
class CSkinVScrollBar;
class CSkinHeaderCtrl;
class SkinListModel;

enum class CellPart : int { Whole = 0, CheckBox = 1, Image = 2, Text = 3 };

struct ListColumn {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    int width = 100;
};

// Where a click landed: the cell, and whether it hit the image or the check box.
struct ListCellHit {
    int row = -1;
    int column = -1;
    bool onImage = false;
    bool onCheckBox = false;
};

class CSkinListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 18;
    static constexpr QRgb kBackground = 0x0584E2;

    explicit CSkinListCtrl(QWidget* parent = nullptr);
    ~CSkinListCtrl() override;

    void SetColumns(const QVector<ListColumn>& columns);
    void SetItemCount(int count);
    int GetItemCount() const;
    // The row the last click or key chose, -1 when none.
    int GetSelectionMark() const;
    void SetSelectionMark(int row);
    // Selects only `row` and makes it the focused row.
    void SelectRow(int row);
    bool IsRowSelected(int row) const;
    // Draw the selection also while the list has no focus.
    void SetShowSelAlways(bool show) { m_showSelAlways = show; }

    // The cell as the owner describes it now: defaults, then the owner's answer.
    ListCellInfo CellInfo(int row, int column) const;
    // Repaints part of a column for rows first..last, as far as they are visible.
    void InvalidateCells(int firstRow, int lastRow, int column, CellPart part, bool erase = false);
    // The first and last row on screen, -1 when there are none.
    int TopVisibleRow() const;
    int BottomVisibleRow() const;
    ListCellHit HitTest(const QPoint& viewportPoint) const;

    // Makes the two bitmap scroll bars in the parent, beside and below the list.
    void AttachScrollBars();
    CSkinVScrollBar* VerticalBar() const { return m_vBar; }
    CSkinHScrollBar* HorizontalBar() const { return m_hBar; }
    CSkinHeaderCtrl* Header() const { return m_header; }

signals:
    void ListGetCellInfo(CSkinListCtrl* list, ListCellInfo& info);
    void ListCellClick(CSkinListCtrl* list, const ListCellHit& hit);
    void ListHeaderRClick(CSkinListCtrl* list, int column, QPoint globalPos);
    // The ordinary notifications, after the cell click.
    void Clicked(CSkinListCtrl* list);
    void DoubleClicked(CSkinListCtrl* list);
    void RightClicked(CSkinListCtrl* list);
    // A key press; a receiver that sets `handled` keeps it from the list.
    void KeyDown(CSkinListCtrl* list, int key, bool& handled);
    // Something dragged onto the list; a receiver that sets `accept` takes
    // the drag, and later the drop.
    void DragQuery(CSkinListCtrl* list, const QMimeData* data, bool& accept);
    // The drop; a receiver that sets `accepted` took it.
    void Dropped(CSkinListCtrl* list, const QMimeData* data, bool& accepted);
    // The context menu asked for on a row, after the right click's own
    // selection; `globalPos` is where it opens.
    void RowContextMenu(CSkinListCtrl* list, int row, QPoint globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // An empty list shows its focus with the mark around the whole viewport.
    void paintEvent(QPaintEvent* event) override;

private:
    friend class SkinCellDelegate;
    QRect PartRect(const QRect& cell, const ListCellInfo& info, CellPart part) const;
    void PlaceScrollBars();

    SkinListModel* m_model = nullptr;
    CSkinHeaderCtrl* m_header = nullptr;
    CSkinVScrollBar* m_vBar = nullptr;
    CSkinHScrollBar* m_hBar = nullptr;
    QVector<ListColumn> m_columns;
    int m_selectionMark = -1;
    bool m_showSelAlways = false;
    bool m_pressedOnCell = false;
    bool m_dragAccepted = false;
};

} // namespace kelvara
