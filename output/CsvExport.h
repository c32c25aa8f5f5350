#pragma once

#include "data/JudgePipeline.h"

#include "data/MeasurementRows.h"
#include "data/ResultFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

// The CSV export: one line per row, each field followed by a comma and a
// fixed run of blanks, CR LF line ends, no header, bytes written unchanged.
namespace CsvExport {

// The longest line a row can give: seven fields of 48 bytes and their
// separators.
constexpr qsizetype LongestLine = 363;

// A name given to one block of rows (rows 18k to 18k+17 for block k): the
// exact bytes of a fiber box entry.
struct BlockName
{
    qsizetype block = -1;
    QByteArray name;
};

// The names the export gives the blocks of rows, block by block: every row
// of a block is written with the name of the block's first row, or the name
// `renamed` gives for the block, cut to 48 bytes between two characters.
// Blocks that `renamed` does not name, or names more than once, keep the
// last name given (or their own). The rows themselves are not changed.
QList<QByteArray> BlockNames(const MeasurementRows &rows, const QList<BlockName> &renamed = {});

// AppendLine copies whole fields and separators and then moves on by their
// lengths, so it may write this many bytes past the line's end.
constexpr qsizetype LineSlack = 48;

// Writes the row's line, with `name` for its fiber name, at `out` (room
// for LongestLine + LineSlack bytes); returns its end.
char *AppendLine(const MeasurementRows::Row &row, QByteArrayView name, char *out);

// The whole CSV text of the rows, each block under its name in `names`
// (see BlockNames), or every row under its own name when `names` is empty;
// empty for no rows.
QByteArray Text(const MeasurementRows &rows, const QList<QByteArray> &names);
QByteArray Text(const MeasurementRows &rows);

// The file Save As writes for the name chosen in its dialog: that name when
// it ends in ".csv" in these very letters (`remember` true: Save keeps it),
// otherwise the name with ".csv" added (`remember` false).
QString SavePath(const QString &chosen, bool *remember);

// Replaces the file at `path` with `text` atomically: on any failure the
// file is left as it was, and `error` says what failed and why. Written,
// `error` may still hold a notice for the user (see StagedFile::Notice).
bool WriteFile(const QString &path, const QByteArray &text, QString *error = nullptr);

// Takes CSV text piece by piece; returns false to stop the export.
using CsvSink = std::function<bool(QByteArrayView csv)>;

// The CSV of the result file at `fibPath` exactly as the window exports it
// right after opening the file (every block named after its first row),
// made while the file is read and handed to `sink`; the file's rows are
// never all held. Stops between blocks once `stop` is set. False when the
// file cannot be read (`error` says why), the sink refused or `stop` was set.
// `misaligned`, when given, says where the table's rows stop being aligned.
bool StreamResultFile(const QString &fibPath, const CsvSink &sink, QString *error = nullptr,
                      const std::atomic<bool> *stop = nullptr,
                      qsizetype blockSize = ResultFileBlockSize, Misalignment *misaligned = nullptr);

// StreamResultFile into the file at `csvPath`, replaced atomically: after
// any failure or a stop, the target is as it was and no temporary is left.
// Written, `error` may still hold a notice, as with WriteFile.
bool ExportResultFile(const QString &fibPath, const QString &csvPath, QString *error = nullptr,
                      const std::atomic<bool> *stop = nullptr,
                      qsizetype blockSize = ResultFileBlockSize, Misalignment *misaligned = nullptr);

} // namespace CsvExport
