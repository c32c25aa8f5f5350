// `quenvale --summary` run as a script runs it, over a folder of result
// files, its output checked whole in each format.

#include "TestSupport.h"

#include <QtTest>

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
        << QByteArray("fixture/cable.fib      FAIL  1/2 fibers   50.0%\n"
                      "  BAD  incomplete (2 rows), below threshold, Low at 01 02; worst channel 01: "
                      "power -25.01, threshold -25.00, margin -0.01 dB\n"
                      "fixture/sub/EMPTY.FIB  FAIL  0/0 fibers       -\n"
                      "  no rows\n"
                      "all 2 files            FAIL  1/2 fibers   50.0%\n"
                      "1 of the paths given could not be read\n");
    QTest::newRow("csv")
        << QStringLiteral("csv")
        << QByteArray("file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels\r\n"
                      "fixture/cable.fib,GOOD,pass,18,,01,5,\r\n"
                      "fixture/cable.fib,BAD,fail,2,\"incomplete, below threshold, Low\",01,-0.01,01 02\r\n"
                      "fixture/sub/EMPTY.FIB,,fail,0,no rows,,,\r\n");
    // Channel 01's powers: 18 of -20.00 and one of -25.01.
    QTest::newRow("json")
        << QStringLiteral("json")
        << QByteArray(
               "{\n"
               "  \"verdict\": \"fail\",\n"
               "  \"files\": [\n"
               "    {\n"
               "      \"path\": \"fixture/cable.fib\",\n"
               "      \"verdict\": \"fail\",\n"
               "      \"fibers\": 2,\n"
               "      \"failed\": 1,\n"
               "      \"yield\": 0.5,\n"
               "      \"fiber_results\": [\n"
               "        {\"name\": \"GOOD\", \"verdict\": \"pass\", \"rows\": 18, \"failed_channels\": [], "
               "\"worst_channel\": \"01\", \"worst_margin\": 5},\n"
               "        {\"name\": \"BAD\", \"verdict\": \"fail\", \"rows\": 2, \"reason\": \"incomplete, "
               "below threshold, Low\", \"failed_channels\": [\"01\", \"02\"], \"worst_channel\": \"01\", "
               "\"worst_margin\": -0.01}\n"
               "      ],\n"
               "      \"channels\": [\n"
               "        {\"channel\": \"01\", \"wavelength\": \"1271.0\", \"count\": 19, \"failed\": 1, "
               "\"min\": -25.01, \"max\": -20, \"mean\": -20.263684, \"stddev\": 1.149373},\n"
               "        {\"channel\": \"02\", \"wavelength\": \"1291.0\", \"count\": 1, \"failed\": 1, "
               "\"min\": null, \"max\": null, \"mean\": null, \"stddev\": null}\n"
               "      ]\n"
               "    },\n"
               "    {\n"
               "      \"path\": \"fixture/sub/EMPTY.FIB\",\n"
               "      \"verdict\": \"fail\",\n"
               "      \"reason\": \"no rows\",\n"
               "      \"fibers\": 0,\n"
               "      \"failed\": 0,\n"
               "      \"yield\": 0,\n"
               "      \"fiber_results\": [],\n"
               "      \"channels\": []\n"
               "    }\n"
               "  ],\n"
               "  \"errors\": [\n"
               "    {\"path\": \"missing.fib\", \"message\": \"Cannot read \\\"missing.fib\\\": No such file "
               "or directory\"}\n"
               "  ]\n"
               "}\n");
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

QTEST_GUILESS_MAIN(TestSummaryCommand)
#include "tst_summarycommand.moc"
