#include "data/FileStamp.h"

#include "data/NativePath.h"

#include <sys/stat.h>

bool FileStamp::Of(const QString &path, FileStamp *stamp)
{
    const QByteArray bytes = NativePath::Encode(path);
    struct stat info = {};
    if (::stat(bytes.constData(), &info) != 0) {
        *stamp = FileStamp();
        stamp->path = bytes;
        return false;
    }
    return From(bytes, info, stamp);
}

bool FileStamp::From(const QByteArray &path, const struct stat &info, FileStamp *stamp)
{
    *stamp = FileStamp();
    stamp->path = path;
    if (!S_ISREG(info.st_mode))
        return false;
    stamp->size = qint64(info.st_size);
    stamp->modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + qint64(info.st_mtim.tv_nsec);
    stamp->changedNs = qint64(info.st_ctim.tv_sec) * 1000000000 + qint64(info.st_ctim.tv_nsec);
    stamp->device = quint64(info.st_dev);
    stamp->inode = quint64(info.st_ino);
    return true;
}

bool FileStamp::Trusted(qint64 readNs) const
{
    constexpr qint64 kMillisecond = 1000000;
    constexpr qint64 kSettled = 2000000000;
    const auto coarse = [](qint64 ns) { return ns % kMillisecond == 0; };
    return size >= 0 && !coarse(modifiedNs) && !coarse(changedNs)
        && readNs - qMax(modifiedNs, changedNs) >= kSettled;
}
