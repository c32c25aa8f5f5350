#pragma once

// A device that cannot tell how much it holds, like a pipe or a socket:
// readers must take what each read gives. Shared by the tests and the fuzz
// targets.

#include <QByteArray>
#include <QIODevice>

#include <algorithm>

class Pipe : public QIODevice
{
public:
    explicit Pipe(const QByteArray &bytes) : m_bytes(bytes) { open(ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        const qint64 n = qMin(size, qint64(m_bytes.size() - m_read));
        std::copy_n(m_bytes.constData() + m_read, n, data);
        m_read += n;
        return n == 0 && size > 0 ? -1 : n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qsizetype m_read = 0;
};
