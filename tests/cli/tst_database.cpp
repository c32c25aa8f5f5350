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
    void refused();

private:
    PostgresServer m_server;
    QTemporaryDir m_dir;
    QString m_day;
};

void TestDatabase::initTestCase()
{
    QString why;
    bool missing = false;
    if (!m_server.Start(&why, &missing)) {
        if (missing)
            QSKIP(qPrintable(why));
        QFAIL(qPrintable(why));
    }
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

// Two stations' worth of pushes of one folder at once add each file once;
// a push killed at any moment leaves no half file, and the next push
// fills in the rest.
void TestDatabase::pushesAtOnceAndKilled()
{
    const QString url = m_server.Url();
    const QString day = m_dir.filePath(QStringLiteral("busy"));
    QVERIFY(makeLot(day, {QStringLiteral("--files"), QStringLiteral("60"), QStringLiteral("--fibers"),
                          QStringLiteral("8")}));
    const QStringList arguments{QStringLiteral("--push"), url, QStringLiteral("--station"), QStringLiteral("busy"), day};
    QProcess first, second;
    first.start(programPath(), arguments);
    second.start(programPath(), arguments);
    QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);
    const QRegularExpression added(QStringLiteral("(\\d+) added, (\\d+) replaced"));
    const QRegularExpressionMatch a = added.match(QString::fromUtf8(first.readAllStandardOutput()));
    const QRegularExpressionMatch b = added.match(QString::fromUtf8(second.readAllStandardOutput()));
    QVERIFY(a.hasMatch() && b.hasMatch());
    QCOMPARE(a.captured(1).toInt() + b.captured(1).toInt(), 60);
    QCOMPARE(a.captured(2).toInt() + b.captured(2).toInt(), 0);

    const QString killed = QStringLiteral("killed");
    const QStringList again{QStringLiteral("--push"), url, QStringLiteral("--station"), killed, day};
    for (int round = 0; round < 20; ++round) {
        QProcess push;
        push.start(programPath(), again);
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
    QCOMPARE(runProgram(again).exitCode, 0);
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file WHERE station = 'killed'")),
             QByteArray("60"));
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
    m_server.Psql(QStringLiteral("UPDATE quenvale_schema SET version = 99"));
    const ProgramRun newer = runProgram({QStringLiteral("--push"), m_server.Url(), m_day});
    QCOMPARE(newer.exitCode, 1);
    QVERIFY2(newer.err.contains("newer"), newer.err.constData());
    QCOMPARE(m_server.Psql(QStringLiteral("SELECT count(*) FROM quenvale_file WHERE station IN ('s3', 's4')")), QByteArray("24"));
    m_server.Psql(QStringLiteral("UPDATE quenvale_schema SET version = 1"));
    // A table changed by hand is told, not written to.
    m_server.Psql(QStringLiteral("ALTER TABLE quenvale_file RENAME COLUMN summary TO kept"));
    const ProgramRun altered = runProgram({QStringLiteral("--push"), m_server.Url(), m_day});
    QCOMPARE(altered.exitCode, 1);
    QVERIFY2(altered.err.contains("not as Quenvale made it"), altered.err.constData());
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
