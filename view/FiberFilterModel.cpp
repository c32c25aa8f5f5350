#include "view/FiberFilterModel.h"

#include "data/ChannelTable.h"
#include "document/ResultDocument.h"
#include "view/FiberListModel.h"

#include <algorithm>

FiberFilterModel::FiberFilterModel(FiberListModel *entries, QObject *parent)
    : QAbstractListModel(parent), m_entries(entries)
{
    // Unfiltered, the rows are the entries and their changes pass as they
    // are; filtered, any change of the entries looks for the text again.
    connect(entries, &QAbstractItemModel::modelAboutToBeReset, this, &FiberFilterModel::beginResetModel);
    connect(entries, &QAbstractItemModel::modelReset, this, [this] {
        if (Filtering())
            refilter();
        endResetModel();
    });
    connect(entries, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this](const QModelIndex &, int first, int last) { beginRowsChange(true, first, last); });
    connect(entries, &QAbstractItemModel::rowsInserted, this, [this] { endRowsChange(true); });
    connect(entries, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { beginRowsChange(false, first, last); });
    connect(entries, &QAbstractItemModel::rowsRemoved, this, [this] { endRowsChange(false); });
    connect(entries, &QAbstractItemModel::dataChanged, this, &FiberFilterModel::entriesChanged);
}

void FiberFilterModel::beginRowsChange(bool insert, int first, int last)
{
    if (Filtering())
        beginResetModel();
    else if (insert)
        beginInsertRows(QModelIndex(), first, last);
    else
        beginRemoveRows(QModelIndex(), first, last);
}

void FiberFilterModel::endRowsChange(bool insert)
{
    if (Filtering()) {
        refilter();
        endResetModel();
    } else if (insert) {
        endInsertRows();
    } else {
        endRemoveRows();
    }
}

void FiberFilterModel::SetFilter(const QString &text)
{
    if (text == m_text)
        return;
    beginResetModel();
    m_text = text;
    refilter();
    endResetModel();
}

void FiberFilterModel::SetVerdicts(Verdicts verdicts, const ResultDocument *document)
{
    beginResetModel();
    m_verdicts = verdicts;
    m_keep = nullptr;
    if (document && (verdicts == Verdicts::Failing || verdicts == Verdicts::Marginal)) {
        const ResultDocument::Mark mark =
            verdicts == Verdicts::Failing ? ResultDocument::Mark::Fails : ResultDocument::Mark::Marginal;
        m_keep = [document, mark](qsizetype block) { return document->MarkOf(block) == mark; };
    } else if (document && verdicts == Verdicts::Incomplete) {
        m_keep = [document](qsizetype block) { return document->FiberRows(block) < ChannelTable::FiberSize; };
    }
    refilter();
    endResetModel();
}

void FiberFilterModel::BlocksChanged()
{
    if (!m_keep)
        return;
    beginResetModel();
    refilter();
    endResetModel();
}

void FiberFilterModel::refilter()
{
    m_rows.clear();
    m_kept = 0;
    if (!Filtering())
        return;
    const QList<FiberListModel::Entry> &entries = m_entries->Entries();
    for (int entry = 0; entry < entries.size(); ++entry) {
        const FiberListModel::Entry &shown = entries.at(entry);
        if ((m_keep && !m_keep(shown.block)) || (m_only && !m_only->contains(shown.block)))
            continue;
        ++m_kept;
        if (shown.text.contains(m_text, Qt::CaseInsensitive))
            m_rows.append(entry);
    }
}

int FiberFilterModel::KeptCount() const
{
    return m_keep || m_only ? m_kept : m_entries->rowCount();
}

void FiberFilterModel::ShowOnly(const QList<qsizetype> &blocks)
{
    beginResetModel();
    m_only = QSet<qsizetype>(blocks.begin(), blocks.end());
    refilter();
    endResetModel();
}

void FiberFilterModel::ShowAll()
{
    if (!m_only)
        return;
    beginResetModel();
    m_only.reset();
    refilter();
    endResetModel();
}

int FiberFilterModel::EntryAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    return Filtering() ? m_rows.at(row) : row;
}

int FiberFilterModel::RowOf(int entry) const
{
    if (entry < 0 || entry >= m_entries->rowCount())
        return -1;
    if (!Filtering())
        return entry;
    const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), entry);
    return at != m_rows.end() && *at == entry ? int(at - m_rows.begin()) : -1;
}

int FiberFilterModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return Filtering() ? int(m_rows.size()) : m_entries->rowCount();
}

QVariant FiberFilterModel::data(const QModelIndex &index, int role) const
{
    const int entry = index.isValid() ? EntryAt(index.row()) : -1;
    return entry < 0 ? QVariant() : m_entries->data(m_entries->index(entry), role);
}

void FiberFilterModel::entriesChanged(const QModelIndex &from, const QModelIndex &to,
                                      const QList<int> &roles)
{
    if (!Filtering()) {
        emit dataChanged(index(from.row()), index(to.row()), roles);
        return;
    }
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1), roles);
}
