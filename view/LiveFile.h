#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// The file on screen, watched for changes on disk: rewritten in place or
// replaced by another file under its name, as stations and editors do.
// The system tells of every change (there is no polling); once the file
// has been left alone for a moment, `changed` says it is no longer the file
// that was read, or `gone` that nothing is left under its name.
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

    // How long a file must be left alone before it is read again.
    static constexpr int SettleMilliseconds = 300;

    explicit LiveFile(QObject *parent = nullptr);

    // Watches `path`, whose version `read` is the one shown; not a FIFO or
    // a device.
    void Watch(const QString &path, const Identity &read);
    void Stop();
    const QString &Path() const { return m_path; }

signals:
    void changed();
    void gone();

private:
    void noted();
    void settled();
    void watchPaths();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    Identity m_read;
    bool m_gone = false;
};
