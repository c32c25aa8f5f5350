#include "lot/LotTrend.h"

#include "data/ChannelColumns.h"
#include "lot/LotModel.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <QSet>

#include <cmath>

QList<QByteArray> LotTrend::Channels(const LotModel &lot)
{
    QList<QByteArray> channels;
    QSet<QByteArray> met; // asked of every channel of every file: a lookup, not a walk of the list
    for (int row = 0; row < lot.FileCount(); ++row) {
        if (const FileSummary *summary = lot.FileAt(row).summary.get()) {
            for (const FileSummary::Channel &channel : summary->Channels()) {
                if (!met.contains(channel.channel)) {
                    met.insert(channel.channel);
                    channels.append(channel.channel);
                }
            }
        }
    }
    return channels;
}

LotTrend::Pooled LotTrend::Pool(const QList<qint64> &counts, const QList<double> &means,
                                const QList<double> &deviations)
{
    // Sums of each file's margins and of their squares about the lot's mean.
    double total = 0, sum = 0;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        if (counts.at(i) > 0 && std::isfinite(means.at(i))) {
            total += double(counts.at(i));
            sum += double(counts.at(i)) * means.at(i);
        }
    }
    Pooled pooled;
    if (total <= 0)
        return pooled;
    const double mean = sum / total;
    pooled.mean = mean;
    double squares = 0;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        const double n = double(counts.at(i));
        if (n <= 0 || !std::isfinite(means.at(i)))
            continue;
        const double deviation = n >= 2 ? deviations.at(i) : 0.0;
        if (!std::isfinite(deviation))
            return pooled;
        squares += (n - 1) * deviation * deviation + n * (means.at(i) - mean) * (means.at(i) - mean);
    }
    if (total >= 2 && squares > 0) {
        const double cpk = mean / (3 * std::sqrt(squares / (total - 1)));
        if (std::isfinite(cpk))
            pooled.cpk = cpk;
    }
    return pooled;
}

namespace {

// The chart's control limits on its panel, and the files where a rule is broken.
void addControl(TrendChart::Panel &panel, const LotControl::Result &control, LotControl::Kind kind,
                const QByteArray &channel)
{
    const LotControl::Chart *chart = LotControl::ChartOf(control, kind, channel);
    if (!chart)
        return;
    for (const LotControl::Stage &stage : chart->stages) {
        if (stage.limits)
            panel.control.append({stage.from, stage.to, stage.baselineFrom, stage.baselineTo, stage.limits->centre,
                                  stage.limits->lower, stage.limits->upper});
    }
    panel.alarms = chart->breaking;
}

} // namespace

QList<qint64> LotTrend::Times(const LotModel &lot)
{
    QList<qint64> times;
    times.reserve(lot.FileCount());
    for (int row = 0; row < lot.FileCount(); ++row)
        times.append(lot.FileAt(row).FirstTime());
    return times;
}

QList<double> LotTrend::FirstYields(const LotModel &lot, YieldKind yield)
{
    QList<const FileSummary *> summaries;
    QList<int> rows;
    for (int row = 0; row < lot.FileCount(); ++row) {
        if (const FileSummary *summary = lot.FileAt(row).summary.get())
            summaries.append(summary), rows.append(row);
    }
    const QList<LotFigures::FileYield> yields = LotFigures::FileYields(summaries);
    QList<double> values(lot.FileCount(), NAN);
    for (qsizetype i = 0; i < yields.size(); ++i) {
        const LotFigures::FileYield &each = yields.at(i);
        const qsizetype passed = yield == FirstPassYield ? each.firstPassed : each.finalPassed;
        if (each.fibers > 0)
            values[rows.at(i)] = double(Wording::YieldMillionths(each.fibers, each.fibers - passed)) / 1e4;
    }
    return values;
}

QList<TrendChart::Panel> LotTrend::Panels(const LotModel &lot, const QByteArray &channel,
                                          const LotControl::Result *control, YieldKind yieldKind)
{
    static const qsizetype kMargins = ChannelColumns::IndexOf("margins");
    static const qsizetype kMarginMean = ChannelColumns::IndexOf("margin_mean");
    static const qsizetype kMarginStddev = ChannelColumns::IndexOf("margin_stddev");
    const QString yieldTitle = yieldKind == FirstPassYield ? tr("First-pass yield")
        : yieldKind == FinalYield                          ? tr("Final yield")
                                                           : tr("Yield");
    TrendChart::Panel yield{yieldTitle, QStringLiteral("%"), 1, {}, {}, {}, {}, {}, 100.0, {}, {}};
    TrendChart::Panel margin{tr("Margin mean, channel %1").arg(QString::fromUtf8(channel)), tr("dB"), 2, {}, {}, {}, {}, {}, {}, {}, {}};
    TrendChart::Panel cpk{tr("Cpk, channel %1").arg(QString::fromUtf8(channel)), QString(), 2, {}, {}, {}, {}, {}, {}, {}, {}};
    yield.values = yieldKind == FileYield ? LotControl::Values(lot, LotControl::Yield, {}) : FirstYields(lot, yieldKind);
    margin.values = LotControl::Values(lot, LotControl::MarginMean, channel);
    cpk.values = LotControl::Values(lot, LotControl::Cpk, channel);
    QList<qint64> counts;
    QList<double> means, deviations;
    std::optional<double> warnMargin;
    for (int row = 0; row < lot.FileCount(); ++row) {
        const FileSummary *summary = lot.FileAt(row).summary.get();
        const FileSummary::Channel *figures = summary ? LotControl::ChannelOf(*summary, channel) : nullptr;
        if (figures) {
            counts.append(qint64(figures->Value(kMargins)));
            means.append(figures->Value(kMarginMean));
            deviations.append(figures->Value(kMarginStddev));
            if (summary->WarnMargin())
                warnMargin = summary->WarnMargin();
        }
    }
    const LotFigures &figures = lot.Figures();
    if (figures.fibers > 0) {
        const qsizetype passed = yieldKind == FirstPassYield ? figures.firstPassed : figures.passed;
        yield.lot = double(Wording::YieldMillionths(figures.fibers, figures.fibers - passed)) / 1e4;
        yield.lotLabel = tr("lot %1").arg(Wording::YieldPercent(figures.fibers, figures.fibers - passed));
    }
    if (control && yieldKind == FileYield)
        addControl(yield, *control, LotControl::Yield, {});
    if (channel.isEmpty())
        return {yield};
    const Pooled pooled = Pool(counts, means, deviations);
    margin.lot = pooled.mean;
    margin.fail = 0.0;
    margin.warn = warnMargin;
    if (pooled.mean)
        margin.lotLabel = tr("lot %1").arg(*pooled.mean, 0, 'f', 2);
    cpk.lot = pooled.cpk;
    cpk.fail = CpkFail;
    cpk.warn = CpkWarn;
    if (pooled.cpk)
        cpk.lotLabel = tr("lot %1").arg(*pooled.cpk, 0, 'f', 2);
    if (control) {
        addControl(margin, *control, LotControl::MarginMean, channel);
        addControl(cpk, *control, LotControl::Cpk, channel);
    }
    return {yield, margin, cpk};
}
