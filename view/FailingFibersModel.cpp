#include "view/FailingFibersModel.h"

#include "data/ChannelTable.h"
#include "output/SummaryWriter.h"
#include "view/Resources.h"

namespace {

const char *const kHeadings[] = {"Fiber", "Reason", "Worst channel", "Margin"};

} // namespace

void FailingFibersModel::SetFile(const LoadedFile::Verdicts &verdicts, const MeasurementRows &rows,
                                 const QStringList &names)
{
    beginResetModel();
    m_verdicts = verdicts.byBlock;
    m_rows = rows;
    m_names = names;
    m_blocks.clear();
    for (qsizetype block = 0; block < m_verdicts.size(); ++block) {
        if (!m_verdicts.at(block).passed())
            m_blocks.append(block);
    }
    endResetModel();
}

int FailingFibersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_blocks.size());
}

int FailingFibersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(std::size(kHeadings));
}

QVariant FailingFibersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_blocks.size())
        return QVariant();
    const qsizetype block = m_blocks.at(index.row());
    const LoadedFile::Verdict &verdict = m_verdicts.at(block);
    if (role == Qt::DecorationRole && index.column() == 0)
        return Resources::VerdictIcon(false);
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == 3 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case 0:
        return m_names.value(block);
    case 1:
        return SummaryWriter::Reasons(verdict.failures);
    case 2:
        return verdict.worstRow < 0
            ? QString()
            : SummaryWriter::FieldText(m_rows.At(block * ChannelTable::FiberSize + verdict.worstRow)
                                           .text(MeasurementRow::Channel));
    case 3: {
        if (!verdict.worstMargin)
            return SummaryWriter::Reasons(verdict.worstFailures & (ThresholdJudge::Low | ThresholdJudge::NoNumber));
        QByteArray margin;
        SummaryWriter::AppendDecimal(margin, *verdict.worstMargin);
        return QString::fromLatin1(margin);
    }
    default:
        return QVariant();
    }
}

QVariant FailingFibersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < int(std::size(kHeadings)))
        return tr(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
