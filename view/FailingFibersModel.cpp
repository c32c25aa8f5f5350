#include "view/FailingFibersModel.h"

#include <limits>

#include "document/ResultDocument.h"
#include "output/Wording.h"
#include "view/Resources.h"

namespace {

enum Column { FiberColumn, ReasonColumn, FailedColumn, WorstColumn, MarginColumn, ColumnCount };

const char *const kHeadings[ColumnCount] = {QT_TRANSLATE_NOOP("FailingFibersModel", "Fiber"), QT_TRANSLATE_NOOP("FailingFibersModel", "Reason"), QT_TRANSLATE_NOOP("FailingFibersModel", "Failed channels"),
                                                QT_TRANSLATE_NOOP("FailingFibersModel", "Worst channel"), QT_TRANSLATE_NOOP("FailingFibersModel", "Margin")};

} // namespace

FailingFibersModel::FailingFibersModel(const ResultDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document)
{
}

void FailingFibersModel::Refresh()
{
    beginResetModel();
    m_blocks.clear();
    for (qsizetype block = 0; block < m_document.FiberCount(); ++block) {
        if (m_document.MarkOf(block) == ResultDocument::Mark::Fails)
            m_blocks.append(block);
    }
    endResetModel();
}

void FailingFibersModel::Renamed(qsizetype block)
{
    const int row = int(m_blocks.indexOf(block));
    if (row >= 0)
        emit dataChanged(index(row, FiberColumn), index(row, FiberColumn));
}

int FailingFibersModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_blocks.size());
}

int FailingFibersModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FailingFibersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_blocks.size())
        return QVariant();
    const qsizetype block = m_blocks.at(index.row());
    const LoadedFile::Verdict *verdict = m_document.VerdictOf(block);
    if (!verdict)
        return QVariant();
    if (role == Qt::DecorationRole && index.column() == FiberColumn)
        return Resources::VerdictIcon(false);
    if (role == Qt::TextAlignmentRole)
        return int(index.column() == MarginColumn ? Qt::AlignRight | Qt::AlignVCenter
                                                  : Qt::AlignLeft | Qt::AlignVCenter);
    if (role == SortRole && index.column() == MarginColumn)
        return verdict->worstMargin ? *verdict->worstMargin : -std::numeric_limits<double>::infinity();
    if (role == SortRole)
        return data(index, Qt::DisplayRole);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case FiberColumn:
        return m_document.ShownName(block).trimmed();
    case ReasonColumn:
        return Wording::Reasons(verdict->failures);
    case FailedColumn:
        return m_document.FailedChannels(block).join(QLatin1Char(' '));
    case WorstColumn:
        return m_document.WorstChannel(block);
    case MarginColumn: {
        if (!verdict->worstMargin)
            return Wording::Reasons(verdict->worstFailures & (ThresholdJudge::Low | ThresholdJudge::NoNumber));
        // A power less a threshold, both to two places: so that the
        // column's points line up.
        return QString::number(*verdict->worstMargin, 'f', 2);
    }
    default:
        return QVariant();
    }
}

QVariant FailingFibersModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return tr(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
