#pragma once

#include "data/MeasurementRows.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

#include <xlsxwriter.h>

class WorkbookSheet;

// Writes the rows of a workbook's Rows sheet on a thread of its own, chunk
// after chunk, while the thread that hands them on writes the other sheets
// from the same chunks: the cells of a million rows are most of a
// workbook's time. In constant-memory mode a cell of text or a number
// touches only its own sheet (texts go inline, never into the workbook's
// shared strings); a format's number is looked up, and given once, in the
// workbook's table of formats when its row is written out, so the Rows
// sheet writes its cells with no format, and the format of its heading
// (written out with the first row of data) is numbered before the thread
// starts.
// Where no thread can be started, each chunk is written as it is handed on.
class RowsSheetWriter
{
public:
    RowsSheetWriter(WorkbookSheet &sheet, lxw_format *headingFormat);
    ~RowsSheetWriter(); // stops and waits
    RowsSheetWriter(const RowsSheetWriter &) = delete;
    RowsSheetWriter &operator=(const RowsSheetWriter &) = delete;

    // Hands on the next chunk; waits while two wait already, so that
    // memory stays flat.
    void Add(std::shared_ptr<const MeasurementRows> chunk);
    // Writes what was handed on and waits for the thread to end; throws
    // again what the thread met (no memory for a cell).
    void Finish();
    // Gives up what was not written yet and waits for the thread to end.
    void Stop();

    // One row of the Rows sheet: the CSV's fields, numbers as numbers.
    static void WriteRow(WorkbookSheet &sheet, const MeasurementRows::Row &row);

private:
    void run();
    void writeChunks();
    void write(const MeasurementRows &chunk);
    void end(bool abandon);

    WorkbookSheet &m_sheet;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::shared_ptr<const MeasurementRows>> m_chunks;
    bool m_ended = false;
    bool m_abandoned = false;
    std::exception_ptr m_failure;
    std::thread m_thread;
};
