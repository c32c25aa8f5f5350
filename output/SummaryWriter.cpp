#include "output/SummaryWriter.h"

#include "data/CodePage936.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

// Pieces smaller than this wait for more before they are written.
constexpr qsizetype kFlushSize = qsizetype(1) << 16;

} // namespace

void SummaryWriter::FileReport::Flush(bool all)
{
    if (m_buffer.isEmpty() || (!all && m_buffer.size() < kFlushSize))
        return;
    m_out(m_buffer);
    m_buffer.resize(0); // keeps its capacity for the next piece
}

bool SummaryWriter::Passed(const Run &run)
{
    return run.errors.isEmpty() && run.totals.files > 0 && run.totals.failedFiles == 0;
}

QString SummaryWriter::FieldText(QByteArrayView field)
{
    return CodePage936::Decode(field).trimmed();
}

QByteArrayView SummaryWriter::FieldUtf8(QByteArrayView field, QByteArray &decoded)
{
    const QByteArrayView trimmed = field.trimmed();
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return quint8(c) < 0x80; }))
        return trimmed;
    decoded = FieldText(field).toUtf8();
    return decoded;
}

namespace {

// A double holds fifteen significant decimal digits faithfully; a plain
// text of more would show digits that are not the number's.
constexpr int kFaithfulDigits = 15;

int significantDigits(const char *begin, const char *end)
{
    int digits = 0;
    bool leading = true;
    for (const char *p = begin; p != end; ++p) {
        if (*p < '0' || *p > '9')
            continue;
        if (leading && *p == '0')
            continue;
        leading = false;
        ++digits;
    }
    return digits;
}

// The shortest exponent form that reads back as the very same number.
bool appendExponent(QByteArray &out, double value)
{
    char text[64];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    if (end.ec != std::errc())
        return false;
    out.append(text, end.ptr - text);
    return true;
}

} // namespace

bool SummaryWriter::AppendDecimal(QByteArray &out, double value)
{
    if (!std::isfinite(value))
        return false;
    if (std::fabs(value) < 1e15) {
        // Rounded to six places from the exact binary value, then the
        // shortest digits that read back as that rounded number: the file's
        // texts have two places, and six keep every sum and mean exact
        // enough while leaving out what binary fractions add (12.659999...).
        char text[64];
        std::to_chars_result end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
        double rounded = 0;
        if (end.ec != std::errc() || std::from_chars(text, end.ptr, rounded).ec != std::errc())
            return false;
        if (rounded == 0)
            rounded = 0; // no "-0"
        end = std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed);
        if (end.ec == std::errc() && significantDigits(text, end.ptr) <= kFaithfulDigits) {
            out.append(text, end.ptr - text);
            return true;
        }
    }
    return appendExponent(out, value);
}

bool SummaryWriter::AppendPlaces(QByteArray &out, double value, int places)
{
    if (!std::isfinite(value))
        return false;
    if (std::fabs(value) < 1e15) {
        char text[64];
        const std::to_chars_result end =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
        if (end.ec == std::errc() && significantDigits(text, end.ptr) <= kFaithfulDigits) {
            QByteArrayView number(text, end.ptr - text);
            // No "-0.00": a margin that rounds to nothing has no sign.
            if (number.startsWith('-') && significantDigits(text, end.ptr) == 0)
                number = number.sliced(1);
            out += number;
            return true;
        }
    }
    return appendExponent(out, value);
}

