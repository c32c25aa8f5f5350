#include "view/FiberListModel.h"

#include "output/SummaryTextWriter.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"
#include "view/Resources.h"

#include <algorithm>
#include <iterator>

int FiberListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant FiberListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const Entry &entry = m_entries.at(index.row());
    if (role == Qt::DisplayRole)
        return entry.text;
    const ResultDocument::Mark mark = MarkAt(index.row());
    if (mark == ResultDocument::Mark::Unknown)
        return QVariant();
    switch (role) {
    case Qt::DecorationRole:
        return iconOf(mark);
    case Qt::AccessibleTextRole:
        return entry.text.trimmed() + QLatin1String(", ") + wordsOf(mark);
    case Qt::ToolTipRole:
        return tipFor(entry, mark);
    default:
        return QVariant();
    }
}

QIcon FiberListModel::iconOf(ResultDocument::Mark mark)
{
    switch (mark) {
    case ResultDocument::Mark::BeingWritten:
        return Resources::BeingWrittenIcon();
    case ResultDocument::Mark::Marginal:
        return Resources::MarginalIcon();
    default:
        return Resources::VerdictIcon(mark == ResultDocument::Mark::Passes);
    }
}

QString FiberListModel::wordsOf(ResultDocument::Mark mark)
{
    switch (mark) {
    case ResultDocument::Mark::Passes:
        return tr("passes");
    case ResultDocument::Mark::Marginal:
        return tr("passes, marginal");
    case ResultDocument::Mark::Fails:
        return tr("fails");
    default:
        return tr("being written");
    }
}

void FiberListModel::SetDocument(const ResultDocument *document)
{
    m_document = document;
    MarksChanged();
}

void FiberListModel::ShowVerdicts(bool shown)
{
    m_shown = shown;
    MarksChanged();
}

ResultDocument::Mark FiberListModel::MarkAt(int row) const
{
    if (!m_shown || !m_document || row < 0 || row >= m_entries.size())
        return ResultDocument::Mark::Unknown;
    return m_document->MarkOf(m_entries.at(row).block);
}

// Made when asked, for the one entry under the pointer.
QString FiberListModel::tipFor(const Entry &entry, ResultDocument::Mark mark) const
{
    const QString name = entry.text.trimmed();
    if (mark == ResultDocument::Mark::BeingWritten)
        return tr("%1 is being written: %2 of 18 rows so far").arg(name).arg(m_document->FiberRows(entry.block));
    const LoadedFile::Verdict &verdict = *m_document->VerdictOf(entry.block);
    QString tip = mark == ResultDocument::Mark::Marginal
        ? (m_document->LimitsInUse().AnyWarn()
               ? tr("%1 passes, within a channel's band").arg(name)
               : tr("%1 passes, by less than the warning margin of %2 dB").arg(name).arg(*m_document->WarnMargin()))
        : verdict.passed() ? tr("%1 passes").arg(name)
                           : tr("%1 fails: %2").arg(name, Wording::Reasons(verdict.failures));
    const QStringList failed = m_document->FailedChannels(entry.block);
    if (!failed.isEmpty())
        tip += tr(" at %1").arg(failed.join(QLatin1Char(' ')));
    if (verdict.worstRow < 0)
        return tip;
    QByteArray margin;
    if (verdict.worstMargin)
        SummaryTextWriter::AppendMargin(margin, *verdict.worstMargin);
    else
        margin = Wording::ReasonsUtf8(verdict.worstFailures & (ThresholdJudge::Low | ThresholdJudge::NoNumber)).toByteArray();
    return tip + tr("; worst channel %1, margin %2").arg(m_document->WorstChannel(entry.block), QString::fromUtf8(margin));
}

int FiberListModel::FindEntry(int from, int step, const std::function<bool(qsizetype)> &matches) const
{
    const int count = int(m_entries.size());
    if (from < 0)
        from = step > 0 ? -1 : 0;
    for (int i = 1; i <= count; ++i) {
        const int pos = ((from + step * i) % count + count) % count;
        if (matches(m_entries.at(pos).block))
            return pos;
    }
    return -1;
}

void FiberListModel::MarksChanged()
{
    if (!m_entries.isEmpty())
        emit dataChanged(index(0), index(int(m_entries.size()) - 1),
                         {Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
}

void FiberListModel::Reset(QList<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void FiberListModel::Insert(int row, Entry entry)
{
    beginInsertRows(QModelIndex(), row, row);
    m_entries.insert(row, std::move(entry));
    endInsertRows();
}

void FiberListModel::Remove(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void FiberListModel::Rename(int row, QByteArray bytes, QString text)
{
    m_entries[row].bytes = std::move(bytes);
    m_entries[row].text = std::move(text);
    emit dataChanged(index(row), index(row));
}

int FiberListModel::NextFailing(int from, int step) const
{
    if (!m_document || !m_document->VerdictsKnown())
        return -1;
    return FindEntry(from, step, [this](qsizetype block) {
        return m_document->MarkOf(block) == ResultDocument::Mark::Fails;
    });
}

void FiberListModel::Merge(QList<Entry> sorted)
{
    if (m_entries.isEmpty()) {
        Reset(std::move(sorted));
        return;
    }
    QList<Entry> entries;
    entries.reserve(m_entries.size() + sorted.size());
    std::merge(m_entries.begin(), m_entries.end(), sorted.begin(), sorted.end(), std::back_inserter(entries),
               InBoxOrder);
    Reset(std::move(entries));
}
