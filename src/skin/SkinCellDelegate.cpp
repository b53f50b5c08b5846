#include "SkinCellDelegate.h"

#include "CSkinListCtrl.h"
#include "SkinListCellPainting.h"

namespace kelvara {

SkinCellDelegate::SkinCellDelegate(CSkinListCtrl& list)
    : QStyledItemDelegate(&list)
    , m_list(list)
{
}

void SkinCellDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Only cells that exist are drawn.
    if (index.row() >= m_list.GetItemCount() || index.column() >= m_list.model()->columnCount())
        return;
    const ListCellInfo info = m_list.CellInfo(index.row(), index.column());
    CellPaintState state;
    state.listFocused = m_list.hasFocus();
    state.focusCell = m_list.currentIndex() == index;
    painter->save();
    PaintListCell(*painter, option.rect, info, m_list.font(), state);
    painter->restore();
}

QSize SkinCellDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    return QSize(m_list.columnWidth(index.column()), CSkinListCtrl::kRowHeight);
}

} // namespace kelvara
