#pragma once

#include "data/LotFigures.h"
#include "lot/LotFile.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <optional>

// The files of a lot in time order (LotFile::Before), one row each, and
// the lot's figures: what a window's table, trend and figures show, and
// what the command line writes. Files come all at once when the lot is
// read, then as a station writes them, one at a time or in batches: a new
// file takes its place in time, a changed one is replaced (and moves where
// its time moved), a deleted one is marked gone and kept, its results
// still counted. Views learn of each change by the model's own signals, and
// of new figures by FiguresChanged; a batch gives a handful of signals
// whatever its size, so that a view keeps up with a station writing a
// hundred files a second.
class LotModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Time, File, Fibers, Passed, Marginal, Yield, WorstChannel, MinCpk, ColumnCount };
    // The column's value to sort by (a number, or the text); a row's state.
    enum Role { SortRole = Qt::UserRole, StateRole };
    enum State { Read, Unreadable, Gone, Growing };

    explicit LotModel(QObject *parent = nullptr);

    // The lot anew: these files, put in time order.
    void Reset(QList<LotFile> files);
    // Adds a file, or replaces the one of its path; its row is returned.
    int Put(LotFile file);
    // Marks the file of `path` gone; false where the lot has none.
    bool MarkGone(const QString &path);
    // A lot's files after a batch, in time order, and their figures.
    struct Batch
    {
        QList<LotFile> files;
        LotFigures figures;
    };
    // `files` with every file of `batch` put in (as Put: a new one added,
    // one of a path held replaced, the later of two of one path standing)
    // and every file of `gone` marked gone (as MarkGone), in time order,
    // with their figures. The work of a batch, off the window's thread.
    static Batch Merged(QList<LotFile> files, QList<LotFile> batch, const QStringList &gone);
    // Takes the lot after a batch (Merged from the files held): the new
    // files are inserted together, the lot is put in time order once (a
    // layout change, which keeps the rows chosen in a view), the rows that
    // changed are told in one dataChanged, and FiguresChanged comes once.
    void Update(Batch batch);
    // Merged and taken at once.
    void Update(QList<LotFile> files, const QStringList &gone);
    // The files held, in their order: what a batch is merged into.
    const QList<LotFile> &Files() const { return m_files; }

    int FileCount() const { return int(m_files.size()); }
    const LotFile &FileAt(int row) const { return m_files.at(row); }
    // The row of the file of `path`, or -1.
    int RowOf(const QString &path) const;

    // The figures of every file in the lot, unread and gone ones included.
    const LotFigures &Figures() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void FiguresChanged();

private:
    int placeOf(const LotFile &file) const;
    static LotFigures FiguresOf(const QList<LotFile> &files);
    bool staysAt(int row, const LotFile &file) const;
    QVariant display(const LotFile &file, int column) const;
    QVariant sortValue(const LotFile &file, int column) const;
    void changed();

    QList<LotFile> m_files;
    mutable std::optional<LotFigures> m_figures;
};
