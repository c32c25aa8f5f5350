#pragma once

#include <QString>

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

private:
    QString m_target;
    QString m_temporary;
    QString m_error;
};
