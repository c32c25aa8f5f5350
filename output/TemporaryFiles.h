#pragma once

#include <QByteArray>

// The temporary files this process has beside the files it writes, so that
// a process stopped by a signal while something still blocks it (a stalled
// reader, an input that never comes) can remove them before it ends.
// Names are the bytes handed to the system. Safe on any thread.
class TemporaryFiles
{
public:
    // Notes a name before the file is made; false once RemoveAll has run,
    // so that nothing new is made by a process on its way out.
    static bool Add(const QByteArray &path);
    // The file is gone or has become the target.
    static void Remove(const QByteArray &path);
    // Removes every file noted (and an empty folder noted the same way) and
    // refuses any later Add. For a process that is about to end.
    static void RemoveAll();
};
