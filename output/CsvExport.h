#pragma once

#include "data/MeasurementRows.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The CSV export: one line per row, each field followed by a comma and a
// fixed run of blanks, CR LF line ends, no header, bytes written unchanged.
namespace CsvExport {

// Writes each block's name into the fiber name of the block's rows: block k
// (rows 18k to 18k+17, those that exist) gets names[k], cut to 48 bytes.
void StampFiberNames(MeasurementRows &rows, const QList<QByteArray> &namesByBlock);

// The whole CSV text of the rows; empty for no rows.
QByteArray Text(const MeasurementRows &rows);

// Replaces the file at `path` with `text` atomically: on any failure the
// file is left as it was, and `error` says what failed and why.
bool WriteFile(const QString &path, const QByteArray &text, QString *error = nullptr);

} // namespace CsvExport
