#pragma once

#include "data/JudgePipeline.h"

#include "data/MeasurementRows.h"
#include "output/SummaryWriter.h"

#include <QString>

#include <optional>

// What `--summary` writes of one result file, in the format that the name
// of the file written asks for, into that file: the Summary window's
// export. The output file rules are those of every job (see StagedFile).
namespace SummaryFile {

// JSON for a name ending in ".json", JSON Lines for ".jsonl" (in any
// case), CSV for any other.
SummaryWriter::Format FormatOfName(const QString &name);

// Judges `rows`, the rows of the result file at `resultPath`, as
// `--summary --format F [--warn-margin DB] [--limits FILE] resultPath` does, and writes
// its very output to `path`, in the format FormatOfName gives: atomically,
// the file left as it was on failure with `error` saying why. Written,
// `error` may hold a notice.
bool WriteFile(const QString &resultPath, const MeasurementRows &rows, const JudgeInputs &inputs,
               const QString &path, QString *error = nullptr);

} // namespace SummaryFile
