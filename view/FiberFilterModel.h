#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class FiberListModel;
class ResultDocument;

// What the fiber box's list shows of its entries: all of them, or while a
// text is looked for, those whose names hold it, and of those, while a
// filter of their fibers is set, those it keeps; in the box's order. Rows
// here are places in the list; the entries keep their places in the box.
class FiberFilterModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // Which fibers the list shows by their verdicts: all of them, or those
    // that fail, those marginal, or those with fewer rows than a fiber has
    // (the one being written among them).
    enum class Verdicts { All, Failing, Marginal, Incomplete };

    explicit FiberFilterModel(FiberListModel *entries, QObject *parent = nullptr);

    // Shows the entries whose names hold `text`, in any case (full-width
    // letters too); an empty text shows every entry.
    void SetFilter(const QString &text);
    // Shows only the entries whose fibers `document` judges so, as well.
    void SetVerdicts(Verdicts verdicts, const ResultDocument *document);
    Verdicts VerdictsShown() const { return m_verdicts; }
    // Shows only the entries of `blocks` as well (a histogram's bin);
    // ShowAll() takes that away.
    void ShowOnly(const QList<qsizetype> &blocks);
    void ShowAll();
    // The document's verdicts changed: looks again.
    void BlocksChanged();
    bool Filtering() const { return !m_text.isEmpty() || m_keep || m_only; }
    bool FindingText() const { return !m_text.isEmpty(); }
    // The entries the verdicts keep, whatever the text looked for.
    int KeptCount() const;

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
    Verdicts m_verdicts = Verdicts::All;
    std::function<bool(qsizetype block)> m_keep; // null for all
    QList<int> m_rows; // the entries shown, while filtering
    int m_kept = 0;    // the entries the verdicts keep
    std::optional<QSet<qsizetype>> m_only;
};
