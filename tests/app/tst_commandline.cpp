#include "TestSupport.h"

#include "app/CommandLine.h"

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
    void qtOptionsBesideOurs_data();
    void qtOptionsBesideOurs();
};

void TestCommandLine::versionAndHelp()
{
    const ProgramRun version = runProgram({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out.trimmed(), QByteArray("Quenvale 2.13"));

    const ProgramRun help = runProgram({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--export-csv <OUT.csv>"));
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
                              << QStringLiteral("exactly one");
    QTest::newRow("two inputs") << QStringList{"--export-csv", "@DIR@/out.csv", "@SAMPLE@", "@SAMPLE@"}
                                << QStringLiteral("exactly one");
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

void TestCommandLine::qtOptionsBesideOurs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("job"); // also beside --export-csv in the program
    QTest::newRow("style and platform") << QStringList{"-style", "Fusion", "a.fib", "-platform", "xcb"}
                                        << QStringList{"a.fib"} << true;
    QTest::newRow("X11 display and geometry, two dashes")
        << QStringList{"--display", ":1", "-geometry", "800x600+0+0", "a.fib", "b.fib"}
        << QStringList{"a.fib", "b.fib"} << false;
    QTest::newRow("joined values and flags")
        << QStringList{"-style=Fusion", "-reverse", "a.fib", "-stylesheet=s.qss", "-widgetcount"}
        << QStringList{"a.fib"} << false;
    QTest::newRow("after --, files only") << QStringList{"--", "-style", "a.fib"}
                                          << QStringList{"-style", "a.fib"} << false;
}

// Qt's own GUI options, with their values, are Qt's to handle: none of them
// is refused or taken for a file.
void TestCommandLine::qtOptionsBesideOurs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QFETCH(bool, job);
    QStringList parsed;
    QString error;
    QVERIFY2(CommandLine::FilesToOpen(QStringList{"quenvale"} + arguments, &parsed, &error),
             qPrintable(error));
    QCOMPARE(parsed, files);
    if (!job)
        return;

    // The jobs without a window let them pass too.
    QTemporaryDir dir;
    const QString csv = dir.filePath("out.csv");
    const ProgramRun run = runProgram({QStringLiteral("-style"), QStringLiteral("Fusion"),
                                       QStringLiteral("--export-csv"), csv,
                                       sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib"))});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(QFile::exists(csv));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
