#include "data/MeasurementRow.h"

#include <cstring>

namespace {

using FieldMember = char (MeasurementRow::*)[MeasurementRow::FieldSize];

constexpr FieldMember kFields[MeasurementRow::FieldCount] = {
    &MeasurementRow::szFiberName, &MeasurementRow::szChannel, &MeasurementRow::szWaveLength,
    &MeasurementRow::szPower,     &MeasurementRow::szThreshold, &MeasurementRow::szDate,
    &MeasurementRow::szTime,
};

void copyField(char *dest, const char *src)
{
    if (src)
        std::memcpy(dest, src, strnlen(src, MeasurementRow::MaxFieldLength));
}

} // namespace

MeasurementRow::MeasurementRow()
{
    std::memset(this, 0, sizeof *this);
}

MeasurementRow::MeasurementRow(const char *fiberName, const char *channel,
                               const char *waveLength, const char *power,
                               const char *threshold, const char *date, const char *time)
    : MeasurementRow()
{
    copyField(szFiberName, fiberName);
    copyField(szChannel, channel);
    copyField(szWaveLength, waveLength);
    copyField(szPower, power);
    copyField(szThreshold, threshold);
    copyField(szDate, date);
    copyField(szTime, time);
}

const char *MeasurementRow::field(Field f) const
{
    return this->*kFields[f];
}

char *MeasurementRow::field(Field f)
{
    return this->*kFields[f];
}

QByteArrayView MeasurementRow::text(Field f) const
{
    const char *data = field(f);
    return QByteArrayView(data, qsizetype(strnlen(data, MaxFieldLength)));
}

void MeasurementRow::setText(Field f, QByteArrayView text)
{
    char *data = field(f);
    const qsizetype length = qMin<qsizetype>(text.size(), MaxFieldLength);
    std::memset(data, 0, FieldSize);
    if (length > 0)
        std::memcpy(data, text.data(), size_t(length));
}
