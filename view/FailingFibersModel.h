#pragma once

#include <QAbstractTableModel>
#include <QList>

class ResultDocument;

// The failing fibers of the document shown, a row each: name, reasons, the
// failed channels, the worst channel and its margin, as --summary writes
// them. Made from the document when shown, so a file of 55,000 failing
// fibers costs a list of their blocks. Each cell has its sort key
// (SortRole): a margin sorts by value, the least first, a fiber without
// one (Low, no number) before any.
class FailingFibersModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole;

    explicit FailingFibersModel(const ResultDocument &document, QObject *parent = nullptr);

    // Takes the document's verdicts anew.
    void Refresh();
    // A fiber's name changed.
    void Renamed(qsizetype block);
    qsizetype BlockAt(int row) const { return row >= 0 && row < m_blocks.size() ? m_blocks.at(row) : -1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ResultDocument &m_document;
    QList<qsizetype> m_blocks; // of the failing fibers, in file order
};
