#pragma once

#include <QList>

#include <optional>

// The control limits of an individuals chart: one value per file, its
// centre the baseline's mean and its limits three standard deviations
// either side, the deviation estimated from the baseline's moving range
// (the mean absolute difference of successive values, divided by d2 =
// 1.128, the expected range of two normal values in deviations). The
// moving range follows the short-term spread of a process, which a slow
// drift inside the baseline hardly widens. Values that are NaN (a file
// without the figure) are passed over.
struct ControlLimits
{
    static constexpr double D2 = 1.128;

    double centre = 0;
    double sigma = 0;
    double lower = 0;
    double upper = 0;
    qsizetype baselineValues = 0; // the values they were taken from
    // The baseline's values were all equal: the limits stand on the
    // centre, and any other value is outside them.
    bool flat() const { return sigma == 0; }

    // The limits from `values`' [from, to) values; none with fewer than
    // two finite values there.
    static std::optional<ControlLimits> Of(const QList<double> &values, qsizetype from, qsizetype to);
    // The value `sigmas` deviations from the centre (negative: below).
    double At(double sigmas) const { return centre + sigmas * sigma; }
};
