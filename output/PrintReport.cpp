#include "output/PrintReport.h"

#include <QPaintDevice>
#include <QPainter>

PrintReport::~PrintReport() = default;

void PrintReport::Clear()
{
    m_rows.Clear();
}

void PrintReport::AddRow(const char *fiberName, const char *channel, const char *waveLength,
                         const char *power, const char *threshold, const char *date,
                         const char *time)
{
    m_rows.AddRow(fiberName, channel, waveLength, power, threshold, date, time);
}

void PrintReport::SetRows(const MeasurementRows &rows)
{
    m_rows = rows;
}

const MeasurementRow &PrintReport::Row(qsizetype index) const
{
    return m_rows.At(index);
}

void PrintReport::SetupDC(QPainter &painter) const
{
    const QPaintDevice *device = painter.device();
    const int dpiX = device->logicalDpiX();
    const int dpiY = device->logicalDpiY();
    painter.setWindow(0, 0, WindowWidth, WindowHeight);
    painter.setViewport(0, 0, dpiX * WindowWidth / UnitsPerInch,
                        dpiY * WindowHeight / UnitsPerInch);
}
