#include "data/CapabilityFigures.h"

#include "data/RunningMoments.h"
#include "data/Statistics.h"

#include <cmath>

namespace CapabilityFigures {

double SampleDeviation(qsizetype count, double squares)
{
    return std::sqrt(squares / double(count - 1));
}

namespace {

std::optional<double> finiteOrNone(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace

// The margins' mean, deviation and Cpk. Where the sums are scaled, the
// mean and the deviation share one scale: their ratio needs no scaling
// back, so Cpk is a number wherever the true one is.
void AddMargins(ThresholdJudge::ChannelFigures &figures, const RunningMoments &margins)
{
    figures.margins = margins.powers;
    if (margins.powers == 0)
        return;
    const auto unscaled = [&margins](double value) {
        return margins.scaled ? std::ldexp(value, ThresholdJudge::ScaleExponent) : value;
    };
    figures.marginMean = finiteOrNone(margins.Mean());
    if (margins.powers < 2)
        return;
    const double deviation = SampleDeviation(margins.powers, margins.squares);
    figures.marginDeviation = finiteOrNone(unscaled(deviation));
    // A deviation of 0 gives no finite ratio, hence none.
    figures.cpk = finiteOrNone(margins.ScaledMean() / (3 * deviation));
}

// Capability from what failed, every row counted: a channel whose rows
// fail often is never called capable because its failing rows have no
// margin to count.
void AddCapability(ThresholdJudge::ChannelFigures &figures)
{
    if (figures.count > 0)
        figures.failingShare = double(figures.failed) / double(figures.count);
    if (figures.failed > 0) {
        const double share = figures.failed == figures.count ? 1 - 0.5 / double(figures.count) : *figures.failingShare;
        figures.cpkObserved = -Statistics::NormalQuantile(share) / 3;
    }
    if (figures.cpk && figures.cpkObserved)
        figures.capability = qMin(*figures.cpk, *figures.cpkObserved);
    else
        figures.capability = figures.cpk ? figures.cpk : figures.cpkObserved;
}

// With an upper limit the capability is that of the nearer side: the
// upper side's, upper minus mean power over three deviations of the
// powers, where it is the lower.
void AddUpperSide(ThresholdJudge::ChannelFigures &figures)
{
    if (!figures.upper)
        return;
    const std::optional<double> deviation = figures.standardDeviation();
    if (!deviation || *deviation <= 0)
        return;
    const std::optional<double> upperSide = finiteOrNone((*figures.upper - figures.mean) / (3 * *deviation));
    if (upperSide && (!figures.cpk || *upperSide < *figures.cpk))
        figures.cpk = upperSide;
}

} // namespace CapabilityFigures

std::optional<double> ThresholdJudge::ChannelFigures::standardDeviation() const
{
    if (powers < 2)
        return std::nullopt;
    double deviation = CapabilityFigures::SampleDeviation(powers, squares);
    if (scaled)
        deviation = std::ldexp(deviation, ThresholdJudge::ScaleExponent);
    if (!std::isfinite(deviation))
        return std::nullopt;
    return deviation;
}
