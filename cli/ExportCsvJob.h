#pragma once

#include "cli/ExitStatus.h"

struct Options;

// --export-csv: the CSV of each result file into a file of its own, or of
// every file in turn into one stream written in place.
namespace ExportCsvJob {

ExitStatus Run(const Options &options);

} // namespace ExportCsvJob
