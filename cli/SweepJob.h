#pragma once

#include "cli/ExitStatus.h"

struct Options;

// --sweep: the yield of the fibers of the paths given as each channel's
// lower limit moves, the limit that gives the target yield, and the
// guardband that the fibers measured more than once call for.
namespace SweepJob {

// Writes the curves in the options' format (CSV or JSON) to standard
// output. Returns Failure when a path or file could not be read (or the
// channel asked for is in none of them), SomeFailed where a table's rows
// are misaligned, otherwise Success.
ExitStatus Run(const Options &options);

} // namespace SweepJob
