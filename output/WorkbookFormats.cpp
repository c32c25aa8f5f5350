#include "output/WorkbookFormats.h"

#include "output/WorkbookSheet.h"

#include <QByteArray>

namespace {

// Excel's own "Bad" style: dark red on light red, bold too so that it
// shows on a printer without colour.
constexpr lxw_color_t kBadFill = 0xFFC7CE;
constexpr lxw_color_t kBadInk = 0x9C0006;

// The rule of one conditional format.
lxw_conditional_format rule(uint8_t type, const char *criteria, lxw_format *format)
{
    lxw_conditional_format cf = {};
    cf.type = type;
    cf.value_string = const_cast<char *>(criteria);
    cf.format = format;
    return cf;
}

QByteArray columnName(int column)
{
    char name[8];
    lxw_col_to_name(name, lxw_col_t(column), LXW_TRUE);
    return QByteArray(name);
}

} // namespace

WorkbookFormats WorkbookFormats::Make(lxw_workbook *book)
{
    WorkbookFormats formats;
    formats.heading = workbook_add_format(book);
    format_set_bold(formats.heading);
    formats.margin = workbook_add_format(book);
    format_set_num_format(formats.margin, "+0.00;-0.00;0.00");
    formats.percent = workbook_add_format(book);
    format_set_num_format(formats.percent, "0.0%");
    formats.places = workbook_add_format(book);
    format_set_num_format(formats.places, "0.00");
    formats.truth = workbook_add_format(book);
    format_set_num_format(formats.truth, "\"TRUE\";\"TRUE\";\"FALSE\"");
    formats.bad = workbook_add_format(book);
    format_set_bg_color(formats.bad, kBadFill);
    format_set_font_color(formats.bad, kBadInk);
    format_set_bold(formats.bad);
    return formats;
}


void WorkbookFormats::MarkFailingFibers(WorkbookSheet &sheet, int worstMarginColumn, int firstChannelColumn,
                                        int channels) const
{
    const lxw_row_t last = lxw_row_t(sheet.Row());
    if (last < 1)
        return;
    lxw_conditional_format fail = rule(LXW_CONDITIONAL_TYPE_CELL, "\"FAIL\"", bad);
    fail.criteria = LXW_CONDITIONAL_CRITERIA_EQUAL_TO;
    worksheet_conditional_format_range(sheet.Sheet(), 1, 1, last, 1, &fail);
    const auto markMargin = [&](int first, int marginColumn) {
        const QByteArray cell = columnName(marginColumn) + '2';
        const QByteArray formula = "=OR(ISTEXT(" + cell + "),AND(ISNUMBER(" + cell + ")," + cell + "<0))";
        lxw_conditional_format failing = rule(LXW_CONDITIONAL_TYPE_FORMULA, formula.constData(), bad);
        worksheet_conditional_format_range(sheet.Sheet(), 1, lxw_col_t(first), last, lxw_col_t(marginColumn),
                                           &failing);
    };
    markMargin(worstMarginColumn, worstMarginColumn);
    for (int index = 0; index < channels; ++index)
        markMargin(firstChannelColumn + 2 * index, firstChannelColumn + 2 * index + 1);
}

void WorkbookFormats::MarkFailingRows(WorkbookSheet &sheet) const
{
    const lxw_row_t last = lxw_row_t(sheet.Row());
    if (last < 1)
        return;
    lxw_conditional_format failing =
        rule(LXW_CONDITIONAL_TYPE_FORMULA, "=NOT(AND(ISNUMBER($D2),ISNUMBER($E2),$D2>=$E2))", bad);
    worksheet_conditional_format_range(sheet.Sheet(), 1, 3, last, 4, &failing);
}

void WorkbookFormats::MarkLowCapability(WorkbookSheet &sheet, int cpkColumn) const
{
    const lxw_row_t last = lxw_row_t(sheet.Row());
    if (last < 1)
        return;
    lxw_conditional_format low = rule(LXW_CONDITIONAL_TYPE_CELL, nullptr, bad);
    low.criteria = LXW_CONDITIONAL_CRITERIA_LESS_THAN;
    low.value = 1.0;
    worksheet_conditional_format_range(sheet.Sheet(), 1, lxw_col_t(cpkColumn), last, lxw_col_t(cpkColumn), &low);
}
