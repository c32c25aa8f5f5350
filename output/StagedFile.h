#pragma once

#include "output/SaveFile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Writes a job's output so that it is never seen half-written and an older
// file of its name stays exactly as it was until the new one is whole.
//
// What the name stands for decides how (see OutputTarget): a regular file,
// or a name not yet taken, is replaced atomically and durably through a
// SaveFile;
// anything else that exists under the name (a device such as /dev/null, a
// FIFO, a socket, or standard output under names such as /dev/stdout) is
// written in place, directly: it is never replaced. A symbolic link is
// written through to the file it names, which a dangling link creates.
class StagedFile
{
public:
    explicit StagedFile(const QString &target);
    ~StagedFile(); // discards what was not committed
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    // Opens the file to write; false (with ErrorString) when the target's
    // folder cannot hold a temporary file, the target is a folder, or the
    // thing in place cannot be opened for writing.
    bool Open();
    // True when the target is written in place rather than replaced.
    bool InPlace() const { return m_inPlace >= 0; }
    // A name under which another writer may open the file to write
    // (the printer's PDF engine opens its output by name).
    QString TemporaryPath() const;
    // The descriptor open for writing the file.
    int Handle() const { return m_save ? m_save->Handle() : m_inPlace; }
    // Gives the temporary file the target's name. In place: closes it.
    bool Commit();
    void Discard();

    QString ErrorString() const { return m_error; }
    // After a Commit, what the user should know although it succeeded: a
    // file that had other names (hard links) keeps its old content under
    // them. Empty otherwise.
    QString Notice() const { return m_notice; }

    // True when something other than a regular file or a folder exists
    // under `target` (links followed): Open would write it in place.
    static bool WritesInPlace(const QString &target);

    // Writes the file at `target` through `fill`, which gets a device open
    // for writing the file (closing it is harmless); the target is replaced
    // only when `fill` returns true and every byte was written. False
    // otherwise, with the file's own failure (not one of `fill`'s) in
    // `fileError`: the system's reason for the first write that failed,
    // whichever it was. `notice`, when given, gets Notice().
    static bool Write(const QString &target, const std::function<bool(QIODevice &out)> &fill,
                      QString *fileError, QString *notice = nullptr);

private:
    bool fail(const QString &reason);

    QString m_target;
    std::optional<SaveFile> m_save; // a regular file replaced, or a new one
    int m_inPlace = -1;             // the descriptor written in place
    unsigned m_links = 0;           // of the file replaced
    QString m_error;
    QString m_notice;
};
