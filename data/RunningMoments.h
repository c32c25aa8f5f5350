#pragma once

#include "data/ExactSum.h"

#include <QList>
#include <QtGlobal>

// The values of one run (numeric powers, or margins): their count, bounds,
// mean and squared deviations. Summed plainly as long as the sums fit; from
// the value that would make them overflow on, scaled (see ScaleExponent),
// so that the mean and the deviation stay numbers wherever the true ones
// are. Their exact sum is kept beside, for the mean where values cancel.
class RunningMoments
{
public:
    // Sums that would overflow go on with every value scaled by
    // 2^-ScaleExponent: small enough that the squares of a run of 2^40
    // deviations of the largest doubles still fit, while the values that
    // count then (about 1e154 and up) lose no precision.
    static constexpr int ScaleExponent = 540;

    qsizetype powers = 0;
    double min = 0;
    double max = 0;
    double mean = 0;    // scaled by 2^-ScaleExponent when `scaled`; see Mean()
    double squares = 0; // scaled by 2^-(2 * ScaleExponent) when `scaled`
    bool scaled = false;
    ExactSum sum; // of every value, never scaled

    // The mean, unscaled: a number wherever the true one is, and right to
    // thirteen significant digits at least, however the values cancel.
    double Mean() const;
    // The same, scaled as `mean` is.
    double ScaledMean() const;

    void Add(double power);
    // Adds a - b, which may be too large for a double where a and b are not.
    void AddDifference(double a, double b);
    // The moments of every value less `shift`.
    RunningMoments ShiftedBy(double shift) const;
    static RunningMoments Combine(const RunningMoments &a, const RunningMoments &b);
    // Of all the runs, and the one under way, combined in their order.
    static RunningMoments Total(const QList<RunningMoments> &runs, const RunningMoments &run);

private:
    void addToMoments(double value);
    void addScaled(double value);
    RunningMoments scaledDown() const;
    static RunningMoments combine(const RunningMoments &a, const RunningMoments &b);
    static double chosen(double running, double exact);
};
