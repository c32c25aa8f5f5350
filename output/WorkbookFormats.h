#pragma once

#include <xlsxwriter.h>

class WorkbookSheet;

// The cell formats of a workbook, and the conditional formats that fill
// what failed with Excel's own "Bad" style (bold too, for a printer
// without colour).
struct WorkbookFormats
{
    lxw_format *heading;
    lxw_format *margin; // two places with their sign
    lxw_format *places; // two places
    lxw_format *percent; // a share as a percentage to one place
    lxw_format *truth;  // TRUE or FALSE, whatever a reader makes of a boolean
    lxw_format *bad;    // of the conditional formats

    static WorkbookFormats Make(lxw_workbook *book);

    // Fills the cells of failing fibers and channels: the verdict FAIL (in
    // the second column), and each margin that is below 0 or none (Low, no
    // number) with its power; a channel's power and margin stand side by
    // side from `firstChannelColumn` on.
    void MarkFailingFibers(WorkbookSheet &sheet, int worstMarginColumn, int firstChannelColumn, int channels) const;
    // The power and threshold of each failing row of the Rows sheet: not
    // both numbers, or the power below the threshold.
    void MarkFailingRows(WorkbookSheet &sheet) const;
    // The channels of low capability (Cpk below 1.0).
    void MarkLowCapability(WorkbookSheet &sheet, int cpkColumn) const;
};
