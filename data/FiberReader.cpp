#include "data/FiberReader.h"

#include "data/ChannelTable.h"
#include "data/FileError.h"
#include "data/Texts.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace {

// Fibers cut at once: big enough that handing chunks over costs nothing
// beside them, small enough that the few held stay a few megabytes.
constexpr qsizetype kChunkRows = 512 * ChannelTable::FiberSize;
// Chunks in all, filled or being filled: they go round, so that their
// memory is taken from the system once.
constexpr size_t kChunks = 4;

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// The chunks between the thread that reads and the one that takes the
// fibers: full ones on their way, and empty ones on their way back.
class Chunks
{
public:
    // An empty chunk to fill; false once the taker has given up.
    bool Empty(MeasurementRows *rows)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_empty.empty() || m_made < kChunks || m_abandoned; });
        if (m_abandoned)
            return false;
        if (m_empty.empty()) {
            ++m_made;
            *rows = MeasurementRows();
            rows->Reserve(kChunkRows);
            return true;
        }
        *rows = std::move(m_empty.front());
        m_empty.pop_front();
        rows->Empty();
        return true;
    }

    void Put(MeasurementRows rows)
    {
        const std::lock_guard lock(m_mutex);
        m_full.push_back(std::move(rows));
        m_changed.notify_all();
    }

    void Close(bool read, const QString &error)
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_read = read;
        m_error = error;
        m_changed.notify_all();
    }

    // The next full chunk; false at the end.
    bool Full(MeasurementRows *rows)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_full.empty() || m_closed; });
        if (m_full.empty())
            return false;
        *rows = std::move(m_full.front());
        m_full.pop_front();
        return true;
    }

    void GiveBack(MeasurementRows rows)
    {
        const std::lock_guard lock(m_mutex);
        m_empty.push_back(std::move(rows));
        m_changed.notify_all();
    }

    void Abandon()
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
        m_changed.notify_all();
    }

    bool Read(QString *error) const
    {
        const std::lock_guard lock(m_mutex);
        if (!m_read && error && !m_error.isEmpty())
            *error = m_error;
        return m_read;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<MeasurementRows> m_full;
    std::deque<MeasurementRows> m_empty;
    size_t m_made = 0;
    bool m_closed = false;
    bool m_abandoned = false;
    bool m_read = false;
    QString m_error;
};

// Cuts table text, given in pieces of any size, into whole 69-byte lines,
// chunk after chunk.
class Cutter
{
public:
    explicit Cutter(Chunks &chunks) : m_chunks(chunks) {}

    bool Add(QByteArrayView table)
    {
        constexpr qsizetype kLine = ChannelTable::LineLength;
        const char *data = table.data();
        const char *const end = data + table.size();
        if (m_partialSize > 0) {
            const qsizetype wanted = qMin<qsizetype>(kLine - m_partialSize, end - data);
            std::copy(data, data + wanted, m_partial + m_partialSize);
            m_partialSize += wanted;
            data += wanted;
            if (m_partialSize < kLine)
                return true;
            m_partialSize = 0;
            if (!addLine(m_partial))
                return false;
        }
        for (; end - data >= kLine; data += kLine) {
            if (!addLine(data))
                return false;
        }
        std::copy(data, end, m_partial);
        m_partialSize = end - data;
        return true;
    }

    // Hands on what the last chunk holds.
    bool Finish()
    {
        if (m_open && !m_rows.IsEmpty())
            m_chunks.Put(std::move(m_rows));
        m_open = false;
        return true;
    }

private:
    bool addLine(const char *line)
    {
        if (!m_open) {
            if (!m_chunks.Empty(&m_rows))
                return false;
            m_open = true;
        }
        m_rows.AppendLine(line);
        if (m_rows.Count() == kChunkRows) {
            m_chunks.Put(std::move(m_rows));
            m_open = false;
        }
        return true;
    }

    Chunks &m_chunks;
    MeasurementRows m_rows;
    bool m_open = false;
    char m_partial[ChannelTable::LineLength];
    qsizetype m_partialSize = 0;
};

// Reads the table and cuts it into chunks of whole fibers; the last chunk
// holds what is left, a last incomplete fiber included.
void readChunks(const QString &path, Chunks &chunks, const std::atomic<bool> *stop, FileKinds kinds,
                quint64 *contentHash, QByteArray *header)
{
    QString error;
    bool read = false;
    try {
        Cutter cutter(chunks);
        read = ReadResultTable(
                   path, [&cutter](QByteArrayView piece) { return cutter.Add(piece); }, &error,
                   ResultFileBlockSize, stop, kinds, header, contentHash)
            && !stopped(stop) && cutter.Finish();
    } catch (const std::bad_alloc &) {
        read = FileError::ReadFailed(path, Texts::tr("not enough memory"), &error);
    }
    chunks.Close(read, error);
}

} // namespace

bool FiberReader::Read(const QString &path, const FiberHandler &handle, QString *error,
                       const std::atomic<bool> *stop, FileKinds kinds, quint64 *contentHash, QByteArray *header)
{
    Chunks chunks;
    std::thread reader;
    try {
        reader = std::thread(readChunks, path, std::ref(chunks), stop, kinds, contentHash, header);
    } catch (const std::system_error &) {
        // No thread to spare: the fibers are cut as they are read, here.
        return ReadResultBlocks(
            path, [&handle](MeasurementRows &block, qsizetype rows) { return handle(block, 0, rows); }, error,
            stop, kinds, header, contentHash);
    }
    bool handled = true;
    try {
        MeasurementRows rows;
        while (handled && chunks.Full(&rows)) {
            for (qsizetype first = 0; first < rows.Count() && handled; first += ChannelTable::FiberSize)
                handled = handle(rows, first, qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - first));
            if (stopped(stop))
                handled = false;
            chunks.GiveBack(std::move(rows));
        }
    } catch (...) {
        chunks.Abandon();
        reader.join();
        throw;
    }
    if (!handled)
        chunks.Abandon();
    reader.join();
    return handled && chunks.Read(error) && !stopped(stop);
}
