#include "data/MarginRun.h"

void MarginRun::Add(double power, const std::optional<double> &rowThreshold, const RunningMoments &powers)
{
    if (m_shifted) {
        if (rowThreshold && (!m_thresholdKnown || *rowThreshold == m_threshold)) {
            m_thresholdKnown = true;
            m_threshold = *rowThreshold;
            return;
        }
        m_own = Of(powers);
        m_shifted = false;
    }
    if (rowThreshold)
        m_own.AddDifference(power, *rowThreshold);
}

RunningMoments MarginRun::Of(const RunningMoments &powers) const
{
    if (!m_shifted)
        return m_own;
    return m_thresholdKnown ? powers.ShiftedBy(m_threshold) : RunningMoments();
}
