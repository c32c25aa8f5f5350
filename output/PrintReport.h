#pragma once

#include "data/MeasurementRows.h"

class QPainter;

// The report printed from the rows of the file shown last. It keeps its own
// copy of the rows (shared with the store's until either changes).
class PrintReport
{
public:
    // Logical units are 1/96 inch: the window is this many units...
    static constexpr int WindowWidth = 1024;
    static constexpr int WindowHeight = 768;
    static constexpr int UnitsPerInch = 96;

    PrintReport() = default;
    virtual ~PrintReport();

    void Clear();
    void AddRow(const char *fiberName, const char *channel, const char *waveLength,
                const char *power, const char *threshold, const char *date, const char *time);
    void SetRows(const MeasurementRows &rows);
    const MeasurementRow &Row(qsizetype index) const; // throws std::out_of_range
    qsizetype RowCount() const { return m_rows.Count(); }
    const MeasurementRows &Rows() const { return m_rows; }

    // Puts the painter into logical units of 1/96 inch on its device, from
    // the device's own resolution.
    void SetupDC(QPainter &painter) const;

private:
    MeasurementRows m_rows;
};
