#pragma once

#include <QByteArray>
#include <QString>

struct stat;

// What tells one version of a file from another without reading it: the
// file's device and inode (which file it is), its size, and its
// modification and change times in nanoseconds (which version). A station
// that rewrites a file changes its size or its modification time; a tool
// that puts the old modification time back (touch -d, a copy tool, an
// archive unpacked) still changes the change time, which no user can set.
// Where times are coarse, or a file changed a moment before it was read,
// even these may stay the same across a rewrite: see Trusted() and the
// content hash of the summary cache.
struct FileStamp
{
    QByteArray path; // the bytes given to the system, for showing
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;

    // The stamp of what `path` names now, links followed; false when it
    // cannot be had or `path` names no regular file (a FIFO, a device, a
    // folder), whose content no stamp can vouch for: the stamp then holds
    // the path alone.
    static bool Of(const QString &path, FileStamp *stamp);
    // The same from what stat(2) said of the file at `path`.
    static bool From(const QByteArray &path, const struct stat &info, FileStamp *stamp);

    // Whether a rewrite would show in the stamp of a file summarised at
    // `readNs`: its times are finer than a millisecond (a file system of
    // one- or two-second times gives a rewrite within the same second the
    // same times), and it had stood still for two seconds by then (a
    // rewrite within the clock's tick of the last one keeps the times).
    bool Trusted(qint64 readNs) const;

    // The same file and version, whatever name it was reached by.
    bool SameVersion(const FileStamp &other) const
    {
        return size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs
            && device == other.device && inode == other.inode;
    }
    bool operator==(const FileStamp &other) const { return path == other.path && SameVersion(other); }
    bool operator!=(const FileStamp &other) const { return !(*this == other); }
};
