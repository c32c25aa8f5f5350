// `quenvale --summary` run as a script runs it, over a folder of result
// files, its output checked whole in each format.

#include "TestSupport.h"

#include <QJsonDocument>
#include <QtTest>

#include "data/NativePath.h"

#include <QJsonArray>
#include <QJsonObject>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace TestSupport;

namespace {

// GOOD: 18 rows of channel 01, 5 dB above the threshold. BAD: two rows,
// one 0.01 dB below its threshold and one Low.
QByteArray goodFiber()
{
    QByteArray rows;
    for (int i = 0; i < ChannelTable::FiberSize; ++i)
        rows += thresholdLine("GOOD", 1, "-20.00", "-25.00");
    return rows;
}

QByteArray badFiber()
{
    return thresholdLine("BAD", 1, "-25.01", "-25.00") + thresholdLine("BAD", 2, "-120.00", "-25.00");
}

} // namespace

class TestSummaryCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formats_data();
    void formats();
    void exitStatuses_data();
    void exitStatuses();
    void marginalBand_data();
    void marginalBand();
    void foldersHoldOnlyFilesToJudge();
    void linkedFolderLosesNoFile_data();
    void linkedFolderLosesNoFile();
    void memoryStaysFlat_data();
    void memoryStaysFlat();
    void textForTerminals();
    void namesStayApart();
    void progressNeverMixesWithResults();
    void misalignedRowsAreTold_data();
    void misalignedRowsAreTold();

private:
    ProgramRun run(const QStringList &arguments) const;

    QTemporaryDir m_dir;
};

void TestSummaryCommand::initTestCase()
{
    // fixture/cable.fib, fixture/notes.txt, fixture/sub/EMPTY.FIB (no rows),
    // good.fib, and a folder without result files.
    const QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("fixture/sub")) && dir.mkpath(QStringLiteral("no-results")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("fixture/cable.fib")),
                      standardHeader() + goodFiber() + badFiber()));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("fixture/notes.txt")), "not a result"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("fixture/sub/EMPTY.FIB")), standardHeader()));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("good.fib")), standardHeader() + goodFiber()));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("no-results/notes.txt")), "not a result"));
}

ProgramRun TestSummaryCommand::run(const QStringList &arguments) const
{
    return runProgram(arguments, m_dir.path());
}

void TestSummaryCommand::formats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("text")
        << QStringLiteral("text")
        << QByteArray("fixture/cable.fib\n"
                      "  BAD       incomplete (2 rows), below threshold, Low at 01 02; worst channel 02: "
                      "power Low, threshold -25.00, margin Low\n"
                      "fixture/sub/EMPTY.FIB\n"
                      "  no rows\n"
                      "\n"
                      "fixture/cable.fib      FAIL  1/2 fibers   50.0%\n"
                      "fixture/sub/EMPTY.FIB  FAIL  0/0 fibers       -\n"
                      "all 2 files            FAIL  1/2 fibers   50.0%\n"
                      "1 of the 2 paths given could not be read\n");
    QTest::newRow("csv")
        << QStringLiteral("csv")
        << QByteArray("file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels,path_bytes,"
                      "marginal,limit_source\r\n"
                      "fixture/cable.fib,GOOD,pass,18,,01,5,,,,file\r\n"
                      "fixture/cable.fib,BAD,fail,2,\"incomplete, below threshold, Low\",02,,01 02,,,file\r\n"
                      "fixture/sub/EMPTY.FIB,,fail,0,no rows,,,,,,file\r\n"
                      "missing.fib,,error,,\"Cannot read \"\"missing.fib\"\": No such file or directory\",,,,,,file\r\n");
    // Channel 01's powers: 18 of -20.00 and one of -25.01.
    // Channel 01: 1 of 19 rows fails, a share of 1/19; Phi^-1(18/19) / 3 =
    // 0.539952 (Python's statistics.NormalDist), below its Cpk of 1.37: low.
    // Channel 02: its one row is Low, so every row failed, the share taken
    // as 1/2 and Cpk observed 0: low.
    QTest::newRow("json")
        << QStringLiteral("json")
        << QByteArray(
               "{\n"
               "  \"files\": [\n"
               "    {\n"
               "      \"path\": \"fixture/cable.fib\",\n"
               "      \"fiber_results\": [\n"
               "        {\"name\": \"GOOD\", \"verdict\": \"pass\", \"rows\": 18, \"failed_channels\": [], "
               "\"worst_channel\": \"01\", \"worst_margin\": 5},\n"
               "        {\"name\": \"BAD\", \"verdict\": \"fail\", \"rows\": 2, \"reason\": \"incomplete, "
               "below threshold, Low\", \"failed_channels\": [\"01\", \"02\"], \"worst_channel\": \"02\", "
               "\"worst_margin\": null}\n"
               "      ],\n"
               "      \"verdict\": \"fail\",\n"
               "      \"fibers\": 2,\n"
               "      \"failed\": 1,\n"
               "      \"limit_source\": \"file\",\n"
               "      \"yield\": 0.5,\n"
               "      \"channels\": [\n"
               "        {\"channel\": \"01\", \"wavelength\": \"1271.0\", \"count\": 19, \"failed\": 1, "
               "\"failed_fibers\": 1, \"powers\": 19, \"margins\": 19, "
               "\"min\": -25.01, \"max\": -20, \"mean\": -20.263684, \"stddev\": 1.149373, \"p01\": -24.1082, "
               "\"p50\": -20, \"p95\": -20, \"p99\": -20, \"lower\": -25, \"upper\": null, \"margin_mean\": 4.736316, \"margin_stddev\": 1.149373, \"cpk\": "
               "1.373594, \"failing_share\": 0.052632, \"cpk_observed\": 0.539952, \"capability\": \"low\"},\n"
               "        {\"channel\": \"02\", \"wavelength\": \"1291.0\", \"count\": 1, \"failed\": 1, "
               "\"failed_fibers\": 1, \"powers\": 0, \"margins\": 0, "
               "\"min\": null, \"max\": null, \"mean\": null, \"stddev\": null, \"p01\": null, \"p50\": null, "
               "\"p95\": null, \"p99\": null, \"lower\": -25, \"upper\": null, \"margin_mean\": null, \"margin_stddev\": null, \"cpk\": null, "
               "\"failing_share\": 1, \"cpk_observed\": 0, \"capability\": \"low\"}\n"
               "      ],\n"
               "      \"pareto\": {\"channels\": [{\"channel\": \"01\", \"fibers\": 1}, {\"channel\": \"02\", "
               "\"fibers\": 1}], \"reasons\": [{\"reason\": \"incomplete\", \"fibers\": 1}, {\"reason\": "
               "\"below threshold\", \"fibers\": 1}, {\"reason\": \"Low\", \"fibers\": 1}]}\n"
               "    },\n"
               "    {\n"
               "      \"path\": \"fixture/sub/EMPTY.FIB\",\n"
               "      \"fiber_results\": [],\n"
               "      \"verdict\": \"fail\",\n"
               "      \"reason\": \"no rows\",\n"
               "      \"fibers\": 0,\n"
               "      \"failed\": 0,\n"
               "      \"limit_source\": \"file\",\n"
               "      \"yield\": 0,\n"
               "      \"channels\": [],\n"
               "      \"pareto\": {\"channels\": [], \"reasons\": []}\n"
               "    }\n"
               "  ],\n"
               "  \"verdict\": \"fail\",\n"
               "  \"errors\": [\n"
               "    {\"path\": \"missing.fib\", \"message\": \"Cannot read \\\"missing.fib\\\": No such file "
               "or directory\"}\n"
               "  ]\n"
               "}\n");
    QTest::newRow("jsonl")
        << QStringLiteral("jsonl")
        << QByteArray(
               "{\"file\": \"fixture/cable.fib\", \"type\": \"fiber\", \"name\": \"GOOD\", \"verdict\": \"pass\", "
               "\"rows\": 18, \"failed_channels\": [], \"worst_channel\": \"01\", \"worst_margin\": 5}\n"
               "{\"file\": \"fixture/cable.fib\", \"type\": \"fiber\", \"name\": \"BAD\", \"verdict\": \"fail\", "
               "\"rows\": 2, \"reason\": \"incomplete, below threshold, Low\", \"failed_channels\": [\"01\", \"02\"], "
               "\"worst_channel\": \"02\", \"worst_margin\": null}\n"
               "{\"file\": \"fixture/cable.fib\", \"type\": \"file\", \"verdict\": \"fail\", \"fibers\": 2, "
               "\"failed\": 1, \"limit_source\": \"file\", \"yield\": 0.5, \"channels\": [{\"channel\": \"01\", \"wavelength\": \"1271.0\", "
               "\"count\": 19, \"failed\": 1, \"failed_fibers\": 1, \"powers\": 19, \"margins\": 19, "
               "\"min\": -25.01, \"max\": -20, \"mean\": -20.263684, \"stddev\": "
               "1.149373, \"p01\": -24.1082, \"p50\": -20, \"p95\": -20, \"p99\": -20, \"lower\": -25, \"upper\": null, \"margin_mean\": 4.736316, "
               "\"margin_stddev\": 1.149373, \"cpk\": 1.373594, \"failing_share\": 0.052632, \"cpk_observed\": "
               "0.539952, \"capability\": \"low\"}, {\"channel\": \"02\", \"wavelength\": \"1291.0\", "
               "\"count\": 1, \"failed\": 1, \"failed_fibers\": 1, \"powers\": 0, \"margins\": 0, "
               "\"min\": null, \"max\": null, \"mean\": null, \"stddev\": null, "
               "\"p01\": null, \"p50\": null, \"p95\": null, \"p99\": null, \"lower\": -25, \"upper\": null, \"margin_mean\": null, \"margin_stddev\": null, "
               "\"cpk\": null, \"failing_share\": 1, \"cpk_observed\": 0, \"capability\": \"low\"}], \"pareto\": {\"channels\": [{\"channel\": \"01\", \"fibers\": 1}, {\"channel\": "
               "\"02\", \"fibers\": 1}], \"reasons\": [{\"reason\": \"incomplete\", \"fibers\": 1}, {\"reason\": "
               "\"below threshold\", \"fibers\": 1}, {\"reason\": \"Low\", \"fibers\": 1}]}}\n"
               "{\"file\": \"fixture/sub/EMPTY.FIB\", \"type\": \"file\", \"verdict\": \"fail\", \"reason\": "
               "\"no rows\", \"fibers\": 0, \"failed\": 0, \"limit_source\": \"file\", \"yield\": 0, \"channels\": [], \"pareto\": "
               "{\"channels\": [], \"reasons\": []}}\n"
               "{\"file\": \"missing.fib\", \"type\": \"error\", \"message\": \"Cannot read \\\"missing.fib\\\": "
               "No such file or directory\"}\n");
}

void TestSummaryCommand::formats()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, output);
    const ProgramRun summary = run({QStringLiteral("--summary"), QStringLiteral("--format"), format,
                                    QStringLiteral("fixture"), QStringLiteral("missing.fib")});
    QCOMPARE(summary.out, output);
    QCOMPARE(summary.err, QByteArray("quenvale: Cannot read \"missing.fib\": No such file or directory\n"));
    QCOMPARE(summary.exitCode, 1);
    // Every line of JSON Lines an object of its own to a strict parser.
    if (format == QLatin1String("jsonl")) {
        for (const QByteArray &line : summary.out.trimmed().split('\n')) {
            QJsonParseError error;
            QVERIFY2(QJsonDocument::fromJson(line, &error).isObject(), line.constData());
        }
    }
}

void TestSummaryCommand::exitStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("every file passes") << QStringList{"--summary", "good.fib"} << 0;
    QTest::newRow("a fiber fails") << QStringList{"--summary", "good.fib", "fixture/cable.fib"} << 3;
    QTest::newRow("a file without rows") << QStringList{"--summary", "fixture/sub"} << 3;
    QTest::newRow("a path that cannot be read")
        << QStringList{"--summary", "good.fib", "missing.fib"} << 1;
    QTest::newRow("a folder without result files") << QStringList{"--summary", "no-results"} << 1;
    QTest::newRow("no path") << QStringList{"--summary"} << 2;
    QTest::newRow("unknown format") << QStringList{"--summary", "--format", "xml", "good.fib"} << 2;
    QTest::newRow("a format without --summary") << QStringList{"--format", "json", "good.fib"} << 2;
    QTest::newRow("two jobs") << QStringList{"--summary", "--export-csv", "x.csv", "good.fib"} << 2;
}

void TestSummaryCommand::exitStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const ProgramRun summary = run(arguments);
    QCOMPARE(summary.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY2(summary.err.startsWith("quenvale: ") && summary.out.isEmpty(), summary.err.constData());
}

void TestSummaryCommand::marginalBand_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QByteArrayList>("parts"); // of the output, in order
    // GOOD passes by 5 dB at every row: marginal in a band wider than that.
    QTest::newRow("text") << QStringLiteral("text") << QStringLiteral("5.01")
                          << QByteArrayList{"good.fib\n  GOOD      PASS (marginal); worst channel 01: power -20.00, "
                                            "threshold -25.00, margin +5.00 dB\n",
                                            "good.fib       PASS (marginal)  1/1 fiber   100.0%  1 marginal\n"};
    QTest::newRow("text, a margin equal to the band")
        << QStringLiteral("text") << QStringLiteral("5")
        << QByteArrayList{"good.fib       PASS             1/1 fiber   100.0%  0 marginal\n"};
    QTest::newRow("csv") << QStringLiteral("csv") << QStringLiteral("5.01")
                         << QByteArrayList{"path_bytes,marginal,limit_source\r\n", "good.fib,GOOD,pass,18,,01,5,,,true,file\r\n"};
    QTest::newRow("csv, a margin equal to the band") << QStringLiteral("csv") << QStringLiteral("5")
                                                     << QByteArrayList{"good.fib,GOOD,pass,18,,01,5,,,false,file\r\n"};
    QTest::newRow("json") << QStringLiteral("json") << QStringLiteral("5.01")
                          << QByteArrayList{"\"worst_margin\": 5, \"marginal\": true}",
                                            "\"failed\": 0,\n      \"marginal\": 1,",
                                            "\"failed\": 0, \"failed_fibers\": 0, \"marginal\": 1, \"powers\""}; // a fiber counts once
    QTest::newRow("jsonl") << QStringLiteral("jsonl") << QStringLiteral("5.01")
                           << QByteArrayList{"\"worst_margin\": 5, \"marginal\": true}\n",
                                             "\"failed\": 0, \"marginal\": 1, \"limit_source\": \"file\", \"yield\""};
}

// The band marks a fiber in every format, and leaves the exit status as it
// is: a marginal fiber passes.
void TestSummaryCommand::marginalBand()
{
    QFETCH(QString, format);
    QFETCH(QString, band);
    QFETCH(QByteArrayList, parts);
    const ProgramRun summary = run({QStringLiteral("--summary"), QStringLiteral("--warn-margin"), band,
                                    QStringLiteral("--format"), format, QStringLiteral("good.fib")});
    QCOMPARE(summary.exitCode, 0);
    qsizetype from = 0;
    for (const QByteArray &part : parts) {
        from = summary.out.indexOf(part, from);
        QVERIFY2(from >= 0, qPrintable(QString::fromUtf8(part + "\n not in\n" + summary.out)));
    }
}

// A FIFO or a link to a device named *.fib in a folder is never opened: the
// scan ends at once and names them. A file reached twice is judged once.
void TestSummaryCommand::foldersHoldOnlyFilesToJudge()
{
    QTemporaryDir dir;
    const QDir scan(dir.filePath(QStringLiteral("scan")));
    QVERIFY(QDir().mkpath(scan.path()));
    QVERIFY(writeFile(scan.filePath(QStringLiteral("good.fib")), standardHeader() + goodFiber()));
    QCOMPARE(::mkfifo(QFile::encodeName(scan.filePath(QStringLiteral("pipe.fib"))).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), scan.filePath(QStringLiteral("zero.fib"))));

    QProcess job;
    job.setWorkingDirectory(dir.path());
    job.start(programPath(), {QStringLiteral("--summary"), QStringLiteral("--format"), QStringLiteral("csv"),
                              QStringLiteral("scan/good.fib"), QStringLiteral("scan")});
    const bool finished = job.waitForFinished(10000);
    if (!finished)
        job.kill();
    QVERIFY2(finished, "the scan did not end");
    QCOMPARE(job.exitCode(), 1);
    QCOMPARE(job.readAllStandardOutput(),
             QByteArray("file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels,path_bytes,"
                        "marginal,limit_source\r\n"
                        "scan/good.fib,GOOD,pass,18,,01,5,,,,file\r\n"
                        "scan/pipe.fib,,error,,\"Cannot read \"\"scan/pipe.fib\"\": not a regular file\",,,,,,file\r\n"
                        "scan/zero.fib,,error,,\"Cannot read \"\"scan/zero.fib\"\": not a regular file\",,,,,,file\r\n"));
    QCOMPARE(job.readAllStandardError(),
             QByteArray("quenvale: Cannot read \"scan/pipe.fib\": not a regular file\n"
                        "quenvale: Cannot read \"scan/zero.fib\": not a regular file\n"));
}

void TestSummaryCommand::linkedFolderLosesNoFile_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("link before its folder") << QStringLiteral("a0.fib");
    QTest::newRow("link after its folder") << QStringLiteral("z0.fib");
}

// A link named *.fib that points at a sibling folder is, to whoever named
// it so, a result file that is not there: it is named, as a FIFO is, and
// never entered. The folder is walked where the walk reaches it, so its
// file is judged once, whichever of the two sorts first.
void TestSummaryCommand::linkedFolderLosesNoFile()
{
    QFETCH(QString, link);
    QTemporaryDir dir;
    const QDir scan(dir.filePath(QStringLiteral("scan")));
    QVERIFY(QDir().mkpath(scan.filePath(QStringLiteral("mid"))));
    QVERIFY(writeFile(scan.filePath(QStringLiteral("mid/c.fib")), standardHeader() + goodFiber()));
    QVERIFY(QFile::link(QStringLiteral("mid"), scan.filePath(link)));

    const ProgramRun summary = runProgram({QStringLiteral("--summary"), QStringLiteral("--format"),
                                           QStringLiteral("csv"), QStringLiteral("scan")},
                                          dir.path());
    QCOMPARE(summary.exitCode, 1);
    const QByteArray name = "scan/" + link.toUtf8();
    QCOMPARE(summary.out,
             "file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels,path_bytes,marginal,limit_source\r\n"
             "scan/mid/c.fib,GOOD,pass,18,,01,5,,,,file\r\n"
             + name + ",,error,,\"Cannot read \"\"" + name + "\"\": not a regular file\",,,,,,file\r\n");
}

void TestSummaryCommand::memoryStaysFlat_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("text") << QStringLiteral("text");
    QTest::newRow("json") << QStringLiteral("json");
    QTest::newRow("csv") << QStringLiteral("csv");
}

// A million rows where every fiber fails, judged in an address space that
// holds the program and its buffers but not a line for every failing fiber.
void TestSummaryCommand::memoryStaysFlat()
{
    QFETCH(QString, format);
    constexpr qsizetype kFibers = 55556;
    static QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("failing.fib"));
    if (!QFile::exists(big)) {
        QByteArray fiber;
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
            fiber += thresholdLine("FAILING", channel, "-30.00", "-25.00");
        QVERIFY(writeFile(big, standardHeader() + fiber.repeated(kFibers)));
    }

    QProcess job;
    job.setChildProcessModifier([] {
        constexpr rlim_t kAddressSpace = rlim_t(80) << 20;
        const struct rlimit limit = {kAddressSpace, kAddressSpace};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    job.start(programPath(), {QStringLiteral("--summary"), QStringLiteral("--format"), format, big});
    QVERIFY(job.waitForFinished(60000));
    QVERIFY2(job.exitCode() == 3, job.readAllStandardError().constData());
    const QByteArray out = job.readAllStandardOutput();
    QCOMPARE(out.count("FAILING"), kFibers);
}

// Names line up as a terminal draws them, a Chinese character two cells
// wide; an escape sequence in a file name shows as text.
void TestSummaryCommand::textForTerminals()
{
    QTemporaryDir dir;
    QByteArray lines;
    for (const char *name : {"\xb9\xe2\xcf\xcb" "04", "PLAIN"}) {
        lines += thresholdLine(name, 1, "-120.00", "-25.00");
        for (int channel = 2; channel <= ChannelTable::FiberSize; ++channel)
            lines += thresholdLine(name, channel, "-20.00", "-25.00");
    }
    QVERIFY(writeFile(dir.filePath(QStringLiteral("esc\x1b[2J.fib")), standardHeader() + lines));

    const ProgramRun summary = runProgram({QStringLiteral("--summary"), QStringLiteral("esc\x1b[2J.fib")}, dir.path());
    QCOMPARE(summary.exitCode, 3);
    QCOMPARE(QString::fromUtf8(summary.out),
             QStringLiteral("esc\\x1b[2J.fib\n"
                            "  光纤04    Low at 01; worst channel 01: power Low, threshold -25.00, margin Low\n"
                            "  PLAIN     Low at 01; worst channel 01: power Low, threshold -25.00, margin Low\n"
                            "\n"
                            "esc\\x1b[2J.fib  FAIL  0/2 fibers    0.0%\n"
                            "all of 1 file   FAIL  0/2 fibers    0.0%\n"));
}

// Two files whose names read alike (光 in code page 936 and in UTF-8), and
// two fiber names that differ only in a lead byte cut off at the field's
// end: each keeps a text of its own, and the name that is not UTF-8 gives
// its bytes.
void TestSummaryCommand::namesStayApart()
{
    QTemporaryDir dir;
    QByteArray cut;
    QByteArray whole;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel) {
        cut += thresholdLine("ABCDEFG\xb9", channel, "-20.00", "-25.00");
        whole += thresholdLine("ABCDEFG", channel, "-20.00", "-25.00");
    }
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray bytes = standardHeader() + cut + whole;
    for (const QByteArray &name : {QByteArray("\xb9\xe2.fib"), QByteArray("\xe5\x85\x89.fib")}) {
        const int fd = NativePath::Open(NativePath::Decode(folder + name), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size());
        ::close(fd);
    }

    const ProgramRun json = runProgram({QStringLiteral("--summary"), QStringLiteral("--format"),
                                        QStringLiteral("json"), QStringLiteral(".")},
                                       dir.path());
    QCOMPARE(json.exitCode, 0);
    const QJsonArray files = QJsonDocument::fromJson(json.out).object().value(QLatin1String("files")).toArray();
    QCOMPARE(files.size(), 2);
    QCOMPARE(files.at(0).toObject().value(QLatin1String("path")).toString(), QStringLiteral("./\\xb9\\xe2.fib"));
    QCOMPARE(files.at(0).toObject().value(QLatin1String("path_bytes")).toString(), QStringLiteral("2e2fb9e22e666962"));
    QCOMPARE(files.at(1).toObject().value(QLatin1String("path")).toString(), QStringLiteral("./光.fib"));
    QVERIFY(!files.at(1).toObject().contains(QLatin1String("path_bytes")));
    const QJsonArray fibers = files.at(0).toObject().value(QLatin1String("fiber_results")).toArray();
    QCOMPARE(fibers.at(0).toObject().value(QLatin1String("name")).toString(), QStringLiteral("ABCDEFG\uFFFD"));
    QCOMPARE(fibers.at(1).toObject().value(QLatin1String("name")).toString(), QStringLiteral("ABCDEFG"));

    const ProgramRun text = runProgram({QStringLiteral("--summary"), QStringLiteral(".")}, dir.path());
    // Qt cannot remove a name that is not UTF-8.
    ::unlink((folder + "\xb9\xe2.fib").constData());
    QVERIFY2(text.out.contains("./\\xb9\\xe2.fib  PASS") && text.out.contains("./光.fib        PASS"),
             text.out.constData());
}

namespace {

// What a terminal shows of a transcript: a carriage return goes back to
// the start of the line, ESC [ K erases to its end, other escape
// sequences (colours) show nothing.
QStringList screenLines(const QByteArray &transcript)
{
    QStringList lines{QString()};
    qsizetype column = 0;
    const QString text = QString::fromUtf8(transcript);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        QString &line = lines.last();
        if (c == QLatin1Char('\033') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('[')) {
            qsizetype end = i + 2;
            while (end < text.size() && !text.at(end).isLetter())
                ++end;
            if (end < text.size() && text.at(end) == QLatin1Char('K'))
                line.truncate(column);
            i = end;
        } else if (c == QLatin1Char('\r')) {
            column = 0;
        } else if (c == QLatin1Char('\n')) {
            lines.append(QString());
            column = 0;
        } else {
            if (column < line.size())
                line[column] = c;
            else
                line += c;
            ++column;
        }
    }
    return lines;
}

} // namespace

// Standard output and standard error on one terminal while the files done
// are counted: the count is never on a line with anything else.
void TestSummaryCommand::progressNeverMixesWithResults()
{
    QTemporaryDir dir;
    QByteArray failing;
    for (int fiber = 0; fiber < 400; ++fiber)
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
            failing += thresholdLine("F", channel, channel == 7 ? "-120.00" : "-20.00", "-25.00");
    for (int i = 0; i < 6; ++i)
        QVERIFY(writeFile(dir.filePath(QStringLiteral("f%1.fib").arg(i)), standardHeader() + failing));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("g.fib")), "too short"));

    const QByteArray program = QFile::encodeName(programPath());
    const QByteArray folder = QFile::encodeName(dir.path());
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    QVERIFY(child >= 0);
    if (child == 0) {
        ::setenv("TERM", "xterm", 1);
        ::execl(program.constData(), "quenvale", "--summary", folder.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    QByteArray transcript;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        pollfd wait = {terminal, POLLIN, 0};
        if (::poll(&wait, 1, 1000) <= 0 && timer.elapsed() > 60000)
            break;
        char buffer[4096];
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got <= 0)
            break; // EIO once the child is gone
        transcript.append(buffer, got);
    }
    ::close(terminal);
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));

    const QRegularExpression counter(QStringLiteral("^quenvale: \\d+ of \\d+ files done$"));
    const QStringList lines = screenLines(transcript);
    QVERIFY2(lines.size() > 2400, transcript.left(400).constData());
    for (const QString &line : lines) {
        if (line.contains(QLatin1String("files done")))
            QVERIFY2(counter.match(line).hasMatch(), qPrintable(line));
    }
}

void TestSummaryCommand::misalignedRowsAreTold_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("--summary") << QStringList{"--summary"} << 3;
    QTest::newRow("--summary --format json") << QStringList{"--summary", "--format", "json"} << 3;
    QTest::newRow("--trend") << QStringList{"--trend"} << 3;
    QTest::newRow("--trend, from the cache") << QStringList{"--trend"} << 3;
    QTest::newRow("--export-xlsx") << QStringList{"--export-xlsx", "misaligned/out"} << 3;
    // The design's CSV, every row as it was cut, and the same message.
    QTest::newRow("--export-csv") << QStringList{"--export-csv", "misaligned/out"} << 0;
}

// A blank line before a fiber's third row, and a file whose every line is
// a byte too long: each job names the first such line once, and judges
// the fibers from there on as failing.
void TestSummaryCommand::misalignedRowsAreTold()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    const QDir dir(m_dir.path());
    QVERIFY(dir.mkpath(QStringLiteral("misaligned/out")));
    QByteArray blank = standardHeader() + goodFiber() + goodFiber();
    blank.insert(standardHeader().size() + (18 + 2) * 69, '\n'); // before table row 20, line 26
    QVERIFY(writeFile(dir.filePath(QStringLiteral("misaligned/blank.fib")), blank));
    QByteArray longLines = standardHeader();
    for (const QByteArray &line : (goodFiber() + goodFiber()).split('\n')) {
        if (!line.isEmpty())
            longLines += line + " \n";
    }
    QVERIFY(writeFile(dir.filePath(QStringLiteral("misaligned/long.fib")), longLines));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    const ProgramRun result =
        run(arguments + QStringList{QStringLiteral("misaligned/blank.fib"), QStringLiteral("misaligned/long.fib")});
    QCOMPARE(result.exitCode, status);
    const QList<QByteArray> told = result.err.trimmed().split('\n');
    QCOMPARE(told.size(), 2);
    QVERIFY2(told.contains("quenvale: misaligned/blank.fib: line 26 is 1 byte long; rows after it are not aligned"),
             result.err.constData());
    QVERIFY2(told.contains("quenvale: misaligned/long.fib: line 6 is 70 bytes long; rows after it are not aligned"),
             result.err.constData());
    if (arguments.first() == QLatin1String("--summary") && arguments.size() > 1) {
        const QJsonArray files = QJsonDocument::fromJson(result.out)[QLatin1String("files")].toArray();
        QCOMPARE(files.at(0)[QLatin1String("failed")].toInt(), 1);
        QCOMPARE(files.at(1)[QLatin1String("failed")].toInt(), 2);
        QCOMPARE(files.at(0)[QLatin1String("fibers")].toInt(), 2);
        QCOMPARE(files.at(0)[QLatin1String("fiber_results")][1][QLatin1String("reason")].toString(),
                 QStringLiteral("misaligned"));
    }
}

QTEST_GUILESS_MAIN(TestSummaryCommand)
#include "tst_summarycommand.moc"
