#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <cstdio>
#include <xlsxwriter.h>

// The data rows of one sheet, written as the sheet's XML straight into its
// data file, where libxlsxwriter's constant-memory mode keeps its rows and
// from where the workbook's close copies them. A cell costs a few appends
// rather than an allocation and a formatted print, and a number holds the
// shortest digits that read back as its very double. The sheet's extent
// is kept up to date for the close to write.
class SheetRows
{
public:
    SheetRows(lxw_worksheet *sheet, int columns);

    // Ends the row begun before, if any, and begins row `row` (0 is the
    // sheet's first).
    void Begin(lxw_row_t row);
    // Writes the row begun, if it holds a cell.
    void End();

    // Cells of the row begun; `style` is a format's index, 0 for none.
    void Text(int column, QByteArrayView utf8, int style = 0);
    void Number(int column, double value, int style = 0);
    void Boolean(int column, bool value, int style = 0);

    // The digits of a number cell: the shortest that read back as `value`.
    static QByteArray NumberText(double value);

private:
    void open(int column, int style, const char *type);
    void extend(int column);

    lxw_worksheet *m_sheet;
    std::FILE *m_data;
    QList<QByteArray> m_columnNames;
    QByteArray m_rowNumber;
    QByteArray m_cells;
    lxw_row_t m_row = 0;
    bool m_begun = false;
};
