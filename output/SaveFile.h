#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class OutputTarget;

// Replaces a regular file atomically and durably: the new content is
// written into a temporary file beside it (see TemporaryFiles), which takes
// the older file's mode, owner and group where the process may, and its
// extended attributes (its ACLs among them); the content is then synced to
// the disk, the temporary file takes the older file's name, and the folder
// is synced so that the new name survives a power cut too. Until the
// rename the older file stays exactly as it was; a SaveFile that is not
// committed leaves nothing behind.
class SaveFile
{
public:
    // The steps that put the new file on the disk, in their order.
    enum class Step { SyncData, Replace, SyncFolder };
    // Called before each step; a non-zero errno that it returns fails the
    // step as the system would. For tests, which watch the order and make
    // steps fail; none by default.
    using StepHook = std::function<int(Step step)>;
    static void SetStepHook(StepHook hook);

    // The file a target stands for (a regular file, or a name not yet
    // taken).
    explicit SaveFile(const OutputTarget &target);
    ~SaveFile(); // discards what was not committed
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    bool Open(QString *error);
    int Handle() const { return m_fd; }
    // A name under which another writer may open the temporary file: its
    // own, or /proc/self/fd/N for one without a name.
    QByteArray TemporaryPath() const;
    bool Commit(QString *error);
    void Discard();

private:
    void keepOwnerAndMode();
    int replaceTarget(bool *placed);
    int placeUnnamed(bool *placed);

    QByteArray m_path;
    bool m_replaces;
    unsigned m_mode;
    unsigned m_owner;
    unsigned m_group;
    QByteArray m_temporary; // of a named temporary file; empty when none
    bool m_unnamed = false;
    int m_fd = -1;
};
