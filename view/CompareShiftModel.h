#pragma once

#include "data/Comparison.h"

#include <QAbstractTableModel>

// The shift of each channel from A to B as a table a view sorts: a row a
// channel, its sides' figures, the shift with its interval and tests, and
// the paired difference of the fibers on both sides. Each cell's number is
// its sort key (SortRole), so that a column sorts by value, not by text.
class CompareShiftModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        Channel, CountA, MeanA, DeviationA, CpkA, CountB, MeanB, DeviationB, CpkB,
        Shift, Interval, WelchP, Ks, KsP, PairedFibers, PairedShift, ColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit CompareShiftModel(QObject *parent = nullptr) : QAbstractTableModel(parent) {}

    void SetComparison(const Comparison &comparison, double alpha);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::optional<double> number(int row, int column) const;
    QString text(int row, int column) const;

    QList<Comparison::Channel> m_channels;
    QList<Comparison::Paired> m_paired; // of each row's channel
    double m_alpha = 0.001;
};
