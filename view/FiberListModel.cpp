#include "view/FiberListModel.h"

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
    const ResultDocument::Mark mark = MarkAt(index.row());
    if (mark == ResultDocument::Mark::Unknown)
        return QVariant();
    switch (role) {
    case Qt::DecorationRole:
        return mark == ResultDocument::Mark::BeingWritten ? Resources::BeingWrittenIcon()
                                                          : Resources::VerdictIcon(mark == ResultDocument::Mark::Passes);
    case Qt::AccessibleTextRole:
        return entry.text.trimmed() + QLatin1String(", ")
            + (mark == ResultDocument::Mark::Passes  ? tr("passes")
               : mark == ResultDocument::Mark::Fails ? tr("fails")
                                                     : tr("being written"));
    case Qt::ToolTipRole:
        return tipFor(entry, mark);
    default:
        return QVariant();
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
    QString tip = verdict.passed() ? tr("%1 passes").arg(name)
                                   : tr("%1 fails: %2").arg(name, SummaryWriter::Reasons(verdict.failures));
    const QStringList failed = m_document->FailedChannels(entry.block);
    if (!failed.isEmpty())
        tip += tr(" at %1").arg(failed.join(QLatin1Char(' ')));
    if (verdict.worstRow < 0)
        return tip;
    QByteArray margin;
    if (verdict.worstMargin)
        SummaryTextWriter::AppendMargin(margin, *verdict.worstMargin);
    else
        margin = SummaryWriter::ReasonsUtf8(verdict.worstFailures & (ThresholdJudge::Low | ThresholdJudge::NoNumber)).toByteArray();
    return tip + tr("; worst channel %1, margin %2").arg(m_document->WorstChannel(entry.block), QString::fromUtf8(margin));
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
