#include "output/RowsSheetWriter.h"

#include "output/WorkbookSheet.h"

#include <system_error>
#include <utility>

namespace {

// Chunks handed on and not yet written.
constexpr size_t kWaiting = 2;

} // namespace

RowsSheetWriter::RowsSheetWriter(WorkbookSheet &sheet, lxw_format *headingFormat) : m_sheet(sheet)
{
    if (headingFormat)
        lxw_format_get_xf_index(headingFormat);
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        // written as handed on
    }
}

RowsSheetWriter::~RowsSheetWriter()
{
    Stop();
}

void RowsSheetWriter::WriteRow(WorkbookSheet &sheet, const MeasurementRows::Row &row)
{
    sheet.Field(0, row.text(MeasurementRow::FiberName));
    sheet.Field(1, row.text(MeasurementRow::Channel));
    sheet.NumberOrField(2, row.text(MeasurementRow::WaveLength));
    sheet.NumberOrField(3, row.text(MeasurementRow::Power));
    sheet.NumberOrField(4, row.text(MeasurementRow::Threshold));
    sheet.Field(5, row.text(MeasurementRow::Date));
    sheet.Field(6, row.text(MeasurementRow::Time));
}

void RowsSheetWriter::write(const MeasurementRows &chunk)
{
    for (qsizetype i = 0; i < chunk.Count() && m_sheet.NextRow(); ++i)
        WriteRow(m_sheet, chunk.At(i));
}

void RowsSheetWriter::Add(std::shared_ptr<const MeasurementRows> chunk)
{
    if (!m_thread.joinable()) {
        write(*chunk);
        return;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_chunks.size() < kWaiting || m_abandoned; });
    if (m_abandoned)
        return;
    m_chunks.push_back(std::move(chunk));
    m_changed.notify_all();
}

void RowsSheetWriter::run()
{
    try {
        writeChunks();
    } catch (...) {
        const std::lock_guard lock(m_mutex);
        m_failure = std::current_exception();
        m_abandoned = true;
        m_chunks.clear();
        m_changed.notify_all();
    }
}

void RowsSheetWriter::writeChunks()
{
    for (;;) {
        std::shared_ptr<const MeasurementRows> chunk;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_chunks.empty() || m_ended || m_abandoned; });
            if (m_abandoned || m_chunks.empty())
                return;
            chunk = m_chunks.front();
        }
        write(*chunk);
        const std::lock_guard lock(m_mutex);
        m_chunks.pop_front();
        m_changed.notify_all();
    }
}

void RowsSheetWriter::end(bool abandon)
{
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
        m_abandoned = m_abandoned || abandon;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void RowsSheetWriter::Finish()
{
    end(false);
    if (m_failure)
        std::rethrow_exception(std::exchange(m_failure, nullptr));
}

void RowsSheetWriter::Stop()
{
    end(true);
}
