#include "document/HeldFile.h"

#include "data/NativePath.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

HeldFile::~HeldFile()
{
    ::close(m_fd);
}

QString HeldFile::Path() const
{
    return QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

std::shared_ptr<HeldFile> HeldFile::Open(const QString &path, const LiveFile::Identity &read)
{
    if (!read.present || !read.regular)
        return nullptr;
    const int fd = NativePath::Open(path, O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || quint64(info.st_dev) != read.device || quint64(info.st_ino) != read.inode) {
        ::close(fd);
        return nullptr;
    }
    return Adopt(fd);
}

std::shared_ptr<HeldFile> HeldFile::Adopt(int fd)
{
    struct stat info = {};
    if (fd < 0)
        return nullptr;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    return std::make_shared<HeldFile>(fd);
}

int HeldFile::Budget()
{
    struct rlimit limit = {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    return int(qMin<rlim_t>(256, limit.rlim_cur / 4));
}
