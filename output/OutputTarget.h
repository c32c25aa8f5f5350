#pragma once

#include <QByteArray>
#include <QString>

// What a name given for a job's output stands for, once every symbolic link
// on the way is followed (a dangling one to the name it gives): a regular
// file to replace, a name not yet taken, a folder, or something to write in
// place (a device, a FIFO, a socket, or one of this process's own open
// descriptors under a name such as /dev/stdout or /proc/self/fd/N).
class OutputTarget
{
public:
    enum Kind { New, Regular, Folder, InPlace, Unreachable };

    static OutputTarget Resolve(const QString &name);

    Kind kind() const { return m_kind; }
    // The file the name finally stands for.
    const QByteArray &path() const { return m_path; }
    // Of a regular file: what its replacement takes over.
    unsigned mode() const { return m_mode; }
    unsigned owner() const { return m_owner; }
    unsigned group() const { return m_group; }
    // How many names the file has (hard links); its replacement takes only
    // the one written to.
    unsigned links() const { return m_links; }
    // Of an unreachable one: the system's reason.
    int error() const { return m_error; }

    // Opens what is written in place; -1 with errno on failure.
    int OpenInPlace() const;

    // The folder and the last name of a path.
    static QByteArray FolderOf(const QByteArray &path);
    static QByteArray NameOf(const QByteArray &path);
    // The name of the result of the result file `input`: its file name
    // without a final ".fib" (in any case), then `suffix`.
    static QString ResultName(const QString &input, const QString &suffix);

private:
    Kind m_kind = Unreachable;
    QByteArray m_path;
    int m_descriptor = -1; // this process's own, for a name that stands for one
    unsigned m_fileType = 0;
    unsigned m_mode = 0;
    unsigned m_owner = 0;
    unsigned m_group = 0;
    unsigned m_links = 0;
    int m_error = 0;
};
