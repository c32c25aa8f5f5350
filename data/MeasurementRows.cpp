#include "data/MeasurementRows.h"

#include "data/MemoryAdvice.h"

#include <cstring>
#include <stdexcept>
#include <string>

void MeasurementRows::ThrowOutOfRange(qsizetype index) const
{
    throw std::out_of_range("row index " + std::to_string(index) + " outside 0.."
                            + std::to_string(m_rows.size()));
}

void MeasurementRows::Clear()
{
    // The storage goes too: a load cuts its rows into a list of its own, and
    // a million old rows kept as spare capacity would double the peak.
    m_rows = QList<MeasurementRow>();
}

void MeasurementRows::Append(const MeasurementRow &row)
{
    m_rows.append(row);
}

MeasurementRow &MeasurementRows::AppendEmpty()
{
    return m_rows.emplaceBack();
}

void MeasurementRows::Reserve(qsizetype count)
{
    const bool fresh = m_rows.capacity() < count;
    m_rows.reserve(count);
    if (fresh)
        AdviseHugePages(m_rows.data(), size_t(m_rows.capacity()) * sizeof(MeasurementRow));
}

void MeasurementRows::SetFiberName(qsizetype index, QByteArrayView name)
{
    CheckIndex(index);
    const QByteArrayView wanted = name.first(qMin<qsizetype>(name.size(), MeasurementRow::MaxFieldLength));
    if (m_rows.at(index).text(MeasurementRow::FiberName) == wanted)
        return;
    m_rows[index].setText(MeasurementRow::FiberName, wanted);
}
