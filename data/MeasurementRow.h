#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>
#include <QtGlobal>

// One channel line of a result file: seven zero-terminated byte fields of
// at most 48 bytes each, in the order of the report's and the CSV's columns.
// The bytes are code page 936 exactly as read; they are never converted.
struct MeasurementRow
{
    static constexpr int FieldSize = 49;
    static constexpr int MaxFieldLength = FieldSize - 1;

    enum Field { FiberName, Channel, WaveLength, Power, Threshold, Date, Time, FieldCount };

    // Where each field stands on a line of a result file's table: a line is
    // 68 characters and a line feed, cut purely by position.
    static constexpr int LineLength = 69;
    struct Column
    {
        int first;
        int width;
    };
    static constexpr Column Columns[FieldCount] = {{0, 8},  {10, 2}, {18, 6}, {29, 8},
                                                   {39, 8}, {49, 10}, {60, 8}};

    char szFiberName[FieldSize];
    char szChannel[FieldSize];
    char szWaveLength[FieldSize];
    char szPower[FieldSize];
    char szThreshold[FieldSize];
    char szDate[FieldSize];
    char szTime[FieldSize];

    MeasurementRow();
    // Each text is cut to 48 bytes; a text without a zero is read up to that.
    MeasurementRow(const char *fiberName, const char *channel, const char *waveLength,
                   const char *power, const char *threshold, const char *date,
                   const char *time);

    // The fields lie one after the other in their order (checked where
    // they are defined), so a field is found by its number.
    const char *field(Field f) const
    {
        return reinterpret_cast<const char *>(this) + qsizetype(f) * FieldSize;
    }
    char *field(Field f) { return reinterpret_cast<char *>(this) + qsizetype(f) * FieldSize; }
    // The field's text up to its terminating zero (at most 48 bytes).
    QByteArrayView text(Field f) const
    {
        const char *data = field(f);
        return QByteArrayView(data, TextLength(data));
    }
    // Replaces a field's text, zero-filling the rest; cut to 48 bytes.
    void setText(Field f, QByteArrayView text);

    // strnlen(field, 48), eight bytes at a time: fields are short and are
    // measured for every row written, where a library call costs more than
    // the measuring.
    static qsizetype TextLength(const char *field)
    {
        constexpr quint64 kOnes = 0x0101010101010101ull;
        constexpr quint64 kHighs = 0x8080808080808080ull;
        for (qsizetype at = 0; at < MaxFieldLength; at += 8) {
            const quint64 word = qFromLittleEndian<quint64>(field + at); // first byte lowest
            // The lowest high bit set marks the first zero byte exactly.
            if (const quint64 zeros = (word - kOnes) & ~word & kHighs)
                return at + qCountTrailingZeroBits(zeros) / 8;
        }
        return MaxFieldLength;
    }
};

Q_DECLARE_TYPEINFO(MeasurementRow, Q_RELOCATABLE_TYPE);

static_assert(sizeof(MeasurementRow) == 7 * MeasurementRow::FieldSize,
              "a row is seven fields and nothing else");
