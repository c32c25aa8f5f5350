#pragma once

#include "data/MeasurementRow.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// An ordered list of rows with bounds-tested access, held compactly: the
// table lines of a result file as they were read (69 bytes a row, where a
// row of seven fixed fields takes 343) with a word per row, and rows of any
// seven texts as those texts. Copies share their storage until one of them
// changes (implicit sharing), so the store and the report hold the same
// million rows once.
class MeasurementRows
{
public:
    // One row's texts: views of the rows' storage, valid while the rows
    // that gave them are neither changed nor gone.
    class Row
    {
    public:
        // The field's text: for a table line, its column's bytes up to the
        // first zero among them, "Low" for a power read below -99.9; for a
        // row of texts, the text given, cut to 48 bytes.
        QByteArrayView text(MeasurementRow::Field field) const
        {
            // Inline for a plain line, the common case: judging a million
            // rows asks for a few million fields.
            if (m_kind == PlainTableLine && !(field == MeasurementRow::Power && m_low)) {
                const MeasurementRow::Column column = MeasurementRow::Columns[field];
                return QByteArrayView(m_data + column.first, column.width);
            }
            return otherText(field);
        }
        // The 68 characters of a table line whose columns hold no zero
        // byte, and whose fields are therefore the whole columns; null
        // otherwise.
        const char *PlainLine() const { return m_kind == PlainTableLine ? m_data : nullptr; }
        // True for a table line whose power reads below -99.9.
        bool IsLow() const { return m_low; }
        // True for a table line whose 69th byte was no line feed: the
        // table's lines are no longer cut where they begin.
        bool IsMisaligned() const { return m_misaligned; }
        // A table line's 68 characters, then what stands for its line
        // feed; null for a row of texts.
        const char *Line() const { return m_kind == Texts ? nullptr : m_data; }
        // The row as a record of seven fixed fields.
        MeasurementRow Record() const;

    private:
        friend class MeasurementRows;
        enum Kind { PlainTableLine, TableLine, Texts };
        Row(const char *data, Kind kind, bool low, bool misaligned)
            : m_data(data), m_kind(kind), m_low(low), m_misaligned(misaligned)
        {
        }
        QByteArrayView otherText(MeasurementRow::Field field) const;
        const char *m_data;
        Kind m_kind;
        bool m_low;
        bool m_misaligned;
    };

    // Every whole 69-character line of `table` as a row (characters after
    // the last whole line are ignored); a power below -99.9 reads "Low".
    // The table's bytes are kept as they are, without a copy.
    static MeasurementRows FromTable(QByteArray table);

    void Clear();
    // Empties the list but keeps its room, for a list filled again and again.
    void Empty();
    // Appends one table line (69 bytes at `line`, the last of which stands
    // for its line feed whatever it holds, the row marked misaligned where
    // it is none), cut as every line of a table is.
    void AppendLine(const char *line);
    // Appends a row of seven texts, each cut to 48 bytes.
    void Append(const MeasurementRow &row);
    // Appends a copy of another list's row.
    void Append(const Row &row);
    // Makes room for `rows` table lines.
    void Reserve(qsizetype rows);

    qsizetype Count() const { return m_entries.size(); }
    bool IsEmpty() const { return m_entries.isEmpty(); }

    // Throws std::out_of_range for an index outside the list.
    Row At(qsizetype index) const
    {
        if (index < 0 || index >= m_entries.size())
            ThrowOutOfRange(index);
        const quint64 entry = m_entries.at(index);
        return Row(m_bytes.constData() + (entry & kOffset), kindOf(entry), (entry & kLow) != 0,
                   (entry & kMisaligned) != 0);
    }

private:
    // Each row's word: where its bytes start, and what they are.
    static constexpr quint64 kTexts = quint64(1) << 63;     // seven lengths, then the texts
    static constexpr quint64 kHoldsZero = quint64(1) << 62; // a table line with a zero byte
    static constexpr quint64 kLow = quint64(1) << 61;       // a table line, its power Low
    static constexpr quint64 kMisaligned = quint64(1) << 60; // a table line, its 69th byte no line feed
    static constexpr quint64 kOffset = kMisaligned - 1;

    static Row::Kind kindOf(quint64 entry)
    {
        return (entry & kTexts) ? Row::Texts : (entry & kHoldsZero) ? Row::TableLine : Row::PlainTableLine;
    }
    static quint64 lineEntry(const char *line, quint64 offset);
    [[noreturn]] void ThrowOutOfRange(qsizetype index) const;

    QByteArray m_bytes;
    QList<quint64> m_entries;
};
