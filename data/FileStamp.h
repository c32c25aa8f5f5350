#pragma once

#include <QByteArray>
#include <QString>

struct stat;

// What tells one version of a file from another without reading it: its
// name's bytes, size, modification time in nanoseconds and inode. A
// station that rewrites a file changes its size or its time; one that
// replaces it under its name changes its inode.
struct FileStamp
{
    QByteArray path; // the bytes given to the system
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;

    // The stamp of what `path` names now, links followed; false when it
    // cannot be had or `path` names no regular file (a FIFO, a device, a
    // folder), whose content no stamp can vouch for: the stamp then holds
    // the path alone.
    static bool Of(const QString &path, FileStamp *stamp);
    // The same from what stat(2) said of the file at `path`.
    static bool From(const QByteArray &path, const struct stat &info, FileStamp *stamp);

    bool operator==(const FileStamp &other) const
    {
        return path == other.path && size == other.size && modifiedNs == other.modifiedNs
            && inode == other.inode;
    }
    bool operator!=(const FileStamp &other) const { return !(*this == other); }
};
