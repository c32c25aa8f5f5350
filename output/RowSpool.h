#pragma once

#include "data/MeasurementRows.h"

#include <QString>

#include <cstdio>

// The rows of a result file kept on the disk as they are read, and read
// back in their order: what a writer needs twice, or only once it has seen
// the last of them, without holding a million rows in memory. The file is
// private (0600) in the folder for temporary files, and has no name while
// it is used, so that nothing of it stays whatever ends the process.
class RowSpool
{
public:
    RowSpool() = default;
    ~RowSpool();
    RowSpool(const RowSpool &) = delete;
    RowSpool &operator=(const RowSpool &) = delete;

    // False with the reason (the temporary folder's name with the
    // system's) when no such file can be made.
    bool Open(QString *error);
    // Appends a row's seven texts; false once a write failed.
    bool Append(const MeasurementRows::Row &row);
    // Ends the writing and goes back to the first row; false with the
    // reason, as Open gives it, when a write failed.
    bool Rewind(QString *error);
    // The next row into `row`; false at the end, or on a failure (see Failed).
    bool Read(MeasurementRow &row);
    bool Failed() const { return m_failed; }
    qsizetype Count() const { return m_count; }

private:
    bool fail();

    std::FILE *m_file = nullptr;
    qsizetype m_count = 0;
    bool m_failed = false;
    int m_errno = 0;
};
