#pragma once

#include "data/LoadedFile.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QString>

// The entries of the fiber box: each keeps the exact bytes of its name, the
// text shown for them, and the fiber block it stands for, so an entry stays
// tied to its own block wherever sorting or renaming puts it.
class FiberListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    struct Entry
    {
        QByteArray bytes;
        QString text;
        qsizetype block = -1;
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QList<Entry> &Entries() const { return m_entries; }
    // The verdicts on the blocks of `rows`: each entry is marked pass or
    // fail while they are shown, with a mark its reader can name and a tip
    // that says why and where. Nothing is marked before they are known.
    void SetVerdicts(const QList<LoadedFile::Verdict> &byBlock, const MeasurementRows &rows);
    void ShowVerdicts(bool shown);
    bool VerdictsShown() const { return m_shown && !m_verdicts.isEmpty(); }
    // The verdict on an entry's block; null where there is none.
    const LoadedFile::Verdict *VerdictAt(int row) const;
    const Entry &At(int row) const { return m_entries.at(row); }
    void Reset(QList<Entry> entries); // one reset, however many entries
    void Insert(int row, Entry entry);
    void Remove(int row);

private:
    QString tipFor(const Entry &entry, const LoadedFile::Verdict &verdict) const;
    void marksChanged();

    QList<Entry> m_entries;
    QList<LoadedFile::Verdict> m_verdicts;
    MeasurementRows m_rows; // shared with the store, for the tips
    bool m_shown = false;
};
