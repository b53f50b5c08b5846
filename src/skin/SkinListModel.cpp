#include "SkinListModel.h"

#include "CSkinListCtrl.h"

namespace kelvara {

SkinListModel::SkinListModel(CSkinListCtrl& list)
    : QAbstractTableModel(&list)
    , m_list(list)
{
}

void SkinListModel::SetColumns(const QVector<ListColumn>& columns)
{
    beginResetModel();
    m_titles.clear();
    m_spokenTitles.clear();
    m_alignments.clear();
    for (const ListColumn& column : columns) {
        m_titles.append(column.title);
        m_spokenTitles.append(column.title);
        m_alignments.append(column.alignment);
    }
    endResetModel();
}

void SkinListModel::SetRowCount(int count)
{
    count = std::max(0, count);
    if (count > m_rows) {
        beginInsertRows({}, m_rows, count - 1);
        m_rows = count;
        endInsertRows();
    } else if (count < m_rows) {
        beginRemoveRows({}, count, m_rows - 1);
        m_rows = count;
        endRemoveRows();
    }
}

int SkinListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int SkinListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant SkinListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_titles.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        const ListCellInfo info = m_list.CellInfo(index.row(), index.column());
        return info.text.isEmpty() && role == Qt::AccessibleTextRole ? info.accessibleText : info.text;
    }
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString description = m_list.CellInfo(index.row(), index.column()).description;
        return description.isEmpty() ? QVariant() : QVariant(description);
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_alignments.at(index.column()));
    default:
        return {};
    }
}

QVariant SkinListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The rows have no header on the screen; readers still name each row,
    // by its number.
    if (orientation == Qt::Vertical)
        return role == Qt::AccessibleTextRole && section >= 0 && section < m_rows
            ? QString::number(section + 1)
            : QVariant();
    if (section < 0 || section >= m_titles.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_titles.at(section);
    if (role == Qt::AccessibleTextRole)
        return m_spokenTitles.at(section);
    return {};
}

// Only what readers call a column: a title that is a picture or nothing
// is still spoken.
bool SkinListModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::AccessibleTextRole || section < 0
        || section >= m_spokenTitles.size())
        return false;
    m_spokenTitles[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags SkinListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace kelvara
