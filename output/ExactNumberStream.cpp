#include "output/ExactNumberStream.h"

#include <cerrno>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kCellStart[] = "<c r=\"";
constexpr qsizetype kCellStartSize = sizeof kCellStart - 1;

// The longest end of `bytes` that is the start of a cell's tag: the rest of
// it may come in the next write.
qsizetype startOfCellAtEnd(const QByteArray &bytes)
{
    for (qsizetype length = qMin(kCellStartSize - 1, bytes.size()); length > 0; --length) {
        if (std::memcmp(bytes.constData() + bytes.size() - length, kCellStart, size_t(length)) == 0)
            return length;
    }
    return 0;
}

} // namespace

ExactNumberStream::ExactNumberStream(std::FILE *data) : m_data(data)
{
    if (!m_data)
        return;
    cookie_io_functions_t functions = {};
    functions.write = &ExactNumberStream::write;
    m_stream = fopencookie(this, "w", functions);
    // Buffered: an unbuffered stream costs a formatting buffer and a pass
    // through `write` for each of libxlsxwriter's many small prints.
    if (m_stream)
        std::setvbuf(m_stream, nullptr, _IOFBF, kBuffer);
}

bool ExactNumberStream::Flush()
{
    return !m_stream || (std::fflush(m_stream) == 0 && !std::ferror(m_stream));
}

ExactNumberStream::~ExactNumberStream()
{
    if (m_stream)
        std::fclose(m_stream);
}

bool ExactNumberStream::NeedsMoreDigits(double value)
{
    // The shortest digits that read back settle nearly every number at
    // once: up to fifteen, sixteen hold it too. Only a power of two, whose
    // lower neighbour lies nearer than its upper, needs a look beyond that.
    char shortest[32];
    const std::to_chars_result end = std::to_chars(shortest, shortest + sizeof shortest, value);
    int digits = 0;
    bool leading = true;
    for (const char *c = shortest; c < end.ptr && *c != 'e'; ++c) {
        if (*c >= '1' && *c <= '9')
            leading = false;
        if (*c >= '0' && *c <= '9' && !leading)
            ++digits;
    }
    int exponent = 0;
    if (digits <= 15 && std::frexp(value, &exponent) != 0.5 && std::frexp(value, &exponent) != -0.5)
        return false;
    char sixteen[32];
    std::snprintf(sixteen, sizeof sixteen, "%.16G", value);
    return std::strtod(sixteen, nullptr) != value;
}

void ExactNumberStream::Keep(lxw_row_t row, lxw_col_t column, double value)
{
    char reference[LXW_MAX_CELL_NAME_LENGTH];
    lxw_rowcol_to_cell(reference, row, column);
    char digits[32];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    m_digits.insert(QByteArray(reference), QByteArray(digits, end.ptr - digits));
}

ssize_t ExactNumberStream::write(void *cookie, const char *bytes, size_t size)
{
    return static_cast<ExactNumberStream *>(cookie)->pass(bytes, size) ? ssize_t(size) : -1;
}

bool ExactNumberStream::pass(const char *bytes, size_t size)
{
    // No cell to mend: the bytes go as they came.
    if (m_digits.isEmpty() && m_pending.isEmpty())
        return put(bytes, qsizetype(size));
    m_pending.append(bytes, qsizetype(size));
    return mended(m_pending);
}

// Writes what `pending` holds up to the last cell that is not yet whole,
// each whole cell named to this stream with its own digits; keeps the rest.
bool ExactNumberStream::mended(QByteArray &pending)
{
    qsizetype from = 0;
    for (;;) {
        const qsizetype start = pending.indexOf(kCellStart, from);
        if (start < 0)
            break;
        // A text's "<" is written "&lt;", so a cell's first "</c>" ends it.
        const qsizetype end = pending.indexOf("</c>", start);
        if (end < 0) {
            const bool written = put(pending.constData() + from, start - from);
            pending.remove(0, start);
            return written;
        }
        if (!put(pending.constData() + from, start - from))
            return false;
        QByteArray cell = pending.mid(start, end - start);
        const qsizetype referenceStart = start + kCellStartSize;
        const QByteArray reference = pending.mid(referenceStart, pending.indexOf('"', referenceStart) - referenceStart);
        const auto found = m_digits.constFind(reference);
        if (found != m_digits.constEnd()) {
            const qsizetype value = cell.indexOf("<v>");
            const qsizetype valueEnd = cell.indexOf("</v>");
            if (value >= 0 && valueEnd > value && !cell.contains(" t=\""))
                cell.replace(value + 3, valueEnd - value - 3, found.value());
            m_digits.erase(found);
        }
        if (!put(cell.constData(), cell.size()))
            return false;
        from = end;
    }
    const qsizetype kept = startOfCellAtEnd(pending);
    const bool written = put(pending.constData() + from, pending.size() - kept - from);
    pending.remove(0, pending.size() - kept);
    return written;
}

bool ExactNumberStream::put(const char *bytes, qsizetype size)
{
    if (size == 0 || std::fwrite(bytes, 1, size_t(size), m_data) == size_t(size))
        return true;
    if (m_errorNumber == 0)
        m_errorNumber = errno != 0 ? errno : EIO;
    return false;
}
