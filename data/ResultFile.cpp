#include "data/ResultFile.h"

#include "data/ContentHash.h"
#include "data/FileError.h"
#include "data/MemoryAdvice.h"
#include "data/NativePath.h"
#include "data/ResultTextReader.h"
#include "data/Texts.h"

#include <QCoreApplication>
#include <QFileDevice>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// A result file opened for reading alone, read as raw bytes. The holes of
// a sparse file are not read: a hole is zero bytes, which the text drops,
// so a single zero byte stands for the whole of it.
class RawFile
{
public:
    ~RawFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool Open(const QString &path, QString *error, FileKinds kinds = FileKinds::Any,
              const StreamWait &wait = {})
    {
        // Without a writer, opening a FIFO waits for one; not opened so, it
        // answers at once, and is refused below or waited on through `wait`.
        const int noWait = kinds == FileKinds::RegularOnly || wait ? O_NONBLOCK : 0;
        m_fd = NativePath::Open(path, O_RDONLY | O_NOCTTY | noWait);
        struct stat info = {};
        if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
            return FileError::ReadFailed(path, qt_error_string(errno), error);
        if (S_ISDIR(info.st_mode))
            return FileError::ReadFailed(path, Texts::tr("it is a folder, not a file"), error);
        if (kinds == FileKinds::RegularOnly && !S_ISREG(info.st_mode))
            return FileError::ReadFailed(path, Texts::tr("not a regular file"), error);
        m_regular = S_ISREG(info.st_mode);
        if (wait && (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode)))
            m_wait = wait;
        else if (noWait) // anything else is read plainly
            (void)::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
        m_size = m_regular ? qint64(info.st_size) : 0;
        // What the file holds on disk: less than its size when it has holes.
        m_stored = m_regular ? qMin<qint64>(m_size, qint64(info.st_blocks) * 512) : 0;
        return true;
    }

    qint64 Size() const { return m_size; }
    qint64 StoredSize() const { return m_stored; }
    // Every byte read from now on goes into `hash` too.
    void HashInto(ContentHash *hash) { m_hash = hash; }

    // Up to `size` bytes; 0 at the end, -1 with errno on failure.
    qint64 Read(char *buffer, qsizetype size)
    {
        if (m_regular && m_skipHoles && size > 0) {
            off_t data = ::lseek(m_fd, m_position, SEEK_DATA);
            if (data < 0 && errno == ENXIO) // nothing but a hole up to the end
                data = qMax<off_t>(m_position, m_size);
            if (data < 0) {
                m_skipHoles = false; // the file system cannot tell
            } else if (data > m_position) {
                if (m_hash)
                    m_hash->AddZeros(qint64(data - m_position));
                m_position = data;
                if (::lseek(m_fd, m_position, SEEK_SET) < 0)
                    return -1;
                buffer[0] = '\0';
                return 1;
            }
        }
        for (;;) {
            if (m_wait && !m_wait(m_fd)) {
                errno = ECANCELED;
                return -1;
            }
            const ssize_t got = ::read(m_fd, buffer, size_t(size));
            if (got >= 0) {
                m_position += got;
                if (m_hash)
                    m_hash->Add(buffer, qsizetype(got));
                return got;
            }
            if (errno != EINTR && errno != EAGAIN)
                return -1;
        }
    }

private:
    int m_fd = -1;
    bool m_regular = false;
    bool m_skipHoles = true;
    StreamWait m_wait; // of a FIFO or device opened without waiting
    ContentHash *m_hash = nullptr;
    qint64 m_size = 0;
    qint64 m_stored = 0;
    off_t m_position = 0;
};

// The header and table of a whole translated text.
ResultFileText splitAt(QByteArray text, qsizetype tableStart)
{
    ResultFileText result;
    if (tableStart < 0)
        return result;
    result.header = text.left(tableStart);
    text.remove(0, tableStart); // in place: a big table is not copied again
    result.table = std::move(text);
    return result;
}

using ReadBlock = std::function<qint64(char *buffer, qsizetype size)>;

// The one loop that reads result files: `blockSize` raw bytes at a time
// through `read`, translated, the table text handed on to `consume` as it
// comes; the header text kept in `header` when one is given.
bool readTable(const ReadBlock &read, const QString &name, qint64 size,
               const TableConsumer &consume, QString *error, qsizetype blockSize,
               const std::atomic<bool> *stop, QByteArray *header = nullptr)
{
    blockSize = qMax<qsizetype>(1, blockSize);
    if (size > 0 && size < blockSize)
        blockSize = qsizetype(size) + 1; // a small file needs no big buffer
    // Each block is read one byte into the buffer and translated in place;
    // a CR held back from the block before goes into the byte in front.
    const std::unique_ptr<char[]> buffer(new char[size_t(blockSize) + 1]);
    char *const raw = buffer.get() + 1;
    const char *text = raw;

    ResultTextReader reader;
    // Hands on the part of the text just made that lies past the header,
    // and keeps the part before it where the header is wanted.
    auto deliver = [&](qsizetype length) {
        const qsizetype begin = reader.TextLength() - length; // where `text` stands in it
        const qsizetype start = reader.TableStart();
        if (header && (start < 0 || begin < start))
            header->append(text, start < 0 ? length : qMin(length, start - begin));
        if (start < 0 || length == 0)
            return true;
        const qsizetype offset = qMax<qsizetype>(0, start - begin);
        return offset >= length || consume(QByteArrayView(text + offset, length - offset));
    };
    while (!reader.Ended()) {
        if (stopped(stop))
            return false;
        const qint64 got = read(raw, blockSize);
        if (got < 0) // a read given up is no failure to tell
            return !stopped(stop) && FileError::ReadFailed(name, qt_error_string(errno), error);
        if (got == 0)
            break;
        char *out = reader.HoldsCarriageReturn() ? buffer.get() : raw;
        text = out;
        if (!deliver(reader.Translate(raw, qsizetype(got), out)))
            return false;
    }
    text = buffer.get();
    const bool delivered = deliver(reader.Finish(buffer.get()));
    if (header && reader.TableStart() < 0)
        header->clear(); // fewer than five lines: neither header nor table
    return delivered;
}

// Reads what is left of `file`, for its hash alone.
bool hashRest(RawFile &file, const QString &path, const std::atomic<bool> *stop, QString *error)
{
    const std::unique_ptr<char[]> buffer(new char[size_t(ResultFileBlockSize)]);
    for (;;) {
        if (stopped(stop))
            return false;
        const qint64 got = file.Read(buffer.get(), ResultFileBlockSize);
        if (got == 0)
            return true;
        if (got < 0)
            return !stopped(stop) && FileError::ReadFailed(path, qt_error_string(errno), error);
    }
}

} // namespace

ResultFileText SplitResultText(QByteArray bytes)
{
    ResultTextReader reader;
    char *data = bytes.data();
    qsizetype length = reader.Translate(data, bytes.size(), data);
    length += reader.Finish(data + length);
    bytes.truncate(length);
    return splitAt(std::move(bytes), reader.TableStart());
}

bool ReadResultFile(const QString &path, ResultFileText &text, QString *error,
                    const std::atomic<bool> *stop, const ReadProgress &progress,
                    const StreamWait &wait)
{
    RawFile file;
    if (!file.Open(path, error, FileKinds::Any, wait))
        return false;
    // The table lands in one buffer sized from what the file holds on disk,
    // growing only when it turns out longer.
    constexpr qsizetype kBlock = qsizetype(1) << 22;
    const qint64 stored = file.StoredSize();
    ResultFileText read;
    try {
        if (stored > 0 && stored < qint64(1) << 40) {
            read.table.reserve(qsizetype(stored));
            AdviseHugePages(read.table.data(), size_t(read.table.capacity()));
        }
        qint64 done = 0;
        const auto readBlock = [&](char *buffer, qsizetype size) {
            const qint64 got = file.Read(buffer, size);
            if (got > 0 && progress)
                progress(done += got, file.Size());
            return got;
        };
        const bool whole = readTable(
            readBlock, path, file.Size(),
            [&read](QByteArrayView piece) {
                read.table.append(piece);
                return true;
            },
            error, kBlock, stop, &read.header);
        if (!whole)
            return false;
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(path, Texts::tr("it is too big for the memory of this computer"),
                                     error);
    }
    text = std::move(read);
    return true;
}

bool ReadResultTable(const QString &path, const TableConsumer &consume, QString *error,
                     qsizetype blockSize, const std::atomic<bool> *stop, FileKinds kinds,
                     QByteArray *header, quint64 *contentHash)
{
    RawFile file;
    if (!file.Open(path, error, kinds))
        return false;
    std::optional<ContentHash> hash;
    if (contentHash)
        file.HashInto(&hash.emplace());
    if (!readTable([&file](char *buffer, qsizetype size) { return file.Read(buffer, size); }, path,
                   file.Size(), consume, error, blockSize, stop, header))
        return false;
    if (contentHash) {
        // A 0x1A ends the text before the file's end: the rest counts too.
        if (!hashRest(file, path, stop, error))
            return false;
        *contentHash = hash->Value();
    }
    return true;
}

bool HashFile(const QString &path, quint64 *contentHash, QString *error, const std::atomic<bool> *stop)
{
    RawFile file;
    if (!file.Open(path, error, FileKinds::RegularOnly))
        return false;
    ContentHash hash;
    file.HashInto(&hash);
    if (!hashRest(file, path, stop, error))
        return false;
    *contentHash = hash.Value();
    return true;
}

bool ReadResultTable(QIODevice &device, const TableConsumer &consume, QString *error,
                     qsizetype blockSize, const std::atomic<bool> *stop)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    const QString name = file ? file->fileName() : QString();
    return readTable(
        [&device](char *buffer, qsizetype size) {
            const qint64 got = device.read(buffer, size);
            if (got < 0)
                errno = EIO;
            return got;
        },
        name, device.isSequential() ? 0 : device.size(), consume, error, blockSize, stop);
}

bool ReadResultBlocks(const QString &path, const TableBlocks::BlockHandler &handle,
                      QString *error, const std::atomic<bool> *stop, FileKinds kinds,
                      QByteArray *header, quint64 *contentHash)
{
    TableBlocks blocks(handle);
    return ReadResultTable(
               path, [&blocks](QByteArrayView table) { return blocks.Add(table); }, error,
               ResultFileBlockSize, stop, kinds, header, contentHash)
        && !stopped(stop) && blocks.Finish();
}
