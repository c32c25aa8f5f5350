#include "data/ControlLimits.h"

#include <cmath>

std::optional<ControlLimits> ControlLimits::Of(const QList<double> &values, qsizetype from, qsizetype to)
{
    to = std::min(to, values.size());
    double sum = 0, ranges = 0, previous = NAN;
    qsizetype count = 0, rangeCount = 0;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < to; ++i) {
        const double value = values.at(i);
        if (!std::isfinite(value))
            continue;
        sum += value;
        ++count;
        if (std::isfinite(previous)) {
            ranges += std::abs(value - previous);
            ++rangeCount;
        }
        previous = value;
    }
    if (count < 2)
        return std::nullopt;
    ControlLimits limits;
    limits.centre = sum / double(count);
    limits.sigma = ranges / double(rangeCount) / D2;
    limits.lower = limits.At(-3);
    limits.upper = limits.At(3);
    limits.baselineValues = count;
    return limits;
}
