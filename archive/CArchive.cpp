#include "archive/CArchive.h"

#include "archive/CObject.h"
#include "archive/CRuntimeClass.h"
#include "data/CodePage936.h"

#include <QIODevice>
#include <QtEndian>

#include <limits>

namespace {

constexpr int kMaxClassName = 64; // the framework's buffer, terminator included

} // namespace

CArchive::CArchive(QIODevice *device, Mode mode) : m_device(device), m_mode(mode)
{
}

void CArchive::fail(Status status)
{
    if (m_status == Ok)
        m_status = status;
}

void CArchive::Write(const char *data, qsizetype length)
{
    if (m_status != Ok)
        return;
    if (length > 0 && m_device->write(data, length) != length)
        fail(WriteFailed);
}

bool CArchive::Read(char *data, qsizetype length)
{
    if (m_status == Ok && (length <= 0 || m_device->read(data, length) == length))
        return true;
    fail(EndOfArchive);
    std::fill(data, data + qMax<qsizetype>(length, 0), '\0');
    return false;
}

CArchive &CArchive::operator<<(quint8 value)
{
    Write(reinterpret_cast<const char *>(&value), 1);
    return *this;
}

CArchive &CArchive::operator<<(quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    Write(bytes, 2);
    return *this;
}

CArchive &CArchive::operator<<(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    Write(bytes, 4);
    return *this;
}

CArchive &CArchive::operator<<(qint32 value)
{
    return *this << quint32(value);
}

CArchive &CArchive::operator>>(quint8 &value)
{
    char byte;
    Read(&byte, 1);
    value = quint8(byte);
    return *this;
}

CArchive &CArchive::operator>>(quint16 &value)
{
    char bytes[2];
    Read(bytes, 2);
    value = qFromLittleEndian<quint16>(bytes);
    return *this;
}

CArchive &CArchive::operator>>(quint32 &value)
{
    char bytes[4];
    Read(bytes, 4);
    value = qFromLittleEndian<quint32>(bytes);
    return *this;
}

CArchive &CArchive::operator>>(qint32 &value)
{
    quint32 raw;
    *this >> raw;
    value = qint32(raw);
    return *this;
}

CArchive &CArchive::operator<<(const QByteArray &string)
{
    const qsizetype length = string.size();
    if (length < 0xFF) {
        *this << quint8(length);
    } else if (length < 0xFFFE) {
        *this << quint8(0xFF) << quint16(length);
    } else {
        *this << quint8(0xFF) << quint16(0xFFFF) << quint32(length);
    }
    Write(string.constData(), length);
    return *this;
}

// The prefix may start with the marker 0xFF 0xFFFE of a wide string, which
// is followed by the real prefix.
quint64 CArchive::readStringLength(bool &wide)
{
    wide = false;
    for (;;) {
        quint8 byteLength = 0;
        *this >> byteLength;
        if (byteLength < 0xFF)
            return byteLength;
        quint16 wordLength = 0;
        *this >> wordLength;
        if (wordLength == 0xFFFE && !wide && m_status == Ok) {
            wide = true;
            continue;
        }
        if (wordLength < 0xFFFF)
            return wordLength;
        quint32 longLength = 0;
        *this >> longLength;
        if (longLength < 0xFFFFFFFFu)
            return longLength;
        quint32 low = 0, high = 0;
        *this >> low >> high;
        return quint64(high) << 32 | low;
    }
}

// The bytes of a string whose prefix said `bytes`: never more than the
// device holds. A sequential device cannot say how much it holds, so its
// bytes are taken in pieces as they come, up to a bound no text reaches.
bool CArchive::readStringBytes(quint64 bytes, QByteArray &raw)
{
    if (bytes > quint64(std::numeric_limits<qint64>::max())
        || (m_device->isSequential() && bytes > quint64(MaxSequentialStringBytes))) {
        fail(BadLength);
        return false;
    }
    if (!m_device->isSequential()) {
        if (qint64(bytes) > m_device->bytesAvailable()) {
            fail(EndOfArchive);
            return false;
        }
        raw.resize(qsizetype(bytes));
        return Read(raw.data(), raw.size());
    }
    constexpr qsizetype kPiece = qsizetype(1) << 16;
    while (raw.size() < qsizetype(bytes)) {
        const qsizetype piece = qMin<qsizetype>(kPiece, qsizetype(bytes) - raw.size());
        raw.resize(raw.size() + piece);
        if (!Read(raw.data() + raw.size() - piece, piece)) {
            raw.clear();
            return false;
        }
    }
    return true;
}

CArchive &CArchive::operator>>(QByteArray &string)
{
    string.clear();
    bool wide = false;
    const quint64 length = readStringLength(wide);
    if (m_status != Ok)
        return *this;
    if (wide && length > quint64(std::numeric_limits<qint64>::max()) / 2) {
        fail(BadLength); // twice the length is not a size
        return *this;
    }
    QByteArray raw;
    if (!readStringBytes(wide ? 2 * length : length, raw))
        return *this;
    if (wide) {
        QString text(qsizetype(length), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(qFromLittleEndian<quint16>(raw.constData() + 2 * i));
        string = CodePage936::Encode(text);
    } else {
        string = std::move(raw);
    }
    return *this;
}

void CArchive::writeTag(quint32 index, bool isClass)
{
    if (index < BigObjectTag) {
        *this << quint16(isClass ? (ClassTag | index) : index);
    } else {
        *this << BigObjectTag << quint32(isClass ? (BigClassTag | index) : index);
    }
}

void CArchive::WriteObject(const CObject *object)
{
    if (!object) {
        *this << NullTag;
        return;
    }
    if (const quint32 index = m_storeMap.value(object)) {
        writeTag(index, false);
        return;
    }
    const CRuntimeClass *runtimeClass = object->GetRuntimeClass();
    if (const quint32 classIndex = m_storeMap.value(runtimeClass)) {
        writeTag(classIndex, true);
    } else {
        const QByteArray name(runtimeClass->m_lpszClassName);
        *this << NewClassTag << runtimeClass->m_wSchema << quint16(name.size());
        Write(name.constData(), name.size());
        m_storeMap.insert(runtimeClass, m_nMapCount++);
    }
    m_storeMap.insert(object, m_nMapCount++);
    const_cast<CObject *>(object)->Serialize(*this);
}

// The class that starts an object, or null with the object's tag in
// `objectTag` when the tag refers to an object (or null) instead.
const CRuntimeClass *CArchive::readClass(quint32 &objectTag)
{
    objectTag = 0;
    quint16 tag = 0;
    *this >> tag;
    if (m_status != Ok)
        return nullptr;
    if (tag == NewClassTag) {
        quint16 schema = 0, nameLength = 0;
        *this >> schema >> nameLength;
        if (m_status != Ok)
            return nullptr;
        if (nameLength >= kMaxClassName) {
            fail(BadClass);
            return nullptr;
        }
        QByteArray name(nameLength, Qt::Uninitialized);
        if (!Read(name.data(), name.size()))
            return nullptr;
        const CRuntimeClass *runtimeClass = CRuntimeClass::FromName(name);
        if (!runtimeClass || !runtimeClass->m_pfnCreateObject) {
            fail(BadClass);
            return nullptr;
        }
        if (runtimeClass->m_wSchema != schema) {
            fail(BadSchema);
            return nullptr;
        }
        m_loadArray.append(runtimeClass);
        m_loadIsClass.append(true);
        ++m_nMapCount;
        return runtimeClass;
    }
    quint32 fullTag = tag;
    if (tag == BigObjectTag)
        *this >> fullTag;
    else if (tag & ClassTag)
        fullTag = BigClassTag | (tag & ~ClassTag);
    if (!(fullTag & BigClassTag)) {
        objectTag = fullTag;
        return nullptr;
    }
    const quint32 classIndex = fullTag & ~BigClassTag;
    if (classIndex == 0 || classIndex >= quint32(m_loadArray.size()) || !m_loadIsClass[classIndex]) {
        fail(BadIndex);
        return nullptr;
    }
    return static_cast<const CRuntimeClass *>(m_loadArray[classIndex]);
}

CObject *CArchive::ReadObject(const CRuntimeClass *expected)
{
    quint32 objectTag = 0;
    const CRuntimeClass *runtimeClass = readClass(objectTag);
    if (m_status != Ok)
        return nullptr;
    if (!runtimeClass) {
        if (objectTag >= quint32(m_loadArray.size()) || m_loadIsClass[objectTag]) {
            fail(BadIndex);
            return nullptr;
        }
        CObject *object = static_cast<CObject *>(const_cast<void *>(m_loadArray[objectTag]));
        if (object && expected && !object->IsKindOf(expected)) {
            fail(BadClass);
            return nullptr;
        }
        return object;
    }
    if (expected && runtimeClass != expected) {
        fail(BadClass);
        return nullptr;
    }
    CObject *object = runtimeClass->CreateObject();
    m_loadArray.append(object);
    m_loadIsClass.append(false);
    ++m_nMapCount;
    object->Serialize(*this);
    if (m_status != Ok) { // an archive that ends inside the fields
        delete object;
        m_loadArray.last() = nullptr;
        return nullptr;
    }
    return object;
}
