#include "data/MeasurementRow.h"

#include <cstddef>
#include <cstring>

namespace {

#define QUENVALE_FIELD_AT(member, f)                                                              \
    static_assert(offsetof(MeasurementRow, member) == MeasurementRow::f * MeasurementRow::FieldSize, \
                  #member " is field " #f)
QUENVALE_FIELD_AT(szFiberName, FiberName);
QUENVALE_FIELD_AT(szChannel, Channel);
QUENVALE_FIELD_AT(szWaveLength, WaveLength);
QUENVALE_FIELD_AT(szPower, Power);
QUENVALE_FIELD_AT(szThreshold, Threshold);
QUENVALE_FIELD_AT(szDate, Date);
QUENVALE_FIELD_AT(szTime, Time);
#undef QUENVALE_FIELD_AT

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

void MeasurementRow::setText(Field f, QByteArrayView text)
{
    char *data = field(f);
    const qsizetype length = qMin<qsizetype>(text.size(), MaxFieldLength);
    std::memset(data, 0, FieldSize);
    if (length > 0)
        std::memcpy(data, text.data(), size_t(length));
}
