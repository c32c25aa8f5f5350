#include "lot/SummaryCache.h"

#include "data/ChannelColumns.h"
#include "data/NativePath.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "data/ResultFile.h"

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace {

// "QVLC": what tells the program's databases from any other SQLite file.
constexpr qint64 kApplicationId = 0x51564c43;
// How long a connection waits for another's write to end.
constexpr int kBusyMilliseconds = 10000;

// What the write-ahead log is cut back to after each checkpoint: SQLite's
// checkpoint every thousand pages of four kilobytes.
constexpr qint64 kLogLimit = 4 << 20;
// Entries used since are not marked used again: a run of a lot from the
// cache writes nothing.
constexpr qint64 kUsedGrainNs = qint64(3600) * 1000000000;
// How many of the entries looked at longest ago a run looks at again, and
// how long after one was looked at.
constexpr int kSweepEntries = 512;
constexpr qint64 kSweepAfterNs = qint64(600) * 1000000000;

// What the cache leaves free on its disk, whatever it would keep: it never
// fills the disk it shares with the user's files.
constexpr qint64 kLeftFree = qint64(64) << 20;

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

qint64 systemNow()
{
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The path's bytes made absolute against the working folder, so that the
// entry can be looked at from anywhere.
QByteArray absolute(const QByteArray &path)
{
    if (path.startsWith('/'))
        return path;
    char folder[4096];
    if (!::getcwd(folder, sizeof folder))
        return path;
    return QByteArray(folder) + '/' + path;
}

// The bytes free on the disk that holds `folder`; -1 where it cannot be told.
qint64 freeBytes(const QString &folder)
{
    struct statvfs disk = {};
    if (::statvfs(NativePath::Encode(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

// Whatever stands at `path`, where it is not a regular file (a FIFO, a
// folder, a device): what no SQLite database can be.
bool standsNonRegular(const QString &path)
{
    struct stat info = {};
    return ::stat(NativePath::Encode(path).constData(), &info) == 0 && !S_ISREG(info.st_mode);
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
    if (!base.startsWith(QLatin1Char('/'))) {
        QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/')) {
            // No HOME: the user database's, never the root of the disk.
            const passwd *user = ::getpwuid(::getuid());
            home = user && user->pw_dir ? QByteArray(user->pw_dir) : QByteArray();
            if (!home.startsWith('/'))
                return QString();
        }
        base = NativePath::Decode(home) + QLatin1String("/.cache");
    }
    return base + QLatin1String("/quenvale");
}

qint64 SummaryCache::DefaultMaxBytes()
{
    bool ok = false;
    const qint64 megabytes = qEnvironmentVariable("QUENVALE_CACHE_MAX_MB").toLongLong(&ok);
    return (ok && megabytes > 0 ? megabytes : 256) << 20;
}

bool SummaryCache::Clear(const QString &folder, QStringList *removed, QString *error)
{
    if (folder.isEmpty())
        return true;
    const QDir dir(folder);
    const QStringList names = dir.entryList({FileName(), FileName() + QLatin1String("-*"),
                                             FileName() + QLatin1String(".aside-*")},
                                            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        const QByteArray bytes = NativePath::Encode(path);
        struct stat info = {};
        const bool folderInPlace = ::lstat(bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode);
        const bool gone = folderInPlace ? QDir(path).removeRecursively() : ::unlink(bytes.constData()) == 0;
        if (!gone && errno != ENOENT) {
            *error = tr("the summary cache \"%1\" cannot be removed: %2").arg(shown(path), qt_error_string(errno));
            return false;
        }
        removed->append(path);
    }
    return true;
}

SummaryCache::SummaryCache(const QString &folder)
    : m_folder(folder), m_connection(newConnectionName()), m_maxBytes(DefaultMaxBytes()), m_clock(systemNow)
{
}

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
    if (m_folder.isEmpty()) {
        notice(tr("no summary cache: there is no home folder (HOME is not set) and no XDG_CACHE_HOME; "
                  "every file is read"));
        return false;
    }
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
    for (const char *suffix : {"", "-wal", "-shm"}) {
        if (standsNonRegular(Path() + QLatin1String(suffix))) {
            problem = {true, false, tr("\"%1\" is not a regular file").arg(shown(Path() + QLatin1String(suffix)))};
            break;
        }
    }
    // Another process making the database at this very moment can hold a
    // lock that SQLite does not wait for (the change to WAL): tried again.
    QElapsedTimer waited;
    waited.start();
    while (!problem.unusable && !connect(&problem) && problem.busy && waited.elapsed() < kBusyMilliseconds)
        QThread::msleep(10);
    if (m_open)
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

// WAL, and the schema checked and where need be made, in one transaction
// that holds the write lock: a process that comes second finds it made.
// False for a database that is not this program's cache of a schema it
// can use.
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
        } else if (ours && version.toLongLong() > SchemaVersion) {
            *problem = {true, false, tr("its schema version is %1, this program's %2")
                                  .arg(version.toLongLong())
                                  .arg(SchemaVersion)};
            usable = false;
        } else if (empty || version.toLongLong() < SchemaVersion || !sameFigures(query)) {
            usable = makeSchema(query, problem);
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
bool SummaryCache::sameFigures(QSqlQuery &query)
{
    const bool same = query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'figures'")) && query.next()
        && query.value(0).toByteArray() == ChannelColumns::Signature();
    query.finish();
    return same;
}

// This schema's tables, in place of an older one's.
bool SummaryCache::makeSchema(QSqlQuery &query, Problem *problem)
{
    QStringList old;
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                   "AND name NOT LIKE 'sqlite_%'"))) {
        *problem = problemOf(query.lastError());
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
        QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion),
    };
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement)) {
            *problem = problemOf(query.lastError());
            return false;
        }
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
    const bool busy = known && (code == kBusy || code == kLocked);
    const bool passing = known && (busy || code == kNoMemory || code == kInterrupted || code == kInputOutput || code == kFull);
    return {!passing, busy, error.text()};
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

// Ends a transaction that failed, and cuts the log back: what a write that
// failed on a full disk left in it must not keep the disk full.
void SummaryCache::rollback()
{
    QSqlQuery query(m_database);
    query.exec(QStringLiteral("ROLLBACK"));
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
}

void SummaryCache::notice(const QString &text)
{
    m_notices.append(text);
}

QStringList SummaryCache::TakeNotices()
{
    return std::exchange(m_notices, {});
}

// Whether the file's bytes now are those that were summarised. A file
// written while it is hashed gives a hash of neither version, and so is
// read again.
bool SummaryCache::verified(const FileStamp &stamp, quint64 hash) const
{
    quint64 now = 0;
    return HashFile(NativePath::Decode(stamp.path), &now) && now == hash;
}

QList<std::optional<FileSummary>> SummaryCache::Find(const QList<FileStamp> &stamps,
                                                     std::optional<double> warnMargin)
{
    QList<std::optional<FileSummary>> found(stamps.size());
    if (!m_open)
        return found;
    QList<qint64> drop, settled, used;
    const qint64 now = Now();
    {
        // One read transaction: one snapshot, and one lock for all the lookups.
        QSqlQuery query(m_database);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("BEGIN"))
            || !query.prepare(QStringLiteral("SELECT f.id, f.size, f.mtime_ns, f.ctime_ns, f.hash, f.verify, "
                                             "f.used, f.summary, b.figures FROM files f LEFT JOIN bands b "
                                             "ON b.file = f.id AND b.band = ? WHERE f.device = ? AND f.inode = ?"))) {
            failed(query.lastError(), tr("read"));
            return found;
        }
        const QString band = bandKey(warnMargin);
        for (qsizetype i = 0; i < stamps.size(); ++i) {
            const FileStamp &stamp = stamps.at(i);
            if (stamp.size < 0)
                continue;
            query.addBindValue(band);
            query.addBindValue(qint64(stamp.device));
            query.addBindValue(qint64(stamp.inode));
            if (!query.exec()) {
                const QSqlError error = query.lastError();
                query = QSqlQuery();
                rollback();
                failed(error, tr("read"));
                return QList<std::optional<FileSummary>>(stamps.size());
            }
            if (!query.next())
                continue;
            const qint64 id = query.value(0).toLongLong();
            if (query.value(1).toLongLong() != stamp.size || query.value(2).toLongLong() != stamp.modifiedNs
                || query.value(3).toLongLong() != stamp.changedNs) {
                drop.append(id); // another version now: what it holds is of none
                continue;
            }
            if (query.value(8).isNull())
                continue; // judged with other bands only
            const bool verify = query.value(5).toLongLong() != 0;
            if (verify && !verified(stamp, quint64(query.value(4).toLongLong()))) {
                drop.append(id);
                continue;
            }
            if (verify && stamp.Trusted(now))
                settled.append(id);
            if (now - query.value(6).toLongLong() > kUsedGrainNs)
                used.append(id);
            FileSummary summary;
            if (!FileSummary::Decode(query.value(7).toByteArray(), query.value(8).toByteArray(), &summary)
                || summary.WarnMargin() != warnMargin) {
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
    }
    tidy(drop, settled, used);
    sweep();
    return found;
}

// Drops the entries of files that changed, marks those whose stamp now
// vouches for them, and those used.
void SummaryCache::tidy(const QList<qint64> &drop, const QList<qint64> &settled, const QList<qint64> &used)
{
    if (drop.isEmpty() && settled.isEmpty() && used.isEmpty())
        return;
    changeEntries({{&drop, QStringLiteral("DELETE FROM bands WHERE file = ?"), false},
                   {&drop, QStringLiteral("DELETE FROM files WHERE id = ?"), false},
                   {&settled, QStringLiteral("UPDATE files SET verify = 0 WHERE id = ?"), false},
                   {&used, QStringLiteral("UPDATE files SET used = ? WHERE id = ?"), true}});
}

bool SummaryCache::changeEntries(const QList<EntryChange> &changes)
{
    QSqlQuery query(m_database);
    bool done = query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    for (const EntryChange &change : changes) {
        if (done && !change.ids->isEmpty())
            done = query.prepare(change.statement);
        for (qsizetype i = 0; done && i < change.ids->size(); ++i) {
            if (change.withNow)
                query.addBindValue(Now());
            query.addBindValue(change.ids->at(i));
            done = query.exec();
        }
    }
    if (done)
        done = query.exec(QStringLiteral("COMMIT"));
    if (!done) {
        const QSqlError error = query.lastError();
        query = QSqlQuery();
        rollback();
        failed(error, tr("written"));
    }
    return done;
}

// Looks once a run at the entries looked at longest ago, and drops those
// whose file is gone or is another file or version now.
void SummaryCache::sweep()
{
    if (!m_open || m_swept)
        return;
    m_swept = true;
    QList<qint64> gone, present;
    {
        QSqlQuery query(m_database);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral("SELECT id, path, device, inode, size, mtime_ns, ctime_ns FROM files "
                                     "WHERE checked < ? ORDER BY checked LIMIT %1")
                          .arg(kSweepEntries));
        query.addBindValue(Now() - kSweepAfterNs);
        if (!query.exec())
            return;
        while (query.next()) {
            FileStamp kept;
            kept.device = quint64(query.value(2).toLongLong());
            kept.inode = quint64(query.value(3).toLongLong());
            kept.size = query.value(4).toLongLong();
            kept.modifiedNs = query.value(5).toLongLong();
            kept.changedNs = query.value(6).toLongLong();
            FileStamp now;
            const bool there = FileStamp::Of(NativePath::Decode(query.value(1).toByteArray()), &now);
            (there && now.SameVersion(kept) ? present : gone).append(query.value(0).toLongLong());
        }
    }
    if (gone.isEmpty() && present.isEmpty())
        return;
    const bool done = changeEntries({{&gone, QStringLiteral("DELETE FROM bands WHERE file = ?"), false},
                                     {&gone, QStringLiteral("DELETE FROM files WHERE id = ?"), false},
                                     {&present, QStringLiteral("UPDATE files SET checked = ? WHERE id = ?"), true}});
    if (done && !gone.isEmpty())
        QSqlQuery(m_database).exec(QStringLiteral("PRAGMA incremental_vacuum"));
}

// The entries that the disk has room for: each is written to the log, then
// into the database, beside its index.
qsizetype SummaryCache::withinRoom(const QList<QByteArray> &summaries)
{
    const qint64 free = freeBytes(m_folder);
    if (free < 0)
        return summaries.size();
    qint64 room = free - kLeftFree;
    qsizetype fitting = 0;
    for (; fitting < summaries.size(); ++fitting) {
        room -= 3 * (summaries.at(fitting).size() + 1024);
        if (room < 0)
            break;
    }
    if (fitting < summaries.size() && !m_toldFull) {
        m_toldFull = true;
        notice(tr("the summary cache \"%1\" keeps no more: its disk has %2 MB free, and it leaves %3 MB "
                  "free; the files are read as without it")
                   .arg(shown(Path()))
                   .arg(free >> 20)
                   .arg(kLeftFree >> 20));
    }
    return fitting;
}

void SummaryCache::Store(const QList<Entry> &entries)
{
    if (!m_open || entries.isEmpty())
        return;
    QList<QByteArray> summaries;
    summaries.reserve(entries.size());
    for (const Entry &entry : entries)
        summaries.append(entry.summary->Encode());
    const qsizetype fitting = withinRoom(summaries);
    if (fitting == 0)
        return;
    QSqlQuery query(m_database);
    QSqlQuery insert(m_database);
    QSqlQuery band(m_database);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        failed(query.lastError(), tr("written"));
        return;
    }
    bool stored = query.prepare(QStringLiteral("SELECT id, size, mtime_ns, ctime_ns, hash FROM files "
                                               "WHERE device = ? AND inode = ?"))
        && insert.prepare(QStringLiteral("INSERT INTO files (device, inode, size, mtime_ns, ctime_ns, hash, "
                                         "verify, path, used, checked, summary) "
                                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))
        && band.prepare(QStringLiteral("INSERT OR REPLACE INTO bands (file, band, figures) VALUES (?, ?, ?)"));
    QSqlQuery change(m_database);
    const qint64 now = Now();
    for (qsizetype i = 0; stored && i < fitting; ++i) {
        const Entry &entry = entries.at(i);
        const FileStamp &stamp = entry.stamp;
        if (stamp.size < 0)
            continue;
        const bool verify = !stamp.Trusted(entry.readNs);
        const quint64 hash = entry.summary->ContentHashValue();
        query.addBindValue(qint64(stamp.device));
        query.addBindValue(qint64(stamp.inode));
        stored = query.exec();
        qint64 id = -1;
        if (stored && query.next()) {
            const bool same = query.value(1).toLongLong() == stamp.size
                && query.value(2).toLongLong() == stamp.modifiedNs && query.value(3).toLongLong() == stamp.changedNs
                && quint64(query.value(4).toLongLong()) == hash;
            id = query.value(0).toLongLong();
            query.finish();
            if (same) {
                // The file's summary is there: this band's figures join it.
                stored = change.prepare(QStringLiteral("UPDATE files SET path = ?, used = ?, verify = ? WHERE id = ?"));
                change.addBindValue(absolute(stamp.path));
                change.addBindValue(now);
                change.addBindValue(int(verify));
                change.addBindValue(id);
                stored = stored && change.exec();
            } else {
                stored = change.exec(QStringLiteral("DELETE FROM bands WHERE file = %1").arg(id))
                    && change.exec(QStringLiteral("DELETE FROM files WHERE id = %1").arg(id));
                id = -1;
            }
        }
        query.finish();
        if (stored && id < 0) {
            for (const QVariant &value :
                 {QVariant(qint64(stamp.device)), QVariant(qint64(stamp.inode)), QVariant(stamp.size),
                  QVariant(stamp.modifiedNs), QVariant(stamp.changedNs), QVariant(qint64(hash)), QVariant(int(verify)),
                  QVariant(absolute(stamp.path)), QVariant(now), QVariant(now), QVariant(summaries.at(i))})
                insert.addBindValue(value);
            stored = insert.exec();
            id = insert.lastInsertId().toLongLong();
        }
        if (stored) {
            band.addBindValue(id);
            band.addBindValue(bandKey(entry.summary->WarnMargin()));
            band.addBindValue(entry.summary->EncodeBand());
            stored = band.exec();
        }
    }
    if (stored)
        stored = query.exec(QStringLiteral("COMMIT"));
    if (!stored) {
        QSqlError error = query.lastError();
        for (const QSqlQuery *failedQuery : {&insert, &band, &change}) {
            if (error.type() == QSqlError::NoError)
                error = failedQuery->lastError();
        }
        query = QSqlQuery();
        insert = QSqlQuery();
        band = QSqlQuery();
        change = QSqlQuery();
        rollback();
        failed(error, tr("written"));
        return;
    }
    keepWithinSize();
    sweep();
}

// Past the most the cache may take, drops the entries used longest ago
// and gives their pages back.
void SummaryCache::keepWithinSize()
{
    QSqlQuery query(m_database);
    const auto number = [&](const QString &statement) {
        return query.exec(statement) && query.next() ? query.value(0).toLongLong() : -1;
    };
    for (int round = 0; round < 8; ++round) {
        const qint64 pageSize = number(QStringLiteral("PRAGMA page_size"));
        const qint64 pages = number(QStringLiteral("PRAGMA page_count"));
        const qint64 free = number(QStringLiteral("PRAGMA freelist_count"));
        const qint64 entries = number(QStringLiteral("SELECT count(*) FROM files"));
        query.finish();
        const qint64 bytes = (pages - free) * pageSize;
        if (pageSize <= 0 || pages < 0 || free < 0 || entries <= 0 || bytes <= m_maxBytes)
            break;
        // Enough of the oldest entries, by their mean size, to fall a
        // twentieth below the limit.
        const double mean = double(bytes) / double(entries);
        const qint64 count = qBound<qint64>(1, qint64(std::ceil((bytes - m_maxBytes * 0.95) / mean)), entries);
        const QString oldest = QStringLiteral("SELECT id FROM files ORDER BY used, id LIMIT %1").arg(count);
        bool done = query.exec(QStringLiteral("BEGIN IMMEDIATE"))
            && query.exec(QStringLiteral("DELETE FROM bands WHERE file IN (%1)").arg(oldest))
            && query.exec(QStringLiteral("DELETE FROM files WHERE id IN (%1)").arg(oldest))
            && query.exec(QStringLiteral("COMMIT"));
        if (!done) {
            const QSqlError error = query.lastError();
            query = QSqlQuery();
            rollback();
            failed(error, tr("written"));
            return;
        }
        query.exec(QStringLiteral("PRAGMA incremental_vacuum"));
        query.finish();
    }
}
