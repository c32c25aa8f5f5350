#include "data/FileStamp.h"

#include "data/NativePath.h"

#include <sys/stat.h>

bool FileStamp::Of(const QString &path, FileStamp *stamp)
{
    const QByteArray bytes = NativePath::Encode(path);
    *stamp = FileStamp();
    stamp->path = bytes;
    struct stat info = {};
    if (::stat(bytes.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    stamp->size = qint64(info.st_size);
    stamp->modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + qint64(info.st_mtim.tv_nsec);
    stamp->inode = quint64(info.st_ino);
    return true;
}
