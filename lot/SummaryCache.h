#pragma once

#include "data/FileStamp.h"
#include "data/FileSummary.h"
#include "lot/CacheFolder.h"
#include "lot/CacheSchema.h"

#include <QCoreApplication>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Each result file's summary kept between runs, so that a lot of a
// thousand files opens without reading them again: an SQLite database in
// the user's cache folder.
//
// An entry is one file, known by its device and inode, and holds the
// version it was made of (size, modification and change times in ns) and
// the hash of the bytes that were read. A summary is given back only for
// that very version; where the stamp cannot vouch for the content (times
// coarser than a millisecond, or a file summarised within two seconds of
// its last change: see FileStamp::Trusted), the file's bytes are hashed
// again and must match. The marginal band's few figures are kept per band
// beside the one summary of the file. The path is kept for showing and to
// look whether the file is still there.
//
// The cache stays small: an entry whose file changed is dropped when it is
// met, one whose file is gone when a look at the oldest entries finds it
// so, and past its limit the entries used longest ago go first; it never
// takes the last 64 MB of its disk. Every
// change is one transaction, in write-ahead-log mode, so that a kill or a
// power cut never leaves half an entry; a write that fails (a full disk)
// is rolled back and its log cut back to nothing.
//
// A database that is damaged, another program's or a newer program's, or
// anything that is not a regular file in its place, is never trusted: it
// is set aside under a name of its own and a new one made, and a notice
// says so. An older program's cache is made anew in place. Windows and
// command lines may use it at once: each cache has its own connection, the
// schema is checked and made in one transaction, and each waits for the
// others' writes to end rather than failing.
//
// One object is used on the thread that opened it.
class SummaryCache
{
    Q_DECLARE_TR_FUNCTIONS(SummaryCache)
public:
    static constexpr int SchemaVersion = CacheSchema::Version;

    // The cache in `folder` (see CacheFolder).
    explicit SummaryCache(const QString &folder = CacheFolder::DefaultFolder());
    ~SummaryCache();
    SummaryCache(const SummaryCache &) = delete;
    SummaryCache &operator=(const SummaryCache &) = delete;

    // Opens the database, making it (and its folder) where there is none.
    // False where no cache can be had (the folder cannot be made or
    // written, no SQLite driver): every file is then read, as without a
    // cache, and a notice says why.
    bool Open();
    bool IsOpen() const { return m_open; }

    // Nanoseconds since the epoch, by the clock the cache was given
    // (the system's by default): when a file is summarised.
    qint64 Now() const { return m_clock(); }
    void SetClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    void SetMaxBytes(qint64 bytes) { m_maxBytes = bytes; }

    // For each stamp, the summary of that very version judged with
    // `warnMargin`, where the cache holds one; none otherwise (a stamp of
    // no regular file never matches).
    QList<std::optional<FileSummary>> Find(const QList<FileStamp> &stamps,
                                           std::optional<double> warnMargin);

    struct Entry
    {
        FileStamp stamp;              // taken before the file was read
        const FileSummary *summary = nullptr;
        qint64 readNs = 0;            // Now() before the file was read
    };
    // Keeps the summaries, all in one transaction. A cache that cannot
    // take them is told in a notice; the run goes on.
    void Store(const QList<Entry> &entries);

    // What happened to the cache that a user should know, since last asked.
    QStringList TakeNotices();

    // The database's path.
    QString Path() const;

private:
    using Problem = CacheSchema::Problem;
    struct Stored;
    bool openDatabase();
    bool connect(Problem *problem);
    bool setAside(const QString &reason);
    void close();
    // Handles a failed statement: a cache that cannot be trusted is set
    // aside and a new one made, any other failure told.
    void failed(const class QSqlError &error, const QString &doing);
    void rollback();
    void notice(const QString &text);
    bool verified(const FileStamp &stamp, quint64 hash) const;
    void tidy(const QList<qint64> &drop, const QList<qint64> &settled, const QList<qint64> &used);
    // One change to a list of entries: a statement whose last value is the
    // entry's id, and where asked the time before it.
    struct EntryChange
    {
        const QList<qint64> *ids;
        QString statement;
        bool withNow;
    };
    // The changes in one transaction; false, rolled back and told, where
    // it failed.
    bool changeEntries(const QList<EntryChange> &changes);
    void keepWithinSize();
    qsizetype withinRoom(const QList<QByteArray> &summaries);
    void sweep();

    QString m_folder;
    QString m_connection;
    QSqlDatabase m_database;
    bool m_open = false;
    bool m_swept = false;
    bool m_toldFull = false;
    qint64 m_maxBytes;
    std::function<qint64()> m_clock;
    QStringList m_notices;
};
