#include "output/ZipListing.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr quint32 kEndSignature = 0x06054b50;
constexpr quint32 kEnd64Signature = 0x06064b50;
constexpr quint32 kLocator64Signature = 0x07064b50;
constexpr quint32 kEntrySignature = 0x02014b50;
constexpr qsizetype kEndSize = 22;
constexpr qsizetype kLocator64Size = 20;
constexpr qsizetype kEnd64Size = 56;
constexpr qsizetype kEntrySize = 46;
constexpr qsizetype kLongestComment = 0xffff;
constexpr quint16 kZip64Extra = 0x0001;

template<typename T>
T at(const QByteArray &bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

QByteArray readAt(QFile &file, qint64 offset, qint64 size)
{
    if (offset < 0 || size < 0 || !file.seek(offset))
        return QByteArray();
    const QByteArray bytes = file.read(size);
    return bytes.size() == size ? bytes : QByteArray();
}

// The unpacked size of an entry whose 32-bit field says "in the ZIP64
// extra field": the first 8 bytes of that field's data.
bool zip64Size(const QByteArray &extra, quint64 *size)
{
    for (qsizetype at_ = 0; at_ + 4 <= extra.size();) {
        const quint16 id = at<quint16>(extra, at_);
        const quint16 length = at<quint16>(extra, at_ + 2);
        if (id == kZip64Extra && length >= 8 && at_ + 4 + 8 <= extra.size()) {
            *size = at<quint64>(extra, at_ + 4);
            return true;
        }
        at_ += 4 + length;
    }
    return false;
}

} // namespace

bool ZipListing::Read(const QString &path)
{
    m_sizes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kEndSize)
        return false;
    const qint64 tailSize = qMin<qint64>(file.size(), kEndSize + kLongestComment + kLocator64Size);
    const qint64 tailStart = file.size() - tailSize;
    const QByteArray tail = readAt(file, tailStart, tailSize);
    qsizetype end = tail.size() - kEndSize;
    while (end >= 0 && at<quint32>(tail, end) != kEndSignature)
        --end;
    if (end < 0)
        return false;
    quint64 entries = at<quint16>(tail, end + 10);
    quint64 directorySize = at<quint32>(tail, end + 12);
    quint64 directoryOffset = at<quint32>(tail, end + 16);
    const qsizetype locator = end - kLocator64Size;
    if (locator >= 0 && at<quint32>(tail, locator) == kLocator64Signature) {
        const QByteArray end64 = readAt(file, qint64(at<quint64>(tail, locator + 8)), kEnd64Size);
        if (end64.isEmpty() || at<quint32>(end64, 0) != kEnd64Signature)
            return false;
        entries = at<quint64>(end64, 32);
        directorySize = at<quint64>(end64, 40);
        directoryOffset = at<quint64>(end64, 48);
    }
    if (directorySize > quint64(file.size()))
        return false;
    return readDirectory(readAt(file, qint64(directoryOffset), qint64(directorySize)), entries);
}

bool ZipListing::readDirectory(const QByteArray &directory, quint64 entries)
{
    qsizetype offset = 0;
    for (quint64 i = 0; i < entries; ++i) {
        if (offset + kEntrySize > directory.size() || at<quint32>(directory, offset) != kEntrySignature)
            return false;
        quint64 size = at<quint32>(directory, offset + 24);
        const quint16 nameLength = at<quint16>(directory, offset + 28);
        const quint16 extraLength = at<quint16>(directory, offset + 30);
        const quint16 commentLength = at<quint16>(directory, offset + 32);
        const qsizetype name = offset + kEntrySize;
        if (name + nameLength + extraLength > directory.size())
            return false;
        if (size == 0xffffffffu && !zip64Size(directory.mid(name + nameLength, extraLength), &size))
            return false;
        m_sizes.insert(directory.mid(name, nameLength), size);
        offset = name + nameLength + extraLength + commentLength;
    }
    return true;
}
