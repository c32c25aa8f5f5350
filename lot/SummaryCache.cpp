#include "lot/SummaryCache.h"

#include "data/NativePath.h"

#include <QDateTime>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <unistd.h>
#include <utility>

namespace {

// "QVLC": what tells the program's databases from any other SQLite file.
constexpr qint64 kApplicationId = 0x51564c43;
// How long a connection waits for another's write to end.
constexpr int kBusyMilliseconds = 10000;

// SQLite's result codes that say nothing against the database itself.
constexpr int kBusy = 5, kLocked = 6, kNoMemory = 7, kInterrupted = 9, kInputOutput = 10, kFull = 13;

QString newConnectionName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("quenvale-summary-cache-%1").arg(next++);
}

// The marginal band as the key holds it: every digit of the number.
QString bandKey(const std::optional<double> &warnMargin)
{
    return warnMargin ? QString::number(*warnMargin, 'g', 17) : QStringLiteral("none");
}

QString shown(const QString &path)
{
    return NativePath::Display(path);
}

bool renameFile(const QString &from, const QString &to, QString *reason)
{
    if (::rename(NativePath::Encode(from).constData(), NativePath::Encode(to).constData()) == 0 || errno == ENOENT)
        return true;
    *reason = qt_error_string(errno);
    return false;
}

} // namespace

QString SummaryCache::DefaultFolder()
{
    QString base = NativePath::Decode(qgetenv("XDG_CACHE_HOME"));
    if (!base.startsWith(QLatin1Char('/')))
        base = NativePath::Decode(qgetenv("HOME")) + QLatin1String("/.cache");
    return base + QLatin1String("/quenvale");
}

SummaryCache::SummaryCache(const QString &folder) : m_folder(folder), m_connection(newConnectionName()) {}

SummaryCache::~SummaryCache()
{
    close();
}

QString SummaryCache::Path() const
{
    return m_folder + QLatin1Char('/') + FileName();
}

bool SummaryCache::Open()
{
    if (!QDir().mkpath(m_folder)) {
        notice(tr("no summary cache: the folder \"%1\" cannot be made; every file is read").arg(shown(m_folder)));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        notice(tr("no summary cache: Qt's SQLite driver is not installed (package libqt6sql6-sqlite); "
                  "every file is read"));
        return false;
    }
    return openDatabase();
}

// Opens the database; one that cannot be trusted is set aside and a new
// one made.
bool SummaryCache::openDatabase()
{
    Problem problem;
    if (connect(&problem))
        return true;
    if (!problem.unusable) {
        notice(tr("no summary cache this time: \"%1\" cannot be used (%2); every file is read")
                   .arg(shown(Path()), problem.reason));
        return false;
    }
    if (!setAside(problem.reason))
        return false;
    if (connect(&problem))
        return true;
    notice(tr("no summary cache: a new \"%1\" cannot be made (%2); every file is read")
               .arg(shown(Path()), problem.reason));
    return false;
}

bool SummaryCache::connect(Problem *problem)
{
    close();
    m_database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_database.setDatabaseName(Path());
    m_database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyMilliseconds));
    if (!m_database.open()) {
        *problem = problemOf(m_database.lastError());
        close();
        return false;
    }
    if (!prepareSchema(problem)) {
        close();
        return false;
    }
    m_open = true;
    return true;
}

// WAL, and the table where there is none yet; false for a database that
// is not this program's cache of this schema.
bool SummaryCache::prepareSchema(Problem *problem)
{
    QSqlQuery query(m_database);
    const auto run = [&](const QString &statement, QVariant *value = nullptr) {
        if (!query.exec(statement)) {
            *problem = problemOf(query.lastError());
            return false;
        }
        if (value)
            *value = query.next() ? query.value(0) : QVariant();
        query.finish();
        return true;
    };
    QVariant mode, application, version, tables;
    // Mapped rather than read page by page: a lot of ten thousand files
    // reads some forty megabytes of it.
    if (!run(QStringLiteral("PRAGMA journal_mode=WAL"), &mode) || !run(QStringLiteral("PRAGMA synchronous=NORMAL"))
        || !run(QStringLiteral("PRAGMA mmap_size=268435456"))
        || !run(QStringLiteral("PRAGMA application_id"), &application)
        || !run(QStringLiteral("PRAGMA user_version"), &version))
        return false;
    if (application.toLongLong() == 0 && version.toLongLong() == 0) {
        // New, or being made by another process at this very moment: the
        // write lock decides, and the one that comes second finds it made.
        if (!run(QStringLiteral("BEGIN IMMEDIATE")))
            return false;
        const bool made = run(QStringLiteral("PRAGMA user_version"), &version)
            && run(QStringLiteral("SELECT count(*) FROM sqlite_master"), &tables)
            && (version.toLongLong() != 0 || tables.toLongLong() != 0
                || (run(QStringLiteral("CREATE TABLE summaries (path BLOB NOT NULL, band TEXT NOT NULL, "
                                       "size INTEGER NOT NULL, mtime_ns INTEGER NOT NULL, "
                                       "inode INTEGER NOT NULL, summary BLOB NOT NULL, "
                                       "PRIMARY KEY (path, band))"))
                    && run(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId))
                    && run(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion))))
            && run(QStringLiteral("COMMIT"));
        if (!made) {
            query.exec(QStringLiteral("ROLLBACK"));
            return false;
        }
        if (!run(QStringLiteral("PRAGMA application_id"), &application)
            || !run(QStringLiteral("PRAGMA user_version"), &version))
            return false;
    }
    if (application.toLongLong() != kApplicationId) {
        *problem = {true, tr("it is no summary cache of this program")};
        return false;
    }
    if (version.toLongLong() != SchemaVersion) {
        *problem = {true, tr("its schema version is %1, this program's %2").arg(version.toLongLong()).arg(SchemaVersion)};
        return false;
    }
    if (mode.toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        *problem = {true, tr("it cannot be written")};
        return false;
    }
    return true;
}

bool SummaryCache::setAside(const QString &reason)
{
    close();
    const QString aside = Path() + QLatin1String(".aside-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QLatin1Char('-')
        + QString::number(::getpid());
    QString why;
    if (!renameFile(Path(), aside, &why)) {
        notice(tr("no summary cache: \"%1\" cannot be used (%2) nor set aside (%3); every file is read")
                   .arg(shown(Path()), reason, why));
        return false;
    }
    // Its log and index go with it: a new database must not take them up.
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        renameFile(Path() + QLatin1String(suffix), aside + QLatin1String(suffix), &why);
    notice(tr("the summary cache \"%1\" could not be used (%2): it was set aside as \"%3\", and a new "
              "one is made")
               .arg(shown(Path()), reason, shown(aside)));
    return true;
}

void SummaryCache::close()
{
    m_open = false;
    if (m_database.isValid())
        m_database.close();
    m_database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

SummaryCache::Problem SummaryCache::problemOf(const QSqlError &error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    const bool passing = known
        && (code == kBusy || code == kLocked || code == kNoMemory || code == kInterrupted
            || code == kInputOutput || code == kFull);
    return {!passing, error.text()};
}

void SummaryCache::failed(const QSqlError &error, const QString &doing)
{
    const Problem problem = problemOf(error);
    if (!problem.unusable) {
        notice(tr("the summary cache \"%1\" could not be %2 (%3); the files are read as without it")
                   .arg(shown(Path()), doing, problem.reason));
        return;
    }
    if (setAside(problem.reason))
        openDatabase();
}

void SummaryCache::rollback()
{
    QSqlQuery(m_database).exec(QStringLiteral("ROLLBACK"));
}

void SummaryCache::notice(const QString &text)
{
    m_notices.append(text);
}

QStringList SummaryCache::TakeNotices()
{
    return std::exchange(m_notices, {});
}

QList<std::optional<FileSummary>> SummaryCache::Find(const QList<FileStamp> &stamps,
                                                     std::optional<double> warnMargin)
{
    QList<std::optional<FileSummary>> found(stamps.size());
    if (!m_open)
        return found;
    // One read transaction: one snapshot, and one lock for all the lookups.
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("BEGIN"))
        || !query.prepare(QStringLiteral("SELECT size, mtime_ns, inode, summary FROM summaries "
                                         "WHERE path = ? AND band = ?"))) {
        failed(query.lastError(), tr("read"));
        return found;
    }
    const QString band = bandKey(warnMargin);
    for (qsizetype i = 0; i < stamps.size(); ++i) {
        const FileStamp &stamp = stamps.at(i);
        if (stamp.size < 0)
            continue;
        query.addBindValue(stamp.path);
        query.addBindValue(band);
        if (!query.exec()) {
            const QSqlError error = query.lastError();
            query = QSqlQuery();
            rollback();
            failed(error, tr("read"));
            return QList<std::optional<FileSummary>>(stamps.size());
        }
        if (!query.next())
            continue;
        if (query.value(0).toLongLong() != stamp.size || query.value(1).toLongLong() != stamp.modifiedNs
            || quint64(query.value(2).toLongLong()) != stamp.inode)
            continue;
        FileSummary summary;
        if (!FileSummary::Decode(query.value(3).toByteArray(), &summary) || summary.WarnMargin() != warnMargin) {
            query = QSqlQuery();
            rollback();
            if (setAside(tr("an entry of it is damaged")))
                openDatabase();
            return QList<std::optional<FileSummary>>(stamps.size());
        }
        found[i] = std::move(summary);
    }
    query.finish();
    query.exec(QStringLiteral("COMMIT"));
    return found;
}

void SummaryCache::Store(const QList<Entry> &entries)
{
    if (!m_open || entries.isEmpty())
        return;
    QSqlQuery query(m_database);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        failed(query.lastError(), tr("written"));
        return;
    }
    bool stored = query.prepare(QStringLiteral("INSERT OR REPLACE INTO summaries "
                                               "(path, band, size, mtime_ns, inode, summary) "
                                               "VALUES (?, ?, ?, ?, ?, ?)"));
    for (qsizetype i = 0; stored && i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        query.addBindValue(entry.stamp.path);
        query.addBindValue(bandKey(entry.summary->WarnMargin()));
        query.addBindValue(entry.stamp.size);
        query.addBindValue(entry.stamp.modifiedNs);
        query.addBindValue(qint64(entry.stamp.inode));
        query.addBindValue(entry.summary->Encode());
        stored = query.exec();
    }
    if (stored)
        stored = query.exec(QStringLiteral("COMMIT"));
    if (!stored) {
        const QSqlError error = query.lastError();
        query = QSqlQuery();
        rollback();
        failed(error, tr("written"));
    }
}
