#include "lot/LotModel.h"

#include "data/NativePath.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <QHash>
#include <QSet>

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

LotModel::Batch LotModel::Merged(QList<LotFile> files, QList<LotFile> batch, const QStringList &gone)
{
    QHash<QString, qsizetype> rows;
    rows.reserve(files.size() + batch.size());
    for (qsizetype row = 0; row < files.size(); ++row)
        rows.insert(files.at(row).path, row);
    for (LotFile &file : batch) {
        const auto row = rows.constFind(file.path);
        if (row != rows.cend()) {
            files[*row] = std::move(file); // a changed file, or one twice in the batch: the later stands
        } else {
            rows.insert(file.path, files.size());
            files.append(std::move(file));
        }
    }
    for (const QString &path : gone) {
        if (const auto row = rows.constFind(path); row != rows.cend())
            files[*row].gone = true;
    }
    std::stable_sort(files.begin(), files.end(), LotFile::Before);
    Batch merged;
    merged.figures = FiguresOf(files);
    merged.files = std::move(files);
    return merged;
}

void LotModel::Update(QList<LotFile> files, const QStringList &gone)
{
    if (!files.isEmpty() || !gone.isEmpty())
        Update(Merged(m_files, std::move(files), gone));
}

void LotModel::Update(Batch batch)
{
    QHash<QString, int> after;
    after.reserve(batch.files.size());
    for (int row = 0; row < batch.files.size(); ++row)
        after.insert(batch.files.at(row).path, row);
    QSet<QString> held;
    held.reserve(m_files.size());
    for (const LotFile &file : std::as_const(m_files)) {
        held.insert(file.path);
        if (!after.contains(file.path)) { // not merged from these files: taken as a new lot
            Reset(std::move(batch.files));
            return;
        }
    }
    // The files new to the lot come in at the end, in one insert, and take
    // their places in time with the others below.
    QList<LotFile> added;
    for (const LotFile &file : std::as_const(batch.files)) {
        if (!held.contains(file.path))
            added.append(file);
    }
    const bool grown = !added.isEmpty();
    if (grown) {
        const int first = int(m_files.size());
        beginInsertRows(QModelIndex(), first, first + int(added.size()) - 1);
        m_files.append(std::move(added));
        endInsertRows();
    }
    bool inOrder = true;
    bool resultsChanged = false;
    int low = int(batch.files.size()), high = -1; // the rows changed, where they go
    for (int row = 0; row < m_files.size(); ++row) {
        const LotFile &old = m_files.at(row);
        const int to = after.value(old.path);
        inOrder = inOrder && to == row;
        const LotFile &now = batch.files.at(to);
        const bool sameResults = old.summary == now.summary && old.error == now.error;
        resultsChanged = resultsChanged || !sameResults;
        if (!sameResults || old.stamp != now.stamp || old.gone != now.gone || old.growing != now.growing) {
            low = qMin(low, to);
            high = qMax(high, to);
        }
    }
    if (inOrder) {
        m_files = std::move(batch.files);
    } else {
        // One layout change: the rows a view has chosen, and its persistent
        // indexes, follow their files.
        const QList<QPersistentModelIndex> parents;
        emit layoutAboutToBeChanged(parents, QAbstractItemModel::VerticalSortHint);
        const QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex &index : from)
            to.append(this->index(after.value(m_files.at(index.row()).path), index.column()));
        m_files = std::move(batch.files);
        changePersistentIndexList(from, to);
        emit layoutChanged(parents, QAbstractItemModel::VerticalSortHint);
    }
    if (high >= 0)
        emit dataChanged(index(low, 0), index(high, ColumnCount - 1));
    if (grown || resultsChanged) { // a file marked gone keeps its figures
        m_figures = std::move(batch.figures);
        emit FiguresChanged();
    }
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
    if (!m_figures)
        m_figures = FiguresOf(m_files);
    return *m_figures;
}

LotFigures LotModel::FiguresOf(const QList<LotFile> &files)
{
    QList<const FileSummary *> summaries;
    summaries.reserve(files.size());
    for (const LotFile &file : files) {
        if (file.summary)
            summaries.append(file.summary.get());
    }
    return LotFigures::Of(summaries, files.size() - summaries.size());
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
        return summary.Banded() ? QVariant(summary.Marginal()) : QVariant();
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
