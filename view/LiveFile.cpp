#include "view/LiveFile.h"

#include "data/NativePath.h"

#include <QFileInfo>

#include <sys/stat.h>

bool LiveFile::Identity::operator==(const Identity &other) const
{
    return present == other.present && regular == other.regular && device == other.device && inode == other.inode
        && size == other.size && modified == other.modified && changed == other.changed;
}

LiveFile::Identity LiveFile::IdentityOf(const QString &path)
{
    struct stat info = {};
    Identity identity;
    if (::stat(NativePath::Encode(path).constData(), &info) != 0)
        return identity;
    identity.present = true;
    identity.regular = S_ISREG(info.st_mode);
    identity.device = quint64(info.st_dev);
    identity.inode = quint64(info.st_ino);
    identity.size = qint64(info.st_size);
    identity.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    identity.changed = qint64(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return identity;
}

LiveFile::LiveFile(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &LiveFile::settled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &LiveFile::noted);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &LiveFile::noted);
}

void LiveFile::Watch(const QString &path, const Identity &read)
{
    Stop();
    // What a FIFO or a device gives is read again when its tab is chosen.
    if (read.present && !read.regular)
        return;
    m_path = path;
    m_read = read;
    watchPaths();
    // Changed between the read and now: no event will come for that.
    if (IdentityOf(path) != read)
        m_settle.start();
}

void LiveFile::Stop()
{
    m_settle.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path.clear();
    m_gone = false;
}

// The folder too: a file replaced under its name is a new file, which the
// watch on the old one never hears of.
void LiveFile::watchPaths()
{
    if (m_path.isEmpty())
        return;
    const QString folder = QFileInfo(m_path).absolutePath();
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
}

// Every change puts the reading off again, until the writer is done.
void LiveFile::noted()
{
    if (!m_path.isEmpty())
        m_settle.start();
}

void LiveFile::settled()
{
    watchPaths(); // a file that came back under the name is watched anew
    const Identity now = IdentityOf(m_path);
    if (!now.present) {
        if (!m_gone) {
            m_gone = true;
            emit gone();
        }
        return;
    }
    m_gone = false;
    if (now == m_read)
        return;
    m_read = now;
    emit changed();
}
