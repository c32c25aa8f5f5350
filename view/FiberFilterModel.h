#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

class FiberListModel;

// What the fiber box's list shows of its entries: all of them, or while a
// text is looked for, those whose names hold it, in the box's order. Rows
// here are places in the list; the entries keep their places in the box.
class FiberFilterModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit FiberFilterModel(FiberListModel *entries, QObject *parent = nullptr);

    // Shows the entries whose names hold `text`, in any case (full-width
    // letters too); an empty text shows every entry.
    void SetFilter(const QString &text);
    bool Filtering() const { return !m_text.isEmpty(); }

    // The box's place of the entry at `row`; -1 outside the rows.
    int EntryAt(int row) const;
    // The row that shows the box's entry `entry`; -1 where it is not shown.
    int RowOf(int entry) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    void refilter();
    void beginRowsChange(bool insert, int first, int last);
    void endRowsChange(bool insert);
    void entriesChanged(const QModelIndex &from, const QModelIndex &to, const QList<int> &roles);

    FiberListModel *m_entries;
    QString m_text;
    QList<int> m_rows; // the entries shown, while filtering
};
