#pragma once

#include "cli/ExitStatus.h"

struct Options;

// --compare A B: how B stands against A, channel by channel, and how far
// the verdicts of the fibers on both sides agree.
namespace CompareJob {

// Writes the comparison in the options' format to standard output.
// Returns Failure where a side, or one of a lot's files, could not be
// read; SomeFailed where a channel's shift is significant at the options'
// alpha (or a table's rows are misaligned); otherwise Success.
ExitStatus Run(const Options &options);

} // namespace CompareJob
