#include "data/Comparison.h"

#include "data/CompareSide.h"
#include "data/RunningMoments.h"
#include "data/Statistics.h"

#include <algorithm>
#include <cmath>

namespace {

std::optional<double> held(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The channels of both sides, in the order they came: A's, then B's own.
QList<QByteArray> channelsOf(const CompareSide &a, const CompareSide &b)
{
    QList<QByteArray> channels;
    for (const ThresholdJudge::ChannelFigures &figures : a.Channels())
        channels.append(figures.channel);
    for (const ThresholdJudge::ChannelFigures &figures : b.Channels()) {
        if (!channels.contains(figures.channel))
            channels.append(figures.channel);
    }
    return channels;
}

// Each value the bins hold with its count; the far values, known only
// by their count, below and above all of them.
std::vector<Statistics::Counted> countedOf(const PowerBins &bins)
{
    std::vector<Statistics::Counted> counted;
    if (bins.BelowFar().count > 0)
        counted.push_back({-HUGE_VAL, double(bins.BelowFar().count)});
    bins.ForEach([&counted](double value, qint64 count) { counted.push_back({value, double(count)}); });
    if (bins.AboveFar().count > 0)
        counted.push_back({HUGE_VAL, double(bins.AboveFar().count)});
    return counted;
}

void shift(Comparison::Channel &channel)
{
    const ThresholdJudge::ChannelFigures &a = *channel.a, &b = *channel.b;
    if (a.powers == 0 || b.powers == 0)
        return;
    channel.deltaMean = held(b.mean - a.mean);
    const std::optional<double> deviationA = a.standardDeviation(), deviationB = b.standardDeviation();
    if (deviationA && deviationB) {
        const Statistics::Welch welch =
            Statistics::WelchTest(double(a.powers), a.mean, *deviationA, double(b.powers), b.mean, *deviationB);
        channel.welchP = held(welch.p);
        const double half = Statistics::StudentTQuantile(0.975, welch.df) * welch.standardError;
        if (std::isfinite(half) && channel.deltaMean) {
            channel.deltaLow = *channel.deltaMean - half;
            channel.deltaHigh = *channel.deltaMean + half;
        }
    }
    const double distance = Statistics::KolmogorovSmirnovDistance(countedOf(a.powerBins), countedOf(b.powerBins));
    channel.ks = held(distance);
    channel.ksP = held(Statistics::KolmogorovSmirnovP(distance, double(a.powers), double(b.powers)));
}

void noteChannel(const Comparison::Channel &channel, QStringList &notes)
{
    const QString name = QString::fromUtf8(channel.channel);
    if (!channel.a || !channel.b) {
        notes.append(channel.a ? Comparison::tr("channel %1 is only in A").arg(name)
                               : Comparison::tr("channel %1 is only in B").arg(name));
    } else if (!channel.welchP) {
        notes.append(Comparison::tr("channel %1: too few powers for a test (%2 in A, %3 in B, two or more with a "
                                    "spread needed on each side)")
                         .arg(name)
                         .arg(channel.a->powers)
                         .arg(channel.b->powers));
    }
}

bool largerShift(const Comparison::Channel &x, const Comparison::Channel &y)
{
    if (!x.deltaMean || !y.deltaMean)
        return x.deltaMean.has_value() && !y.deltaMean.has_value();
    return std::abs(*x.deltaMean) > std::abs(*y.deltaMean);
}

void match(const CompareSide &a, const CompareSide &b, const QList<QByteArray> &channels, Comparison &comparison)
{
    QList<RunningMoments> differences(channels.size());
    QList<int> inA, inB;
    for (const QByteArray &channel : channels) {
        inA.append(a.Names().IndexOf(channel));
        inB.append(b.Names().IndexOf(channel));
    }
    for (const QByteArray &name : a.Named()) {
        const CompareSide::Fiber *fiberB = b.Find(name);
        if (!fiberB)
            continue;
        const CompareSide::Fiber &fiberA = *a.Find(name);
        ++comparison.matched;
        Comparison::Agreement &agreement = comparison.agreement;
        ++(fiberA.passed ? (fiberB->passed ? agreement.pp : agreement.pf) : (fiberB->passed ? agreement.fp : agreement.ff));
        for (qsizetype c = 0; c < channels.size(); ++c) {
            const double powerA = fiberA.PowerAt(inA.at(c)), powerB = fiberB->PowerAt(inB.at(c));
            if (!std::isnan(powerA) && !std::isnan(powerB))
                differences[c].AddDifference(powerB, powerA);
        }
    }
    const Comparison::Agreement &agreement = comparison.agreement;
    comparison.kappa = held(Statistics::CohenKappa(double(agreement.pp), double(agreement.pf), double(agreement.fp),
                                                   double(agreement.ff)));
    for (qsizetype c = 0; c < channels.size(); ++c) {
        Comparison::Paired paired;
        paired.channel = channels.at(c);
        const RunningMoments &moments = differences.at(c);
        paired.pairs = moments.powers;
        if (moments.powers > 0)
            paired.mean = held(moments.Mean());
        if (moments.powers >= 2 && paired.mean && !moments.scaled) {
            const double deviation = std::sqrt(moments.squares / double(moments.powers - 1));
            const double half = Statistics::MeanHalfWidth95(double(moments.powers), deviation);
            if (std::isfinite(half)) {
                paired.low = *paired.mean - half;
                paired.high = *paired.mean + half;
            }
        }
        comparison.paired.append(paired);
    }
}

} // namespace

Comparison Comparison::Of(const CompareSide &a, const CompareSide &b)
{
    Comparison comparison;
    if (a.FiberCount() == 0)
        comparison.notes.append(tr("A has no fibers"));
    if (b.FiberCount() == 0)
        comparison.notes.append(tr("B has no fibers"));
    const QList<QByteArray> channels = channelsOf(a, b);
    for (const QByteArray &name : channels) {
        Channel channel;
        channel.channel = name;
        channel.a = a.ChannelOf(name);
        channel.b = b.ChannelOf(name);
        if (channel.a && channel.b)
            shift(channel);
        noteChannel(channel, comparison.notes);
        comparison.channels.append(channel);
    }
    std::stable_sort(comparison.channels.begin(), comparison.channels.end(), largerShift);
    match(a, b, channels, comparison);
    if (comparison.matched == 0)
        comparison.notes.append(tr("no fiber is on both sides"));
    else if (!comparison.kappa)
        comparison.notes.append(tr("kappa cannot be told: every matched fiber has the same verdict on both sides"));
    return comparison;
}

bool Comparison::Shifted(double alpha) const
{
    return std::any_of(channels.cbegin(), channels.cend(),
                       [alpha](const Channel &channel) { return channel.welchP && *channel.welchP < alpha; });
}

QList<double> Comparison::PairedDifferences(const CompareSide &a, const CompareSide &b, const QByteArray &channel)
{
    QList<double> differences;
    const int inA = a.Names().IndexOf(channel), inB = b.Names().IndexOf(channel);
    if (inA < 0 || inB < 0)
        return differences;
    for (const QByteArray &name : a.Named()) {
        const CompareSide::Fiber *fiberB = b.Find(name);
        if (!fiberB)
            continue;
        const double powerA = a.Find(name)->PowerAt(inA), powerB = fiberB->PowerAt(inB);
        if (!std::isnan(powerA) && !std::isnan(powerB))
            differences.append(powerB - powerA);
    }
    return differences;
}
