// The skinned list's model: only a row count and the columns. Every cell's
// text is asked of the list's owner when someone reads it (a screen reader,
// a tooltip), exactly as when the cell is painted; nothing is kept.
#pragma once

#include <QAbstractTableModel>
#include <QVector>

namespace kelvara {

class CSkinListCtrl;
struct ListColumn;

class SkinListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SkinListModel(CSkinListCtrl& list);

    void SetColumns(const QVector<ListColumn>& columns);
    void SetRowCount(int count);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    CSkinListCtrl& m_list;
    QVector<QString> m_titles;
    QVector<QString> m_spokenTitles;
    QVector<Qt::Alignment> m_alignments;
    int m_rows = 0;
};

} // namespace kelvara
