#pragma once

#include "cli/ExitStatus.h"

struct Options;

// --export-xlsx: the workbook of each result file (see WorkbookExport),
// with the target rules of --export-csv's files.
namespace ExportXlsxJob {

ExitStatus Run(const Options &options);

} // namespace ExportXlsxJob
