#include "output/TemporaryFiles.h"

#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

QMutex mutex;
QSet<QByteArray> names;
bool stopped = false;

// Under the mutex.
bool stopping()
{
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    return stopped || sigismember(&pending, SIGINT) == 1 || sigismember(&pending, SIGTERM) == 1;
}

} // namespace

bool TemporaryFiles::Add(const QByteArray &path)
{
    const QMutexLocker lock(&mutex);
    if (stopping())
        return false;
    names.insert(path);
    return true;
}

void TemporaryFiles::Remove(const QByteArray &path)
{
    const QMutexLocker lock(&mutex);
    names.remove(path);
}

bool TemporaryFiles::Commit(const QByteArray &path, const std::function<bool()> &replace)
{
    // Under the lock: a stop cannot come between the look and the rename.
    const QMutexLocker lock(&mutex);
    if (stopping() || !replace())
        return false;
    names.remove(path);
    return true;
}

void TemporaryFiles::Stop()
{
    const QMutexLocker lock(&mutex);
    stopped = true;
}

void TemporaryFiles::RemoveAll()
{
    // The lock is kept: the process ends right after, and no one may make
    // or rename a temporary file meanwhile.
    mutex.lock();
    stopped = true;
    for (const QByteArray &path : std::as_const(names)) {
        if (::unlink(path.constData()) != 0 && (errno == EISDIR || errno == EPERM))
            ::rmdir(path.constData());
    }
    names.clear();
}
