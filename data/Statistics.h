#pragma once

// Functions of statistics that the figures of a lot or a channel need,
// with the standard library alone.
namespace Statistics {

// The quantile of the standard normal distribution: the z with
// P(Z <= z) = p, for 0 < p < 1 (infinite at 0 and 1, NaN outside).
// Acklam's rational approximation (relative error below 1.2e-9), then one
// Halley step on erfc, which leaves it within a few units in the last
// place.
double NormalQuantile(double p);

} // namespace Statistics
