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

void MeasurementStore::AddRow(const char *fiberName, const char *channel,
                              const char *waveLength, const char *power,
                              const char *threshold, const char *date, const char *time)
{
    m_rows.AddRow(fiberName, channel, waveLength, power, threshold, date, time);
}
