#pragma once

#include "cli/ExitStatus.h"

struct Options;

// --push URL PATH...: each result file of the paths summed up, as a lot
// sums it, and kept in the factory's database as the station's.
namespace PushJob {

// Tells on standard output how many files were added, replaced or
// already there. Returns Failure where the database cannot be used or a
// file cannot be read or kept; otherwise Success.
ExitStatus Run(const Options &options);

} // namespace PushJob
