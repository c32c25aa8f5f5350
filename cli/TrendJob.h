#pragma once

#include "cli/ExitStatus.h"

struct Options;

// --trend: the result files of the paths given taken together as a lot,
// a line per file in time order and the lot's line, with retests counted
// once; each file's summary taken from the summary cache where it holds
// the version on disk.
namespace TrendJob {

// Writes the trend in the options' format to standard output. Returns
// Failure when a path or file could not be read (or standard output could
// not be written), otherwise SomeFailed when any file failed, otherwise
// Success: the statuses of --summary.
ExitStatus Run(const Options &options);

} // namespace TrendJob
