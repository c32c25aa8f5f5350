// The summary cache: a file's summary found again only for the very
// version it was made of, databases that cannot be trusted set aside and
// made anew, and several writers at once.

#include "TestSupport.h"

#include "lot/SummaryCache.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

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
        && FileSummary::Read(path, band, FileKinds::Any, nullptr, &judged->summary, &error);
}

// Whether the cache gives `judged`'s summary back whole.
bool holds(SummaryCache &cache, const Judged &judged, std::optional<double> band = std::nullopt)
{
    const std::optional<FileSummary> found = cache.Find({judged.stamp}, band).value(0);
    return found && found->Encode() == judged.summary.Encode();
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
    void setsAsideWhatItCannotTrust_data();
    void setsAsideWhatItCannotTrust();
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
        cache.Store({{a.stamp, &a.summary}, {banded.stamp, &banded.summary}});
        QVERIFY(holds(cache, a));
    }
    SummaryCache cache(cacheFolder());
    QVERIFY(cache.Open());
    QVERIFY(cache.TakeNotices().isEmpty());
    QVERIFY(holds(cache, a));
    QVERIFY(holds(cache, banded, 20.0));
    QVERIFY(!holds(cache, banded, 20.5));

    // Each part of the key on its own: the size, the time, the inode, the path.
    for (const auto &change : {&FileStamp::size, &FileStamp::modifiedNs}) {
        Judged changed = a;
        changed.stamp.*change += 1;
        QVERIFY(!holds(cache, changed));
    }
    Judged moved = a;
    moved.stamp.inode += 1;
    QVERIFY(!holds(cache, moved));
    moved = a;
    moved.stamp.path += "x";
    QVERIFY(!holds(cache, moved));
    // No regular file: nothing vouches for its content.
    Judged fifo = a;
    fifo.stamp.size = -1;
    QVERIFY(!holds(cache, fifo));

    // Rewritten, the file is another version; kept again, it is found.
    QVERIFY(writeFile(file(QStringLiteral("a.fib")), resultFile(4, "-40.00")));
    Judged rewritten;
    QVERIFY(judge(file(QStringLiteral("a.fib")), &rewritten));
    QVERIFY(!holds(cache, rewritten));
    cache.Store({{rewritten.stamp, &rewritten.summary}});
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
            cache.Store({{files[i].stamp, &files[i].summary}});
        }
    }
    const QString database = cacheFolder() + QLatin1Char('/') + SummaryCache::FileName();
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
        QVERIFY(runSql(database, {QStringLiteral("UPDATE summaries SET summary = x'00'")}));
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
    const QStringList aside = QDir(cacheFolder()).entryList({SummaryCache::FileName() + QLatin1String(".aside-*")},
                                                            QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(aside.size(), 1);

    // The new one works, and is found again by the next run.
    cache.Store({{files.first().stamp, &files.first().summary}});
    QVERIFY(holds(cache, files.first()));
    SummaryCache next(cacheFolder());
    QVERIFY(next.Open());
    QVERIFY(holds(next, files.first()));
    QVERIFY(next.TakeNotices().isEmpty());
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
    cache.Store({{a.stamp, &a.summary}});
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
            cache.Store({{files.at(i).stamp, &files.at(i).summary}});
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
    QCOMPARE(SummaryCache::DefaultFolder(), QStringLiteral("/somewhere/cache/quenvale"));
    qputenv("XDG_CACHE_HOME", "relative/cache"); // not absolute: taken as unset
    qputenv("HOME", "/home/station");
    QCOMPARE(SummaryCache::DefaultFolder(), QStringLiteral("/home/station/.cache/quenvale"));
    qputenv("XDG_CACHE_HOME", cacheHome);
    qputenv("HOME", home);
}

QTEST_GUILESS_MAIN(TestSummaryCache)
#include "tst_summarycache.moc"
