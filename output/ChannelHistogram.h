#pragma once

#include "data/ThresholdJudge.h"

#include <QList>

#include <optional>

// The bins of one channel's histogram, counted from the judge's figures.
// The values shown reach from the least to the greatest, but no further
// than three interquartile ranges (at least 0.5 dB) beyond the quartiles,
// which a few wild values never move: those stay off the axis, counted.
// The thresholds and the marginal band are taken in where they lie near
// the values. What is shown depends on the values alone, never on the
// number of bins, so a panel of any size counts the same values off it.
class ChannelHistogram
{
public:
    // `bins` of `width` dB from `start`.
    struct Axis
    {
        double start = 0;
        double width = 0;
        int bins = 0;
        double end() const { return start + width * bins; }
    };

    Axis axis;                      // no bins: no numeric power
    QList<qint64> counts;           // values in each bin
    QList<qint64> failing;          // of which failed
    qint64 below = 0;               // values left of the axis
    qint64 above = 0;               // values right of it
    // The lower limit judged by: the user's, else the most common of the
    // rows' thresholds; the rows' other thresholds on the axis (all of
    // them, where the limit is the user's); the user's upper limit.
    std::optional<double> threshold;
    QList<double> otherThresholds;
    bool thresholdOnAxis = false;
    std::optional<double> upper;
    bool upperOnAxis = false;
    // Where the values shown begin and end, half a bin of PowerBins' beyond.
    double shownFrom = 0;
    double shownTo = -1;

    // The values a histogram shows, from `low` to `high` dB.
    struct Range
    {
        double low = 0;
        double high = 0;
        Range united(const Range &other) const { return {qMin(low, other.low), qMax(high, other.high)}; }
    };

    // The bin that holds `held` (a value as PowerBins holds it); -1 for a
    // value off the axis.
    int BinOf(double held) const;

    // The range of a channel's values that its histogram shows; none
    // without a numeric power.
    static std::optional<Range> RangeOf(const ThresholdJudge::ChannelFigures &figures,
                                        const std::optional<double> &warnMargin);
    // The histogram of a channel with at most `maxBins` bins, over its own
    // range or over `shown` (one range for several channels).
    static ChannelHistogram Of(const ThresholdJudge::ChannelFigures &figures,
                               const std::optional<double> &warnMargin, int maxBins,
                               const std::optional<Range> &shown = std::nullopt);
    // The line a channel's lower limit is drawn at (see `threshold`).
    static std::optional<double> LowerLine(const ThresholdJudge::ChannelFigures &figures);
    // The values of a histogram and the rows of its channel that no bar
    // holds: below or above the axis, Low, without a number.
    qint64 NotShown(const ThresholdJudge::ChannelFigures &figures) const;
    // The count of the tallest bar, 1 at least.
    qint64 Tallest() const;
    // The most bins a plot of that width shows.
    static int BinsFor(double plotWidth);
    // A bin width of 1, 2 or 5 times a power of ten, at least `raw`.
    static double NiceWidth(double raw);
};
