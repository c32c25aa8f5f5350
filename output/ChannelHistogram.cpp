#include "output/ChannelHistogram.h"

#include "data/PowerBins.h"

#include <algorithm>
#include <cmath>

namespace {

// Beyond this the finest bins (0.01 dB) no longer hold the values apart.
constexpr double kBinnedRange = 1e13;
// How far from 0 an axis reaches at most.
constexpr double kLongestAxis = 1e307;

} // namespace

ChannelHistogram ChannelHistogram::Of(const ThresholdJudge::ChannelFigures &figures,
                                      const std::optional<double> &warnMargin, int maxBins)
{
    ChannelHistogram histogram;
    if (figures.powers == 0)
        return histogram;
    const PowerBins &powers = figures.powerBins;
    const double lower = powers.Percentile(25).value_or(figures.p01.value_or(figures.min));
    const double upper = powers.Percentile(75).value_or(figures.p99.value_or(figures.max));
    double spread = upper - lower;
    if (!std::isfinite(spread))
        spread = 0;
    const double reach = 3 * qMax(spread, 0.5);
    double low = qMax(figures.min, lower - reach);
    double high = qMin(figures.max, upper + reach);
    const double near = qMax(3 * (std::clamp(high, -kLongestAxis, kLongestAxis) - std::clamp(low, -kLongestAxis, kLongestAxis)), 20.0);
    const auto takeIn = [&](double value) {
        if (value >= low - near && value <= high + near) {
            low = qMin(low, value);
            high = qMax(high, value);
        }
    };
    histogram.threshold = figures.thresholdBins.MostCommon();
    if (histogram.threshold) {
        figures.thresholdBins.ForEach([&](double value, qint64) { takeIn(value); });
        if (warnMargin && *histogram.threshold >= low && *histogram.threshold <= high)
            takeIn(*histogram.threshold + *warnMargin);
    }
    // Powers near the largest double: an axis whose length, padded and cut
    // into bins, a double still holds; what lies beyond is counted.
    low = std::clamp(low, -kLongestAxis, kLongestAxis);
    high = std::clamp(high, -kLongestAxis, kLongestAxis);
    const double range = high - low;
    // Room for a bin or two beyond the outermost values.
    const double pad = range > 0 ? range * qMax(0.05, 3.0 / maxBins) : qMax(0.5, std::fabs(low) * 1e-6);
    const double from = low - pad, to = high + pad;
    Axis &axis = histogram.axis;
    axis.width = NiceWidth((to - from) / maxBins);
    if (std::fabs(from) < kBinnedRange && std::fabs(to) < kBinnedRange)
        axis.width = qMax(axis.width, 1.0 / PowerBins::BinsPerDb);
    axis.start = std::floor(from / axis.width) * axis.width;
    axis.bins = std::clamp(int(std::ceil((to - axis.start) / axis.width)), 1, maxBins + 2);

    histogram.counts.fill(0, axis.bins);
    histogram.failing.fill(0, axis.bins);
    // A value on a bin's edge goes to the bin it starts, whatever the
    // rounding of its division.
    const auto binOf = [&axis](double value) {
        return std::floor((value - axis.start) / axis.width + 1e-9);
    };
    figures.powerBins.ForEach([&](double value, qint64 count) {
        const double bin = binOf(value);
        if (bin < 0)
            histogram.below += count;
        else if (bin >= axis.bins)
            histogram.above += count;
        else
            histogram.counts[int(bin)] += count;
    });
    histogram.below += figures.powerBins.BelowFar().count;
    histogram.above += figures.powerBins.AboveFar().count;
    figures.failingBins.ForEach([&](double value, qint64 count) {
        const double bin = binOf(value);
        if (bin >= 0 && bin < axis.bins)
            histogram.failing[int(bin)] += count;
    });
    if (histogram.threshold) {
        histogram.thresholdOnAxis = *histogram.threshold >= axis.start && *histogram.threshold <= axis.end();
        figures.thresholdBins.ForEach([&](double value, qint64) {
            if (value != *histogram.threshold && value >= axis.start && value <= axis.end()
                && histogram.otherThresholds.size() < 64)
                histogram.otherThresholds.append(value);
        });
    }
    return histogram;
}

int ChannelHistogram::BinsFor(double plotWidth)
{
    return std::clamp(int(plotWidth / 7), 8, 60);
}

double ChannelHistogram::NiceWidth(double raw)
{
    if (!(raw > 0) || !std::isfinite(raw))
        return 1;
    const double base = std::pow(10.0, std::floor(std::log10(raw)));
    const double ratio = raw / base;
    const double step = ratio <= 1 ? 1 : ratio <= 2 ? 2 : ratio <= 5 ? 5 : 10;
    return step * base;
}
