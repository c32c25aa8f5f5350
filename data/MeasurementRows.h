#pragma once

#include "data/MeasurementRow.h"

#include <QList>

// An ordered list of rows with bounds-tested access. Copies share their
// storage until one of them changes (implicit sharing), so the store and
// the report can hold the same million rows once.
class MeasurementRows
{
public:
    void Clear();
    void Append(const MeasurementRow &row);
    // Appends a zero-filled row and gives it to be filled in place.
    MeasurementRow &AppendEmpty();
    void Reserve(qsizetype count);

    qsizetype Count() const { return m_rows.size(); }
    bool IsEmpty() const { return m_rows.isEmpty(); }

    // Throws std::out_of_range for an index outside the list.
    const MeasurementRow &At(qsizetype index) const
    {
        CheckIndex(index);
        return m_rows.at(index);
    }
    // The row to change in place (the storage is unshared first).
    MeasurementRow &Row(qsizetype index)
    {
        CheckIndex(index);
        return m_rows[index];
    }

    // Writes a fiber name into a row; leaves the storage shared when the
    // row already holds exactly that name. Throws std::out_of_range.
    void SetFiberName(qsizetype index, QByteArrayView name);

private:
    void CheckIndex(qsizetype index) const
    {
        if (index < 0 || index >= m_rows.size())
            ThrowOutOfRange(index);
    }
    [[noreturn]] void ThrowOutOfRange(qsizetype index) const;

    QList<MeasurementRow> m_rows;
};
