#include "view/FiberListModel.h"

#include "data/ChannelTable.h"
#include "output/SummaryTextWriter.h"
#include "output/SummaryWriter.h"
#include "view/Resources.h"

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
    const LoadedFile::Verdict *verdict = VerdictsShown() ? VerdictAt(index.row()) : nullptr;
    if (!verdict)
        return QVariant();
    switch (role) {
    case Qt::DecorationRole:
        return Resources::VerdictIcon(verdict->passed());
    case Qt::AccessibleTextRole:
        return entry.text.trimmed() + QLatin1String(", ") + (verdict->passed() ? tr("passes") : tr("fails"));
    case Qt::ToolTipRole:
        return tipFor(entry, *verdict);
    default:
        return QVariant();
    }
}

void FiberListModel::SetVerdicts(const QList<LoadedFile::Verdict> &byBlock, const MeasurementRows &rows)
{
    m_verdicts = byBlock;
    m_rows = rows;
    marksChanged();
}

void FiberListModel::ShowVerdicts(bool shown)
{
    m_shown = shown;
    marksChanged();
}

const LoadedFile::Verdict *FiberListModel::VerdictAt(int row) const
{
    const qsizetype block = row >= 0 && row < m_entries.size() ? m_entries.at(row).block : -1;
    return block >= 0 && block < m_verdicts.size() ? &m_verdicts.at(block) : nullptr;
}

// Made when asked, for the one entry under the pointer.
QString FiberListModel::tipFor(const Entry &entry, const LoadedFile::Verdict &verdict) const
{
    const qsizetype first = entry.block * ChannelTable::FiberSize;
    const qsizetype count = qMin<qsizetype>(ChannelTable::FiberSize, m_rows.Count() - first);
    QStringList failed;
    for (qsizetype i = 0; i < count; ++i) {
        const MeasurementRows::Row row = m_rows.At(first + i);
        if (ThresholdJudge::JudgeChannel(row).failures != ThresholdJudge::NoFailure)
            failed.append(SummaryWriter::FieldText(row.text(MeasurementRow::Channel)));
    }
    QString tip = verdict.passed() ? tr("%1 passes").arg(entry.text.trimmed())
                                   : tr("%1 fails: %2").arg(entry.text.trimmed(),
                                                            SummaryWriter::Reasons(verdict.failures));
    if (!failed.isEmpty())
        tip += tr(" at %1").arg(failed.join(QLatin1Char(' ')));
    if (verdict.worstRow < 0)
        return tip;
    QByteArray margin;
    if (verdict.worstMargin)
        SummaryTextWriter::AppendMargin(margin, *verdict.worstMargin);
    else
        margin = SummaryWriter::ReasonsUtf8(verdict.worstFailures & (ThresholdJudge::Low | ThresholdJudge::NoNumber)).toByteArray();
    const QString channel = SummaryWriter::FieldText(
        m_rows.At(first + verdict.worstRow).text(MeasurementRow::Channel));
    return tip + tr("; worst channel %1, margin %2").arg(channel, QString::fromUtf8(margin));
}

void FiberListModel::marksChanged()
{
    if (!m_entries.isEmpty())
        emit dataChanged(index(0), index(int(m_entries.size()) - 1),
                         {Qt::DecorationRole, Qt::ToolTipRole, Qt::AccessibleTextRole});
}

void FiberListModel::Reset(QList<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    // The verdicts belong to the file the entries came from.
    m_verdicts.clear();
    m_rows = MeasurementRows();
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
