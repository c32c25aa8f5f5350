#include "data/MeasurementStore.h"

MeasurementStore &MeasurementStore::Instance()
{
    // Created on first use and never destroyed explicitly.
    static MeasurementStore *store = new MeasurementStore;
    return *store;
}

void MeasurementStore::Clear()
{
    m_rows.Clear();
}
