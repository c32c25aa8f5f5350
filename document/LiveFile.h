#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// The file on screen, watched for changes on disk: rewritten in place or
// replaced by another file under its name, as stations and editors do, or
// written on as a station measures. The system tells of every change (there
// is no polling).
//
// A change is told once the file has been left alone for a moment, or,
// while changes keep coming, a second after the first change not yet told;
// never sooner than a second after the change told before, so that a file
// written on without a pause is read again about once a second. `changed`
// says the file is no longer the version that was read, and whether it is
// growing: written on while it is read, or longer than the version read
// under the same name and inode. `quiet` follows a growing file's last
// change once nothing has changed for QuietMilliseconds; `gone` says that
// nothing is left under its name.
class LiveFile : public QObject
{
    Q_OBJECT
public:
    // What tells one version of a file from another.
    struct Identity
    {
        bool present = false;
        bool regular = false; // a FIFO or a device has no versions to tell apart
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modified = 0; // nanoseconds
        qint64 changed = 0;  // of the inode, nanoseconds

        bool operator==(const Identity &other) const;
        bool operator!=(const Identity &other) const { return !(*this == other); }
    };
    static Identity IdentityOf(const QString &path);

    // How long a file must be left alone before a change is told.
    static constexpr int SettleMilliseconds = 300;
    // The longest a change waits while changes keep coming, and the least
    // time between two changes told.
    static constexpr int ReadEveryMilliseconds = 1000;
    // How long a growing file must be left alone to count as written.
    static constexpr int QuietMilliseconds = 2000;

    explicit LiveFile(QObject *parent = nullptr);

    // Watches `path`, whose version `read` is the one shown; not a FIFO or
    // a device.
    void Watch(const QString &path, const Identity &read);
    void Stop();
    const QString &Path() const { return m_path; }

signals:
    void changed(bool growing);
    void quiet();
    void gone();

private:
    void noted();
    void tell();
    void watchPaths();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;   // the moment of quiet after the last change
    QTimer m_deadline; // a second after the first change not yet told
    QTimer m_quiet;    // a growing file written
    QElapsedTimer m_lastTold;
    QString m_path;
    Identity m_read;
    bool m_gone = false;
    bool m_growing = false; // the version told last was growing
};
