#pragma once

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
    const Entry &At(int row) const { return m_entries.at(row); }
    void Reset(QList<Entry> entries); // one reset, however many entries
    void Insert(int row, Entry entry);
    void Remove(int row);

private:
    QList<Entry> m_entries;
};
