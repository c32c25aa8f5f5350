#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The members of a zip file as its central directory lists them, with the
// size of each once unpacked (ZIP64 sizes too): enough to tell that a
// writer put every part in whole, without unpacking any.
class ZipListing
{
public:
    // False, with nothing listed, when `path` cannot be read or holds no
    // central directory that reads as one.
    bool Read(const QString &path);

    // Each member's unpacked size by its name.
    const QHash<QByteArray, quint64> &Sizes() const { return m_sizes; }

private:
    bool readDirectory(const QByteArray &directory, quint64 entries);

    QHash<QByteArray, quint64> m_sizes;
};
