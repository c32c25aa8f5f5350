#include "view/CompareShiftModel.h"

#include "data/ChannelColumns.h"
#include "output/CompareWriter.h"

#include <QBrush>
#include <QColor>

namespace {

const char *const kHeadings[] = {
    QT_TRANSLATE_NOOP("CompareShiftModel", "Channel"),  QT_TRANSLATE_NOOP("CompareShiftModel", "A n"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "A mean"),   QT_TRANSLATE_NOOP("CompareShiftModel", "A std dev"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "A Cpk"),    QT_TRANSLATE_NOOP("CompareShiftModel", "B n"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "B mean"),   QT_TRANSLATE_NOOP("CompareShiftModel", "B std dev"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "B Cpk"),    QT_TRANSLATE_NOOP("CompareShiftModel", "Shift (dB)"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "95 % interval"), QT_TRANSLATE_NOOP("CompareShiftModel", "Welch p"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "KS"),       QT_TRANSLATE_NOOP("CompareShiftModel", "KS p"),
    QT_TRANSLATE_NOOP("CompareShiftModel", "Paired fibers"), QT_TRANSLATE_NOOP("CompareShiftModel", "Paired shift (dB)"),
};
static_assert(sizeof kHeadings / sizeof *kHeadings == CompareShiftModel::ColumnCount);

std::optional<double> figure(const ThresholdJudge::ChannelFigures *figures, const char *key)
{
    if (!figures)
        return std::nullopt;
    return ChannelColumns::All().at(ChannelColumns::IndexOf(key)).get(*figures);
}

int decimalsOf(const char *key)
{
    return ChannelColumns::All().at(ChannelColumns::IndexOf(key)).decimals;
}

} // namespace

void CompareShiftModel::SetComparison(const Comparison &comparison, double alpha)
{
    beginResetModel();
    m_channels = comparison.channels;
    m_alpha = alpha;
    m_paired.clear();
    for (const Comparison::Channel &channel : std::as_const(m_channels)) {
        Comparison::Paired found;
        for (const Comparison::Paired &paired : comparison.paired) {
            if (paired.channel == channel.channel)
                found = paired;
        }
        m_paired.append(found);
    }
    endResetModel();
}

int CompareShiftModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_channels.size());
}

int CompareShiftModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

std::optional<double> CompareShiftModel::number(int row, int column) const
{
    const Comparison::Channel &c = m_channels.at(row);
    const auto count = [](const ThresholdJudge::ChannelFigures *f) {
        return f ? std::optional<double>(double(f->powers)) : std::nullopt;
    };
    switch (column) {
    case CountA: return count(c.a);
    case MeanA: return figure(c.a, "mean");
    case DeviationA: return figure(c.a, "stddev");
    case CpkA: return figure(c.a, "cpk");
    case CountB: return count(c.b);
    case MeanB: return figure(c.b, "mean");
    case DeviationB: return figure(c.b, "stddev");
    case CpkB: return figure(c.b, "cpk");
    case Shift: return c.deltaMean;
    case Interval: return c.deltaLow;
    case WelchP: return c.welchP;
    case Ks: return c.ks;
    case KsP: return c.ksP;
    case PairedFibers: return double(m_paired.at(row).pairs);
    case PairedShift: return m_paired.at(row).mean;
    default: return std::nullopt;
    }
}

QString CompareShiftModel::text(int row, int column) const
{
    const Comparison::Channel &c = m_channels.at(row);
    const std::optional<double> value = number(row, column);
    const auto fixed = [&value](int decimals) {
        return value ? QString::number(*value, 'f', decimals) : QStringLiteral("-");
    };
    switch (column) {
    case Channel: return QString::fromUtf8(c.channel);
    case CountA: case CountB: case PairedFibers: return fixed(0);
    case MeanA: case MeanB: return fixed(decimalsOf("mean"));
    case DeviationA: case DeviationB: return fixed(decimalsOf("stddev"));
    case CpkA: case CpkB: return fixed(decimalsOf("cpk"));
    case Shift:
        return CompareWriter::Shift(value) + (c.welchP && *c.welchP < m_alpha ? QStringLiteral(" *") : QString());
    case PairedShift: return CompareWriter::Shift(value);
    case Interval: return CompareWriter::Interval(c.deltaLow, c.deltaHigh);
    case Ks: return fixed(3);
    case WelchP: case KsP: return value ? QString::fromLatin1(CompareWriter::PValue(*value)) : QStringLiteral("-");
    default: return QString();
    }
}

QVariant CompareShiftModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_channels.size())
        return QVariant();
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case SortRole:
        if (column == Channel)
            return QString::fromUtf8(m_channels.at(row).channel);
        if (const std::optional<double> value = number(row, column))
            return column == Shift || column == PairedShift ? std::abs(*value) : *value;
        return QVariant();
    case Qt::TextAlignmentRole:
        return column == Channel || column == Interval ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                       : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole: {
        const Comparison::Channel &c = m_channels.at(row);
        if (column == Shift && c.welchP && *c.welchP < m_alpha)
            return QBrush(QColor(0xb0, 0x20, 0x20));
        return QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant CompareShiftModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return tr(kHeadings[section]);
}
