#include "output/StagedFile.h"

#include "data/NativePath.h"
#include "data/Texts.h"
#include "output/DescriptorDevice.h"
#include "output/TemporaryFiles.h"

#include <QCoreApplication>
#include <QFile>
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
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char kPrefix[] = ".quenvale-";
constexpr int kRandomLength = 8;
constexpr int kMaxLinks = 40; // as the kernel allows in one path

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// The descriptor that names such as /dev/stdout, /dev/fd/N or
// /proc/self/fd/N stand for in this process; -1 for any other name.
int standardDescriptor(const QByteArray &path)
{
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    const QByteArray own = "/proc/" + QByteArray::number(qint64(::getpid())) + "/fd/";
    for (const QByteArray &folder : {QByteArray("/dev/fd/"), QByteArray("/proc/self/fd/"),
                                     QByteArray("/proc/thread-self/fd/"), own}) {
        if (!path.startsWith(folder) || path.size() == folder.size())
            continue;
        bool ok = false;
        const int fd = path.mid(folder.size()).toInt(&ok);
        if (ok && fd >= 0 && path.mid(folder.size()) == QByteArray::number(fd))
            return fd;
    }
    return -1;
}

// The file that `path` finally names, every symbolic link on the way
// followed (a dangling one to the name it gives), or the descriptor of
// this process that one of the names stands for.
QByteArray followLinks(QByteArray path, int *standardFd)
{
    *standardFd = -1;
    for (int depth = 0; depth <= kMaxLinks; ++depth) {
        if ((*standardFd = standardDescriptor(path)) >= 0)
            return path;
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return path;
        link.truncate(length);
        path = link.startsWith('/') ? link : folderOf(path) + '/' + link;
    }
    return path; // a loop: stat says so
}

// The mode of a file that did not exist before: 0666 less the umask.
unsigned newFileMode()
{
    static const unsigned mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666u & ~unsigned(mask);
    }();
    return mode;
}

QString randomName()
{
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    QString name;
    for (int i = 0; i < kRandomLength; ++i)
        name += QLatin1Char(digits[QRandomGenerator::global()->bounded(36)]);
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

// Removes the temporary files of this program in `folder` that no live
// process holds (their process was killed before it could). Once per
// folder and process.
void removeAbandoned(const QByteArray &folder)
{
    static QMutex mutex;
    static QSet<QByteArray> done;
    {
        const QMutexLocker lock(&mutex);
        if (done.contains(folder))
            return;
        done.insert(folder);
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

bool sameFile(int fd, const QByteArray &path)
{
    struct stat byFd = {}, byName = {};
    return ::fstat(fd, &byFd) == 0 && ::lstat(path.constData(), &byName) == 0
        && byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

int connectSocket(const QByteArray &path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof(address.sun_path)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

StagedFile::StagedFile(const QString &target) : m_target(target)
{
}

StagedFile::~StagedFile()
{
    Discard();
}

bool StagedFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool StagedFile::WritesInPlace(const QString &target)
{
    int standardFd = -1;
    const QByteArray path = followLinks(NativePath::Encode(target), &standardFd);
    struct stat info = {};
    return standardFd >= 0
        || (::stat(path.constData(), &info) == 0 && !S_ISDIR(info.st_mode)
            && !S_ISREG(info.st_mode));
}

bool StagedFile::Open()
{
    Discard();
    m_error.clear();
    int standardFd = -1;
    m_path = followLinks(NativePath::Encode(m_target), &standardFd);
    if (standardFd >= 0)
        return openInPlace(m_path, standardFd, 0);

    struct stat info = {};
    if (::stat(m_path.constData(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return fail(Texts::tr("it is a folder"));
        if (!S_ISREG(info.st_mode))
            return openInPlace(m_path, -1, info.st_mode);
        m_replaces = true;
        m_mode = info.st_mode & 07777;
        m_owner = info.st_uid;
        m_group = info.st_gid;
    } else if (errno == ENOENT) {
        m_replaces = false;
        m_mode = newFileMode();
    } else {
        return fail(qt_error_string(errno));
    }
    return openTemporary(folderOf(m_path), nameOf(m_path));
}

bool StagedFile::openInPlace(const QByteArray &path, int standardFd, unsigned mode)
{
    m_inPlace = true;
    if (standardFd >= 0)
        m_fd = ::fcntl(standardFd, F_DUPFD_CLOEXEC, 0);
    else if (S_ISSOCK(mode))
        m_fd = connectSocket(path);
    else
        m_fd = NativePath::Open(NativePath::Decode(path), O_WRONLY | O_NOCTTY);
    return m_fd >= 0 || fail(qt_error_string(errno));
}

bool StagedFile::openTemporary(const QByteArray &folder, const QByteArray &name)
{
    removeAbandoned(folder);
    long longest = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (longest <= 0)
        longest = NAME_MAX;
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray temporary = kPrefix + randomName().toLatin1();
        if (temporary.size() + 1 + name.size() <= longest)
            temporary += '-' + name;
        const QByteArray path = folder + '/' + temporary;
        if (!TemporaryFiles::Add(path))
            return fail(Texts::tr("the program is stopping"));
        const int fd = ::open(path.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd < 0) {
            const int error = errno;
            TemporaryFiles::Remove(path);
            if (error == EEXIST)
                continue;
            return fail(qt_error_string(error));
        }
        // Another process may have taken the name for an abandoned file
        // between the two steps and removed it: then try another.
        if (!lockFile(fd) || !sameFile(fd, path)) {
            ::close(fd);
            TemporaryFiles::Remove(path);
            continue;
        }
        m_fd = fd;
        m_temporary = path;
        return true;
    }
    return fail(Texts::tr("no temporary file could be made beside it"));
}

QString StagedFile::TemporaryPath() const
{
    if (m_inPlace)
        return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
    return NativePath::Decode(m_temporary);
}

bool StagedFile::Commit()
{
    if (m_fd < 0)
        return fail(Texts::tr("nothing was written"));
    if (m_inPlace) {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0 || errno == EINTR || fail(qt_error_string(errno));
    }
    // The owner first: changing it clears the set-user-ID bits.
    if (m_replaces && (m_owner != ::geteuid() || m_group != ::getegid())
        && ::fchown(m_fd, m_owner, m_group) != 0)
        (void)::fchown(m_fd, uid_t(-1), m_group); // a group of one's own, at least
    if (::fchmod(m_fd, m_mode) != 0) {
        const int error = errno;
        Discard();
        return fail(qt_error_string(error));
    }
    int error = 0;
    const bool renamed = TemporaryFiles::Commit(m_temporary, [&] {
        const bool ok = ::rename(m_temporary.constData(), m_path.constData()) == 0;
        error = ok ? 0 : errno;
        return ok;
    });
    if (!renamed) {
        Discard();
        return fail(error ? qt_error_string(error) : Texts::tr("the program is stopping"));
    }
    m_temporary.clear();
    close();
    return true;
}

void StagedFile::Discard()
{
    // Removed while still locked, so no other process mistakes it for an
    // abandoned one in between.
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        TemporaryFiles::Remove(m_temporary);
        m_temporary.clear();
    }
    close();
}

void StagedFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_inPlace = false;
}

bool StagedFile::Write(const QString &target, const std::function<bool(QIODevice &out)> &fill,
                       QString *fileError)
{
    auto failed = [fileError](const QString &reason) {
        if (fileError)
            *fileError = reason;
        return false;
    };
    StagedFile staged(target);
    if (!staged.Open())
        return failed(staged.ErrorString());
    DescriptorDevice out(staged.Handle());
    const bool filled = fill(out);
    if (out.Failure() != 0)
        return failed(qt_error_string(out.Failure()));
    if (!filled)
        return false;
    return staged.Commit() || failed(staged.ErrorString());
}
