#pragma once

#include <QByteArray>

#include <functional>

// The temporary files this process has beside the files it writes, so that
// a process stopped by a signal while something still blocks it (a stalled
// reader, an input that never comes) can remove them before it ends.
// Names are the bytes handed to the system. Safe on any thread.
//
// A process that is stopping makes no new temporary file and lets none
// replace its target. It is stopping once Stop has run, or as soon as
// SIGINT or SIGTERM is pending for it (a process that blocks them and
// leaves them to a thread of its own has not taken them yet).
class TemporaryFiles
{
public:
    // Notes a name before the file is made; false when the process is
    // stopping.
    static bool Add(const QByteArray &path);
    // The file is gone.
    static void Remove(const QByteArray &path);
    // Runs `replace`, which makes the file at `path` take its target's
    // place, unless the process is stopping; the file is no longer noted
    // once that succeeded. False when it did not run or failed.
    static bool Commit(const QByteArray &path, const std::function<bool()> &replace);
    // From now on the process is stopping.
    static void Stop();
    // Stop, then remove every file noted (and an empty folder noted the
    // same way). For a process that is about to end.
    static void RemoveAll();
};
