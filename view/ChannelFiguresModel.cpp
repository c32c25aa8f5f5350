#include "view/ChannelFiguresModel.h"

#include "output/SummaryWriter.h"

namespace {

const char *const kHeadings[] = {"Channel", "WaveLength", "Count", "Failed",
                                 "Min",     "Max",        "Mean",  "Std. deviation"};

QString decimal(const std::optional<double> &value)
{
    QByteArray text;
    if (value)
        SummaryWriter::AppendDecimal(text, *value);
    return QString::fromLatin1(text);
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
    return parent.isValid() ? 0 : int(std::size(kHeadings));
}

QVariant ChannelFiguresModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_figures.size())
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(index.column() < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const ThresholdJudge::ChannelFigures &figures = m_figures.at(index.row());
    const bool powers = figures.powers > 0;
    switch (index.column()) {
    case 0:
        return QString::fromUtf8(figures.channel);
    case 1:
        return SummaryWriter::FieldText(figures.waveLength);
    case 2:
        return QString::number(figures.count);
    case 3:
        return QString::number(figures.failed);
    case 4:
        return decimal(powers ? std::optional<double>(figures.min) : std::nullopt);
    case 5:
        return decimal(powers ? std::optional<double>(figures.max) : std::nullopt);
    case 6:
        return decimal(powers ? std::optional<double>(figures.mean) : std::nullopt);
    case 7:
        return decimal(figures.standardDeviation());
    default:
        return QVariant();
    }
}

QVariant ChannelFiguresModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0
        && section < int(std::size(kHeadings)))
        return tr(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
