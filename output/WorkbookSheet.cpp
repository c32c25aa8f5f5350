#include "output/WorkbookSheet.h"

#include "data/ChannelTable.h"
#include "output/SheetRows.h"
#include "output/SummaryWriter.h"
#include "output/TerminalText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cmath>

namespace {

// Widths in characters: room for the widest text and a little more, never
// so much that one long name pushes the other columns off the screen.
constexpr qsizetype kPadding = 2;
constexpr qsizetype kWidest = 60;
// Excel's General format shows a number in at most this many characters;
// a power or a margin of two places, in about six.
constexpr qsizetype kNumberWidth = 11;
constexpr qsizetype kShortNumberWidth = 7;
constexpr size_t kDataBuffer = size_t(1) << 20;

qsizetype numberWidth(double value)
{
    const bool short_ = std::abs(value) < 1e4 && std::abs(value * 100 - std::round(value * 100)) < 1e-6;
    return short_ ? kShortNumberWidth : kNumberWidth;
}

} // namespace

WorkbookSheet::WorkbookSheet(lxw_workbook *workbook, const char *name, const QStringList &headings,
                             lxw_format *headingFormat, int frozenColumns)
    : m_sheet(workbook_add_worksheet(workbook, name)), m_columns(int(headings.size()))
{
    m_widths.fill(0, m_columns);
    if (!m_sheet) {
        m_error = LXW_ERROR_MEMORY_MALLOC_FAILED;
        return;
    }
    // The cells go into the sheet's temporary file a row at a time; with the
    // stream's own few kilobytes that is a system call every few dozen rows.
    if (m_sheet->optimize_tmpfile)
        std::setvbuf(m_sheet->optimize_tmpfile, nullptr, _IOFBF, kDataBuffer);
    for (int column = 0; column < m_columns; ++column)
        Text(column, headings.at(column), headingFormat);
    worksheet_freeze_panes(m_sheet, 1, lxw_col_t(frozenColumns));
    // The header line goes into the data file before the rows under it,
    // which SheetRows writes there itself.
    if (m_sheet->optimize_tmpfile)
        lxw_worksheet_write_single_row(m_sheet);
    m_rows = std::make_unique<SheetRows>(m_sheet, m_columns);
}

WorkbookSheet::~WorkbookSheet() = default;

int WorkbookSheet::styleOf(lxw_format *format)
{
    return format ? int(lxw_format_get_xf_index(format)) : 0;
}

void WorkbookSheet::keep(lxw_error error)
{
    if (m_error == LXW_NO_ERROR)
        m_error = error;
}

void WorkbookSheet::widen(int column, qsizetype width)
{
    if (column < m_widths.size() && width > m_widths.at(column))
        m_widths[column] = width;
}

bool WorkbookSheet::NextRow()
{
    if (m_row >= DataRows)
        return false;
    ++m_row;
    if (m_rows)
        m_rows->Begin(lxw_row_t(m_row));
    return true;
}

QString WorkbookSheet::CellText(const QString &text)
{
    QString shown = TerminalText::Escaped(text);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t c = shown.at(i).unicode();
        if (c == 0xfffe || c == 0xffff) {
            const QString escape = QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
            shown.replace(i, 1, escape);
            i += escape.size() - 1;
        }
    }
    return shown;
}

void WorkbookSheet::Text(int column, const QString &text, lxw_format *format)
{
    if (!m_sheet || text.isEmpty())
        return;
    const QString shown = CellText(text);
    widen(column, TerminalText::Width(shown));
    if (m_row > 0 && m_rows)
        m_rows->Text(column, shown.toUtf8(), styleOf(format));
    else
        keep(worksheet_write_string(m_sheet, lxw_row_t(m_row), lxw_col_t(column), shown.toUtf8().constData(),
                                    format));
}

void WorkbookSheet::Field(int column, QByteArrayView field)
{
    QByteArray decoded;
    const QByteArrayView utf8 = SummaryWriter::FieldUtf8(field, decoded);
    if (utf8.isEmpty() || !m_sheet)
        return;
    // Plain printable ASCII, nearly every field, goes as it is.
    const bool plain = std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
    if (!plain) {
        Text(column, QString::fromUtf8(utf8));
        return;
    }
    widen(column, utf8.size());
    if (m_row > 0 && m_rows) {
        m_rows->Text(column, utf8);
        return;
    }
    const QByteArray text = utf8.toByteArray();
    keep(worksheet_write_string(m_sheet, lxw_row_t(m_row), lxw_col_t(column), text.constData(), nullptr));
}

void WorkbookSheet::Number(int column, double value, lxw_format *format)
{
    if (!m_sheet || !std::isfinite(value))
        return;
    widen(column, numberWidth(value));
    if (m_row > 0 && m_rows)
        m_rows->Number(column, value, styleOf(format));
    else
        keep(worksheet_write_number(m_sheet, lxw_row_t(m_row), lxw_col_t(column), value, format));
}

void WorkbookSheet::NumberOrField(int column, QByteArrayView field)
{
    double value = 0;
    if (ChannelTable::ReadPower(field, value))
        Number(column, value);
    else
        Field(column, field);
}

void WorkbookSheet::Boolean(int column, bool value, lxw_format *format)
{
    if (!m_sheet)
        return;
    widen(column, 5);
    if (m_row > 0 && m_rows)
        m_rows->Boolean(column, value, styleOf(format));
    else
        keep(worksheet_write_boolean(m_sheet, lxw_row_t(m_row), lxw_col_t(column), value, format));
}

lxw_error WorkbookSheet::Finish()
{
    if (!m_sheet)
        return m_error;
    for (int column = 0; column < m_columns; ++column) {
        // The heading's filter button takes about two characters more.
        const qsizetype width = qMin(kWidest, m_widths.at(column) + kPadding + (m_row > 0 ? 2 : 0));
        keep(worksheet_set_column(m_sheet, lxw_col_t(column), lxw_col_t(column), double(width), nullptr));
    }
    if (m_columns > 0)
        keep(worksheet_autofilter(m_sheet, 0, 0, lxw_row_t(m_row), lxw_col_t(m_columns - 1)));
    if (m_rows)
        m_rows->End();
    return m_error;
}

qint64 WorkbookSheet::DataBytes(int *error) const
{
    std::FILE *data = m_sheet ? m_sheet->optimize_tmpfile : nullptr;
    if (!data)
        return 0;
    errno = 0;
    if (std::fflush(data) != 0 || std::ferror(data)) {
        *error = errno != 0 ? errno : EIO;
        return -1;
    }
    return qint64(std::ftell(data));
}
