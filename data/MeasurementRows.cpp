#include "data/MeasurementRows.h"

#include <cstring>
#include <stdexcept>
#include <string>

namespace {

void checkIndex(qsizetype index, qsizetype count)
{
    if (index < 0 || index >= count)
        throw std::out_of_range("row index " + std::to_string(index) + " outside 0.."
                                + std::to_string(count));
}

} // namespace

void MeasurementRows::Clear()
{
    // Keep the capacity, as a refill of the same size follows most clears.
    m_rows.resize(0);
}

void MeasurementRows::AddRow(const char *fiberName, const char *channel,
                             const char *waveLength, const char *power,
                             const char *threshold, const char *date, const char *time)
{
    m_rows.emplaceBack(fiberName, channel, waveLength, power, threshold, date, time);
}

void MeasurementRows::Append(const MeasurementRow &row)
{
    m_rows.append(row);
}

void MeasurementRows::Reserve(qsizetype count)
{
    m_rows.reserve(count);
}

const MeasurementRow &MeasurementRows::At(qsizetype index) const
{
    checkIndex(index, m_rows.size());
    return m_rows.at(index);
}

void MeasurementRows::SetFiberName(qsizetype index, QByteArrayView name)
{
    checkIndex(index, m_rows.size());
    const MeasurementRow &current = m_rows.at(index);
    MeasurementRow wanted;
    wanted.setText(MeasurementRow::FiberName, name);
    if (std::memcmp(current.szFiberName, wanted.szFiberName, MeasurementRow::FieldSize) == 0)
        return;
    m_rows[index].setText(MeasurementRow::FiberName, name);
}

bool MeasurementRows::SharesStorageWith(const MeasurementRows &other) const
{
    return m_rows.constData() == other.m_rows.constData();
}
