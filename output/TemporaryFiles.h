#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// The temporary files this process has beside the files it writes, so that
// a process stopped by a signal while something still blocks it (a stalled
// reader, an input that never comes) can remove them before it ends.
// Names are the bytes handed to the system. Safe on any thread.
//
// A temporary file is private (0600) and named ".quenvale-XXXXXXXX-NAME"
// beside the file NAME it stands in for (".quenvale-XXXXXXXX" where NAME is
// too long for that). It is locked while in use, so that a later process
// writing into the same folder removes those left by a process that was
// killed, and no others.
//
// Where the file system can, a temporary file has no name at all while it
// is written (O_TMPFILE): then nothing of it is left whatever ends the
// process, SIGKILL and a power cut included. It takes a name of its own
// only for the moment before it takes its target's.
//
// A process that is stopping makes no new temporary file and lets none
// replace its target. It is stopping once Stop has run, or as soon as a
// fatal signal from outside is pending for it (a process that blocks them
// and leaves them to a thread of its own has not taken them yet; see
// FatalSignals).
class TemporaryFiles
{
public:
    // A new unnamed temporary file in `folder`, locked, its descriptor open
    // for writing; -1 where the folder's file system cannot make one, or
    // the process is stopping. It is linked into place through
    // /proc/self/fd/N.
    static int MakeUnnamed(const QByteArray &folder);
    // A name for a temporary file in `folder` for the file `name` there,
    // not yet taken as far as chance goes (see Add).
    static QByteArray NewName(const QByteArray &folder, const QByteArray &name);

    // Makes, notes and locks a new temporary file in `folder` for the file
    // `name` there, after removing the abandoned ones of that folder; its
    // descriptor, open for writing, and its path. -1 with a reason on
    // failure.
    static int Make(const QByteArray &folder, const QByteArray &name, QByteArray *path,
                    QString *error);

    // Notes a name before the file is made; false when the process is
    // stopping.
    static bool Add(const QByteArray &path);
    // The file is gone.
    static void Remove(const QByteArray &path);
    // Runs `replace`, which makes the file at `path` take its target's
    // place, unless the process is stopping; the file is no longer noted
    // once that succeeded. False when it did not run or failed.
    static bool Commit(const QByteArray &path, const std::function<bool()> &replace);
    // The reason a write into a file of the temporary folder (QDir's
    // tempPath, where a workbook's rows and sheets wait) failed with the
    // system's `error`, naming that folder: it is seldom on the target's
    // disk, and a full one must not be taken for the target's.
    static QString InTemporaryFolder(int error);

    // From now on the process is stopping.
    static void Stop();
    // Stop, then remove every file noted (and an empty folder noted the
    // same way). For a process that is about to end.
    static void RemoveAll();
};
