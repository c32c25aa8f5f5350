#include "lot/SummaryCache.h"

#include "lot/CacheFolder.h"
#include "lot/CacheSchema.h"

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
#include <cmath>
#include <ctime>
#include <unistd.h>
#include <utility>

namespace {

// How long a connection waits for another's write to end.
constexpr int kBusyMilliseconds = 10000;

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

} // namespace

SummaryCache::SummaryCache(const QString &folder)
    : m_folder(folder), m_connection(newConnectionName()), m_maxBytes(CacheFolder::DefaultMaxBytes()), m_clock(systemNow)
{
}

SummaryCache::~SummaryCache()
{
    close();
}

QString SummaryCache::Path() const
{
    return m_folder + QLatin1Char('/') + CacheFolder::FileName();
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
        if (CacheFolder::StandsNonRegular(Path() + QLatin1String(suffix))) {
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
        *problem = CacheSchema::ProblemOf(m_database.lastError());
        close();
        return false;
    }
    if (!CacheSchema::Prepare(m_database, problem)) {
        close();
        return false;
    }
    m_open = true;
    return true;
}

bool SummaryCache::setAside(const QString &reason)
{
    close();
    const QString aside = Path() + QLatin1String(".aside-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) + QLatin1Char('-')
        + QString::number(::getpid());
    QString why;
    if (!CacheFolder::Rename(Path(), aside, &why)) {
        notice(tr("no summary cache: \"%1\" cannot be used (%2) nor set aside (%3); every file is read")
                   .arg(shown(Path()), reason, why));
        return false;
    }
    // Its log and index go with it: a new database must not take them up.
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        CacheFolder::Rename(Path() + QLatin1String(suffix), aside + QLatin1String(suffix), &why);
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

void SummaryCache::failed(const QSqlError &error, const QString &doing)
{
    const Problem problem = CacheSchema::ProblemOf(error);
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
            summary.SetContentHash(quint64(query.value(4).toLongLong()));
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
    const qint64 free = CacheFolder::FreeBytes(m_folder);
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
