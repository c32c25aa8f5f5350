#pragma once

#include "data/FileStamp.h"
#include "data/FileSummary.h"

#include <QCoreApplication>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// Each result file's summary kept between runs, so that a lot of a
// thousand files opens without reading them again: an SQLite database in
// the user's cache folder, whose entries are keyed by the path's bytes, the
// file's size, modification time (ns) and inode, and the marginal band it
// was judged with. A file is read again only when its key changed.
//
// Every change is one transaction, in write-ahead-log mode, so that a kill
// or a power cut never leaves half an entry. A database that is corrupt,
// of another schema version (an older or newer program's) or that cannot
// be written is never trusted: it is set aside under a name of its own
// and a new one made, and a notice says so. Windows and command lines may
// use it at once: each cache has its own connection, and waits for the
// others' writes to end rather than failing.
//
// One object is used on the thread that opened it.
class SummaryCache
{
    Q_DECLARE_TR_FUNCTIONS(SummaryCache)
public:
    // The schema: a database that holds another is set aside.
    static constexpr int SchemaVersion = 1;

    // $XDG_CACHE_HOME/quenvale, or ~/.cache/quenvale without it.
    static QString DefaultFolder();
    // The database's name in its folder.
    static QString FileName() { return QStringLiteral("summaries.sqlite"); }

    explicit SummaryCache(const QString &folder = DefaultFolder());
    ~SummaryCache();
    SummaryCache(const SummaryCache &) = delete;
    SummaryCache &operator=(const SummaryCache &) = delete;

    // Opens the database, making it (and its folder) where there is none.
    // False where no cache can be had (the folder cannot be made or
    // written, no SQLite driver): every file is then read, as without a
    // cache, and a notice says why.
    bool Open();
    bool IsOpen() const { return m_open; }

    // For each stamp, the summary of that very version judged with
    // `warnMargin`, where the cache holds one; none otherwise (a stamp of
    // no regular file never matches).
    QList<std::optional<FileSummary>> Find(const QList<FileStamp> &stamps,
                                           std::optional<double> warnMargin);

    struct Entry
    {
        FileStamp stamp;
        const FileSummary *summary = nullptr;
    };
    // Keeps the summaries, all in one transaction. A cache that cannot
    // take them is told in a notice; the run goes on.
    void Store(const QList<Entry> &entries);

    // What happened to the cache that a user should know, since last asked.
    QStringList TakeNotices();

    // The database's path.
    QString Path() const;

private:
    // What went wrong: the database cannot be trusted (set it aside), or
    // this attempt failed (busy past the wait, a full disk) and the next
    // may not.
    struct Problem
    {
        bool unusable = false;
        QString reason;
    };
    bool openDatabase();
    bool connect(Problem *problem);
    bool prepareSchema(Problem *problem);
    bool setAside(const QString &reason);
    void close();
    static Problem problemOf(const class QSqlError &error);
    // Handles a failed statement: a cache that cannot be trusted is set
    // aside and a new one made, any other failure told.
    void failed(const class QSqlError &error, const QString &doing);
    void rollback();
    void notice(const QString &text);

    QString m_folder;
    QString m_connection;
    QSqlDatabase m_database;
    bool m_open = false;
    QStringList m_notices;
};
