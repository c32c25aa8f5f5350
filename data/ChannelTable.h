#pragma once

#include "data/MeasurementRows.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The fixed columns of a channel table: every line is 68 characters and a
// line feed, cut purely by position.
namespace ChannelTable {

constexpr int LineLength = MeasurementRow::LineLength;
constexpr int FiberSize = 18; // channels per fiber

// Every whole 69-character line of `table` as a row; characters after the
// last whole line are ignored. A power below -99.9 reads "Low". The rows
// hold the table's bytes themselves (see MeasurementRows).
MeasurementRows CutTable(QByteArray table);

// Cuts one table line (at least 68 characters at `line`) into a record of
// seven fixed fields: each field gets its column's bytes and a terminating
// zero. A record used before may be cut into again; in a zero-filled one
// every byte after the texts stays zero.
void CutLine(const char *line, MeasurementRow &row);

// One table line of a result file from its seven field texts: each padded
// with blanks or cut to its column's width, the gaps blank, a line feed at
// the end. The inverse of CutLine for texts that fit their columns.
QByteArray FormatLine(const MeasurementRow &row);

// The width in characters of a field's column in the file.
int ColumnWidth(MeasurementRow::Field field);

// True when a power text reads as a number strictly below -99.9.
bool IsLowPower(QByteArrayView power);

// True for the power text "Low" that a power below -99.9 becomes.
bool IsLow(QByteArrayView power);

// The power in dB that a row's power text gives: the number it starts with
// (see ClassicNumber). None for "Low", for a text that starts with no
// number (blank, letters) and for one too large to hold (1e999): such a
// channel has no power to show or judge.
std::optional<double> PowerValue(QByteArrayView power);
// The same, false for none (see ReadClassicNumber).
bool ReadPower(QByteArrayView power, double &value);

// The power as the channel list shows it: "Low" when its first five
// characters are "-99.9", otherwise the text whole.
QByteArray ListedPower(QByteArrayView power);

// The number of fibers: one per started block of 18 rows.
qsizetype FiberCount(qsizetype rowCount);

// The name of each fiber block (its first row's name), in file order.
QList<QByteArray> FiberNames(const MeasurementRows &rows);

} // namespace ChannelTable
