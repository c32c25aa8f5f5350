#pragma once

#include "data/ThresholdJudge.h"

#include <QAbstractTableModel>

// The figures of each channel of a file, a row each: channel, wavelength,
// count, failed, min, max, mean and standard deviation, the numbers as
// --summary writes them.
class ChannelFiguresModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Each cell's sort key: a figure by value, one that cannot be told
    // before any.
    static constexpr int SortRole = Qt::UserRole;
    using QAbstractTableModel::QAbstractTableModel;

    void SetFigures(const QList<ThresholdJudge::ChannelFigures> &figures);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<ThresholdJudge::ChannelFigures> m_figures;
};
