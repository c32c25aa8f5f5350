#include "data/MeasurementRows.h"

#include "data/ChannelTable.h"
#include "data/MemoryAdvice.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>

namespace {

constexpr QByteArrayView kLowText("Low");
constexpr qsizetype kTableWidth = MeasurementRow::LineLength - 1; // the line feed is not read

} // namespace

QByteArrayView MeasurementRows::Row::otherText(MeasurementRow::Field field) const
{
    if (m_kind == Texts) {
        const auto *lengths = reinterpret_cast<const quint8 *>(m_data);
        qsizetype at = MeasurementRow::FieldCount;
        for (int f = 0; f < field; ++f)
            at += lengths[f];
        return QByteArrayView(m_data + at, lengths[field]);
    }
    if (field == MeasurementRow::Power && m_low)
        return kLowText;
    const MeasurementRow::Column column = MeasurementRow::Columns[field];
    const char *begin = m_data + column.first;
    if (m_kind == PlainTableLine)
        return QByteArrayView(begin, column.width);
    const void *zero = std::memchr(begin, '\0', size_t(column.width));
    return QByteArrayView(begin, zero ? static_cast<const char *>(zero) - begin : column.width);
}

MeasurementRow MeasurementRows::Row::Record() const
{
    MeasurementRow record;
    for (int f = 0; f < MeasurementRow::FieldCount; ++f)
        record.setText(MeasurementRow::Field(f), text(MeasurementRow::Field(f)));
    return record;
}

void MeasurementRows::ThrowOutOfRange(qsizetype index) const
{
    throw std::out_of_range("row index " + std::to_string(index) + " outside 0.."
                            + std::to_string(m_entries.size()));
}

quint64 MeasurementRows::lineEntry(const char *line, quint64 offset)
{
    quint64 entry = offset;
    if (line[kTableWidth] != '\n')
        entry |= kMisaligned;
    if (std::memchr(line, '\0', size_t(kTableWidth)))
        entry |= kHoldsZero;
    const MeasurementRow::Column power = MeasurementRow::Columns[MeasurementRow::Power];
    const char *begin = line + power.first;
    const void *zero = std::memchr(begin, '\0', size_t(power.width));
    const qsizetype length = zero ? static_cast<const char *>(zero) - begin : power.width;
    if (ChannelTable::IsLowPower(QByteArrayView(begin, length)))
        entry |= kLow;
    return entry;
}

MeasurementRows MeasurementRows::FromTable(QByteArray table)
{
    MeasurementRows rows;
    const qsizetype lines = table.size() / MeasurementRow::LineLength;
    table.truncate(lines * MeasurementRow::LineLength); // in place when not shared
    rows.m_entries.resize(lines);
    AdviseHugePages(rows.m_entries.data(), size_t(rows.m_entries.capacity()) * sizeof(quint64));
    const char *data = table.constData();
    quint64 *entries = rows.m_entries.data();
    const auto cut = [data, entries](qsizetype first, qsizetype end) {
        for (qsizetype k = first; k < end; ++k) {
            const quint64 offset = quint64(k) * MeasurementRow::LineLength;
            entries[k] = lineEntry(data + offset, offset);
        }
    };
    // A big table is cut on two threads, each line on its own.
    constexpr qsizetype kManyLines = 1 << 17;
    std::thread helper;
    if (lines >= kManyLines) {
        try {
            helper = std::thread(cut, lines / 2, lines);
        } catch (const std::system_error &) {
        }
    }
    cut(0, helper.joinable() ? lines / 2 : lines);
    if (helper.joinable())
        helper.join();
    rows.m_bytes = std::move(table);
    return rows;
}

void MeasurementRows::Clear()
{
    // The storage goes too: a load cuts its rows into a list of its own, and
    // a million old rows kept as spare capacity would double the peak.
    m_bytes = QByteArray();
    m_entries = QList<quint64>();
}

void MeasurementRows::Empty()
{
    m_bytes.resize(0);
    m_entries.resize(0);
}

void MeasurementRows::AppendLine(const char *line)
{
    const qsizetype offset = m_bytes.size();
    // One copy of the whole line, its own line feed included: the bytes
    // at `line` may end in anything, so the line feed is set after.
    m_bytes.append(line, kTableWidth + 1);
    m_bytes[offset + kTableWidth] = '\n';
    m_entries.append(lineEntry(line, quint64(offset)));
}

void MeasurementRows::Append(const MeasurementRow &row)
{
    const quint64 offset = quint64(m_bytes.size());
    char lengths[MeasurementRow::FieldCount];
    for (int f = 0; f < MeasurementRow::FieldCount; ++f)
        lengths[f] = char(row.text(MeasurementRow::Field(f)).size());
    m_bytes.append(lengths, MeasurementRow::FieldCount);
    for (int f = 0; f < MeasurementRow::FieldCount; ++f)
        m_bytes.append(row.text(MeasurementRow::Field(f)));
    m_entries.append(offset | kTexts);
}

void MeasurementRows::Append(const Row &row)
{
    if (row.m_kind == Row::Texts)
        Append(row.Record());
    else
        AppendLine(row.m_data);
}

void MeasurementRows::Reserve(qsizetype rows)
{
    m_bytes.reserve(rows * MeasurementRow::LineLength);
    m_entries.reserve(rows);
}
