#include "view/FiberListModel.h"

int FiberListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant FiberListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    return m_entries.at(index.row()).text;
}

void FiberListModel::Reset(QList<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void FiberListModel::Insert(int row, Entry entry)
{
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(row, std::move(entry));
    endInsertRows();
}

void FiberListModel::Remove(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}
