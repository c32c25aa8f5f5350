#pragma once

#include "data/ControlLimits.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// The eight Nelson rules, which tell a process that has moved from chance
// alone, over a series of values against its control limits (the first
// four are the Western Electric rules):
//   1  one value beyond three deviations of the centre;
//   2  nine values in a row on one side of the centre;
//   3  six values in a row rising, or falling, all the way;
//   4  fourteen values in a row going up and down in turn;
//   5  two of three values in a row beyond two deviations, on one side;
//   6  four of five values in a row beyond one deviation, on one side;
//   7  fifteen values in a row within one deviation, either side;
//   8  eight values in a row beyond one deviation, on either side.
// NaN values (a file without the figure) are passed over: the runs are
// of the values there are. With a baseline of no spread the limits stand
// on the centre, and nothing is divided by the deviation.
class RunRules
{
    Q_DECLARE_TR_FUNCTIONS(RunRules)
public:
    static constexpr int Count = 8;

    // A rule broken: the values from `first` to `raised` (indices into
    // the series) show it; a run that goes on breaking it is one alarm.
    struct Alarm
    {
        int rule = 0;
        qsizetype first = 0;
        qsizetype raised = 0;
    };

    // How many values a rule looks at.
    static int Span(int rule);
    // The rule in a few words: "nine in a row on one side of the centre".
    static QString Name(int rule);

    // Every rule broken in `values` from `from` on, in the order raised
    // (of one value, by rule), against `limits`; where `breaking` is
    // given, every value at which some rule holds, in order.
    static QList<Alarm> Check(const QList<double> &values, qsizetype from, const ControlLimits &limits,
                              QList<qsizetype> *breaking = nullptr);
    // A series falling below `level` after standing at or above it (a
    // first value already below counts as falling): each such value.
    static QList<qsizetype> Falls(const QList<double> &values, qsizetype from, double level);
};
