#include "view/ChannelFiguresModel.h"

#include "data/ChannelColumns.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <limits>

namespace {

// The channel and its wavelength, then the figures of the table.
constexpr int kFirstFigure = 2;

// A figure as the table shows it: to its column's decimals, so that a
// column's points line up.
QString shown(const ChannelColumns::Column &column, const std::optional<double> &value)
{
    if (!value)
        return QStringLiteral("-");
    switch (column.kind) {
    case ChannelColumns::Kind::Count:
        return QString::number(qint64(*value));
    case ChannelColumns::Kind::Capability:
        return Wording::Capability(*value);
    case ChannelColumns::Kind::Decimal:
        break;
    }
    return QString::number(*value, 'f', column.decimals);
}

} // namespace

void ChannelFiguresModel::SetFigures(const QList<ThresholdJudge::ChannelFigures> &figures)
{
    beginResetModel();
    m_figures = figures;
    endResetModel();
}

int ChannelFiguresModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_figures.size());
}

int ChannelFiguresModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kFirstFigure + int(ChannelColumns::All().size());
}

QVariant ChannelFiguresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_figures.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(index.column() < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != SortRole)
        return QVariant();
    const ThresholdJudge::ChannelFigures &figures = m_figures.at(index.row());
    if (role == SortRole && index.column() >= kFirstFigure && index.column() - kFirstFigure < ChannelColumns::All().size()) {
        const std::optional<double> value = ChannelColumns::All().at(index.column() - kFirstFigure).get(figures);
        return value ? *value : -std::numeric_limits<double>::infinity();
    }
    if (index.column() == 0)
        return QString::fromUtf8(figures.channel);
    if (index.column() == 1)
        return SummaryWriter::FieldText(figures.waveLength);
    const qsizetype figure = index.column() - kFirstFigure;
    if (figure >= ChannelColumns::All().size())
        return QVariant();
    const ChannelColumns::Column &column = ChannelColumns::All().at(figure);
    return shown(column, column.get(figures));
}

QVariant ChannelFiguresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return tr("Channel");
    if (section == 1)
        return tr("WaveLength");
    if (section - kFirstFigure < ChannelColumns::All().size())
        return ChannelColumns::HeadingWithUnit(ChannelColumns::All().at(section - kFirstFigure));
    return QAbstractTableModel::headerData(section, orientation, role);
}
