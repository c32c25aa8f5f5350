#include "data/RunningMoments.h"

#include <cmath>

RunningMoments RunningMoments::Total(const QList<RunningMoments> &runs, const RunningMoments &run)
{
    RunningMoments total;
    for (const RunningMoments &each : runs)
        total = Combine(total, each);
    return Combine(total, run);
}

void RunningMoments::Add(double power)
{
    sum.Add(power);
    addToMoments(power);
}

// Welford's running mean and squares: one pass, no loss of precision over
// a run of many rows.
void RunningMoments::addToMoments(double power)
{
    min = powers == 0 ? power : qMin(min, power);
    max = powers == 0 ? power : qMax(max, power);
    if (!scaled) {
        const double delta = power - mean;
        const double nextMean = mean + delta / double(powers + 1);
        const double nextSquares = squares + delta * (power - nextMean);
        if (std::isfinite(nextSquares)) {
            ++powers;
            mean = nextMean;
            squares = nextSquares;
            return;
        }
        *this = scaledDown();
    }
    addScaled(std::ldexp(power, -ScaleExponent));
}

// A difference too large for a double is taken in the scaled form, where it
// fits: the true margin between two powers near the largest double.
void RunningMoments::AddDifference(double a, double b)
{
    sum.Add(a);
    sum.Add(-b);
    const double difference = a - b;
    if (!scaled && std::isfinite(difference)) {
        addToMoments(difference);
        return;
    }
    *this = scaledDown();
    addScaled(std::ldexp(a, -ScaleExponent) - std::ldexp(b, -ScaleExponent));
}

RunningMoments RunningMoments::ShiftedBy(double shift) const
{
    RunningMoments shifted = *this;
    if (powers == 0)
        return shifted;
    shifted.min = min - shift;
    shifted.max = max - shift;
    shifted.sum.AddMultiple(-double(powers), shift);
    if (!scaled) {
        shifted.mean = mean - shift;
        if (std::isfinite(shifted.mean))
            return shifted;
        shifted = scaledDown();
    }
    shifted.mean -= std::ldexp(shift, -ScaleExponent);
    return shifted;
}

double RunningMoments::Mean() const
{
    return chosen(scaled ? std::ldexp(mean, ScaleExponent) : mean, sum.Mean(powers, 0));
}

double RunningMoments::ScaledMean() const
{
    return chosen(mean, sum.Mean(powers, scaled ? ScaleExponent : 0));
}

// Over values of one size the running mean is within a few units in the
// last place of the true one; it stands while it agrees with the exact
// sum's mean to about thirteen digits, so that such figures stay bit for
// bit what the one pass gives. Where values cancel it can be wrong in
// every digit, and the exact sum's mean stands instead.
double RunningMoments::chosen(double running, double exact)
{
    constexpr double kAgreement = 0x1p-44;
    return std::fabs(running - exact) <= kAgreement * std::fabs(exact) ? running : exact;
}

// Adds a value already scaled by 2^-ScaleExponent.
void RunningMoments::addScaled(double value)
{
    const double delta = value - mean;
    ++powers;
    mean += delta / double(powers);
    squares += delta * (value - mean);
}

// The same moments in the scaled form; exact but for squares so small
// beside the ones that made the scaling needed that they do not count.
RunningMoments RunningMoments::scaledDown() const
{
    if (scaled)
        return *this;
    RunningMoments down = *this;
    down.mean = std::ldexp(mean, -ScaleExponent);
    down.squares = std::ldexp(squares, -2 * ScaleExponent);
    down.scaled = true;
    return down;
}

// Two runs as one (Chan, Golub and LeVeque); a run with nothing in it
// leaves the other exactly as it is.
RunningMoments RunningMoments::Combine(const RunningMoments &a, const RunningMoments &b)
{
    if (a.powers == 0)
        return b;
    if (b.powers == 0)
        return a;
    if (!a.scaled && !b.scaled) {
        const RunningMoments both = combine(a, b);
        if (std::isfinite(both.mean) && std::isfinite(both.squares))
            return both;
    }
    return combine(a.scaledDown(), b.scaledDown());
}

RunningMoments RunningMoments::combine(const RunningMoments &a, const RunningMoments &b)
{
    RunningMoments both;
    both.scaled = a.scaled;
    both.powers = a.powers + b.powers;
    const double n = double(both.powers);
    const double delta = b.mean - a.mean;
    both.mean = a.mean + delta * (double(b.powers) / n);
    both.squares = a.squares + b.squares + delta * delta * (double(a.powers) * double(b.powers) / n);
    both.sum = a.sum;
    both.sum.Add(b.sum);
    both.min = qMin(a.min, b.min);
    both.max = qMax(a.max, b.max);
    return both;
}
