// A workbook whose temporary files cannot be written whole is a failure,
// told with its reason, and the older workbook stays: libxlsxwriter itself
// does not look whether its writes into them succeed. A full temporary
// folder is told as that folder's, not as the target's.

#include "TestSupport.h"

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

QTEST_GUILESS_MAIN(TestExportXlsxCommand)
#include "tst_exportxlsxcommand.moc"
