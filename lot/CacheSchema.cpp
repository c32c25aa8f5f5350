#include "lot/CacheSchema.h"

#include "data/ChannelColumns.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

// "QVLC": what tells the program's databases from any other SQLite file.
constexpr qint64 kApplicationId = 0x51564c43;
// What the write-ahead log is cut back to after each checkpoint: SQLite's
// checkpoint every thousand pages of four kilobytes.
constexpr qint64 kLogLimit = 4 << 20;
// SQLite's result codes that say nothing against the database itself.
constexpr int kBusy = 5, kLocked = 6, kNoMemory = 7, kInterrupted = 9, kInputOutput = 10, kFull = 13;

} // namespace

// WAL, and the schema checked and where need be made, in one transaction
// that holds the write lock: a process that comes second finds it made.
// False for a database that is not this program's cache of a schema it
// can use.
bool CacheSchema::Prepare(QSqlDatabase &database, Problem *problem)
{
    QSqlQuery query(database);
    const auto run = [&](const QString &statement, QVariant *value = nullptr) {
        if (!query.exec(statement)) {
            *problem = ProblemOf(query.lastError());
            return false;
        }
        if (value)
            *value = query.next() ? query.value(0) : QVariant();
        query.finish();
        return true;
    };
    QVariant mode, application, version, tables;
    // Pages freed by dropped entries go back to the system (a new
    // database only: it cannot be changed once there are tables). Mapped
    // rather than read page by page: a lot of ten thousand files reads
    // some forty megabytes of it.
    if (!run(QStringLiteral("PRAGMA auto_vacuum=INCREMENTAL"))
        || !run(QStringLiteral("PRAGMA journal_mode=WAL"), &mode) || !run(QStringLiteral("PRAGMA synchronous=NORMAL"))
        || !run(QStringLiteral("PRAGMA journal_size_limit=%1").arg(kLogLimit))
        || !run(QStringLiteral("PRAGMA mmap_size=268435456")))
        return false;
    if (mode.toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        *problem = {true, false, tr("it cannot be written")};
        return false;
    }
    if (!run(QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    bool usable = run(QStringLiteral("PRAGMA application_id"), &application)
        && run(QStringLiteral("PRAGMA user_version"), &version)
        && run(QStringLiteral("SELECT count(*) FROM sqlite_master"), &tables);
    if (usable) {
        const bool empty = application.toLongLong() == 0 && version.toLongLong() == 0 && tables.toLongLong() == 0;
        const bool ours = application.toLongLong() == kApplicationId;
        if (!empty && !ours) {
            *problem = {true, false, tr("it is no summary cache of this program")};
            usable = false;
        } else if (ours && version.toLongLong() > Version) {
            *problem = {true, false, tr("its schema version is %1, this program's %2")
                                  .arg(version.toLongLong())
                                  .arg(Version)};
            usable = false;
        } else if (empty || version.toLongLong() < Version || !sameFigures(query)) {
            usable = make(query, problem);
        }
    }
    if (!usable || !run(QStringLiteral("COMMIT"))) {
        query.finish();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    return true;
}

// Whether the entries hold the figures this program lists: a program with
// other figures makes the cache anew.
bool CacheSchema::sameFigures(QSqlQuery &query)
{
    const bool same = query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'figures'")) && query.next()
        && query.value(0).toByteArray() == ChannelColumns::Signature();
    query.finish();
    return same;
}

// This schema's tables, in place of an older one's.
bool CacheSchema::make(QSqlQuery &query, Problem *problem)
{
    QStringList old;
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                   "AND name NOT LIKE 'sqlite_%'"))) {
        *problem = ProblemOf(query.lastError());
        return false;
    }
    while (query.next())
        old.append(query.value(0).toString());
    query.finish();
    QStringList statements;
    for (const QString &table : std::as_const(old))
        statements.append(QStringLiteral("DROP TABLE \"%1\"").arg(table));
    statements += {
        QStringLiteral("CREATE TABLE files (id INTEGER PRIMARY KEY, device INTEGER NOT NULL, "
                       "inode INTEGER NOT NULL, size INTEGER NOT NULL, mtime_ns INTEGER NOT NULL, "
                       "ctime_ns INTEGER NOT NULL, hash INTEGER NOT NULL, verify INTEGER NOT NULL, "
                       "path BLOB NOT NULL, used INTEGER NOT NULL, checked INTEGER NOT NULL, "
                       "summary BLOB NOT NULL, UNIQUE (device, inode))"),
        QStringLiteral("CREATE INDEX files_used ON files (used)"),
        QStringLiteral("CREATE INDEX files_checked ON files (checked)"),
        QStringLiteral("CREATE TABLE bands (file INTEGER NOT NULL, band TEXT NOT NULL, figures BLOB NOT NULL, "
                       "PRIMARY KEY (file, band)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE meta (key TEXT PRIMARY KEY, value BLOB NOT NULL)"),
        QStringLiteral("INSERT INTO meta (key, value) VALUES ('figures', x'%1')")
            .arg(QString::fromLatin1(ChannelColumns::Signature().toHex())),
        QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId),
        QStringLiteral("PRAGMA user_version=%1").arg(Version),
    };
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement)) {
            *problem = ProblemOf(query.lastError());
            return false;
        }
    }
    return true;
}

CacheSchema::Problem CacheSchema::ProblemOf(const QSqlError &error)
{
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    const bool busy = known && (code == kBusy || code == kLocked);
    const bool passing = known && (busy || code == kNoMemory || code == kInterrupted || code == kInputOutput || code == kFull);
    return {!passing, busy, error.text()};
}
