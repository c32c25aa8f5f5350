#include "output/SaveFile.h"

#include "data/Texts.h"
#include "output/OutputTarget.h"
#include "output/TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

SaveFile::SaveFile(const QByteArray &path, bool replaces, unsigned mode, unsigned owner,
                   unsigned group)
    : m_path(path), m_replaces(replaces), m_mode(mode), m_owner(owner), m_group(group)
{
}

SaveFile::~SaveFile()
{
    Discard();
}

bool SaveFile::Open(QString *error)
{
    Discard();
    m_fd = TemporaryFiles::Make(OutputTarget::FolderOf(m_path), OutputTarget::NameOf(m_path),
                                &m_temporary, error);
    if (m_fd < 0)
        m_temporary.clear();
    return m_fd >= 0;
}

bool SaveFile::Commit(QString *error)
{
    if (m_fd < 0) {
        *error = Texts::tr("nothing was written");
        return false;
    }
    // The owner first: changing it clears the set-user-ID bits.
    if (m_replaces && (m_owner != ::geteuid() || m_group != ::getegid())
        && ::fchown(m_fd, m_owner, m_group) != 0)
        (void)::fchown(m_fd, uid_t(-1), m_group); // a group of one's own, at least
    int reason = ::fchmod(m_fd, m_mode) == 0 ? 0 : errno;
    const bool renamed = reason == 0 && TemporaryFiles::Commit(m_temporary, [&] {
        const bool ok = ::rename(m_temporary.constData(), m_path.constData()) == 0;
        reason = ok ? 0 : errno;
        return ok;
    });
    if (!renamed) {
        Discard();
        *error = reason ? qt_error_string(reason) : Texts::tr("the program is stopping");
        return false;
    }
    m_temporary.clear();
    ::close(m_fd);
    m_fd = -1;
    return true;
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
}
