#pragma once

#include <QSortFilterProxyModel>

// The lot's files as its tab's table shows them, each by its path in the
// lot's folder (the whole path in its tool tip): sorted by any column's
// value (LotModel::SortRole), filtered by the text to find in the file's
// name, a file being written in italics, one gone struck through and
// greyed, one that could not be read in the fail colour.
class LotTableModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit LotTableModel(QObject *parent = nullptr);
    void SetFolder(const QString &folder);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QString m_prefix; // the folder's path and a slash
};
