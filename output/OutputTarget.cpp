#include "output/OutputTarget.h"

#include "data/NativePath.h"

#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40; // as the kernel allows in one path

// The descriptor that names such as /dev/stdout, /dev/fd/N or
// /proc/self/fd/N stand for in this process; -1 for any other name.
int ownDescriptor(const QByteArray &path)
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

// The file that `path` finally names, or the name on the way that stands
// for a descriptor of this process (`descriptor` gets it).
QByteArray followLinks(QByteArray path, int *descriptor)
{
    *descriptor = -1;
    for (int depth = 0; depth <= kMaxLinks; ++depth) {
        if ((*descriptor = ownDescriptor(path)) >= 0)
            return path;
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return path;
        link.truncate(length);
        path = link.startsWith('/') ? link : OutputTarget::FolderOf(path) + '/' + link;
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

OutputTarget OutputTarget::Resolve(const QString &name)
{
    OutputTarget target;
    target.m_path = followLinks(NativePath::Encode(name), &target.m_descriptor);
    if (target.m_descriptor >= 0) {
        target.m_kind = InPlace;
        return target;
    }
    struct stat info = {};
    if (::stat(target.m_path.constData(), &info) != 0) {
        target.m_error = errno;
        target.m_kind = errno == ENOENT ? New : Unreachable;
        target.m_mode = newFileMode();
        return target;
    }
    target.m_fileType = info.st_mode & S_IFMT;
    target.m_kind = S_ISDIR(info.st_mode) ? Folder : S_ISREG(info.st_mode) ? Regular : InPlace;
    target.m_mode = info.st_mode & 07777;
    target.m_owner = info.st_uid;
    target.m_group = info.st_gid;
    target.m_links = unsigned(info.st_nlink);
    return target;
}

int OutputTarget::OpenInPlace() const
{
    if (m_descriptor >= 0)
        return ::fcntl(m_descriptor, F_DUPFD_CLOEXEC, 0);
    if (m_fileType == S_IFSOCK)
        return connectSocket(m_path);
    return NativePath::Open(NativePath::Decode(m_path), O_WRONLY | O_NOCTTY);
}

QByteArray OutputTarget::FolderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray OutputTarget::NameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QString OutputTarget::ResultName(const QString &input, const QString &suffix)
{
    QString name = QFileInfo(input).fileName();
    if (name.size() > 4 && name.endsWith(QLatin1String(".fib"), Qt::CaseInsensitive))
        name.chop(4);
    return name + suffix;
}
