#pragma once

#include "data/ThresholdJudge.h"

class RunningMoments;

// How capable a channel is, from the figures the judge counted: the
// margins' mean, deviation and Cpk, the upper side's Cpk under an upper
// limit, and the capability the failing share stands for.
namespace CapabilityFigures {

// The sample standard deviation of `count` values whose squared deviations
// sum to `squares`, in the scale of the squares' root.
double SampleDeviation(qsizetype count, double squares);

void AddMargins(ThresholdJudge::ChannelFigures &figures, const RunningMoments &margins);
void AddUpperSide(ThresholdJudge::ChannelFigures &figures);
void AddCapability(ThresholdJudge::ChannelFigures &figures);

} // namespace CapabilityFigures
