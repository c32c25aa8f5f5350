#pragma once

#include <QList>
#include <QString>

// Where a chart's axis is marked and what each mark says: round numbers
// (1, 2 or 5 times a power of ten) for values, round times (seconds,
// minutes, hours, days, months) for dates and times, as many as fit.
class AxisTicks
{
public:
    struct Tick
    {
        double at = 0;
        QString label;
    };

    // The round numbers within [low, high], at most `most` of them (at
    // least two where the range allows), each written to the decimals
    // its step needs.
    static QList<Tick> Values(double low, double high, int most);
    // The step of Values.
    static double ValueStep(double low, double high, int most);

    // The round times within [from, to], in seconds as RowTime counts
    // them, at most `most`: "14:30" within a day ("14:30:15" for steps
    // under a minute, "05-21" at a midnight), "05-21" for steps of days,
    // "2018-05" for months.
    static QList<Tick> Times(qint64 from, qint64 to, int most);
    // The step of Times in seconds; a month counts as 30 days.
    static qint64 TimeStep(qint64 from, qint64 to, int most);
};
