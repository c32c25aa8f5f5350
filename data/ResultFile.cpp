#include "data/ResultFile.h"

#include "data/MemoryAdvice.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

constexpr char kEndOfInput = '\x1a';
constexpr int kHeaderLines = 5;

// Turns raw file bytes into what a text-mode reader sees, with zero bytes
// dropped, in place: cut at the first 0x1A, CR LF pairs become LF. A CR that
// is not followed by LF stays, even when a zero byte stands between them.
void translateTextMode(QByteArray &bytes)
{
    if (const qsizetype end = bytes.indexOf(kEndOfInput); end >= 0)
        bytes.truncate(end);

    char *const begin = bytes.data();
    const char *read = begin;
    const char *const last = begin + bytes.size();
    char *write = begin;
    auto find = [&](char c) {
        return static_cast<const char *>(std::memchr(read, c, size_t(last - read)));
    };
    const char *zero = find('\0'); // found once, searched again only when passed
    while (read < last) {
        const char *cr = find('\r');
        if (zero && zero < read)
            zero = find('\0');
        const char *special = cr && (!zero || cr < zero) ? cr : zero;
        const char *stop = special ? special : last;
        if (write != read)
            std::memmove(write, read, size_t(stop - read));
        write += stop - read;
        read = stop;
        if (!special)
            break;
        if (*special == '\0') {
            ++read;
        } else if (read + 1 < last && read[1] == '\n') {
            *write++ = '\n';
            read += 2;
        } else {
            *write++ = '\r';
            ++read;
        }
    }
    bytes.truncate(write - begin);
}

// Where the table starts: just after the fifth line feed, not counting the
// first byte read; -1 when the text has fewer. A first byte of zero was read
// (so it is the one not counted) but has been dropped from the text.
qsizetype headerLength(const QByteArray &text, bool firstByteDropped)
{
    qsizetype position = firstByteDropped ? 0 : 1;
    for (int count = 0; count < kHeaderLines; ++count) {
        position = text.indexOf('\n', position);
        if (position < 0)
            return -1;
        ++position;
    }
    return position;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("ResultFile", text);
}

} // namespace

ResultFileText SplitResultText(QByteArray bytes)
{
    const bool firstByteDropped = bytes.startsWith('\0');
    translateTextMode(bytes);
    ResultFileText text;
    const qsizetype split = headerLength(bytes, firstByteDropped);
    if (split < 0)
        return text;
    text.header = bytes.left(split);
    bytes.remove(0, split); // in place: a big table is not copied again
    text.table = std::move(bytes);
    return text;
}

bool ReadResultFile(const QString &path, ResultFileText &text, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = tr("Cannot read \"%1\": %2").arg(path, reason);
        return false;
    };

    if (QFileInfo(path).isDir())
        return fail(tr("it is a folder, not a file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());

    // Large blocks into one buffer sized from the file, growing only when
    // the file turns out longer than it said.
    constexpr qsizetype kBlock = qsizetype(1) << 22;
    const qint64 size = file.size();
    QByteArray bytes;
    bytes.resize(size > 0 && size < qint64(1) << 40 ? qsizetype(size) + 1 : kBlock);
    AdviseHugePages(bytes.data(), size_t(bytes.size()));
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + kBlock);
        const qint64 got = file.read(bytes.data() + filled, qMin(kBlock, bytes.size() - filled));
        if (got < 0)
            return fail(file.errorString());
        if (got == 0)
            break;
        filled += qsizetype(got);
    }
    bytes.truncate(filled);
    text = SplitResultText(std::move(bytes));
    return true;
}
