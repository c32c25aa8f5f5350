#pragma once

#include "data/LoadedFile.h"
#include "document/ResultDocument.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

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
    // The document whose verdicts the entries show while they are shown:
    // each entry is marked pass, marginal, fail or being written, with a
    // mark its reader can name and a tip that says why and where. Nothing
    // is marked before the verdicts are known.
    void SetDocument(const ResultDocument *document);
    const ResultDocument *Document() const { return m_document; }
    void ShowVerdicts(bool shown);
    // The marks changed in the document.
    void MarksChanged();
    // The mark of an entry's block; Unknown while the verdicts are not shown.
    ResultDocument::Mark MarkAt(int row) const;
    const Entry &At(int row) const { return m_entries.at(row); }
    // See FiberComboBox::FindEntry.
    int FindEntry(int from, int step, const std::function<bool(qsizetype block)> &matches) const;
    // The next entry of a failing fiber from `from` the way `step` goes,
    // round the end; -1 for none, or while the verdicts are not known.
    int NextFailing(int from, int step) const;
    void Reset(QList<Entry> entries); // one reset, however many entries
    // Adds `sorted` (in the box's order) among the entries, those already
    // there first among equal names; one reset.
    void Merge(QList<Entry> sorted);
    // The box's order of names: by their bytes (see LoadedFile::BoxLess).
    static bool InBoxOrder(const Entry &a, const Entry &b) { return LoadedFile::BoxLess(a.bytes, b.bytes); }
    void Insert(int row, Entry entry);
    void Remove(int row);
    // A new name for an entry, in place.
    void Rename(int row, QByteArray bytes, QString text);

private:
    static QIcon iconOf(ResultDocument::Mark mark);
    static QString wordsOf(ResultDocument::Mark mark);
    QString tipFor(const Entry &entry, ResultDocument::Mark mark) const;

    QList<Entry> m_entries;
    const ResultDocument *m_document = nullptr;
    bool m_shown = false;
};
