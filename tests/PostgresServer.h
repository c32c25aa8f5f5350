#pragma once

// A PostgreSQL server of a test's own: Debian's binaries, a cluster made
// by initdb in a temporary folder, listening on a Unix socket in that
// folder only, stopped when the test ends. Run as root (as CI runs), the
// server runs as the unprivileged user nobody, which initdb asks for.

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <unistd.h>

class PostgresServer
{
public:
    ~PostgresServer() { Stop(); }

    // False with the reason where it cannot start; `missing` is set where
    // the server's binaries are not installed at all.
    bool Start(QString *why, bool *missing)
    {
        *missing = false;
        const QStringList versions =
            QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &version : versions) {
            if (QFile::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/initdb").arg(version)))
                m_bin = QStringLiteral("/usr/lib/postgresql/%1/bin/").arg(version);
        }
        if (m_bin.isEmpty()) {
            *missing = true;
            *why = QStringLiteral("PostgreSQL's server is not installed (Debian: postgresql)");
            return false;
        }
        m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/quenvale-pg-XXXXXX"));
        if (!m_dir->isValid() || (::geteuid() == 0 && ::chown(m_dir->path().toLocal8Bit().constData(), 65534, 65534) != 0)) {
            *why = QStringLiteral("cannot make the server's folder");
            return false;
        }
        if (!run(m_bin + QStringLiteral("initdb"), {QStringLiteral("-D"), data(), QStringLiteral("-A"),
                                                   QStringLiteral("trust"), QStringLiteral("-U"), User()},
                 why))
            return false;
        return Restart(why);
    }

    // The cluster started (again, after Stop).
    bool Restart(QString *why)
    {
        m_started = run(m_bin + QStringLiteral("pg_ctl"),
                        {QStringLiteral("-D"), data(), QStringLiteral("-o"),
                         QStringLiteral("-k %1 -c listen_addresses=''").arg(m_dir->path()), QStringLiteral("-l"),
                         m_dir->filePath(QStringLiteral("log")), QStringLiteral("-w"), QStringLiteral("start")},
                        why);
        return m_started;
    }

    void Stop()
    {
        if (!m_started)
            return;
        QString why;
        run(m_bin + QStringLiteral("pg_ctl"), {QStringLiteral("-D"), data(), QStringLiteral("-m"),
                                              QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")},
            &why);
        m_started = false;
    }

    static QString User() { return QStringLiteral("quenvale"); }
    // The server's own folder, which it can reach (the test's may not be).
    QString Folder() const { return m_dir->path(); }
    QString Url(const QString &database = QStringLiteral("postgres")) const
    {
        return QStringLiteral("postgresql://%1@/%2?host=%3").arg(User(), database, m_dir->path());
    }
    // The first column of `sql`'s rows, one a line, as psql gives them.
    QByteArray Psql(const QString &sql, const QString &database = QStringLiteral("postgres")) const
    {
        QProcess psql;
        psql.start(QStringLiteral("psql"), {QStringLiteral("-h"), m_dir->path(), QStringLiteral("-U"), User(),
                                            QStringLiteral("-d"), database, QStringLiteral("-At"),
                                            QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                                            QStringLiteral("-c"), sql});
        psql.waitForFinished(30000);
        if (psql.exitCode() != 0)
            qWarning("psql: %s", psql.readAllStandardError().constData());
        return psql.readAllStandardOutput().trimmed();
    }

private:
    QString data() const { return m_dir->filePath(QStringLiteral("data")); }

    // As nobody where this runs as root: the server refuses root.
    bool run(const QString &program, const QStringList &arguments, QString *why) const
    {
        QProcess process;
        process.setWorkingDirectory(m_dir->path());
        if (::geteuid() == 0)
            process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("nobody"),
                                                                 QStringLiteral("--"), program}
                                                         + arguments);
        else
            process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            *why = QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
            return false;
        }
        return true;
    }

    QString m_bin;
    std::unique_ptr<QTemporaryDir> m_dir;
    bool m_started = false;
};

// Starts `server` within a test function: the test is skipped where the
// server's programs are missing, and fails where the server will not start.
#define QUENVALE_START_SERVER(server)                                                                               \
    do {                                                                                                           \
        QString why_;                                                                                              \
        bool missing_ = false;                                                                                     \
        if (!(server).Start(&why_, &missing_)) {                                                                   \
            if (missing_)                                                                                          \
                QSKIP(qPrintable(why_));                                                                           \
            QFAIL(qPrintable(why_));                                                                               \
        }                                                                                                          \
    } while (false)
