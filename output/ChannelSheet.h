#pragma once

#include <QStringList>

class ThresholdJudge;
class WorkbookSheet;
struct WorkbookFormats;

// A workbook's "Channels" sheet: a row per channel with its figures as
// --summary gives them (the very doubles, formatted only for showing), its
// capability in words, low capability filled. A file's workbook and a
// lot's write it alike.
namespace ChannelSheet {

QStringList Headings(bool banded);

// A row for each of `judge`'s channels, then the marks of low capability.
void Write(WorkbookSheet &sheet, const ThresholdJudge &judge, const WorkbookFormats &formats);

} // namespace ChannelSheet
