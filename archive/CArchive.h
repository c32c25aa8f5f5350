#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QtGlobal>

class QIODevice;
class CObject;
struct CRuntimeClass;

// A binary archive on a device, in the layout of the classic Windows
// framework's archives, so that a record written there reads here and back:
// integers little-endian; a string as a length prefix (one byte below 255,
// else 0xFF and a 16-bit length below 0xFFFE, else 0xFF 0xFFFF and a 32-bit
// length) and its bytes; an object as its class (0xFFFF, the schema, the
// name's length and the name the first time, later 0x8000 | the class's
// index) followed by its fields, or a 16-bit index when the same object was
// stored before, or 0 for none.
//
// Errors do not throw: the first failure sets Status() and every later read
// gives zeros, empty strings and null objects. A string length beyond what
// the device holds ends the read (EndOfArchive), as does one that is no
// size at all or, on a sequential device, beyond MaxSequentialStringBytes
// (BadLength); memory is taken only for bytes that are there.
class CArchive
{
public:
    enum Mode { store, load };
    enum Status { Ok, EndOfArchive, WriteFailed, BadClass, BadSchema, BadIndex, BadLength };

    static constexpr qsizetype MaxSequentialStringBytes = qsizetype(1) << 28;

    CArchive(QIODevice *device, Mode mode);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }
    Status GetStatus() const { return m_status; }
    bool IsOk() const { return m_status == Ok; }

    CArchive &operator<<(quint8 value);
    CArchive &operator<<(quint16 value);
    CArchive &operator<<(qint32 value);
    CArchive &operator<<(quint32 value);
    CArchive &operator<<(const QByteArray &string); // as a string, see above

    CArchive &operator>>(quint8 &value);
    CArchive &operator>>(quint16 &value);
    CArchive &operator>>(qint32 &value);
    CArchive &operator>>(quint32 &value);
    CArchive &operator>>(QByteArray &string); // a wide string comes back as GB18030

    void Write(const char *data, qsizetype length);
    bool Read(char *data, qsizetype length);

    // Writes an object (or null) with its class, see above.
    void WriteObject(const CObject *object);
    // Reads an object written by WriteObject. A new object belongs to the
    // caller; an object met before is the same pointer again. Null for a
    // null object, an unknown class, a schema other than the registered
    // one, or (when `expected` is given) an object of another class.
    CObject *ReadObject(const CRuntimeClass *expected = nullptr);

private:
    static constexpr quint16 NullTag = 0;
    static constexpr quint16 NewClassTag = 0xFFFF;
    static constexpr quint16 ClassTag = 0x8000;
    static constexpr quint32 BigClassTag = 0x80000000u;
    static constexpr quint16 BigObjectTag = 0x7FFF;

    void fail(Status status);
    void writeTag(quint32 index, bool isClass);
    quint64 readStringLength(bool &wide);
    bool readStringBytes(quint64 bytes, QByteArray &raw);
    const CRuntimeClass *readClass(quint32 &objectTag);

    QIODevice *m_device;
    Mode m_mode;
    Status m_status = Ok;
    quint32 m_nMapCount = 1; // index 0 is the null object
    QHash<const void *, quint32> m_storeMap;
    QList<const void *> m_loadArray{nullptr};
    QList<bool> m_loadIsClass{false};
};
