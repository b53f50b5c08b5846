// Paints each cell of the skinned list from the owner's answer, asked at the
// moment of painting.
#pragma once

#include <QStyledItemDelegate>

namespace kelvara {

class CSkinListCtrl;

class SkinCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit SkinCellDelegate(CSkinListCtrl& list);

    void paint(
        QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CSkinListCtrl& m_list;
};

} // namespace kelvara
