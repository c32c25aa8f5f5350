#include "TestSupport.h"

#include <QtTest>

using namespace TestSupport;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void versionAndHelp();
    void exportsCsv();
    void exportsSamples_data();
    void exportsSamples();
    void reportsErrors_data();
    void reportsErrors();
};

void TestCommandLine::versionAndHelp()
{
    const ProgramRun version = runProgram({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out.trimmed(), QByteArray("Quenvale 2.13"));

    const ProgramRun help = runProgram({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--export-csv <OUT>"));
}

void TestCommandLine::exportsCsv()
{
    // Fibers out of name order, a low power, a short tail after the table.
    QTemporaryDir dir;
    const QString fib = dir.filePath("in.fib");
    QVERIFY(writeFile(fib, standardHeader() + fiber("ZETA", "-120.00") + fiber("ALPHA") + "tail"));
    const QString csv = dir.filePath("out.csv");

    const ProgramRun run = runProgram({QStringLiteral("--export-csv"), csv, fib});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());

    const QByteArray bytes = readFile(csv);
    QCOMPARE(bytes.count("\r\n"), 36);
    QVERIFY(bytes.startsWith("ZETA    ,  01,      1271.0,     Low,    -25.00,  2018-05-17, 10:23:45,\r\n"));
    QVERIFY(bytes.endsWith("ALPHA   ,  18,      1611.0,       -12.34,    -25.00,  2018-05-17, 10:23:45,\r\n"));
}

void TestCommandLine::exportsSamples_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("lines");
    QTest::newRow("crlf") << QStringLiteral("cwdm-4-fibers.fib") << 72;
    QTest::newRow("unsorted, chinese names") << QStringLiteral("cwdm-unsorted.fib") << 72;
    QTest::newRow("cable") << QStringLiteral("cwdm-48-fibers.fib") << 864;
}

void TestCommandLine::exportsSamples()
{
    QFETCH(QString, sample);
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString csv = dir.filePath("out.csv");
    const ProgramRun run = runProgram({QStringLiteral("--export-csv"), csv,
                                sourcePath(QStringLiteral("samples/") + sample)});
    QCOMPARE(run.exitCode, 0);
    const QByteArray bytes = readFile(csv);
    QCOMPARE(bytes.count("\r\n"), lines);
    QCOMPARE(bytes.count(','), 7 * lines);
}

void TestCommandLine::reportsErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing input") << QStringList{"--export-csv", "@DIR@/out.csv", "@DIR@/none.fib"}
                                   << QStringLiteral("none.fib");
    QTest::newRow("unwritable target")
        << QStringList{"--export-csv", "@DIR@/no/such/folder/out.csv", "@SAMPLE@"}
        << QStringLiteral("out.csv");
    QTest::newRow("no input") << QStringList{"--export-csv", "@DIR@/out.csv"}
                              << QStringLiteral("at least one");
    QTest::newRow("two inputs, one file") << QStringList{"--export-csv", "@DIR@/out.csv", "@SAMPLE@", "@SAMPLE@"}
                                << QStringLiteral("not a folder");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QStringLiteral("frobnicate");
}

void TestCommandLine::reportsErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib"));
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("@DIR@"), dir.path()).replace(QStringLiteral("@SAMPLE@"), sample);

    const ProgramRun run = runProgram(arguments);
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
