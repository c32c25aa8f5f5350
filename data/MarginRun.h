#pragma once

#include "data/RunningMoments.h"

#include <optional>

// The margins (power less threshold) of one run of rows. While every row
// with a numeric power has had one and the same numeric threshold, they are
// the run's powers less that threshold and need no sums of their own; the
// first row that breaks the rule starts their own sums from there.
class MarginRun
{
public:
    // Counts in the margin of a row whose power is held; `powers` are the
    // run's powers before this row's.
    void Add(double power, const std::optional<double> &threshold, const RunningMoments &powers);
    RunningMoments Of(const RunningMoments &powers) const;

private:
    RunningMoments m_own; // once not `m_shifted`
    bool m_shifted = true;
    bool m_thresholdKnown = false;
    double m_threshold = 0; // of every row so far, while `m_shifted`
};
