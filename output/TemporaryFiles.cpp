#include "output/TemporaryFiles.h"

#include "data/NativePath.h"
#include "data/Texts.h"
#include "output/FatalSignals.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QSet>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kPrefix[] = ".quenvale-";
constexpr int kRandomLength = 8;

QMutex mutex;
QSet<QByteArray> names;
bool stopped = false;

// Under the mutex.
bool stopping()
{
    return stopped || FatalSignals::Pending();
}

QByteArray randomName()
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray name;
    for (int i = 0; i < kRandomLength; ++i)
        name += digits[QRandomGenerator::global()->bounded(36)];
    return name;
}

bool isTemporaryName(const char *name)
{
    const size_t prefix = sizeof(kPrefix) - 1;
    if (std::strncmp(name, kPrefix, prefix) != 0)
        return false;
    for (int i = 0; i < kRandomLength; ++i) {
        const char c = name[prefix + size_t(i)];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    const char after = name[prefix + kRandomLength];
    return after == '\0' || after == '-';
}

// Takes the lock that marks a temporary file as in use. Where the file
// system has no locks, the file is used unlocked (and never removed by
// another process).
bool lockFile(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    return errno != EWOULDBLOCK && errno != EINTR;
}

bool sameFile(int fd, const QByteArray &path)
{
    struct stat byFd = {}, byName = {};
    return ::fstat(fd, &byFd) == 0 && ::lstat(path.constData(), &byName) == 0
        && byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

// Removes the temporary files of this program in `folder` that no live
// process holds (their process was killed before it could). Once per
// folder and process.
void removeAbandoned(const QByteArray &folder)
{
    static QMutex sweepMutex;
    static QSet<QByteArray> swept;
    {
        const QMutexLocker lock(&sweepMutex);
        if (swept.contains(folder))
            return;
        swept.insert(folder);
    }
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name))
            continue;
        const int fd = ::openat(dirFd, entry->d_name,
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat info = {};
        // Unlinked while the lock is held: its writer, if it still lives,
        // cannot be between making it and locking it (it checks the name).
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

QByteArray TemporaryFiles::NewName(const QByteArray &folder, const QByteArray &name)
{
    long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    QByteArray temporary = kPrefix + randomName();
    if (temporary.size() + 1 + name.size() <= longest)
        temporary += '-' + name;
    return folder + '/' + temporary;
}

int TemporaryFiles::MakeUnnamed(const QByteArray &folder)
{
    // Linked into place through its name under /proc; without /proc only
    // a privileged process could give it a name.
    static const bool linkable = ::access("/proc/self/fd", X_OK) == 0;
    if (!linkable)
        return -1;
    removeAbandoned(folder);
    {
        const QMutexLocker lock(&mutex);
        if (stopping())
            return -1;
    }
    const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    // Locked like a named one, for the moment it has a name of its own.
    if (!lockFile(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int TemporaryFiles::Make(const QByteArray &folder, const QByteArray &name, QByteArray *path,
                         QString *error)
{
    removeAbandoned(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *path = NewName(folder, name);
        if (!Add(*path)) {
            *error = Texts::tr("the program is stopping");
            return -1;
        }
        const int fd = ::open(path->constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd < 0) {
            const int reason = errno;
            Remove(*path);
            if (reason == EEXIST)
                continue;
            *error = qt_error_string(reason);
            return -1;
        }
        // Another process may have taken the name for an abandoned file
        // between the two steps and removed it: then try another.
        if (!lockFile(fd) || !sameFile(fd, *path)) {
            ::close(fd);
            Remove(*path);
            continue;
        }
        return fd;
    }
    *error = Texts::tr("no temporary file could be made beside it");
    return -1;
}

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

QString TemporaryFiles::InTemporaryFolder(int error)
{
    const QString folder = NativePath::Display(QDir::tempPath());
    if (error == ENOSPC)
        return Texts::tr("the temporary folder \"%1\" has no space left").arg(folder);
    return Texts::tr("%1 in the temporary folder \"%2\"").arg(qt_error_string(error), folder);
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
