// The factory's database against a real PostgreSQL server of the test's
// own: a station's day pushed and read back as the very trend its folder
// gives, pushed again without a duplicate, a changed file replaced, two
// stations told apart and a time range, a newer schema and a server that
// is not there refused.

#include "PostgresServer.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

#include <unistd.h>

using namespace TestSupport;

namespace {

// A trend's numbers without the files' names, which the database keeps
// whole.
QJsonObject numbersOf(const QByteArray &json)
{
    QJsonObject trend = QJsonDocument::fromJson(json).object();
    QJsonArray files;
    for (const QJsonValue &value : trend.value(QStringLiteral("files")).toArray()) {
        QJsonObject file = value.toObject();
        file.remove(QStringLiteral("path"));
        file.remove(QStringLiteral("path_bytes"));
        files.append(file);
    }
    trend.insert(QStringLiteral("files"), files);
    return trend;
}

} // namespace

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aDayPushedAndReadBack();
    void twoStationsAndATimeRange();
    void pushesAtOnceAndKilled();
    void followsAFolderThroughAnOutage();
    void theSpoolOutlivesTheProgram();
    void rowsByCopy();
    void anEarlierSchemaTakenForward();
    void aFullDisk();
    void refused();

private:
    PostgresServer m_server;
    QTemporaryDir m_dir;
    QString m_day;
};

void TestDatabase::initTestCase()
{
    QUENVALE_START_SERVER(m_server);
    qputenv("XDG_CACHE_HOME", m_dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    m_day = m_dir.filePath(QStringLiteral("day"));
    QVERIFY(makeLot(m_day, {QStringLiteral("--files"), QStringLiteral("12"), QStringLiteral("--fibers"),
                            QStringLiteral("8")}));
}

void TestDatabase::aDayPushedAndReadBack()
{
    const QString url = m_server.Url();
    ProgramRun push = runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s3"), m_day});
    QCOMPARE(push.exitCode, 0);
    QVERIFY2(push.out.contains("12 added, 0 replaced, 0 already there"), push.out.constData());
    QVERIFY2(push.err.isEmpty(), push.err.constData());

    const ProgramRun folder = runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), m_day});
    const ProgramRun database = runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), url});
    QCOMPARE(database.exitCode, folder.exitCode);
    QCOMPARE(numbersOf(database.out), numbersOf(folder.out));
    QCOMPARE(numbersOf(database.out).value(QStringLiteral("files")).toArray().size(), 12);

    push = runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s3"), m_day});
    QVERIFY2(push.out.contains("0 added, 0 replaced, 12 already there"), push.out.constData());
    // A file that grew by a fiber replaces its earlier version.
    const QString last = m_day + QStringLiteral("/station3-0011.fib");
    QByteArray bytes = readFile(last);
    bytes += fiber("EXTRA1");
    QVERIFY(writeFile(last, bytes));
    push = runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s3"), m_day});
    QVERIFY2(push.out.contains("0 added, 1 replaced, 11 already there"), push.out.constData());
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file")), QByteArray("12"));
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT fibers FROM quenvale_file WHERE encode(path, 'escape') LIKE "
                                          "'%station3-0011.fib'")),
             QByteArray("9"));
    QCOMPARE(numbersOf(runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), url}).out),
             numbersOf(runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), m_day}).out));
}

void TestDatabase::twoStationsAndATimeRange()
{
    const QString url = m_server.Url();
    QCOMPARE(runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s4"), m_day}).exitCode, 0);
    const auto filesOf = [&](const QStringList &more) {
        const ProgramRun run =
            runProgram(QStringList{QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json")} + more
                       + QStringList{url});
        return QJsonDocument::fromJson(run.out).object().value(QStringLiteral("files")).toArray().size();
    };
    QCOMPARE(filesOf({}), 24);
    QCOMPARE(filesOf({QStringLiteral("--station"), QStringLiteral("s4")}), 12);
    QCOMPARE(filesOf({QStringLiteral("--station"), QStringLiteral("s3"), QStringLiteral("--station"), QStringLiteral("s4")}), 24);
    QCOMPARE(filesOf({QStringLiteral("--station"), QStringLiteral("none")}), 0);
    // The day's files start at 06:00, 80 minutes apart: 5 before noon, 7 from then on.
    QCOMPARE(filesOf({QStringLiteral("--station"), QStringLiteral("s4"), QStringLiteral("--since"),
                      QStringLiteral("2018-05-21T12:00")}),
             7);
    QCOMPARE(filesOf({QStringLiteral("--station"), QStringLiteral("s4"), QStringLiteral("--until"),
                      QStringLiteral("2018-05-21T12:00")}),
             5);
}

// Twenty stations pushing at once, two pushes of one folder among them,
// add each file once; a push killed at any moment leaves no half file and
// no file short of its rows, and the next push fills in the rest.
void TestDatabase::pushesAtOnceAndKilled()
{
    const QString url = m_server.Url();
    const QString day = m_dir.filePath(QStringLiteral("busy"));
    QVERIFY(makeLot(day, {QStringLiteral("--files"), QStringLiteral("60"), QStringLiteral("--fibers"),
                          QStringLiteral("8")}));
    // Twenty stations at once, one of them pushing the folder twice over.
    std::vector<std::unique_ptr<QProcess>> pushes;
    for (int station = 0; station <= 20; ++station) {
        pushes.push_back(std::make_unique<QProcess>());
        pushes.back()->start(programPath(), {QStringLiteral("--push"), url, QStringLiteral("--station"),
                                             QStringLiteral("load%1").arg(station % 20), day});
    }
    const QRegularExpression added(QStringLiteral("(\\d+) added, (\\d+) replaced"));
    QHash<QString, int> addedBy;
    for (int station = 0; station <= 20; ++station) {
        QProcess &push = *pushes[size_t(station)];
        QVERIFY(push.waitForFinished(120000));
        QCOMPARE(push.exitCode(), 0);
        const QRegularExpressionMatch counts = added.match(QString::fromUtf8(push.readAllStandardOutput()));
        QVERIFY(counts.hasMatch());
        QCOMPARE(counts.captured(2).toInt(), 0);
        addedBy[QStringLiteral("load%1").arg(station % 20)] += counts.captured(1).toInt();
    }
    QCOMPARE(addedBy.size(), 20);
    for (const int files : std::as_const(addedBy))
        QCOMPARE(files, 60);
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(DISTINCT (station, path)) = count(*) AND count(*) = 1200 "
                                          "FROM quenvale_file WHERE station LIKE 'load%'")),
             QByteArray("t"));

    const QString killed = QStringLiteral("killed");
    const QStringList again{QStringLiteral("--push"), url, QStringLiteral("--station"), killed, day};
    for (int round = 0; round < 20; ++round) {
        QProcess push;
        push.start(programPath(), round % 2 ? again + QStringList{QStringLiteral("--rows")} : again);
        QVERIFY(push.waitForStarted());
        QTest::qWait(15 + round * 11 % 120);
        push.kill(); // SIGKILL: nothing of the program runs after it
        push.waitForFinished();
        // Whatever is there reads back whole.
        const ProgramRun trend = runProgram({QStringLiteral("--trend"), QStringLiteral("--format"),
                                             QStringLiteral("json"), QStringLiteral("--station"), killed, url});
        QVERIFY2(QJsonDocument::fromJson(trend.out).object().value(QStringLiteral("errors")).toArray().isEmpty(),
                 trend.out.left(300).constData());
    }
    // No file kept with its rows lacks any of them.
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file f WHERE rows IS NOT NULL AND rows <> "
                                          "(SELECT count(*) FROM quenvale_row WHERE file_id = f.id)")),
             QByteArray("0"));
    QCOMPARE(runProgram(again + QStringList{QStringLiteral("--rows")}).exitCode, 0);
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*), sum(rows) FROM quenvale_file WHERE station = 'killed'")),
             QByteArray("60|8640"));
    QCOMPARE(numbersOf(runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"),
                                   QStringLiteral("--station"), killed, url})
                           .out),
             numbersOf(runProgram({QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), day})
                           .out));
}

// --follow pushes each file as it comes; while the server is down the new
// file waits, and it is pushed once the server is back.
void TestDatabase::followsAFolderThroughAnOutage()
{
    const QString folder = m_dir.filePath(QStringLiteral("followed"));
    QVERIFY(QDir().mkpath(folder));
    const auto bring = [&](int index) {
        const QString name = QStringLiteral("station3-%1.fib").arg(index, 4, 10, QLatin1Char('0'));
        return QFile::copy(m_day + QLatin1Char('/') + name, folder + QLatin1Char('/') + name);
    };
    QVERIFY(bring(0) && bring(1));
    QProcess follow;
    follow.start(programPath(), {QStringLiteral("--push"), m_server.Url(), QStringLiteral("--station"),
                                 QStringLiteral("followed"), QStringLiteral("--follow"), folder});
    QByteArray out, err;
    const auto waitFor = [&](const QByteArray &text, int count, const QByteArray &stream) {
        for (int i = 0; i < 300 && stream.count(text) < count; ++i) {
            follow.waitForReadyRead(100);
            follow.setReadChannel(QProcess::StandardOutput);
            out += follow.readAll();
            follow.setReadChannel(QProcess::StandardError);
            err += follow.readAll();
        }
        return stream.count(text) >= count;
    };
    QVERIFY2(waitFor("added ", 2, out), out.constData());
    QVERIFY(bring(2));
    QVERIFY2(waitFor("added ", 3, out), out.constData());

    m_server.Stop();
    QVERIFY(bring(3));
    QVERIFY2(waitFor("the files wait until it can be reached again", 1, err), err.constData());
    QString why;
    QVERIFY2(m_server.Restart(&why), qPrintable(why));
    QVERIFY2(waitFor("pushed from the spool", 1, out), (out + err).constData());
    follow.terminate();
    QVERIFY(follow.waitForFinished(10000));
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file WHERE station = 'followed'")),
             QByteArray("4"));
}

// Files spooled while the server is down are pushed by the next push, even
// after the follower was killed and a file deleted.
void TestDatabase::theSpoolOutlivesTheProgram()
{
    const QString folder = m_dir.filePath(QStringLiteral("spooled"));
    QVERIFY(QDir().mkpath(folder));
    for (const char *name : {"station3-0004.fib", "station3-0005.fib"})
        QVERIFY(QFile::copy(m_day + QLatin1Char('/') + QLatin1String(name), folder + QLatin1Char('/') + QLatin1String(name)));
    m_server.Stop();
    QProcess follow;
    follow.start(programPath(), {QStringLiteral("--push"), m_server.Url(), QStringLiteral("--station"),
                                 QStringLiteral("spooled"), QStringLiteral("--follow"), folder});
    QByteArray err;
    for (int i = 0; i < 100 && !err.contains("the files wait"); ++i) {
        follow.waitForReadyRead(100);
        err += follow.readAllStandardError();
    }
    QVERIFY2(err.contains("the files wait"), err.constData());
    QTest::qWait(500);
    follow.kill();
    follow.waitForFinished();
    QVERIFY(QFile::remove(folder + QStringLiteral("/station3-0004.fib")));

    QString why;
    QVERIFY2(m_server.Restart(&why), qPrintable(why));
    const ProgramRun push =
        runProgram({QStringLiteral("--push"), m_server.Url(), QStringLiteral("--station"), QStringLiteral("spooled"), folder});
    QCOMPARE(push.exitCode, 0);
    QCOMPARE(push.out.count("pushed from the spool"), 2);
    QVERIFY2(push.out.contains("0 added, 0 replaced, 1 already there"), (push.out + push.err).constData());
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file WHERE station = 'spooled'")),
             QByteArray("2"));
    // Drained: the next push has nothing from the spool.
    QCOMPARE(runProgram({QStringLiteral("--push"), m_server.Url(), QStringLiteral("--station"), QStringLiteral("spooled"),
                         folder})
                 .out.count("pushed from the spool"),
             0);
}

// Each row's fields go in as the file's bytes (code page 936 left as it
// is), numbered in file order; a file kept without its rows takes them,
// and a changed file's rows replace those of its earlier version.
void TestDatabase::rowsByCopy()
{
    const QString folder = m_dir.filePath(QStringLiteral("rows"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/one.fib");
    const QByteArray name("\xb9\xe2\xcf\xcb" "07"); // 光纤07
    QVERIFY(writeFile(path, standardHeader() + fiber("PLAIN1") + fiber(name.constData(), "-13.50")));
    const QString url = m_server.Url();
    const auto push = [&](bool rows) {
        QStringList arguments{QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("rows")};
        if (rows)
            arguments.append(QStringLiteral("--rows"));
        const ProgramRun run = runProgram(arguments + QStringList{folder});
        return run.exitCode == 0 ? run.out : run.err;
    };
    const auto rowsOf = [&](const QString &sql) {
        return m_server.Psql(QStringLiteral("SELECT %1 FROM quenvale_row JOIN quenvale_file ON id = file_id "
                                            "WHERE station = 'rows'%2")
                                 .arg(sql, sql.startsWith(QLatin1String("count")) ? QString()
                                                                                  : QStringLiteral(" ORDER BY line")));
    };
    QVERIFY(push(false).contains("1 added"));
    QCOMPARE(rowsOf(QStringLiteral("count(*)")), QByteArray("0"));
    // Taken when they come, though the file did not change.
    QVERIFY(push(true).contains("0 added, 1 replaced"));
    QCOMPARE(rowsOf(QStringLiteral("count(*)")), QByteArray("36"));
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT rows FROM quenvale_file WHERE station = 'rows'")), QByteArray("36"));
    QVERIFY(push(true).contains("0 added, 0 replaced, 1 already there"));
    QCOMPARE(rowsOf(QStringLiteral("count(*)")), QByteArray("36"));

    const QList<QByteArray> lines = readFile(path).split('\n');
    const QByteArray row19 = lines.at(lines.indexOf(line(name.constData(), 2, "-13.50").chopped(1)));
    QCOMPARE(rowsOf(QStringLiteral("encode(fiber_name || channel || wave_length || power || threshold || date || "
                                   "time, 'hex')"))
                 .split('\n')
                 .at(19),
             (row19.mid(0, 8) + row19.mid(10, 2) + row19.mid(18, 6) + row19.mid(29, 8) + row19.mid(39, 8)
              + row19.mid(49, 10) + row19.mid(60, 8))
                 .toHex());
    QCOMPARE(rowsOf(QStringLiteral("line")).split('\n').last(), QByteArray("35"));

    // Changed: a fiber less, and its rows with it.
    QVERIFY(writeFile(path, standardHeader() + fiber(name.constData(), "-13.50")));
    QVERIFY(push(true).contains("0 added, 1 replaced"));
    QCOMPARE(rowsOf(QStringLiteral("count(*)")), QByteArray("18"));
    QCOMPARE(rowsOf(QStringLiteral("encode(fiber_name, 'hex')")).split('\n').first(),
             name.leftJustified(8).toHex());
    // Pushed without them, a changed file keeps no rows of its earlier version.
    QVERIFY(writeFile(path, standardHeader() + fiber("PLAIN1")));
    QVERIFY(push(false).contains("0 added, 1 replaced"));
    QCOMPARE(rowsOf(QStringLiteral("count(*)")), QByteArray("0"));
}

// A database made by the first schema takes the rows' table and keeps
// every file it held.
void TestDatabase::anEarlierSchemaTakenForward()
{
    m_server.Psql(QStringLiteral("CREATE DATABASE earlier"));
    const QString earlier = QStringLiteral("earlier");
    m_server.Psql(QStringLiteral(R"(
CREATE TABLE quenvale_schema (version integer NOT NULL);
INSERT INTO quenvale_schema VALUES (1);
CREATE TABLE quenvale_file (
    id bigserial PRIMARY KEY, station text NOT NULL, path bytea NOT NULL, size bigint NOT NULL,
    mtime_ns bigint NOT NULL, content_hash bigint NOT NULL, first_time bigint, fibers integer NOT NULL,
    failed integer NOT NULL, summary bytea NOT NULL, band bytea NOT NULL,
    pushed_at timestamptz NOT NULL DEFAULT now(), UNIQUE (station, path));
CREATE INDEX quenvale_file_time ON quenvale_file (station, first_time);
INSERT INTO quenvale_file (station, path, size, mtime_ns, content_hash, fibers, failed, summary, band)
    VALUES ('old', '\\x2f6f6c64', 1, 1, 1, 0, 0, '', '');
)"),
                  earlier);
    const ProgramRun push = runProgram({QStringLiteral("--push"), m_server.Url(earlier), QStringLiteral("--rows"),
                                        QStringLiteral("--station"), QStringLiteral("s1"), m_day});
    QVERIFY2(push.exitCode == 0, push.err.constData());
    QVERIFY(push.out.contains("12 added"));
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT version FROM quenvale_schema"), earlier), QByteArray("2"));
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file WHERE station = 'old'"), earlier),
             QByteArray("1"));
    // The day's files hold whole fibers: 18 rows each.
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_row"), earlier),
             m_server.Psql(QStringLiteral("SELECT sum(fibers) * 18 FROM quenvale_file WHERE station = 's1'"), earlier));
}

// The server's disk full in the middle of a push: the push says so and
// fails, what the database held stays whole, the station's file is
// untouched, and once there is room again the next push keeps it. The
// tables are moved to a file system of 1 MiB of their own, which takes
// root to mount.
void TestDatabase::aFullDisk()
{
    const QString small = m_server.Folder() + QStringLiteral("/small");
    QVERIFY(QDir().mkpath(small));
    if (::geteuid() != 0
        || QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                       QStringLiteral("size=1m,uid=65534,mode=0700"),
                                                       QStringLiteral("tmpfs"), small})
            != 0)
        QSKIP("a small file system to fill takes root to mount");
    const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {small}); });
    const QString full = QStringLiteral("filled");
    m_server.Psql(QStringLiteral("CREATE DATABASE filled"));
    const QString url = m_server.Url(full);
    const QString folder = m_dir.filePath(QStringLiteral("large"));
    QVERIFY(makeLot(folder, {QStringLiteral("--files"), QStringLiteral("6"), QStringLiteral("--fibers"),
                             QStringLiteral("100")}));
    const QString first = folder + QStringLiteral("/station3-0000.fib");
    const QString kept = m_dir.filePath(QStringLiteral("kept.fib"));
    QVERIFY(QFile::copy(first, kept));
    QCOMPARE(runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s"), kept}).exitCode, 0);
    m_server.Psql(QStringLiteral("CREATE TABLESPACE small LOCATION '%1'").arg(small));
    for (const char *table : {"quenvale_file", "quenvale_row"})
        m_server.Psql(QStringLiteral("ALTER TABLE %1 SET TABLESPACE small").arg(QLatin1String(table)), full);
    const QByteArray before = readFile(first);

    const ProgramRun push = runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s"),
                                        QStringLiteral("--rows"), folder});
    QCOMPARE(push.exitCode, 1);
    QVERIFY2(push.err.contains("No space left on device"), push.err.constData());
    QVERIFY2(push.err.count("quenvale: ") == 1, push.err.constData()); // that, and nothing after it
    QCOMPARE(readFile(first), before);
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file f WHERE rows IS DISTINCT FROM "
                                          "(SELECT nullif(count(*), 0) FROM quenvale_row WHERE file_id = f.id)"),
                           full),
             QByteArray("0"));
    QVERIFY(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file"), full).toInt() < 7);

    for (const char *table : {"quenvale_file", "quenvale_row"})
        m_server.Psql(QStringLiteral("ALTER TABLE %1 SET TABLESPACE pg_default").arg(QLatin1String(table)), full);
    QCOMPARE(runProgram({QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("s"),
                         QStringLiteral("--rows"), folder})
                 .exitCode,
             0);
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*), sum(rows) FROM quenvale_file WHERE station = 's' AND "
                                          "rows IS NOT NULL"),
                           full),
             QByteArray("6|10800"));
    m_server.Psql(QStringLiteral("DROP TABLESPACE small"));
}

void TestDatabase::refused()
{
    // No server at that socket: a clear message, nothing else.
    const ProgramRun gone = runProgram({QStringLiteral("--push"),
                                        QStringLiteral("postgresql://quenvale@/postgres?host=%1").arg(m_dir.path()), m_day});
    QCOMPARE(gone.exitCode, 1);
    QVERIFY2(gone.err.contains("cannot connect"), gone.err.constData());
    QCOMPARE(runProgram({QStringLiteral("--push"), QStringLiteral("postgresql://quenvale:secret@/postgres"), m_day}).exitCode, 1);
    QCOMPARE(runProgram({QStringLiteral("--trend"), QStringLiteral("--warn-margin"), QStringLiteral("1"), m_server.Url()}).exitCode, 2);

    // A schema newer than this program's is never written to.
    const QByteArray version = m_server.Psql(QStringLiteral("SELECT version FROM quenvale_schema"));
    m_server.Psql(QStringLiteral("UPDATE quenvale_schema SET version = 99"));
    const ProgramRun newer = runProgram({QStringLiteral("--push"), m_server.Url(), m_day});
    QCOMPARE(newer.exitCode, 1);
    QVERIFY2(newer.err.contains("newer"), newer.err.constData());
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file WHERE station IN ('s3', 's4')")), QByteArray("24"));
    m_server.Psql(QStringLiteral("UPDATE quenvale_schema SET version = %1").arg(QString::fromLatin1(version)));
    // A table changed by hand is told, not written to.
    m_server.Psql(QStringLiteral("ALTER TABLE quenvale_file RENAME COLUMN summary TO kept"));
    const ProgramRun altered = runProgram({QStringLiteral("--push"), m_server.Url(), m_day});
    QCOMPARE(altered.exitCode, 1);
    QVERIFY2(altered.err.contains("not as Quenvale made it"), altered.err.constData());
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
