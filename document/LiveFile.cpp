#include "document/LiveFile.h"

#include "data/NativePath.h"

#include <QFileInfo>

#include <utility>

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
    m_deadline.setSingleShot(true);
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QuietMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &LiveFile::tell);
    connect(&m_deadline, &QTimer::timeout, this, &LiveFile::tell);
    connect(&m_quiet, &QTimer::timeout, this, [this] {
        if (std::exchange(m_growing, false))
            emit quiet();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &LiveFile::noted);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &LiveFile::noted);
}

// The growing state outlives a watch of the same file: the version read
// again while it grows is watched anew.
void LiveFile::Watch(const QString &path, const Identity &read)
{
    const bool growing = m_growing && path == m_path;
    Stop();
    // What a FIFO or a device gives is read again when its tab is chosen.
    if (read.present && !read.regular)
        return;
    m_path = path;
    m_read = read;
    m_growing = growing;
    watchPaths();
    if (m_growing)
        m_quiet.start();
    // Changed between the read and now: no event will come for that.
    if (IdentityOf(path) != read)
        noted();
}

void LiveFile::Stop()
{
    m_settle.stop();
    m_deadline.stop();
    m_quiet.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path.clear();
    m_gone = false;
    m_growing = false;
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

// Every change puts the telling off again, up to the deadline of the first
// change not yet told.
void LiveFile::noted()
{
    if (m_path.isEmpty())
        return;
    m_settle.start(SettleMilliseconds);
    if (!m_deadline.isActive())
        m_deadline.start(ReadEveryMilliseconds);
    if (m_growing)
        m_quiet.start();
}

void LiveFile::tell()
{
    // Told from the deadline while the moment of quiet is still awaited.
    const bool changesKeepComing = m_settle.isActive();
    if (m_lastTold.isValid() && m_lastTold.elapsed() < ReadEveryMilliseconds) {
        m_settle.stop();
        m_deadline.start(int(ReadEveryMilliseconds - m_lastTold.elapsed()));
        return;
    }
    m_settle.stop();
    m_deadline.stop();
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
    const bool longer = m_read.present && now.device == m_read.device && now.inode == m_read.inode
        && now.size > m_read.size;
    m_growing = longer || changesKeepComing;
    m_read = now;
    m_lastTold.start();
    if (m_growing)
        m_quiet.start();
    emit changed(m_growing);
}
