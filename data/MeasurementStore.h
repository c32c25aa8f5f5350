#pragma once

#include "data/MeasurementRows.h"

// The rows of the result file read last, one store for the whole process.
class MeasurementStore
{
public:
    static MeasurementStore &Instance();

    void Clear();
    MeasurementRows &Rows() { return m_rows; }
    const MeasurementRows &Rows() const { return m_rows; }

private:
    MeasurementStore() = default;
    MeasurementStore(const MeasurementStore &) = delete;
    MeasurementStore &operator=(const MeasurementStore &) = delete;

    MeasurementRows m_rows;
};
