#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <xlsxwriter.h>

#include <memory>

class SheetRows;

// One sheet of a workbook written row after row in libxlsxwriter's
// constant-memory mode: the header line through libxlsxwriter, each data
// row as XML into the sheet's data file (SheetRows) once the next one is
// begun. A header line that stays in view and carries an autofilter, cells
// of text or numbers, columns as wide as their texts. Nothing of it can
// fail on its own; the first error of libxlsxwriter is kept for the
// workbook, and a failed write into the data file is found by DataBytes.
class WorkbookSheet
{
public:
    // The most rows of data under the header line.
    static constexpr qsizetype DataRows = 1048575;

    // A new sheet named `name` with `headings` in its first row, the
    // first `frozenColumns` columns kept in view beside the others.
    // The sheet must outlive the workbook's closing, which writes its
    // last row.
    WorkbookSheet(lxw_workbook *workbook, const char *name, const QStringList &headings,
                  lxw_format *headingFormat, int frozenColumns = 0);
    ~WorkbookSheet();

    lxw_worksheet *Sheet() const { return m_sheet; }
    // Begins the next row of data; false when the sheet holds no more.
    bool NextRow();
    // The row being written, 1 for the first under the header.
    qsizetype Row() const { return m_row; }

    // A text as the window shows it, made safe for a cell (see CellText).
    void Text(int column, const QString &text, lxw_format *format = nullptr);
    // A field of a result file: decoded from code page 936, trimmed.
    void Field(int column, QByteArrayView field);
    // Nothing for a number that is none (an infinity); the very double
    // otherwise, however many digits it takes.
    void Number(int column, double value, lxw_format *format = nullptr);
    void Boolean(int column, bool value, lxw_format *format = nullptr);
    // A field that holds a number (as the judge reads powers) as that
    // number, else as its text.
    void NumberOrField(int column, QByteArrayView field);

    // Sets the columns' widths and the autofilter over the rows written;
    // the first error met, if any.
    lxw_error Finish();

    // The bytes of cells written so far into the sheet's temporary file
    // (libxlsxwriter does not look whether those writes succeed); -1, with
    // the system's reason in `error`, when one failed.
    qint64 DataBytes(int *error) const;

    // The text with every character that a cell cannot hold, or that would
    // act rather than show (C0 and C1 controls, DEL, bidi marks, U+FFFE
    // and U+FFFF), written out as \xNN or \uNNNN.
    static QString CellText(const QString &text);

private:
    static int styleOf(lxw_format *format);
    void keep(lxw_error error);
    void widen(int column, qsizetype width);

    lxw_worksheet *m_sheet;
    qsizetype m_row = 0;
    int m_columns;
    QList<qsizetype> m_widths;
    lxw_error m_error = LXW_NO_ERROR;
    std::unique_ptr<SheetRows> m_rows; // the data rows' way into the data file
};
