#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// One channel line of a result file: seven zero-terminated byte fields of
// at most 48 bytes each, in the order of the report's and the CSV's columns.
// The bytes are code page 936 exactly as read; they are never converted.
struct MeasurementRow
{
    static constexpr int FieldSize = 49;
    static constexpr int MaxFieldLength = FieldSize - 1;

    enum Field { FiberName, Channel, WaveLength, Power, Threshold, Date, Time, FieldCount };

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

    const char *field(Field f) const;
    char *field(Field f);
    // The field's text up to its terminating zero.
    QByteArrayView text(Field f) const;
    // Replaces a field's text, zero-filling the rest; cut to 48 bytes.
    void setText(Field f, QByteArrayView text);
};

Q_DECLARE_TYPEINFO(MeasurementRow, Q_RELOCATABLE_TYPE);

static_assert(sizeof(MeasurementRow) == 7 * MeasurementRow::FieldSize,
              "a row is seven fields and nothing else");
