#include "data/ResultFile.h"

#include "data/FileError.h"
#include "data/MemoryAdvice.h"
#include "data/ResultTextReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ResultFile", text);
}

// Result files are only ever read: the file is opened for reading alone.
bool openForReading(QFile &file, QString *error)
{
    if (QFileInfo(file.fileName()).isDir())
        return FileError::ReadFailed(file.fileName(), tr("it is a folder, not a file"), error);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return FileError::ReadFailed(file.fileName(), file.errorString(), error);
    return true;
}

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

bool ReadResultFile(const QString &path, ResultFileText &text, QString *error)
{
    QFile file(path);
    if (!openForReading(file, error))
        return false;

    // Large blocks into one buffer sized from the file, growing only when
    // the file turns out longer than it said; each block is translated in
    // place, behind the bytes still to come.
    constexpr qsizetype kBlock = qsizetype(1) << 22;
    const qint64 size = file.size();
    QByteArray bytes;
    bytes.resize(size > 0 && size < qint64(1) << 40 ? qsizetype(size) + 1 : kBlock);
    AdviseHugePages(bytes.data(), size_t(bytes.size()));
    ResultTextReader reader;
    qsizetype filled = 0;
    qsizetype length = 0;
    while (!reader.Ended()) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + kBlock);
        char *data = bytes.data();
        const qint64 got = file.read(data + filled, qMin(kBlock, bytes.size() - filled));
        if (got < 0)
            return FileError::ReadFailed(path, file.errorString(), error);
        if (got == 0)
            break;
        length += reader.Translate(data + filled, qsizetype(got), data + length);
        filled += qsizetype(got);
    }
    length += reader.Finish(bytes.data() + length);
    bytes.truncate(length);
    text = splitAt(std::move(bytes), reader.TableStart());
    return true;
}

bool ReadResultTable(const QString &path, const TableConsumer &consume, QString *error,
                     qsizetype blockSize)
{
    QFile file(path);
    return openForReading(file, error) && ReadResultTable(file, consume, error, blockSize);
}

bool ReadResultTable(QIODevice &device, const TableConsumer &consume, QString *error,
                     qsizetype blockSize)
{
    blockSize = qMax<qsizetype>(1, blockSize);
    const qint64 size = device.isSequential() ? 0 : device.size();
    if (size > 0 && size < blockSize)
        blockSize = qsizetype(size) + 1; // a small file needs no big buffer
    // Each block is read one byte into the buffer and translated in place;
    // a CR held back from the block before goes into the byte in front.
    const std::unique_ptr<char[]> buffer(new char[size_t(blockSize) + 1]);
    char *const raw = buffer.get() + 1;
    const char *text = raw;

    ResultTextReader reader;
    // Hands on the part of the text just made that lies past the header.
    auto deliver = [&](qsizetype length) {
        const qsizetype start = reader.TableStart();
        if (start < 0 || length == 0)
            return true;
        const qsizetype offset = qMax<qsizetype>(0, start - (reader.TextLength() - length));
        return offset >= length || consume(QByteArrayView(text + offset, length - offset));
    };
    while (!reader.Ended()) {
        const qint64 got = device.read(raw, blockSize);
        if (got < 0) {
            const auto *file = qobject_cast<const QFileDevice *>(&device);
            return FileError::ReadFailed(file ? file->fileName() : QString(), device.errorString(), error);
        }
        if (got == 0)
            break;
        char *out = reader.HoldsCarriageReturn() ? buffer.get() : raw;
        text = out;
        if (!deliver(reader.Translate(raw, qsizetype(got), out)))
            return false;
    }
    text = buffer.get();
    return deliver(reader.Finish(buffer.get()));
}
