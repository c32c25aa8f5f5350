// libFuzzer target: arbitrary bytes as a CText archive, on a device that
// knows its size and on one that cannot tell (a pipe). Reading must never
// throw, leak or allocate for bytes that are not there, and a string read
// with status Ok must have exactly the length its prefix gave.

#include "archive/CArchive.h"
#include "archive/CText.h"
#include "tests/Pipe.h"

#include <QBuffer>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The length a narrow string's prefix gives at `at`, and the prefix's size;
// false for a wide string or a prefix cut short.
bool narrowLength(const QByteArray &bytes, qsizetype at, quint64 *length, qsizetype *prefix)
{
    auto has = [&](qsizetype n) { return at + n <= bytes.size(); };
    const char *p = bytes.constData() + at;
    if (!has(1))
        return false;
    if (quint8(p[0]) < 0xFF) {
        *length = quint8(p[0]);
        *prefix = 1;
        return true;
    }
    if (!has(3))
        return false;
    const quint16 word = qFromLittleEndian<quint16>(p + 1);
    if (word == 0xFFFE)
        return false;
    if (word < 0xFFFF) {
        *length = word;
        *prefix = 3;
        return true;
    }
    if (!has(7))
        return false;
    const quint32 dword = qFromLittleEndian<quint32>(p + 3);
    if (dword < 0xFFFFFFFFu) {
        *length = dword;
        *prefix = 7;
        return true;
    }
    if (!has(15))
        return false;
    *length = qFromLittleEndian<quint64>(p + 7);
    *prefix = 15;
    return true;
}

void readStrings(const QByteArray &bytes, QIODevice &device)
{
    CArchive ar(&device, CArchive::load);
    qsizetype at = 0;
    for (int i = 0; i < 16 && ar.IsOk(); ++i) {
        quint64 length = 0;
        qsizetype prefix = 0;
        const bool narrow = narrowLength(bytes, at, &length, &prefix);
        QByteArray string;
        ar >> string;
        if (!ar.IsOk() || !narrow)
            return;
        check(quint64(string.size()) == length);
        at += prefix + string.size();
        check(at <= bytes.size());
    }
}

void readObjects(QIODevice &device)
{
    CArchive ar(&device, CArchive::load);
    std::set<CObject *> owned;
    for (int i = 0; i < 16 && ar.IsOk(); ++i) {
        CObject *object = ar.ReadObject();
        check(ar.IsOk() || !object);
        if (object)
            owned.insert(object);
    }
    for (CObject *object : owned)
        delete object;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        readStrings(bytes, buffer);
    }
    {
        Pipe pipe(bytes);
        readStrings(bytes, pipe);
    }
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        readObjects(buffer);
    }
    {
        Pipe pipe(bytes);
        readObjects(pipe);
    }
    return 0;
}
