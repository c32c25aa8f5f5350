#pragma once

#include "cli/ExitStatus.h"
#include "lot/CompareReader.h"

#include <QString>

#include <functional>

struct Options;

// --export-xlsx --lot and --print-pdf --lot: the one folder given read as
// a lot (through the summary cache, as --trend reads it) and written into
// the target, or into NAME plus `suffix` in the target where that is a
// folder, NAME the lot folder's. The files that cannot be read are told on
// standard error and make the status 1; the others are written all the
// same. Misaligned rows are told and make it 3.
namespace LotJob {

using Writer = std::function<bool(const CompareReader::Side &lot, const QString &target, QString *error)>;

ExitStatus Run(const Options &options, const QString &suffix, const Writer &write);

// The rules of --lot among the other options: --export-xlsx or --print-pdf
// without --verdicts, and one folder. False with the message otherwise.
bool Check(const Options &options, QString *error);

} // namespace LotJob
