#include "output/TemporaryFiles.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <cerrno>
#include <unistd.h>

namespace {

QMutex mutex;
QSet<QByteArray> names;
bool closed = false;

} // namespace

bool TemporaryFiles::Add(const QByteArray &path)
{
    const QMutexLocker lock(&mutex);
    if (closed)
        return false;
    names.insert(path);
    return true;
}

void TemporaryFiles::Remove(const QByteArray &path)
{
    const QMutexLocker lock(&mutex);
    names.remove(path);
}

void TemporaryFiles::RemoveAll()
{
    // The lock is kept: the process ends right after, and no one may make
    // or rename a temporary file meanwhile.
    mutex.lock();
    closed = true;
    for (const QByteArray &path : std::as_const(names)) {
        if (::unlink(path.constData()) != 0 && (errno == EISDIR || errno == EPERM))
            ::rmdir(path.constData());
    }
    names.clear();
}
