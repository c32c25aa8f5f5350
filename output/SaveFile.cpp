#include "output/SaveFile.h"

#include "data/Texts.h"
#include "output/OutputTarget.h"
#include "output/TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

SaveFile::StepHook stepHook;

// Runs `call` (0, or -1 with errno, as the system's calls answer) unless
// the hook fails the step first; 0 or the reason it failed.
template <typename Call>
int runStep(SaveFile::Step step, const Call &call)
{
    if (stepHook) {
        if (const int injected = stepHook(step))
            return injected;
    }
    return call() == 0 ? 0 : errno;
}

// A file system that cannot sync a file or a folder says so: nothing more
// can be done for it there, and it is no failure of the job.
int unlessUnsupported(int reason)
{
    return reason == EINVAL || reason == ENOTSUP || reason == EOPNOTSUPP ? 0 : reason;
}

// An attribute the process may not set (security.* and trusted.* without
// the privilege) stays behind, as an owner it may not give does.
bool mayNotSet(int reason)
{
    return reason == EPERM || reason == EACCES || reason == ENOTSUP || reason == EOPNOTSUPP;
}

// One of the target's lists or values, sized as it is when read; -1 with
// errno on failure.
template <typename Read>
qsizetype readSized(QByteArray *bytes, const Read &read)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return -1;
        bytes->resize(qsizetype(size) + 1);
        const ssize_t got = read(bytes->data(), size_t(size) + 1);
        if (got >= 0) {
            bytes->truncate(qsizetype(got));
            return qsizetype(got);
        }
        if (errno != ERANGE) // it grew meanwhile: read again
            return -1;
    }
    return -1;
}

// The extended attributes of the file at `from` set on `to`; 0, or the
// reason one of them could not be kept.
int copyAttributes(const QByteArray &from, int to)
{
    QByteArray names;
    if (readSized(&names, [&](char *list, size_t size) { return ::listxattr(from.constData(), list, size); }) < 0)
        return errno == ENOTSUP || errno == EOPNOTSUPP || errno == ENOENT ? 0 : errno;
    for (const QByteArray &name : names.split('\0')) {
        if (name.isEmpty())
            continue;
        QByteArray value;
        if (readSized(&value, [&](char *data, size_t size) {
                return ::getxattr(from.constData(), name.constData(), data, size);
            }) < 0) {
            if (errno == ENODATA || mayNotSet(errno))
                continue;
            return errno;
        }
        if (::fsetxattr(to, name.constData(), value.constData(), size_t(value.size()), 0) != 0
            && !mayNotSet(errno))
            return errno;
    }
    return 0;
}

// Links the unnamed file open at `fd` under `name`: through its name under
// /proc, or, where /proc does not give it, straight from the descriptor
// (which older kernels allow privileged processes alone).
int linkUnnamed(int fd, const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    const int reason = errno;
    if (reason != EEXIST && ::linkat(fd, "", AT_FDCWD, name.constData(), AT_EMPTY_PATH) == 0)
        return 0;
    errno = reason;
    return -1;
}

} // namespace

void SaveFile::SetStepHook(StepHook hook)
{
    stepHook = std::move(hook);
}

SaveFile::SaveFile(const OutputTarget &target)
    : m_path(target.path()), m_replaces(target.kind() == OutputTarget::Regular),
      m_mode(target.mode()), m_owner(target.owner()), m_group(target.group())
{
}

SaveFile::~SaveFile()
{
    Discard();
}

bool SaveFile::Open(QString *error)
{
    Discard();
    const QByteArray folder = OutputTarget::FolderOf(m_path);
    m_fd = TemporaryFiles::MakeUnnamed(folder);
    m_unnamed = m_fd >= 0;
    if (m_unnamed)
        return true;
    m_fd = TemporaryFiles::Make(folder, OutputTarget::NameOf(m_path), &m_temporary, error);
    if (m_fd < 0)
        m_temporary.clear();
    return m_fd >= 0;
}

QByteArray SaveFile::TemporaryPath() const
{
    if (m_unnamed && m_fd >= 0)
        return "/proc/self/fd/" + QByteArray::number(m_fd);
    return m_temporary;
}

void SaveFile::keepOwnerAndMode()
{
    // The owner first: changing it clears the set-user-ID bits.
    if (m_replaces && (m_owner != ::geteuid() || m_group != ::getegid())
        && ::fchown(m_fd, m_owner, m_group) != 0)
        (void)::fchown(m_fd, uid_t(-1), m_group); // a group of one's own, at least
}

bool SaveFile::Commit(QString *error)
{
    if (m_fd < 0) {
        *error = Texts::tr("nothing was written");
        return false;
    }
    keepOwnerAndMode();
    int reason = ::fchmod(m_fd, m_mode) == 0 ? 0 : errno;
    // After the mode: an access ACL sets the group's bits of the mode.
    if (reason == 0 && m_replaces)
        reason = copyAttributes(m_path, m_fd);
    if (reason == 0)
        reason = unlessUnsupported(runStep(Step::SyncData, [this] { return ::fdatasync(m_fd); }));
    // Opened before the rename, so that a folder that cannot be opened
    // leaves the older file in place. One that may be written but not
    // read (a drop folder) cannot be synced: the rename alone does there.
    const int folder = reason == 0 ? ::open(OutputTarget::FolderOf(m_path).constData(),
                                            O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                   : -1;
    if (reason == 0 && folder < 0 && errno != EACCES && errno != EPERM)
        reason = errno;
    bool placed = false;
    if (reason == 0)
        reason = replaceTarget(&placed);
    if (placed && folder >= 0)
        reason = unlessUnsupported(runStep(Step::SyncFolder, [folder] { return ::fsync(folder); }));
    if (folder >= 0)
        ::close(folder);
    if (!placed) {
        Discard();
        *error = reason ? qt_error_string(reason) : Texts::tr("the program is stopping");
        return false;
    }
    // In place now, whatever the folder's sync said.
    m_temporary.clear();
    ::close(m_fd);
    m_fd = -1;
    if (reason != 0) {
        *error = qt_error_string(reason);
        return false;
    }
    return true;
}

// 0 with `placed` when the temporary file took the target's name, or why
// not (0 too when the process is stopping).
int SaveFile::replaceTarget(bool *placed)
{
    if (m_unnamed)
        return placeUnnamed(placed);
    int reason = 0;
    *placed = TemporaryFiles::Commit(m_temporary, [&] {
        reason = runStep(Step::Replace, [this] {
            return ::rename(m_temporary.constData(), m_path.constData());
        });
        return reason == 0;
    });
    return reason;
}

// A link cannot replace a file: the unnamed file takes a temporary name of
// its own first, for as long as the rename takes.
int SaveFile::placeUnnamed(bool *placed)
{
    const QByteArray folder = OutputTarget::FolderOf(m_path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = TemporaryFiles::NewName(folder, OutputTarget::NameOf(m_path));
        if (!TemporaryFiles::Add(name))
            return 0;
        int reason = 0;
        bool linked = false;
        *placed = TemporaryFiles::Commit(name, [&] {
            reason = runStep(Step::Replace, [&] {
                if (linkUnnamed(m_fd, name) != 0)
                    return -1;
                linked = true;
                return ::rename(name.constData(), m_path.constData());
            });
            return reason == 0;
        });
        if (*placed)
            return 0;
        if (linked)
            ::unlink(name.constData());
        TemporaryFiles::Remove(name);
        if (reason != EEXIST || linked)
            return reason;
    }
    return EEXIST;
}

void SaveFile::Discard()
{
    // Removed while still locked, so no other process mistakes it for an
    // abandoned one in between.
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        TemporaryFiles::Remove(m_temporary);
        m_temporary.clear();
    }
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_unnamed = false;
}
