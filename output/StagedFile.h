#pragma once

#include <QString>

#include <functional>

class QIODevice;

// A file that another writer fills by name (the printer's PDF engine opens
// its output file itself): that writer gets a temporary file beside the
// target, and the target is replaced by it only on Commit. Until then, and
// whenever the job fails or is cancelled, an older file of the target's
// name stays exactly as it was and no partial file is left behind.
class StagedFile
{
public:
    explicit StagedFile(const QString &target);
    ~StagedFile(); // discards what was not committed
    StagedFile(const StagedFile &) = delete;
    StagedFile &operator=(const StagedFile &) = delete;

    // Makes the temporary file; false (with ErrorString) when the target's
    // folder cannot hold it or the target is a folder.
    bool Open();
    QString TemporaryPath() const { return m_temporary; }
    // Gives the temporary file the target's name, with the permissions of
    // the file it replaces (or the usual ones for a new file).
    bool Commit();
    void Discard();

    QString ErrorString() const { return m_error; }

    // Writes the file at `target` through `fill`, which gets a device open
    // for writing into the temporary file (closing it is harmless); the
    // target is replaced only when `fill` returns true and every byte was
    // written. False otherwise, with the file's own
    // failure (not one of `fill`'s) in `fileError`. There is no fsync: the
    // rename alone makes the replacement atomic for every reader, and, as
    // with cp or a shell's redirection, writing back is left to the system.
    static bool Write(const QString &target, const std::function<bool(QIODevice &out)> &fill,
                      QString *fileError);

private:
    QString m_target;
    QString m_temporary;
    QString m_error;
};
