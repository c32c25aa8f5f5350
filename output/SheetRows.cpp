#include "output/SheetRows.h"

#include <charconv>

namespace {

// Only these three stand for markup in a text node.
void appendEscaped(QByteArray &out, QByteArrayView text)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        const char *entity = c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : nullptr;
        if (!entity)
            continue;
        out.append(text.data() + plain, i - plain);
        out.append(entity);
        plain = i + 1;
    }
    out.append(text.data() + plain, text.size() - plain);
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

SheetRows::SheetRows(lxw_worksheet *sheet, int columns)
    : m_sheet(sheet), m_data(sheet ? sheet->optimize_tmpfile : nullptr)
{
    for (int column = 0; column < columns; ++column) {
        char name[LXW_MAX_COL_NAME_LENGTH];
        lxw_col_to_name(name, lxw_col_t(column), LXW_FALSE);
        m_columnNames.append(QByteArray(name));
    }
    m_cells.reserve(4096);
}

QByteArray SheetRows::NumberText(double value)
{
    char digits[32];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    return QByteArray(digits, end.ptr - digits);
}

void SheetRows::Begin(lxw_row_t row)
{
    End();
    m_row = row;
    m_rowNumber = QByteArray::number(qulonglong(row) + 1);
    m_begun = true;
}

void SheetRows::End()
{
    if (!m_begun || m_cells.isEmpty() || !m_data) {
        m_cells.clear();
        m_begun = false;
        return;
    }
    QByteArray line;
    line.reserve(m_cells.size() + 32);
    line.append("<row r=\"").append(m_rowNumber).append("\">").append(m_cells).append("</row>");
    // A failed write is found by the sheet's look at the data file.
    std::fwrite(line.constData(), 1, size_t(line.size()), m_data);
    m_cells.clear();
    m_begun = false;
}

void SheetRows::extend(int column)
{
    lxw_worksheet &sheet = *m_sheet;
    sheet.dim_rowmin = qMin(sheet.dim_rowmin, m_row);
    sheet.dim_rowmax = qMax(sheet.dim_rowmax, m_row);
    sheet.dim_colmin = qMin(sheet.dim_colmin, lxw_col_t(column));
    sheet.dim_colmax = qMax(sheet.dim_colmax, lxw_col_t(column));
}

void SheetRows::open(int column, int style, const char *type)
{
    extend(column);
    m_cells.append("<c r=\"").append(m_columnNames.at(column)).append(m_rowNumber).append('"');
    if (style > 0)
        m_cells.append(" s=\"").append(QByteArray::number(style)).append('"');
    if (type)
        m_cells.append(" t=\"").append(type).append('"');
    m_cells.append('>');
}

void SheetRows::Text(int column, QByteArrayView utf8, int style)
{
    if (!m_begun || column < 0 || column >= m_columnNames.size())
        return;
    open(column, style, "inlineStr");
    const bool keepSpace = !utf8.isEmpty() && (isSpace(utf8.front()) || isSpace(utf8.back()));
    m_cells.append(keepSpace ? "<is><t xml:space=\"preserve\">" : "<is><t>");
    appendEscaped(m_cells, utf8);
    m_cells.append("</t></is></c>");
}

void SheetRows::Number(int column, double value, int style)
{
    if (!m_begun || column < 0 || column >= m_columnNames.size())
        return;
    open(column, style, nullptr);
    m_cells.append("<v>").append(NumberText(value)).append("</v></c>");
}

void SheetRows::Boolean(int column, bool value, int style)
{
    if (!m_begun || column < 0 || column >= m_columnNames.size())
        return;
    open(column, style, "b");
    m_cells.append(value ? "<v>1</v></c>" : "<v>0</v></c>");
}
