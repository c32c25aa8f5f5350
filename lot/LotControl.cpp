#include "lot/LotControl.h"

#include "data/ChannelColumns.h"
#include "lot/LotModel.h"
#include "lot/LotTrend.h"
#include "output/Wording.h"

#include <algorithm>
#include <cmath>

namespace {

QString nameOf(const LotControl::Chart &chart)
{
    return chart.channel.isEmpty()
        ? LotControl::KindText(chart.kind)
        : LotControl::tr("channel %1's %2").arg(QString::fromUtf8(chart.channel), LotControl::KindText(chart.kind));
}

} // namespace

const FileSummary::Channel *LotControl::ChannelOf(const FileSummary &summary, const QByteArray &channel)
{
    for (const FileSummary::Channel &each : summary.Channels()) {
        if (each.channel == channel)
            return &each;
    }
    return nullptr;
}

QList<double> LotControl::Values(const LotModel &lot, Kind kind, const QByteArray &channel)
{
    static const qsizetype kMarginMean = ChannelColumns::IndexOf("margin_mean");
    static const qsizetype kCpk = ChannelColumns::IndexOf("cpk");
    QList<double> values;
    values.reserve(lot.FileCount());
    for (int row = 0; row < lot.FileCount(); ++row) {
        const FileSummary *summary = lot.FileAt(row).summary.get();
        if (kind == Yield) {
            values.append(summary && summary->Fibers() > 0
                              ? double(Wording::YieldMillionths(summary->Fibers(), summary->Failed())) / 1e4
                              : NAN);
            continue;
        }
        const FileSummary::Channel *figures = summary ? ChannelOf(*summary, channel) : nullptr;
        values.append(figures ? figures->Value(kind == MarginMean ? kMarginMean : kCpk) : NAN);
    }
    return values;
}

QList<LotControl::Stage> LotControl::stagesOf(const LotModel &lot, const ControlPlan &plan)
{
    QList<qsizetype> starts{0};
    for (const QString &path : plan.changes) {
        const int row = lot.RowOf(path);
        if (row > 0)
            starts.append(row);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    const int pickedFrom = plan.baselineFrom.isEmpty() ? -1 : lot.RowOf(plan.baselineFrom);
    const int pickedTo = plan.baselineTo.isEmpty() ? -1 : lot.RowOf(plan.baselineTo);
    QList<Stage> stages;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        Stage stage;
        stage.from = starts.at(i);
        stage.to = i + 1 < starts.size() ? starts.at(i + 1) : lot.FileCount();
        stage.baselineFrom = stage.from;
        stage.baselineTo = std::min<qsizetype>(stage.to, stage.from + std::max(plan.baselineFiles, 2));
        // A range picked on the chart stands for the stage it lies in.
        if (pickedFrom >= stage.from && pickedTo >= pickedFrom && pickedTo < stage.to) {
            stage.baselineFrom = pickedFrom;
            stage.baselineTo = pickedTo + 1;
            stage.picked = true;
        }
        stages.append(stage);
    }
    return stages;
}

LotControl::Result LotControl::Of(const LotModel &lot, const ControlPlan &plan)
{
    Result result;
    const QList<Stage> stages = stagesOf(lot, plan);
    const int needed = std::max(plan.baselineFiles, 2);
    QList<Chart> charts{{Yield, {}, Values(lot, Yield, {}), {}, {}}};
    for (const QByteArray &channel : LotTrend::Channels(lot)) {
        charts.append({MarginMean, channel, Values(lot, MarginMean, channel), {}, {}});
        charts.append({Cpk, channel, Values(lot, Cpk, channel), {}, {}});
    }
    for (const Stage &stage : stages) {
        if (!stage.picked && stage.baselineTo - stage.baselineFrom < needed)
            result.notes.append(tr("The rules need %1 files for a baseline; the files from %2 on are %3: no alarms "
                                   "from them.")
                                    .arg(needed)
                                    .arg(stage.from + 1)
                                    .arg(stage.to - stage.from));
    }
    for (Chart &chart : charts) {
        for (Stage stage : stages) {
            if (stage.picked || stage.baselineTo - stage.baselineFrom >= needed)
                stage.limits = ControlLimits::Of(chart.values, stage.baselineFrom, stage.baselineTo);
            // A yield's limits end where a yield can: 0 and 100 %.
            if (stage.limits && chart.kind == Yield) {
                stage.limits->lower = std::max(stage.limits->lower, 0.0);
                stage.limits->upper = std::min(stage.limits->upper, 100.0);
            }
            if (stage.limits && stage.limits->flat())
                result.notes.append(tr("The baseline of %1 from file %2 has no spread: its limits stand on the centre.")
                                        .arg(nameOf(chart))
                                        .arg(stage.baselineFrom + 1));
            chart.stages.append(stage);
            if (chart.kind == Cpk) {
                for (qsizetype at : RunRules::Falls(chart.values.mid(0, stage.to), stage.from, CpkLevel)) {
                    result.alarms.append({chart.kind, chart.channel, 0, at, at, chart.values.at(at)});
                    chart.breaking.append(at);
                }
                continue;
            }
            if (!stage.limits)
                continue;
            const QList<RunRules::Alarm> alarms =
                RunRules::Check(chart.values.mid(0, stage.to), stage.from, *stage.limits, &chart.breaking);
            for (const RunRules::Alarm &alarm : alarms)
                result.alarms.append({chart.kind, chart.channel, alarm.rule, alarm.first, alarm.raised,
                                      chart.values.at(alarm.raised)});
        }
    }
    std::stable_sort(result.alarms.begin(), result.alarms.end(),
                     [](const Alarm &a, const Alarm &b) { return a.raised < b.raised; });
    result.charts = std::move(charts);
    return result;
}

const LotControl::Chart *LotControl::ChartOf(const Result &result, Kind kind, const QByteArray &channel)
{
    for (const Chart &chart : result.charts) {
        if (chart.kind == kind && chart.channel == channel)
            return &chart;
    }
    return nullptr;
}

QString LotControl::RuleText(int rule)
{
    if (rule == 0)
        return tr("Cpk below %1").arg(CpkLevel, 0, 'f', 2);
    return tr("rule %1: %2").arg(rule).arg(RunRules::Name(rule));
}

QString LotControl::KindText(Kind kind)
{
    switch (kind) {
    case Yield:
        return tr("yield");
    case MarginMean:
        return tr("margin mean");
    case Cpk:
        break;
    }
    return tr("Cpk");
}

QString LotControl::Key(const LotModel &lot, const Alarm &alarm)
{
    return QStringLiteral("%1/%2/%3/%4")
        .arg(int(alarm.kind))
        .arg(QString::fromUtf8(alarm.channel))
        .arg(alarm.rule)
        .arg(lot.FileAt(int(alarm.first)).path);
}
