// The summary cache: a file's summary found again only for the very
// version it was made of, even where the stamp alone cannot tell; a cache
// that stays small and leaves no log behind a full disk; databases that
// cannot be trusted set aside and made anew, and several writers at once.

#include "TestSupport.h"

#include "data/NativePath.h"
#include "lot/SummaryCache.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QStorageInfo>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace TestSupport;

namespace {

// A result file of `fibers` passing fibers.
QByteArray resultFile(int fibers, const char *power = "-12.00")
{
    QByteArray bytes = standardHeader();
    for (int i = 0; i < fibers; ++i)
        bytes += fiber(QByteArray("F") .append(QByteArray::number(i)).constData(), power);
    return bytes;
}

struct Judged
{
    FileStamp stamp;
    FileSummary summary;
};

bool judge(const QString &path, Judged *judged, std::optional<double> band = std::nullopt)
{
    QString error;
    return FileStamp::Of(path, &judged->stamp)
        && FileSummary::Read(path, JudgeInputs{band, {}}, FileKinds::Any, nullptr, &judged->summary, &error);
}

// Whether the cache gives `judged`'s summary back whole.
bool holds(SummaryCache &cache, const Judged &judged, std::optional<double> band = std::nullopt)
{
    const std::optional<FileSummary> found = cache.Find({judged.stamp}, band).value(0);
    return found && found->Encode() == judged.summary.Encode()
        && found->EncodeBand() == judged.summary.EncodeBand();
}

SummaryCache::Entry entry(const Judged &judged, qint64 readNs = 0)
{
    return {judged.stamp, &judged.summary, readNs};
}

// A clock long after every file's last change: no entry needs its file
// hashed again for having changed just before it was read.
qint64 muchLater()
{
    return QDateTime::currentMSecsSinceEpoch() * 1000000 + qint64(24 * 3600) * 1000000000;
}

// Sets the file's modification time to `ns` since the epoch.
bool setModified(const QString &path, qint64 ns)
{
    const timespec times[2] = {{0, UTIME_OMIT}, {time_t(ns / 1000000000), long(ns % 1000000000)}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

qint64 number(const QString &database, const QString &statement)
{
    qint64 value = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(database);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(statement) && query.next())
                value = query.value(0).toLongLong();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
    return value;
}

// Runs SQL on the database at `path` through a connection of its own.
bool runSql(const QString &path, const QStringList &statements)
{
    bool done = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test"));
        database.setDatabaseName(path);
        done = database.open();
        QSqlQuery query(database);
        for (const QString &statement : statements)
            done = done && query.exec(statement);
        query.finish();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test"));
    return done;
}

} // namespace

class TestSummaryCache : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void findsOnlyTheVersionItKept();
    void neverServesAStaleSummary_data();
    void neverServesAStaleSummary();
    void staysSmall();
    void aFullDiskLeavesNoLog_data();
    void aFullDiskLeavesNoLog();
    void manyFirstRunsAtOnce();
    void setsAsideWhatItCannotTrust_data();
    void setsAsideWhatItCannotTrust();
    void makesAnOlderCacheAnew();
    void goesWithoutWhereNoneCanBeMade();
    void twoWritersAtOnce();
    void defaultFolder();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    QString cacheFolder() const { return m_dir->filePath(QStringLiteral("cache")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSummaryCache::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSummaryCache::findsOnlyTheVersionItKept()
{
    QVERIFY(writeFile(file(QStringLiteral("a.fib")), resultFile(3)));
    Judged a;
    QVERIFY(judge(file(QStringLiteral("a.fib")), &a));
    Judged banded;
    QVERIFY(judge(file(QStringLiteral("a.fib")), &banded, 20.0));
    {
        SummaryCache cache(cacheFolder());
        QVERIFY(cache.Open());
        QVERIFY(!holds(cache, a));
        cache.Store({entry(a), entry(banded)});
        QVERIFY(holds(cache, a));
    }
    SummaryCache cache(cacheFolder());
    QVERIFY(cache.Open());
    QVERIFY(cache.TakeNotices().isEmpty());
    QVERIFY(holds(cache, a));
    QVERIFY(holds(cache, banded, 20.0));
    QVERIFY(!holds(cache, banded, 20.5));

    // The file by another name is the same file.
    Judged renamed = a;
    renamed.stamp.path = NativePath::Encode(m_dir->path() + QLatin1String("/./a.fib"));
    QVERIFY(holds(cache, renamed));
    // Each part of the key on its own: the size, the times, the file. A
    // stamp of another version says the file is that version now: the
    // entry is dropped.
    for (const auto &change : {&FileStamp::size, &FileStamp::modifiedNs, &FileStamp::changedNs}) {
        Judged changed = a;
        changed.stamp.*change += 1;
        QVERIFY(!holds(cache, changed));
        QVERIFY(!holds(cache, a));
        cache.Store({entry(a)});
        QVERIFY(holds(cache, a));
    }
    for (const auto &change : {&FileStamp::device, &FileStamp::inode}) {
        Judged moved = a;
        moved.stamp.*change += 1;
        QVERIFY(!holds(cache, moved));
    }
    // No regular file: nothing vouches for its content.
    Judged fifo = a;
    fifo.stamp.size = -1;
    QVERIFY(!holds(cache, fifo));

    // Rewritten, the file is another version; kept again, it is found.
    QVERIFY(writeFile(file(QStringLiteral("a.fib")), resultFile(4, "-40.00")));
    Judged rewritten;
    QVERIFY(judge(file(QStringLiteral("a.fib")), &rewritten));
    QVERIFY(!holds(cache, rewritten));
    cache.Store({entry(rewritten)});
    QVERIFY(holds(cache, rewritten));
    QCOMPARE(cache.Find({rewritten.stamp}, std::nullopt).value(0)->Failed(), 4);
}

void TestSummaryCache::setsAsideWhatItCannotTrust_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated") << QStringLiteral("truncate");
    QTest::newRow("not a database") << QStringLiteral("garbage");
    QTest::newRow("a future schema") << QStringLiteral("future");
    QTest::newRow("another program's database") << QStringLiteral("foreign");
    QTest::newRow("an entry damaged") << QStringLiteral("entry");
    QTest::newRow("a folder in its place") << QStringLiteral("folder");
    QTest::newRow("a FIFO in its place") << QStringLiteral("fifo");
}

void TestSummaryCache::setsAsideWhatItCannotTrust()
{
    QFETCH(QString, damage);
    QList<Judged> files(40);
    {
        SummaryCache cache(cacheFolder());
        QVERIFY(cache.Open());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString path = file(QStringLiteral("f%1.fib").arg(i));
            QVERIFY(writeFile(path, resultFile(48)));
            QVERIFY(judge(path, &files[i]));
            cache.Store({entry(files[i])});
        }
    }
    const QString database = cacheFolder() + QLatin1Char('/') + CacheFolder::FileName();
    QVERIFY(QFileInfo(database).size() > 100000);
    QVERIFY(!QFileInfo::exists(database + QLatin1String("-wal")));
    if (damage == QLatin1String("truncate")) {
        QVERIFY(::truncate(QFile::encodeName(database).constData(), QFileInfo(database).size() / 2) == 0);
    } else if (damage == QLatin1String("garbage")) {
        QVERIFY(writeFile(database, QByteArray(8192, 'x')));
    } else if (damage == QLatin1String("future")) {
        QVERIFY(runSql(database, {QStringLiteral("PRAGMA user_version=%1").arg(SummaryCache::SchemaVersion + 1)}));
    } else if (damage == QLatin1String("foreign")) {
        QVERIFY(QFile::remove(database));
        QVERIFY(runSql(database, {QStringLiteral("CREATE TABLE summaries (path BLOB, band TEXT, size INTEGER, "
                                                 "mtime_ns INTEGER, inode INTEGER, summary BLOB)")}));
    } else if (damage == QLatin1String("entry")) {
        QVERIFY(runSql(database, {QStringLiteral("UPDATE files SET summary = x'00'")}));
    } else if (damage == QLatin1String("fifo")) {
        QVERIFY(QFile::remove(database));
        QVERIFY(::mkfifo(QFile::encodeName(database).constData(), 0600) == 0);
    } else {
        QVERIFY(QFile::remove(database));
        QVERIFY(QDir().mkpath(database));
    }

    SummaryCache cache(cacheFolder());
    QVERIFY(cache.Open());
    for (const Judged &judged : std::as_const(files))
        QVERIFY(!holds(cache, judged));
    const QStringList notices = cache.TakeNotices();
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices.first().contains(QLatin1String("set aside as")), qPrintable(notices.first()));
    const QStringList aside = QDir(cacheFolder()).entryList({CacheFolder::FileName() + QLatin1String(".aside-*")},
                                                            QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    QCOMPARE(aside.size(), 1);

    // The new one works, and is found again by the next run.
    cache.Store({entry(files.first())});
    QVERIFY(holds(cache, files.first()));
    SummaryCache next(cacheFolder());
    QVERIFY(next.Open());
    QVERIFY(holds(next, files.first()));
    QVERIFY(next.TakeNotices().isEmpty());
}

// Rewrites that leave the stamp as it was, or that only the stamp's
// device tells apart: the cache never gives the summary of the content
// that was there before.
void TestSummaryCache::neverServesAStaleSummary_data()
{
    QTest::addColumn<QString>("rewrite");
    QTest::newRow("modification time put back") << QStringLiteral("restored");
    QTest::newRow("coarse times, the same second") << QStringLiteral("coarse");
    QTest::newRow("rewritten within the clock's tick of being read") << QStringLiteral("tick");
    QTest::newRow("the same inode on another disk") << QStringLiteral("device");
}

void TestSummaryCache::neverServesAStaleSummary()
{
    QFETCH(QString, rewrite);
    const QString path = file(QStringLiteral("a.fib"));
    const QByteArray passing = resultFile(4, "-12.00"), failing = resultFile(4, "-40.00");
    QCOMPARE(failing.size(), passing.size());
    QVERIFY(writeFile(path, passing));
    const qint64 yesterday = QDateTime::currentMSecsSinceEpoch() * 1000000 - qint64(24 * 3600) * 1000000000 + 123456789;
    QVERIFY(setModified(path, yesterday));
    Judged before;
    QVERIFY(judge(path, &before));
    QCOMPARE(before.summary.Failed(), 0);
    SummaryCache cache(cacheFolder());
    qint64 readNs = muchLater();
    if (rewrite == QLatin1String("tick"))
        readNs = cache.Now(); // read as soon as it was written, by the system's clock
    else
        cache.SetClock(muchLater);
    if (rewrite == QLatin1String("coarse")) {
        // As a file system of whole seconds gives them.
        before.stamp.modifiedNs -= before.stamp.modifiedNs % 1000000000;
        before.stamp.changedNs -= before.stamp.changedNs % 1000000000;
    }
    QVERIFY(cache.Open());
    cache.Store({entry(before, readNs)});
    QVERIFY(holds(cache, before));

    const QString rewritten = rewrite == QLatin1String("device") ? file(QStringLiteral("b.fib")) : path;
    QVERIFY(writeFile(rewritten, failing));
    Judged after;
    QVERIFY(judge(rewritten, &after));
    QCOMPARE(after.summary.Failed(), 4);
    FileStamp stamp = after.stamp;
    if (rewrite == QLatin1String("restored")) {
        QVERIFY(setModified(path, yesterday));
        QVERIFY(FileStamp::Of(path, &stamp));
        QCOMPARE(stamp.modifiedNs, before.stamp.modifiedNs);
    } else if (rewrite == QLatin1String("device")) {
        stamp = before.stamp; // all alike but the disk
        stamp.path = NativePath::Encode(rewritten);
        stamp.device += 1;
    } else {
        stamp = before.stamp; // the rewrite left the stamp as it was
    }
    const std::optional<FileSummary> found = cache.Find({stamp}, std::nullopt).value(0);
    QVERIFY2(!found || found->Failed() == 4, "the summary of the content before the rewrite");
}

// One entry for each file however many bands it was judged with; entries
// of files gone dropped; the oldest dropped past the limit.
void TestSummaryCache::staysSmall()
{
    const QString database = cacheFolder() + QLatin1Char('/') + CacheFolder::FileName();
    QList<Judged> files(60);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = file(QStringLiteral("f%1.fib").arg(i));
        QVERIFY(writeFile(path, resultFile(48, "-12.00")));
        QVERIFY(judge(path, &files[i]));
    }
    {
        SummaryCache cache(cacheFolder());
        QVERIFY(cache.Open());
        QList<Judged> bands(11);
        for (qsizetype i = 0; i < bands.size(); ++i) {
            QVERIFY(judge(file(QStringLiteral("f0.fib")), &bands[i], 10.0 + double(i)));
            cache.Store({entry(bands[i])});
        }
        cache.Store({entry(files[0])});
        for (qsizetype i = 0; i < bands.size(); ++i)
            QVERIFY(holds(cache, bands[i], 10.0 + double(i)));
        QVERIFY(holds(cache, files[0]));
    }
    QCOMPARE(number(database, QStringLiteral("SELECT count(*) FROM files")), 1);
    QCOMPARE(number(database, QStringLiteral("SELECT count(*) FROM bands")), 12);

    // Past the limit, the entries used longest ago go first.
    constexpr qint64 kLimit = 96 * 1024;
    {
        SummaryCache cache(cacheFolder());
        cache.SetMaxBytes(kLimit);
        QVERIFY(cache.Open());
        for (qsizetype i = 0; i < files.size(); ++i) {
            cache.Store({entry(files[i])});
            const qint64 pages = number(database, QStringLiteral("PRAGMA page_count"))
                - number(database, QStringLiteral("PRAGMA freelist_count"));
            QVERIFY2(pages * number(database, QStringLiteral("PRAGMA page_size")) <= kLimit,
                     qPrintable(QString::number(pages)));
        }
        QVERIFY(holds(cache, files.last()));
        QVERIFY(!holds(cache, files[1]));
        QVERIFY(cache.TakeNotices().isEmpty());
    }
    QVERIFY(QFileInfo(database).size() <= 2 * kLimit);

    // Files gone: their entries go once the cache looks at them again.
    const qint64 kept = number(database, QStringLiteral("SELECT count(*) FROM files"));
    QVERIFY(kept > 2);
    for (qsizetype i = 0; i + 1 < files.size(); ++i)
        QFile::remove(file(QStringLiteral("f%1.fib").arg(i)));
    {
        SummaryCache cache(cacheFolder());
        cache.SetClock(muchLater);
        QVERIFY(cache.Open());
        cache.Find({}, std::nullopt);
    }
    QCOMPARE(number(database, QStringLiteral("SELECT count(*) FROM files")), 1);
}

// A disk of its own that holds `bytes`, mounted where the test may
// (as root), and gone again with the object.
struct SmallDisk
{
    explicit SmallDisk(const QString &folder, qint64 bytes) : path(folder)
    {
        mounted = ::geteuid() == 0 && QDir().mkpath(folder)
            && QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                           QStringLiteral("-o"), QStringLiteral("size=%1").arg(bytes),
                                                           QStringLiteral("tmpfs"), folder})
                == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {path});
    }
    QString path;
    bool mounted = false;
};

// Writes that do not fit: on a small disk the cache leaves it room, and
// leaves no log; a write cut short by a file-size limit is rolled back,
// and the cache goes on.
void TestSummaryCache::aFullDiskLeavesNoLog_data()
{
    QTest::addColumn<bool>("smallDisk");
    QTest::newRow("a small disk") << true;
    QTest::newRow("a file-size limit") << false;
}

void TestSummaryCache::aFullDiskLeavesNoLog()
{
    QFETCH(bool, smallDisk);
    QList<Judged> files(200);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = file(QStringLiteral("f%1.fib").arg(i));
        QVERIFY(writeFile(path, resultFile(48)));
        QVERIFY(judge(path, &files[i]));
    }
    QList<SummaryCache::Entry> entries;
    for (const Judged &judged : std::as_const(files))
        entries.append(entry(judged));
    constexpr qint64 kRoom = 512 * 1024;
    const SmallDisk disk(file(QStringLiteral("disk")), kRoom);
    if (smallDisk && !disk.mounted)
        QSKIP("a small disk is mounted as root only; the file-size limit stands for it");
    const QString folder = smallDisk ? disk.path + QLatin1String("/quenvale") : cacheFolder();
    const QString database = folder + QLatin1Char('/') + CacheFolder::FileName();
    {
        SummaryCache cache(folder);
        QVERIFY(cache.Open());
        rlimit before = {};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &before) == 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit room = before;
        room.rlim_cur = smallDisk ? before.rlim_cur : rlim_t(kRoom);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &room) == 0);
        cache.Store(entries);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!cache.TakeNotices().isEmpty());
        QVERIFY(!holds(cache, files.first()));
    }
    const QFileInfo log(database + QLatin1String("-wal"));
    QVERIFY2(!log.exists() || log.size() < 32 * 1024, qPrintable(QString::number(log.size())));
    if (smallDisk) {
        QStorageInfo storage(disk.path);
        QVERIFY2(storage.bytesAvailable() > kRoom / 2, qPrintable(QString::number(storage.bytesAvailable())));
        return;
    }
    SummaryCache cache(folder);
    QVERIFY(cache.Open());
    cache.Store({entries.first()});
    QVERIFY(holds(cache, files.first()));
    QVERIFY(cache.TakeNotices().isEmpty());
}

// Eight first runs at once on a cache not made yet, round after round:
// one makes it, the others find it made, and nothing is set aside.
void TestSummaryCache::manyFirstRunsAtOnce()
{
    QVERIFY(writeFile(file(QStringLiteral("a.fib")), resultFile(2)));
    Judged a;
    QVERIFY(judge(file(QStringLiteral("a.fib")), &a));
    std::atomic<int> notices{0};
    QMutex mutex;
    QStringList told;
    for (int round = 0; round < 50; ++round) {
        const QString folder = cacheFolder() + QString::number(round);
        std::vector<std::thread> runs;
        for (int i = 0; i < 8; ++i) {
            runs.emplace_back([&] {
                SummaryCache cache(folder);
                if (cache.Open())
                    cache.Store({entry(a)});
                const QStringList said = cache.TakeNotices();
                notices += int(said.size());
                const QMutexLocker lock(&mutex);
                told += said;
            });
        }
        for (std::thread &run : runs)
            run.join();
        QVERIFY2(notices.load() == 0, qPrintable(told.join(QLatin1Char('\n'))));
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.aside-*")}, QDir::AllEntries).size(), 0);
    }
}

// An older program's cache is this program's to make anew, in place.
void TestSummaryCache::makesAnOlderCacheAnew()
{
    QVERIFY(QDir().mkpath(cacheFolder()));
    const QString database = cacheFolder() + QLatin1Char('/') + CacheFolder::FileName();
    QVERIFY(runSql(database, {QStringLiteral("CREATE TABLE summaries (path BLOB, band TEXT, size INTEGER, "
                                             "mtime_ns INTEGER, inode INTEGER, summary BLOB)"),
                              QStringLiteral("PRAGMA application_id=%1").arg(0x51564c43),
                              QStringLiteral("PRAGMA user_version=%1").arg(SummaryCache::SchemaVersion - 1)}));
    QVERIFY(writeFile(file(QStringLiteral("a.fib")), resultFile(2)));
    Judged a;
    QVERIFY(judge(file(QStringLiteral("a.fib")), &a));
    SummaryCache cache(cacheFolder());
    QVERIFY(cache.Open());
    cache.Store({entry(a)});
    QVERIFY(holds(cache, a));
    QVERIFY(cache.TakeNotices().isEmpty());
    QCOMPARE(QDir(cacheFolder()).entryList({QStringLiteral("*.aside-*")}, QDir::AllEntries).size(), 0);
    QCOMPARE(number(database, QStringLiteral("PRAGMA user_version")), SummaryCache::SchemaVersion);
}

// A cache folder that cannot be made: every file is read, and told so.
void TestSummaryCache::goesWithoutWhereNoneCanBeMade()
{
    QVERIFY(writeFile(cacheFolder(), "a file where the folder should be"));
    SummaryCache cache(cacheFolder() + QLatin1String("/quenvale"));
    QVERIFY(!cache.Open());
    QCOMPARE(cache.TakeNotices().size(), 1);
    Judged a;
    QVERIFY(writeFile(file(QStringLiteral("a.fib")), resultFile(1)));
    QVERIFY(judge(file(QStringLiteral("a.fib")), &a));
    cache.Store({entry(a)});
    QVERIFY(!holds(cache, a));
}

// Two connections writing at once, an entry at a time: each waits for the
// other, and every entry is kept.
void TestSummaryCache::twoWritersAtOnce()
{
    constexpr int kEach = 150;
    QList<Judged> files(2 * kEach);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = file(QStringLiteral("f%1.fib").arg(i));
        QVERIFY(writeFile(path, resultFile(2)));
        QVERIFY(judge(path, &files[i]));
    }
    std::atomic<int> notices{0};
    const auto write = [&](qsizetype first) {
        SummaryCache cache(cacheFolder());
        cache.Open();
        for (qsizetype i = first; i < first + kEach; ++i) {
            cache.Find({files.at(i).stamp}, std::nullopt);
            cache.Store({entry(files.at(i))});
        }
        notices += int(cache.TakeNotices().size());
    };
    std::thread other(write, kEach);
    write(0);
    other.join();
    QCOMPARE(notices.load(), 0);
    SummaryCache cache(cacheFolder());
    QVERIFY(cache.Open());
    QList<FileStamp> stamps;
    for (const Judged &judged : std::as_const(files))
        stamps.append(judged.stamp);
    const QList<std::optional<FileSummary>> found = cache.Find(stamps, std::nullopt);
    QCOMPARE(std::count_if(found.begin(), found.end(), [](const auto &summary) { return summary.has_value(); }),
             files.size());
}

void TestSummaryCache::defaultFolder()
{
    const QByteArray cacheHome = qgetenv("XDG_CACHE_HOME"), home = qgetenv("HOME");
    qputenv("XDG_CACHE_HOME", "/somewhere/cache");
    QCOMPARE(CacheFolder::DefaultFolder(), QStringLiteral("/somewhere/cache/quenvale"));
    qputenv("XDG_CACHE_HOME", "relative/cache"); // not absolute: taken as unset
    qputenv("HOME", "/home/station");
    QCOMPARE(CacheFolder::DefaultFolder(), QStringLiteral("/home/station/.cache/quenvale"));
    qunsetenv("XDG_CACHE_HOME");
    qunsetenv("HOME"); // the user database's home, never the root of the disk
    QVERIFY2(!CacheFolder::DefaultFolder().startsWith(QLatin1String("/.cache")),
             qPrintable(CacheFolder::DefaultFolder()));
    qputenv("XDG_CACHE_HOME", cacheHome);
    qputenv("HOME", home);
}

QTEST_GUILESS_MAIN(TestSummaryCache)
#include "tst_summarycache.moc"
