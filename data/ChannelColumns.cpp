#include "data/ChannelColumns.h"

#include <QCoreApplication>

namespace ChannelColumns {

namespace {

using Figures = ThresholdJudge::ChannelFigures;

std::optional<double> count(qsizetype value)
{
    return double(value);
}

// A figure of the numeric powers: none without any.
std::optional<double> ofPowers(const Figures &figures, double value)
{
    return figures.powers > 0 ? std::optional<double>(value) : std::nullopt;
}

const QList<Column> kColumns = {
    {"count", QT_TRANSLATE_NOOP("ChannelColumns", "Rows"), "", 0, Kind::Count, false,
     [](const Figures &f) { return count(f.count); }, "rows"},
    {"failed", QT_TRANSLATE_NOOP("ChannelColumns", "Failed rows"), "", 0, Kind::Count, false,
     [](const Figures &f) { return count(f.failed); }, "rows that failed"},
    {"failed_fibers", QT_TRANSLATE_NOOP("ChannelColumns", "Failed fibers"), "", 0, Kind::Count, false,
     [](const Figures &f) { return count(f.failedFibers); }, "fibers that failed here"},
    {"marginal", QT_TRANSLATE_NOOP("ChannelColumns", "Marginal fibers"), "", 0, Kind::Count, true,
     [](const Figures &f) { return count(f.marginal); }, "fibers marginal here (with --warn-margin)"},
    {"powers", QT_TRANSLATE_NOOP("ChannelColumns", "Numeric powers"), "", 0, Kind::Count, false,
     [](const Figures &f) { return count(f.powers); }, "rows with a numeric power (those in the histogram)"},
    {"margins", QT_TRANSLATE_NOOP("ChannelColumns", "Margins"), "", 0, Kind::Count, false,
     [](const Figures &f) { return count(f.margins); }, "rows with a margin"},
    {"min", QT_TRANSLATE_NOOP("ChannelColumns", "Min"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return ofPowers(f, f.min); }, "least power"},
    {"max", QT_TRANSLATE_NOOP("ChannelColumns", "Max"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return ofPowers(f, f.max); }, "greatest power"},
    {"mean", QT_TRANSLATE_NOOP("ChannelColumns", "Mean"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return ofPowers(f, f.mean); }, "mean power"},
    {"stddev", QT_TRANSLATE_NOOP("ChannelColumns", "Std dev"), "dB", 3, Kind::Decimal, false,
     [](const Figures &f) { return f.standardDeviation(); }, "sample standard deviation of the powers"},
    {"p01", QT_TRANSLATE_NOOP("ChannelColumns", "P01"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.p01; }, "1st percentile of the powers"},
    {"p50", QT_TRANSLATE_NOOP("ChannelColumns", "P50"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.p50; }, "median power"},
    {"p95", QT_TRANSLATE_NOOP("ChannelColumns", "P95"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.p95; }, "95th percentile of the powers"},
    {"p99", QT_TRANSLATE_NOOP("ChannelColumns", "P99"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.p99; }, "99th percentile of the powers"},
    {"lower", QT_TRANSLATE_NOOP("ChannelColumns", "Lower limit"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.lower; },
     "the lower limit judged by: the limits file's, else the rows' threshold where they all carry one"},
    {"upper", QT_TRANSLATE_NOOP("ChannelColumns", "Upper limit"), "dBm", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.upper; }, "the upper limit judged by (with --limits)"},
    {"warn", QT_TRANSLATE_NOOP("ChannelColumns", "Band"), "dB", 2, Kind::Decimal, true,
     [](const Figures &f) { return f.warn; }, "the marginal band judged by (the limits file's, else --warn-margin)"},
    {"margin_mean", QT_TRANSLATE_NOOP("ChannelColumns", "Margin mean"), "dB", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.marginMean; }, "mean margin (power minus the lower limit)"},
    {"margin_stddev", QT_TRANSLATE_NOOP("ChannelColumns", "Margin std dev"), "dB", 3, Kind::Decimal, false,
     [](const Figures &f) { return f.marginDeviation; }, "sample standard deviation of the margins"},
    {"cpk", QT_TRANSLATE_NOOP("ChannelColumns", "Cpk"), "", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.cpk; }, "margin mean over three margin deviations; with an upper limit, the nearer side's"},
    {"failing_share", QT_TRANSLATE_NOOP("ChannelColumns", "Failing share"), "", 4, Kind::Decimal, false,
     [](const Figures &f) { return f.failingShare; }, "failed rows over rows, Low and no-number rows too"},
    {"cpk_observed", QT_TRANSLATE_NOOP("ChannelColumns", "Cpk observed"), "", 2, Kind::Decimal, false,
     [](const Figures &f) { return f.cpkObserved; },
     "Phi^-1(1 - failing_share) / 3, the Cpk the failing share stands for (none where nothing failed)"},
    {"capability", QT_TRANSLATE_NOOP("ChannelColumns", "Capability"), "", 2, Kind::Capability, false,
     [](const Figures &f) { return f.capability; },
     "good (1.33 or more), fair (1.0 or more) or low, by the lower of cpk and cpk_observed"},
};

} // namespace

const QList<Column> &All()
{
    return kColumns;
}

qsizetype IndexOf(const char *key)
{
    for (qsizetype i = 0; i < kColumns.size(); ++i) {
        if (qstrcmp(kColumns.at(i).key, key) == 0)
            return i;
    }
    return -1;
}

QString HeadingWithUnit(const Column &column)
{
    const QString heading = QCoreApplication::translate("ChannelColumns", column.heading);
    return *column.unit ? QStringLiteral("%1 (%2)").arg(heading, QLatin1String(column.unit)) : heading;
}

QByteArray Signature()
{
    QByteArray keys;
    for (const Column &column : kColumns)
        keys += QByteArray(column.key) + ':' + QByteArray::number(int(column.kind)) + ',';
    return keys;
}

} // namespace ChannelColumns
