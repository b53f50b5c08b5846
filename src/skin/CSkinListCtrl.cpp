#include "CSkinListCtrl.h"

#include "CSkinHeaderCtrl.h"
#include "CSkinListScrollBar.h"
#include "FocusMark.h"
#include "SkinCellDelegate.h"
#include "SkinFont.h"
#include "SkinListModel.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace kelvara {

CSkinListCtrl::CSkinListCtrl(QWidget* parent)
    : QTableView(parent)
    , m_model(new SkinListModel(*this))
    , m_header(new CSkinHeaderCtrl(this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    setItemDelegate(new SkinCellDelegate(*this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(1);
    m_header->setSectionResizeMode(QHeaderView::Fixed);
    m_header->setStretchLastSection(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setMouseTracking(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // The bitmap bars in the parent stand in for the list's own.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The design's list texts and column widths are made for each other.
    setFont(SkinFontAtDesignHeight(13, false));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(kBackground));
    palette.setColor(QPalette::Window, QColor::fromRgb(kBackground));
    setPalette(palette);
    setAccessibleName(QStringLiteral("Source files"));
    // Drops are offered to the owner; the list never drags its own rows.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragEnabled(false);
    connect(m_header, &CSkinHeaderCtrl::HeaderRightClicked, this,
        [this](int column, QPoint globalPos) { emit ListHeaderRClick(this, column, globalPos); });
}

CSkinListCtrl::~CSkinListCtrl() = default;

void CSkinListCtrl::SetColumns(const QVector<ListColumn>& columns)
{
    m_columns = columns;
    m_model->SetColumns(columns);
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns[c].width);
}

void CSkinListCtrl::SetItemCount(int count)
{
    m_model->SetRowCount(count);
    if (m_selectionMark >= count)
        m_selectionMark = -1;
    viewport()->update();
}

int CSkinListCtrl::GetItemCount() const
{
    return m_model->rowCount();
}

int CSkinListCtrl::GetSelectionMark() const
{
    return m_selectionMark;
}

void CSkinListCtrl::SetSelectionMark(int row)
{
    m_selectionMark = row >= 0 && row < GetItemCount() ? row : -1;
}

void CSkinListCtrl::SelectRow(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    const QModelIndex index = m_model->index(row, std::max(0, currentIndex().column()));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CSkinListCtrl::IsRowSelected(int row) const
{
    return row >= 0 && row < GetItemCount() && selectionModel()->isRowSelected(row, {});
}

ListCellInfo CSkinListCtrl::CellInfo(int row, int column) const
{
    ListCellInfo info;
    info.row = row;
    info.column = column;
    if (column >= 0 && column < m_columns.size())
        info.alignment = m_columns[column].alignment;
    info.selected = IsRowSelected(row) && (hasFocus() || m_showSelAlways);
    emit const_cast<CSkinListCtrl*>(this)->ListGetCellInfo(const_cast<CSkinListCtrl*>(this), info);
    info.row = row;
    info.column = column;
    return info;
}

int CSkinListCtrl::TopVisibleRow() const
{
    return GetItemCount() == 0 ? -1 : rowAt(0);
}

int CSkinListCtrl::BottomVisibleRow() const
{
    if (GetItemCount() == 0)
        return -1;
    const int bottom = rowAt(viewport()->height() - 1);
    return bottom < 0 ? GetItemCount() - 1 : bottom;
}

QRect CSkinListCtrl::PartRect(const QRect& cell, const ListCellInfo& info, CellPart part) const
{
    QRect area = cell;
    const int boxWidth = info.hasCheckBox ? cell.height() : 0;
    const QRect box(area.left(), area.top(), boxWidth, area.height());
    area.setLeft(area.left() + boxWidth);
    const bool hasImage = info.imageIndex != -1 && info.imageList;
    const int imageWidth = hasImage ? info.imageList->IconWidth() : 0;
    const QRect image(area.left(), area.top(), imageWidth, area.height());
    area.setLeft(area.left() + imageWidth);
    switch (part) {
    case CellPart::CheckBox:
        return box;
    case CellPart::Image:
        return image;
    case CellPart::Text:
        return area;
    case CellPart::Whole:
        break;
    }
    return cell;
}

void CSkinListCtrl::InvalidateCells(int firstRow, int lastRow, int column, CellPart part, bool)
{
    const int top = TopVisibleRow();
    const int bottom = BottomVisibleRow();
    if (top < 0 || column < 0 || column >= m_model->columnCount())
        return;
    firstRow = std::max(firstRow, top);
    lastRow = std::min(lastRow, bottom);
    if (firstRow > lastRow)
        return;
    QRect first = visualRect(m_model->index(firstRow, column));
    QRect last = visualRect(m_model->index(lastRow, column));
    if (part != CellPart::Whole) {
        // The parts' extents depend on the owner's answer; ask once for the first row.
        const ListCellInfo info = CellInfo(firstRow, column);
        first = PartRect(first, info, part);
        last = PartRect(last, info, part);
    }
    viewport()->update(first.united(last));
}

ListCellHit CSkinListCtrl::HitTest(const QPoint& viewportPoint) const
{
    ListCellHit hit;
    const QModelIndex index = indexAt(viewportPoint);
    if (!index.isValid())
        return hit;
    hit.row = index.row();
    hit.column = index.column();
    const QRect cell = visualRect(index);
    const ListCellInfo info = CellInfo(hit.row, hit.column);
    hit.onCheckBox = info.hasCheckBox && PartRect(cell, info, CellPart::CheckBox).contains(viewportPoint);
    hit.onImage = info.imageIndex != -1 && info.imageList
        && PartRect(cell, info, CellPart::Image).contains(viewportPoint);
    return hit;
}

void CSkinListCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        if (index.isValid()) {
            SelectRow(index.row());
            m_selectionMark = index.row();
        }
        emit RightClicked(this);
        return;
    }
    QTableView::mousePressEvent(event);
    m_pressedOnCell = event->button() == Qt::LeftButton && index.isValid();
    if (m_pressedOnCell)
        m_selectionMark = index.row();
}

void CSkinListCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const ListCellHit hit = HitTest(event->position().toPoint());
    if (m_pressedOnCell && hit.row >= 0)
        emit ListCellClick(this, hit);
    m_pressedOnCell = false;
    emit Clicked(this);
}

void CSkinListCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    mousePressEvent(event);
    emit DoubleClicked(this);
}

void CSkinListCtrl::mouseMoveEvent(QMouseEvent*)
{
    // Swallowed: no hot tracking and no selection by dragging.
}

void CSkinListCtrl::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    // With a current cell the cell carries the mark (see SkinCellDelegate).
    if (!hasFocus() || currentIndex().isValid())
        return;
    QPainter p(viewport());
    PaintFocusMark(p, viewport()->rect());
}

void CSkinListCtrl::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    emit KeyDown(this, event->key(), handled);
    if (handled) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
    if (currentIndex().isValid())
        m_selectionMark = currentIndex().row();
}

void CSkinListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // The mouse asks for the row under it, which the right click has just
    // handled; the keyboard for the row of the selection mark.
    int row = -1;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        row = indexAt(viewport()->mapFromGlobal(event->globalPos())).row();
    } else if (GetSelectionMark() >= 0) {
        row = GetSelectionMark();
        at = viewport()->mapToGlobal(visualRect(m_model->index(row, 1)).center());
    }
    if (row < 0) {
        // Not on a row: the window's own menu.
        event->ignore();
        return;
    }
    event->accept();
    emit RowContextMenu(this, row, at);
}

namespace {

// The list only ever copies what is dropped on it: the files stay where they are.
void AnswerDrop(QDropEvent* event, bool accept)
{
    if (!accept) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

} // namespace

void CSkinListCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    m_dragAccepted = false;
    emit DragQuery(this, event->mimeData(), m_dragAccepted);
    AnswerDrop(event, m_dragAccepted);
}

void CSkinListCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    // Where on the list a drop lands does not matter: the answer to the
    // enter stands for the whole list.
    AnswerDrop(event, m_dragAccepted);
}

void CSkinListCtrl::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dragAccepted = false;
    event->accept();
}

void CSkinListCtrl::dropEvent(QDropEvent* event)
{
    bool accepted = false;
    if (m_dragAccepted)
        emit Dropped(this, event->mimeData(), accepted);
    m_dragAccepted = false;
    AnswerDrop(event, accepted);
}

void CSkinListCtrl::AttachScrollBars()
{
    if (!parentWidget() || m_vBar)
        return;
    m_vBar = new CSkinVScrollBar(parentWidget());
    m_hBar = new CSkinHScrollBar(parentWidget());
    m_vBar->setAccessibleName(QStringLiteral("Vertical scroll bar"));
    m_hBar->setAccessibleName(QStringLiteral("Horizontal scroll bar"));
    m_vBar->Link(verticalScrollBar());
    m_hBar->Link(horizontalScrollBar());
    PlaceScrollBars();
    m_vBar->show();
    m_hBar->show();
}

void CSkinListCtrl::PlaceScrollBars()
{
    if (!m_vBar)
        return;
    const QRect list = geometry();
    const int thickness = m_vBar->width();
    m_vBar->setGeometry(list.right() + 1, list.top(), thickness, list.height() + thickness);
    m_hBar->setGeometry(list.left(), list.bottom() + 1, list.width(), thickness);
}

void CSkinListCtrl::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    PlaceScrollBars();
}

void CSkinListCtrl::moveEvent(QMoveEvent* event)
{
    QTableView::moveEvent(event);
    PlaceScrollBars();
}

} // namespace kelvara
