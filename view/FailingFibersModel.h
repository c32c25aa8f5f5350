#pragma once

#include "data/LoadedFile.h"

#include <QAbstractTableModel>
#include <QStringList>

// The failing fibers of a file, a row each: name, reasons, worst channel
// and its margin, as --summary writes them. Made from the verdicts and the
// rows when shown, so a file of 55,000 failing fibers costs a list of
// their blocks.
class FailingFibersModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetFile(const LoadedFile::Verdicts &verdicts, const MeasurementRows &rows,
                 const QStringList &names);
    qsizetype BlockAt(int row) const { return row >= 0 && row < m_blocks.size() ? m_blocks.at(row) : -1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<LoadedFile::Verdict> m_verdicts;
    MeasurementRows m_rows;
    QStringList m_names;
    QList<qsizetype> m_blocks; // of the failing fibers, in file order
};
