#pragma once

#include "data/ControlLimits.h"
#include "data/FileSummary.h"
#include "data/RunRules.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class LotModel;

// What the engineer chose for a lot's control charts: how many files of
// each stage make its baseline, or the files of a range picked on the
// chart, and the files where a change was made (a repair, a new fixture),
// from which the limits start again. Files are named by path, so that the
// plan holds while the lot grows.
struct ControlPlan
{
    static constexpr int DefaultBaseline = 20;

    int baselineFiles = DefaultBaseline;
    QString baselineFrom, baselineTo; // both empty: the first files
    QStringList changes;

    bool operator==(const ControlPlan &other) const
    {
        return baselineFiles == other.baselineFiles && baselineFrom == other.baselineFrom
            && baselineTo == other.baselineTo && changes == other.changes;
    }
    bool operator!=(const ControlPlan &other) const { return !(*this == other); }
};

// A lot's control charts and the alarms of their rules, over its files in
// the lot's order: an individuals chart of each channel's margin mean, of
// each file's yield, and of each channel's Cpk; the Nelson rules on the
// margin means and the yields, and a channel's Cpk falling below 1.33.
// Each stage (the lot's start, each change) takes its limits from its own
// baseline, frozen there: the files that follow are judged against them.
class LotControl
{
    Q_DECLARE_TR_FUNCTIONS(LotControl)
public:
    static constexpr double CpkLevel = 1.33;

    enum Kind { Yield, MarginMean, Cpk };
    struct Stage
    {
        qsizetype from = 0, to = 0;                 // its files
        qsizetype baselineFrom = 0, baselineTo = 0; // its baseline's files
        bool picked = false;                        // a range picked on the chart
        std::optional<ControlLimits> limits;        // none with too few values
    };
    struct Chart
    {
        Kind kind = Yield;
        QByteArray channel; // empty for the yield
        QList<double> values; // one per file, NaN where it has none
        QList<Stage> stages;
        QList<qsizetype> breaking; // the files at which a rule holds
    };
    // A rule broken: rule 1 to 8, or 0 for a Cpk that fell below 1.33.
    struct Alarm
    {
        Kind kind = Yield;
        QByteArray channel;
        int rule = 0;
        qsizetype first = 0, raised = 0; // files
        double value = 0;                // at the file that raised it
    };
    struct Result
    {
        QList<Chart> charts; // the yield's, then each channel's margin mean and Cpk
        QList<Alarm> alarms; // in the order raised
        QStringList notes;
    };

    static Result Of(const LotModel &lot, const ControlPlan &plan);
    // The figures of `channel` in a file, or null where it has none.
    static const FileSummary::Channel *ChannelOf(const FileSummary &summary, const QByteArray &channel);
    // One figure's values over the lot's files.
    static QList<double> Values(const LotModel &lot, Kind kind, const QByteArray &channel);
    // The chart of `kind` and `channel` in `result`, or null.
    static const Chart *ChartOf(const Result &result, Kind kind, const QByteArray &channel);
    // The rule in words: "rule 2: nine in a row on one side of the centre".
    static QString RuleText(int rule);
    // The figure in words: "margin mean", "Cpk", "yield".
    static QString KindText(Kind kind);
    // An alarm's series and rule, stable while the lot grows.
    static QString Key(const LotModel &lot, const Alarm &alarm);

private:
    static QList<Stage> stagesOf(const LotModel &lot, const ControlPlan &plan);
};
