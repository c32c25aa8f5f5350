// A workbook whose temporary files cannot be written whole is a failure,
// told with its reason, and the older workbook stays: libxlsxwriter itself
// does not look whether its writes into them succeed. A full temporary
// folder is told as that folder's, not as the target's.

#include "TestSupport.h"
#include "WorkbookReader.h"

#include <QtTest>

#include <sys/mount.h>
#include <sys/resource.h>

using namespace TestSupport;

class TestExportXlsxCommand : public QObject
{
    Q_OBJECT

private slots:
    void temporaryFilesCutShort_data();
    void temporaryFilesCutShort();
    void aLotsWorkbook();
};

void TestExportXlsxCommand::temporaryFilesCutShort_data()
{
    QTest::addColumn<int>("fileSizeLimit"); // bytes; 0: none
    QTest::addColumn<int>("temporarySpace"); // megabytes of a folder of its own; 0: none
    QTest::addColumn<QString>("reason");
    // 36,000 rows: their copy for the sheets takes about 2 MB, the Rows
    // sheet's cells 12 MB, written twice before the zip is made.
    QTest::newRow("a file size limit")
        << 4000000 << 0 << QStringLiteral("File too large in the temporary folder \"@TEMP@\"");
    QTest::newRow("a full disk for the second copy")
        << 0 << 20 << QStringLiteral("a sheet was cut short in its temporary file");
    QTest::newRow("a full disk for the rows")
        << 0 << 1 << QStringLiteral("its rows could not be kept: the temporary folder \"@SMALL@\" has no space left");
}

void TestExportXlsxCommand::temporaryFilesCutShort()
{
    QFETCH(int, fileSizeLimit);
    QFETCH(int, temporarySpace);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("big.fib"));
    QByteArray table;
    for (int i = 0; i < 2000; ++i)
        table += fiber(QByteArray("F" + QByteArray::number(i)).constData());
    QVERIFY(writeFile(input, standardHeader() + table));
    const QString target = dir.filePath(QStringLiteral("big.xlsx"));
    QVERIFY(writeFile(target, "older"));
    QProcessEnvironment environment = headlessEnvironment();
    const QString small = dir.filePath(QStringLiteral("small"));
    reason.replace(QStringLiteral("@SMALL@"), small).replace(QStringLiteral("@TEMP@"), QDir::tempPath());
    if (temporarySpace) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("small")));
        const QByteArray options = "size=" + QByteArray::number(temporarySpace) + "m";
        if (::mount("tmpfs", QFile::encodeName(small).constData(), "tmpfs", 0, options.constData()) != 0)
            QSKIP("no file system of a given size can be made here");
        environment.insert(QStringLiteral("TMPDIR"), small);
    }

    QProcess job;
    job.setProcessEnvironment(environment);
    job.setChildProcessModifier([fileSizeLimit] {
        if (fileSizeLimit) {
            const struct rlimit limit = {rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
    });
    job.start(programPath(), {QStringLiteral("--export-xlsx"), target, input});
    const bool finished = job.waitForFinished(120000);
    if (temporarySpace)
        ::umount(QFile::encodeName(small).constData());
    QVERIFY(finished);
    QCOMPARE(job.exitCode(), 1);
    const QString err = QString::fromUtf8(job.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("quenvale: Cannot write \"%1\": %2").arg(target, reason)), qPrintable(err));
    QCOMPARE(readFile(target), QByteArray("older"));
}

namespace {

QByteArray fiberAt(const char *name, const char *power, const char *time)
{
    QByteArray lines;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        lines += line(name, channel, power, "2018-05-17", time);
    return lines;
}

} // namespace

// A folder as a lot: a row per file, the unreadable one with its reason; a
// retested fiber once, by its later result, on the Fibers sheet and in the
// channels' counts.
void TestExportXlsxCommand::aLotsWorkbook()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("day"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(folder + QStringLiteral("/a.fib"),
                      standardHeader() + fiberAt("F1", "-30.00", "08:00:00") + fiberAt("F2", "-12.00", "08:01:00")));
    QVERIFY(writeFile(folder + QStringLiteral("/b.fib"),
                      standardHeader() + fiberAt("F1", "-11.00", "09:00:00") + fiberAt("F3", "-13.00", "09:01:00")));
    QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), folder + QStringLiteral("/c.fib")));
    const ProgramRun run = runProcess(programPath(), {QStringLiteral("--export-xlsx"), dir.path(), folder,
                                                      QStringLiteral("--lot"), QStringLiteral("--no-cache")});
    QCOMPARE(run.exitCode, 1); // c.fib cannot be read; the rest is written
    QVERIFY2(run.err.contains("c.fib"), run.err.constData());
    const QString workbook = dir.filePath(QStringLiteral("day.xlsx"));
    QCOMPARE(WorkbookReader::SheetNames(workbook),
             QStringList({QStringLiteral("Files"), QStringLiteral("Channels"), QStringLiteral("Fibers")}));

    const auto files = WorkbookReader::Cells(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet1.xml")), 5);
    QVERIFY(files.value(QStringLiteral("B2")).text.endsWith(QStringLiteral("a.fib")));
    QCOMPARE(files.value(QStringLiteral("A2")).text, QStringLiteral("2018-05-17 08:00:00"));
    QCOMPARE(files.value(QStringLiteral("D2")).text, QStringLiteral("1")); // passed of 2
    QCOMPARE(files.value(QStringLiteral("F2")).text, QStringLiteral("0.5"));
    QVERIFY(files.value(QStringLiteral("B3")).text.endsWith(QStringLiteral("b.fib")));
    QVERIFY(files.value(QStringLiteral("B4")).text.endsWith(QStringLiteral("c.fib")));
    QVERIFY(!files.value(QStringLiteral("I4")).text.isEmpty()); // why it was not read
    QVERIFY(!files.contains(QStringLiteral("B5")));

    const auto fibers = WorkbookReader::Cells(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet3.xml")), 5);
    QStringList rows;
    for (int row = 2; row <= 5; ++row) {
        if (fibers.contains(QStringLiteral("A%1").arg(row)))
            rows << fibers.value(QStringLiteral("A%1").arg(row)).text + QLatin1Char(' ')
                    + fibers.value(QStringLiteral("B%1").arg(row)).text + QLatin1Char(' ')
                    + fibers.value(QStringLiteral("C%1").arg(row)).text;
    }
    QCOMPARE(rows, QStringList({QStringLiteral("F2 PASS -12"), QStringLiteral("F1 PASS -11"),
                                QStringLiteral("F3 PASS -13")}));

    // Three fibers counted, one row each per channel; none of them failed.
    const auto channels = WorkbookReader::Cells(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet2.xml")), 2);
    QCOMPARE(channels.value(QStringLiteral("A2")).text, QStringLiteral("01"));
    QCOMPARE(channels.value(QStringLiteral("C2")).text, QStringLiteral("3"));
    QCOMPARE(channels.value(QStringLiteral("D2")).text, QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestExportXlsxCommand)
#include "tst_exportxlsxcommand.moc"
