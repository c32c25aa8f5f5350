#include "output/ChannelHistogram.h"

#include "data/PowerBins.h"

#include <algorithm>
#include <cmath>

namespace {

// Beyond this the finest bins (0.01 dB) no longer hold the values apart.
constexpr double kBinnedRange = 1e13;
// How far from 0 an axis reaches at most.
constexpr double kLongestAxis = 1e307;
// How far beyond the bulk and the thresholds the values shown reach, as a
// share of their range.
constexpr double kCutMargin = 0.05;

} // namespace

std::optional<ChannelHistogram::Range> ChannelHistogram::RangeOf(const ThresholdJudge::ChannelFigures &figures,
                                                                const std::optional<double> &warnMargin)
{
    if (figures.powers == 0)
        return std::nullopt;
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
    figures.thresholdBins.ForEach([&](double value, qint64) { takeIn(value); });
    const std::optional<double> band = figures.warn ? figures.warn : warnMargin;
    if (const std::optional<double> limit = LowerLine(figures)) {
        takeIn(*limit);
        if (band && *limit >= low && *limit <= high)
            takeIn(*limit + *band);
    }
    if (figures.upper) {
        takeIn(*figures.upper);
        if (band && *figures.upper >= low && *figures.upper <= high)
            takeIn(*figures.upper - *band);
    }
    // Powers near the largest double: an axis whose length, padded and cut
    // into bins, a double still holds; what lies beyond is counted.
    low = std::clamp(low, -kLongestAxis, kLongestAxis);
    high = std::clamp(high, -kLongestAxis, kLongestAxis);
    // A little beyond a cut, so that a failing value just past the
    // threshold stands on the axis with it.
    const double margin = kCutMargin * (high - low);
    const double least = std::clamp(figures.min, -kLongestAxis, kLongestAxis);
    const double greatest = std::clamp(figures.max, -kLongestAxis, kLongestAxis);
    return Range{qMin(low, qMax(least, low - margin)), qMax(high, qMin(greatest, high + margin))};
}

// A value on a bin's edge goes to the bin it starts, whatever the rounding
// of its division.
int ChannelHistogram::BinOf(double held) const
{
    if (axis.bins == 0 || held < shownFrom || held > shownTo)
        return -1;
    return qBound(0, int(std::floor((held - axis.start) / axis.width + 1e-9)), axis.bins - 1);
}

ChannelHistogram ChannelHistogram::Of(const ThresholdJudge::ChannelFigures &figures,
                                      const std::optional<double> &warnMargin, int maxBins,
                                      const std::optional<Range> &shown)
{
    ChannelHistogram histogram;
    const std::optional<Range> own = RangeOf(figures, warnMargin);
    if (!own)
        return histogram;
    const Range range = shown.value_or(*own);
    const double low = range.low, high = range.high;
    histogram.threshold = LowerLine(figures);
    histogram.upper = figures.upper;
    const double length = high - low;
    // Room for a bin or two beyond the outermost values.
    const double pad = length > 0 ? length * qMax(0.05, 3.0 / maxBins) : qMax(0.5, std::fabs(low) * 1e-6);
    const double from = low - pad, to = high + pad;
    Axis &axis = histogram.axis;
    axis.width = NiceWidth((to - from) / maxBins);
    if (std::fabs(from) < kBinnedRange && std::fabs(to) < kBinnedRange)
        axis.width = qMax(axis.width, 1.0 / PowerBins::BinsPerDb);
    axis.start = std::floor(from / axis.width) * axis.width;
    axis.bins = std::clamp(int(std::ceil((to - axis.start) / axis.width)), 1, maxBins + 2);

    histogram.counts.fill(0, axis.bins);
    histogram.failing.fill(0, axis.bins);
    // Off the axis is what lies outside the range, wherever the bins' edges
    // fall; a value binned to its hundredth may stand half of one beyond the
    // least or greatest value it was.
    const double slack = 0.5 / PowerBins::BinsPerDb;
    histogram.shownFrom = low - slack;
    histogram.shownTo = high + slack;
    figures.powerBins.ForEach([&](double value, qint64 count) {
        if (value < histogram.shownFrom)
            histogram.below += count;
        else if (value > histogram.shownTo)
            histogram.above += count;
        else
            histogram.counts[histogram.BinOf(value)] += count;
    });
    histogram.below += figures.powerBins.BelowFar().count;
    histogram.above += figures.powerBins.AboveFar().count;
    figures.failingBins.ForEach([&](double value, qint64 count) {
        if (const int bin = histogram.BinOf(value); bin >= 0)
            histogram.failing[bin] += count;
    });
    if (histogram.upper)
        histogram.upperOnAxis = *histogram.upper >= axis.start && *histogram.upper <= axis.end();
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

std::optional<double> ChannelHistogram::LowerLine(const ThresholdJudge::ChannelFigures &figures)
{
    return figures.userLower ? figures.lower : figures.thresholdBins.MostCommon();
}

qint64 ChannelHistogram::NotShown(const ThresholdJudge::ChannelFigures &figures) const
{
    return below + above + (figures.count - figures.powers);
}

qint64 ChannelHistogram::Tallest() const
{
    return counts.isEmpty() ? 1 : qMax<qint64>(1, *std::max_element(counts.cbegin(), counts.cend()));
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
