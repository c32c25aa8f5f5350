#pragma once

#include <QByteArray>
#include <QString>

// Replaces a regular file atomically: the new content is written into a
// temporary file beside it (see TemporaryFiles), which takes the older
// file's mode and, where the process may, its owner and group, and then its
// name. Until Commit the older file stays exactly as it was; a SaveFile
// that is not committed leaves nothing behind.
class SaveFile
{
public:
    // The file at `path` (links already followed); `replaces` when a
    // regular file is there, whose `mode`, `owner` and `group` the new one
    // takes, otherwise a new file of `mode`.
    SaveFile(const QByteArray &path, bool replaces, unsigned mode, unsigned owner, unsigned group);
    ~SaveFile(); // discards what was not committed
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    bool Open(QString *error);
    int Handle() const { return m_fd; }
    const QByteArray &TemporaryPath() const { return m_temporary; }
    bool Commit(QString *error);
    void Discard();

private:
    QByteArray m_path;
    bool m_replaces;
    unsigned m_mode;
    unsigned m_owner;
    unsigned m_group;
    QByteArray m_temporary; // empty when none
    int m_fd = -1;
};
