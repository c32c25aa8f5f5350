#include "data/ExactSum.h"

#include <cmath>

namespace {

constexpr int kScale = 540;
// The least value held scaled: scaled, it is still a normal double, so the
// scaling drops no bit.
const double kLeastLarge = std::ldexp(1.0, -482);
// A sum held scaled at least this large is more than 2^500 times anything
// the small partials of 2^53 values can come to.
const double kLargeDecides = std::ldexp(1.0, -400);

} // namespace

void ExactSum::Add(double value)
{
    if (std::fabs(value) >= kLeastLarge)
        add(m_large, std::ldexp(value, -kScale));
    else
        add(m_small, value);
}

// The product of two doubles is the rounded one and an error that is a
// double too (both are multiples of the value's least bit, the error below
// half the product's), so two partials hold it exactly.
void ExactSum::AddMultiple(double times, double value)
{
    const bool large = std::fabs(value) >= kLeastLarge;
    const double factor = large ? std::ldexp(value, -kScale) : value;
    const double product = times * factor;
    const double error = std::fma(times, factor, -product);
    Partials &partials = large ? m_large : m_small;
    add(partials, product);
    add(partials, error);
}

void ExactSum::Add(const ExactSum &other)
{
    for (const double partial : other.m_large)
        add(m_large, partial);
    for (const double partial : other.m_small)
        add(m_small, partial);
}

double ExactSum::Mean(qsizetype count, int exponent) const
{
    const double n = double(count);
    const double large = rounded(m_large);
    if (std::fabs(large) >= kLargeDecides)
        return std::ldexp(large / n, kScale - exponent);
    // The largest of partials that do not overlap is their sum but for a
    // rounding, so these are small enough to hold unscaled, exactly.
    Partials all = m_small;
    for (const double partial : m_large)
        add(all, std::ldexp(partial, kScale));
    return std::ldexp(rounded(all) / n, -exponent);
}

// Two-sum on every partial in turn, from the least: what each addition
// rounds off stays as a partial of its own.
void ExactSum::add(Partials &partials, double value)
{
    qsizetype kept = 0;
    for (qsizetype i = 0; i < partials.size(); ++i) {
        double other = partials[i];
        if (std::fabs(value) < std::fabs(other))
            std::swap(value, other);
        const double high = value + other;
        const double low = other - (high - value);
        if (low != 0)
            partials[kept++] = low;
        value = high;
    }
    partials.resize(kept);
    partials.append(value);
}

// The partials' sum rounded once, to the nearest (ties to even): summed
// from the largest down while nothing is rounded off, then the rounding
// mended where the partials below lean the way of the half that was lost.
double ExactSum::rounded(const Partials &partials)
{
    qsizetype i = partials.size();
    if (i == 0)
        return 0;
    double high = partials[--i];
    double low = 0;
    while (i > 0) {
        const double value = high;
        const double next = partials[--i];
        high = value + next;
        low = next - (high - value);
        if (low != 0)
            break;
    }
    if (i > 0 && ((low < 0 && partials[i - 1] < 0) || (low > 0 && partials[i - 1] > 0))) {
        const double twice = low * 2;
        const double nudged = high + twice;
        if (twice == nudged - high)
            high = nudged;
    }
    return high;
}
