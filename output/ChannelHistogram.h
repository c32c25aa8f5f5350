#pragma once

#include "data/ThresholdJudge.h"

#include <QList>

#include <optional>

// The bins of one channel's histogram, counted from the judge's figures.
// The axis reaches from the least value to the greatest, but no further
// than three interquartile ranges (at least 0.5 dB) beyond the quartiles,
// which a few wild values never move: those stay off it, counted. The
// thresholds and the marginal band are taken in where they lie near the
// values.
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
    std::optional<double> threshold; // the most common one
    QList<double> otherThresholds;   // on the axis
    bool thresholdOnAxis = false;

    // The histogram of a channel with at most `maxBins` bins.
    static ChannelHistogram Of(const ThresholdJudge::ChannelFigures &figures,
                               const std::optional<double> &warnMargin, int maxBins);
    // The most bins a plot of that width shows.
    static int BinsFor(double plotWidth);
    // A bin width of 1, 2 or 5 times a power of ten, at least `raw`.
    static double NiceWidth(double raw);
};
