#pragma once

#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QList>

#include <optional>

// The figures of a channel that every output lists, written once: the
// summaries' keys, the workbook's and the windows' headings, each one's
// unit and decimals, and how it is had from the judge's figures. The
// summaries (JSON, JSON Lines), the workbook's Channels sheet, the Summary
// window's table, the summary cache and --help all go through this table;
// a figure is added by a row here and its computation in ThresholdJudge.
namespace ChannelColumns {

enum class Kind {
    Count,      // a whole number
    Decimal,    // a number, or none
    Capability, // a number shown as its word (see Wording::Capability)
};

struct Column
{
    const char *key;     // in JSON and JSON Lines: "margin_mean"
    const char *heading; // in the workbook and the windows: "Margin mean"
    const char *unit;    // "dBm" for powers, "dB" for margins and spreads, "" for none
    int decimals;        // as a table shows it
    Kind kind;
    bool banded;         // only where there is a warning margin
    std::optional<double> (*get)(const ThresholdJudge::ChannelFigures &figures);
    const char *meaning; // what --help says of it
};

// Every column, in the order every output lists them.
const QList<Column> &All();
// The column of `key`; -1 for none.
qsizetype IndexOf(const char *key);
// A heading with its unit: "Margin mean (dB)".
QString HeadingWithUnit(const Column &column);
// What tells this table's columns from another's, for what is kept of
// them between runs.
QByteArray Signature();

} // namespace ChannelColumns
