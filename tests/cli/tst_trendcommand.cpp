// `quenvale --trend` as a script runs it: the lot's files and figures
// against --summary of the same files and against the retest rule, its
// formats, exit statuses and bad input, and the summary cache as the
// command uses it (a hit, a damaged cache, two commands at once). Every
// run keeps its cache in a folder of the test's own.

#include "TestSupport.h"

#include "data/NativePath.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

// A fiber of 18 rows measured at `time` on 2018-05-17: passing (-12 dB
// against -25 dB) or failing at channel 01 (-30 dB).
QByteArray measuredFiber(const char *name, bool passes, const char *time)
{
    QByteArray rows;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        rows += line(name, channel, !passes && channel == 1 ? "-30.00" : "-12.00", "2018-05-17", time);
    return rows;
}

QJsonObject jsonOf(const QByteArray &out)
{
    return QJsonDocument::fromJson(out).object();
}

// The errors of a JSON output as "path: message" lines, sorted.
QStringList errorsOf(const QJsonObject &json)
{
    QStringList errors;
    for (const QJsonValue &error : json.value(QLatin1String("errors")).toArray())
        errors.append(error[QLatin1String("path")].toString() + QLatin1String(": ")
                      + error[QLatin1String("message")].toString());
    errors.sort();
    return errors;
}

} // namespace

class TestTrendCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void figuresAgreeWithSummary_data();
    void figuresAgreeWithSummary();
    void formatsCarryTheSameFields();
    void exitStatuses_data();
    void exitStatuses();
    void badInputEndsAsSummaryDoes();
    void cacheKeepsTheVersionItRead();
    void damagedCacheIsSetAside();
    void twoCommandsAtOnce();
    void arguments_data();
    void arguments();

private:
    ProgramRun trend(const QStringList &arguments) const;
    QString cacheFile() const;

    QTemporaryDir m_dir;
    std::unique_ptr<QTemporaryDir> m_cache;
};

void TestTrendCommand::initTestCase()
{
    // lot/a.fib at 09:00: K passes, R fails; lot/b.fib at 10:00: R passes
    // (a retest), S passes; lot/sub/c.fib: no rows.
    const QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("lot/sub")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("lot/b.fib")),
                      standardHeader() + measuredFiber("R", true, "10:00:00") + measuredFiber("S", true, "10:01:00")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("lot/a.fib")),
                      standardHeader() + measuredFiber("K", true, "09:00:00") + measuredFiber("R", false, "09:01:00")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("lot/sub/c.fib")), standardHeader()));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("good.fib")), standardHeader() + measuredFiber("G", true, "08:00:00")));
    QVERIFY(dir.mkpath(QStringLiteral("empty")));
}

void TestTrendCommand::init()
{
    m_cache = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache->path()));
}

ProgramRun TestTrendCommand::trend(const QStringList &arguments) const
{
    return runProgram(QStringList{QStringLiteral("--trend")} + arguments, m_dir.path());
}

QString TestTrendCommand::cacheFile() const
{
    return m_cache->filePath(QStringLiteral("quenvale/summaries.sqlite"));
}

void TestTrendCommand::figuresAgreeWithSummary_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("no cache") << QStringList{"--no-cache"};
    QTest::newRow("a new cache") << QStringList{};
    QTest::newRow("a band") << QStringList{"--warn-margin", "14"};
}

// Each file's figures are those of --summary; the lot counts the retested
// fiber R once, with its pass at 10:00.
void TestTrendCommand::figuresAgreeWithSummary()
{
    QFETCH(QStringList, options);
    const QStringList band = options.contains(QStringLiteral("--warn-margin")) ? options : QStringList();
    const ProgramRun summary =
        runProgram(QStringList{"--summary", "--format", "json"} + band + QStringList{"lot"}, m_dir.path());
    QCOMPARE(summary.exitCode, 3);
    for (int run = 0; run < 2; ++run) { // the second from the cache, where there is one
        const ProgramRun lot = trend(QStringList{"--format", "json"} + options + QStringList{"lot"});
        QCOMPARE(lot.err, QByteArray());
        QCOMPARE(lot.exitCode, 3);
        const QJsonArray files = jsonOf(lot.out)[QLatin1String("files")].toArray();
        const QJsonArray judged = jsonOf(summary.out)[QLatin1String("files")].toArray();
        QCOMPARE(files.size(), 3);
        // In time order: a.fib (09:00), b.fib (10:00), then c.fib without rows.
        QStringList paths;
        for (const QJsonValue &file : files)
            paths.append(file[QLatin1String("path")].toString());
        QCOMPARE(paths, QStringList({"lot/a.fib", "lot/b.fib", "lot/sub/c.fib"}));
        QCOMPARE(files[0][QLatin1String("first_time")].toString(), QStringLiteral("2018-05-17T09:00:00"));
        QVERIFY(files[2][QLatin1String("first_time")].isNull());
        for (const QJsonValue &file : files) {
            const auto same = std::find_if(judged.begin(), judged.end(), [&](const QJsonValue &other) {
                return other[QLatin1String("path")] == file[QLatin1String("path")];
            });
            QVERIFY(same != judged.end());
            const QJsonValue other = *same;
            QCOMPARE(file[QLatin1String("fibers")], other[QLatin1String("fibers")]);
            QCOMPARE(file[QLatin1String("passed")].toInt(),
                     other[QLatin1String("fibers")].toInt() - other[QLatin1String("failed")].toInt());
            QCOMPARE(file[QLatin1String("yield")], other[QLatin1String("yield")]);
            QCOMPARE(file[QLatin1String("marginal")], band.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                                      : other[QLatin1String("marginal")]);
            // The weakest channel's Cpk, and where most fibers failed (else
            // the least margin mean), as the summary's channels tell.
            QJsonValue leastCpk = QJsonValue::Null, leastMean = QJsonValue::Null;
            QString closest;
            for (const QJsonValue &channel : other[QLatin1String("channels")].toArray()) {
                const QJsonValue cpk = channel[QLatin1String("cpk")], mean = channel[QLatin1String("margin_mean")];
                if (!cpk.isNull() && (leastCpk.isNull() || cpk.toDouble() < leastCpk.toDouble()))
                    leastCpk = cpk;
                if (!mean.isNull() && (leastMean.isNull() || mean.toDouble() < leastMean.toDouble())) {
                    leastMean = mean;
                    closest = channel[QLatin1String("channel")].toString();
                }
            }
            QCOMPARE(file[QLatin1String("min_cpk")], leastCpk);
            const QJsonArray pareto = other[QLatin1String("pareto")][QLatin1String("channels")].toArray();
            const QString worst = pareto.isEmpty() ? closest : pareto[0][QLatin1String("channel")].toString();
            QCOMPARE(file[QLatin1String("worst_channel")].toString(), worst);
        }
        const QJsonObject figures = jsonOf(lot.out)[QLatin1String("lot")].toObject();
        QCOMPARE(figures, QJsonObject({{"files", 3}, {"fibers", 3}, {"passed", 3}, {"yield", 1}, {"retested", 1},
                                       {"retested_passed", 1}, {"unread", 0}, {"failing_channel", "01"}, {"first_passed", 2}, {"first_pass_yield", 0.666666}}));
        QCOMPARE(QFileInfo::exists(cacheFile()), !options.contains(QStringLiteral("--no-cache")));
    }
}

// JSON Lines and CSV hold what JSON holds; the text has a line per file
// and the lot's.
void TestTrendCommand::formatsCarryTheSameFields()
{
    const ProgramRun json = trend({"--format", "json", "lot", "missing.fib"});
    const ProgramRun lines = trend({"--format", "jsonl", "lot", "missing.fib"});
    const ProgramRun csv = trend({"--format", "csv", "lot", "missing.fib"});
    const ProgramRun text = trend({"lot", "missing.fib"});
    for (const ProgramRun *run : {&json, &lines, &csv, &text})
        QCOMPARE(run->exitCode, 1);
    const QJsonObject whole = jsonOf(json.out);
    QList<QJsonObject> expected;
    for (const QJsonValue &file : whole[QLatin1String("files")].toArray())
        expected.append(file.toObject());
    expected.append(whole[QLatin1String("lot")].toObject());
    expected.append(whole[QLatin1String("errors")].toArray().first().toObject());

    const QList<QByteArray> jsonLines = lines.out.trimmed().split('\n');
    const QList<QByteArray> csvLines = csv.out.trimmed().split('\n');
    QCOMPARE(jsonLines.size(), expected.size());
    QCOMPARE(csvLines.size(), expected.size() + 1);
    const QList<QByteArray> header = csvLines.first().trimmed().split(',');
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QJsonObject line = jsonOf(jsonLines.at(i));
        const QString type = line.take(QLatin1String("type")).toString();
        QCOMPARE(type, QString::fromLatin1(i < 3 ? "file" : i == 3 ? "lot" : "error"));
        QCOMPARE(line, expected.at(i));
        // The CSV's fields, by their names, where they hold no comma.
        const QList<QByteArray> fields = csvLines.at(i + 1).trimmed().split(',');
        QCOMPARE(fields.first(), type.toLatin1());
        for (auto member = expected.at(i).begin(); member != expected.at(i).end(); ++member) {
            const qsizetype column = header.indexOf(member.key().toLatin1());
            if (member.key() == QLatin1String("message"))
                continue;
            QVERIFY2(column > 0, qPrintable(member.key()));
            const QByteArray field = fields.value(column);
            if (member->isDouble())
                QCOMPARE(field.toDouble(), member->toDouble());
            else
                QCOMPARE(QString::fromUtf8(field), member->isNull() ? QString() : member->toString());
        }
    }
    const QList<QByteArray> textLines = text.out.trimmed().split('\n');
    QCOMPARE(textLines.size(), 1 + 3 + 1 + 1); // heading, files, lot, unread
    QVERIFY(textLines.at(1).startsWith("2018-05-17 09:00:00  FAIL"));
    QVERIFY(textLines.at(1).endsWith("lot/a.fib"));
    QVERIFY(textLines.at(4).startsWith("lot: 3 of 3 fibers passed (100.0%)"));
    QVERIFY(textLines.at(4).contains("1 retested, 1 of them passed in the end"));
    QVERIFY(textLines.at(5).contains("missing.fib"));
}

void TestTrendCommand::exitStatuses_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("every file passes") << QStringList{"good.fib"} << 0;
    QTest::newRow("a fiber fails") << QStringList{"good.fib", "lot/a.fib"} << 3;
    QTest::newRow("a file without rows") << QStringList{"lot/sub"} << 3;
    QTest::newRow("a path not read comes before a failure") << QStringList{"lot", "none.fib"} << 1;
    QTest::newRow("a folder without result files") << QStringList{"good.fib", "empty"} << 1;
}

void TestTrendCommand::exitStatuses()
{
    QFETCH(QStringList, paths);
    QFETCH(int, exitCode);
    const ProgramRun run = trend(QStringList{"--format", "json"} + paths);
    QCOMPARE(run.exitCode, exitCode);
}

// Links in a loop, a FIFO and a device of result files' names, a dangling
// link and a thousand other files: the same files and errors as --summary.
void TestTrendCommand::badInputEndsAsSummaryDoes()
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    QVERIFY(folder.mkpath(QStringLiteral("station/sub")));
    QVERIFY(writeFile(folder.filePath(QStringLiteral("station/sub/a.fib")),
                      standardHeader() + measuredFiber("A", true, "09:00:00")));
    for (int i = 0; i < 1000; ++i)
        QVERIFY(writeFile(folder.filePath(QStringLiteral("station/note%1.txt").arg(i)), "not a result"));
    QVERIFY(::symlink("..", QFile::encodeName(folder.filePath(QStringLiteral("station/sub/up"))).constData()) == 0);
    QVERIFY(::symlink("/dev/null", QFile::encodeName(folder.filePath(QStringLiteral("station/null.fib"))).constData()) == 0);
    QVERIFY(::symlink("gone", QFile::encodeName(folder.filePath(QStringLiteral("station/dangling.fib"))).constData()) == 0);
    QVERIFY(::mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("station/fifo.fib"))).constData(), 0600) == 0);

    const ProgramRun summary = runProgram({"--summary", "--format", "json", "station"}, dir.path());
    const ProgramRun lot = runProgram({"--trend", "--format", "json", "station"}, dir.path());
    QCOMPARE(summary.exitCode, 1);
    QCOMPARE(lot.exitCode, 1);
    const QStringList errors = errorsOf(jsonOf(lot.out));
    QCOMPARE(errors.size(), 3);
    QCOMPARE(errors, errorsOf(jsonOf(summary.out)));
    QCOMPARE(jsonOf(lot.out)[QLatin1String("files")].toArray().size(), 1);
    QCOMPARE(jsonOf(lot.out)[QLatin1String("lot")][QLatin1String("unread")].toInt(), 3);
}

// The cache answers for the version it read only: a file rewritten in
// place under the same size with its modification time put back is read
// again, as --no-cache reads it, and so is one given a new time.
void TestTrendCommand::cacheKeepsTheVersionItRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.fib"));
    QVERIFY(writeFile(path, standardHeader() + measuredFiber("A", true, "09:00:00")));
    const auto passed = [&](const QStringList &options) {
        const ProgramRun run = runProgram(QStringList{"--trend", "--format", "json"} + options + QStringList{path});
        return jsonOf(run.out)[QLatin1String("lot")][QLatin1String("passed")].toInt();
    };
    QCOMPARE(passed({}), 1);
    struct stat before = {};
    QVERIFY(::stat(QFile::encodeName(path).constData(), &before) == 0);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(standardHeader().size() + 29));
        QCOMPARE(file.write("  -30.00"), 8);
    }
    // The modification time put back: the change time still tells.
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0);
    QCOMPARE(passed({"--no-cache"}), 0);
    QCOMPARE(passed({}), 0);
    const struct timespec later[2] = {before.st_atim, {before.st_mtim.tv_sec + 1, before.st_mtim.tv_nsec}};
    QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), later, 0) == 0);
    QCOMPARE(passed({}), 0);
}

void TestTrendCommand::damagedCacheIsSetAside()
{
    QVERIFY(QDir().mkpath(QFileInfo(cacheFile()).path()));
    QVERIFY(writeFile(cacheFile(), QByteArray(4096, '\x5a')));
    const ProgramRun run = trend({"lot"});
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.err.contains("set aside as"), run.err.constData());
    QCOMPARE(run.out, trend({"--no-cache", "lot"}).out);
    const ProgramRun again = trend({"lot"});
    QCOMPARE(again.err, QByteArray());
    QCOMPARE(again.out, run.out);

    // --clear-cache takes the cache and what was set aside beside it.
    const ProgramRun cleared = runProgram({QStringLiteral("--clear-cache")});
    QCOMPARE(cleared.exitCode, 0);
    QVERIFY2(cleared.out.contains("summaries.sqlite.aside-"), cleared.out.constData());
    QCOMPARE(QDir(QFileInfo(cacheFile()).path()).entryList(QDir::Files | QDir::System).size(), 0);
}

// Two commands on one new cache at once: both finish, and say what a run
// without the cache says.
void TestTrendCommand::twoCommandsAtOnce()
{
    QTemporaryDir dir;
    for (int i = 0; i < 200; ++i)
        QVERIFY(writeFile(dir.filePath(QStringLiteral("f%1.fib").arg(i, 3, 10, QLatin1Char('0'))),
                          standardHeader() + measuredFiber("F", i % 7 != 0, "09:00:00")));
    const QStringList arguments{"--trend", "--format", "csv", dir.path()};
    QProcess first, second;
    for (QProcess *process : {&first, &second}) {
        process->setProcessEnvironment(headlessEnvironment());
        process->start(programPath(), arguments);
    }
    for (QProcess *process : {&first, &second}) {
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitCode(), 3);
        QCOMPARE(process->readAllStandardError(), QByteArray());
    }
    const ProgramRun alone = runProgram(arguments + QStringList{"--no-cache"});
    QCOMPARE(first.readAllStandardOutput(), alone.out);
    QCOMPARE(second.readAllStandardOutput(), alone.out);
    // One fiber F, tested in every file at one time: the last file's result.
    QVERIFY(alone.out.contains("\r\nlot,,,200,0,1,1,,1,"));
}

void TestTrendCommand::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no path") << QStringList{"--trend"} << QStringLiteral("at least one result file or folder");
    QTest::newRow("--no-cache without --trend") << QStringList{"--summary", "--no-cache", "good.fib"}
                                                << QStringLiteral("--no-cache is only for --trend");
    QTest::newRow("two jobs") << QStringList{"--trend", "--summary", "good.fib"}
                              << QStringLiteral("cannot be given together");
    QTest::newRow("twice") << QStringList{"--trend", "--trend", "good.fib"}
                           << QStringLiteral("--trend is given more than once");
    QTest::newRow("an image format") << QStringList{"--trend", "--format", "png", "good.fib"}
                                     << QStringLiteral("use text, json, jsonl or csv");
}

void TestTrendCommand::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const ProgramRun run = runProgram(arguments, m_dir.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QCOMPARE(run.out, QByteArray());
}

QTEST_GUILESS_MAIN(TestTrendCommand)
#include "tst_trendcommand.moc"
