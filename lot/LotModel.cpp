#include "lot/LotModel.h"

#include "data/NativePath.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <algorithm>

namespace {

QString yieldText(const FileSummary &summary)
{
    return Wording::YieldPercent(summary.Fibers(), summary.Failed());
}

} // namespace

LotModel::LotModel(QObject *parent) : QAbstractTableModel(parent) {}

void LotModel::Reset(QList<LotFile> files)
{
    beginResetModel();
    m_files = std::move(files);
    std::stable_sort(m_files.begin(), m_files.end(), LotFile::Before);
    endResetModel();
    changed();
}

int LotModel::Put(LotFile file)
{
    const int old = RowOf(file.path);
    if (old >= 0 && staysAt(old, file)) {
        m_files[old] = std::move(file);
        emit dataChanged(index(old, 0), index(old, ColumnCount - 1));
        changed();
        return old;
    }
    if (old >= 0) {
        beginRemoveRows(QModelIndex(), old, old);
        m_files.removeAt(old);
        endRemoveRows();
    }
    const int row = placeOf(file);
    beginInsertRows(QModelIndex(), row, row);
    m_files.insert(row, std::move(file));
    endInsertRows();
    changed();
    return row;
}

bool LotModel::MarkGone(const QString &path)
{
    const int row = RowOf(path);
    if (row < 0)
        return false;
    m_files[row].gone = true;
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    return true;
}

int LotModel::RowOf(const QString &path) const
{
    for (int row = 0; row < m_files.size(); ++row) {
        if (m_files.at(row).path == path)
            return row;
    }
    return -1;
}

// Whether `file` may take the place of the file at `row` in time order.
bool LotModel::staysAt(int row, const LotFile &file) const
{
    return (row == 0 || !LotFile::Before(file, m_files.at(row - 1)))
        && (row + 1 == m_files.size() || !LotFile::Before(m_files.at(row + 1), file));
}

int LotModel::placeOf(const LotFile &file) const
{
    return int(std::upper_bound(m_files.begin(), m_files.end(), file, LotFile::Before) - m_files.begin());
}

void LotModel::changed()
{
    m_figures.reset();
    emit FiguresChanged();
}

const LotFigures &LotModel::Figures() const
{
    if (!m_figures) {
        QList<const FileSummary *> summaries;
        summaries.reserve(m_files.size());
        for (const LotFile &file : m_files) {
            if (file.summary)
                summaries.append(file.summary.get());
        }
        m_figures = LotFigures::Of(summaries, m_files.size() - summaries.size());
    }
    return *m_figures;
}

int LotModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_files.size());
}

int LotModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LotModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_files.size())
        return QVariant();
    const LotFile &file = m_files.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return display(file, index.column());
    case SortRole:
        return sortValue(file, index.column());
    case StateRole:
        return file.gone ? Gone : file.growing ? Growing : file.IsRead() ? Read : Unreadable;
    case Qt::ToolTipRole:
        if (file.gone)
            return tr("%1: deleted since it was read").arg(NativePath::Display(file.path));
        if (file.growing)
            return tr("%1: still being written").arg(NativePath::Display(file.path));
        return file.IsRead() ? QVariant() : QVariant(file.error);
    default:
        return QVariant();
    }
}

QVariant LotModel::display(const LotFile &file, int column) const
{
    if (column == File)
        return NativePath::Display(file.path);
    if (!file.summary)
        return column == Yield ? QVariant(tr("not read")) : QVariant();
    const FileSummary &summary = *file.summary;
    switch (column) {
    case Time:
        return QString::fromLatin1(RowTime::Iso(summary.FirstTime()).replace('T', ' '));
    case Fibers:
        return summary.Fibers();
    case Passed:
        return summary.Passed();
    case Marginal:
        return summary.WarnMargin() ? QVariant(summary.Marginal()) : QVariant();
    case Yield:
        return yieldText(summary);
    case WorstChannel:
        return QString::fromUtf8(summary.WorstChannel());
    case MinCpk:
        if (const std::optional<double> cpk = summary.MinCpk())
            return QString::number(*cpk, 'f', 2);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant LotModel::sortValue(const LotFile &file, int column) const
{
    if (column == File || !file.summary)
        return column == File ? QVariant(NativePath::Display(file.path)) : QVariant();
    const FileSummary &summary = *file.summary;
    switch (column) {
    case Time:
        return summary.FirstTime();
    case Yield:
        return summary.Fibers() > 0 ? QVariant(double(summary.Passed()) / double(summary.Fibers())) : QVariant();
    case MinCpk:
        if (const std::optional<double> cpk = summary.MinCpk())
            return *cpk;
        return QVariant();
    default:
        return display(file, column);
    }
}

QVariant LotModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case Time:
        return tr("First row");
    case File:
        return tr("File");
    case Fibers:
        return tr("Fibers");
    case Passed:
        return tr("Passed");
    case Marginal:
        return tr("Marginal");
    case Yield:
        return tr("Yield");
    case WorstChannel:
        return tr("Worst channel");
    case MinCpk:
        return tr("Least Cpk");
    default:
        return QVariant();
    }
}
