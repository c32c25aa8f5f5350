#include "TestSupport.h"

#include <QRegularExpression>
#include <QtTest>

using namespace TestSupport;

class TestPrintPdfCommand : public QObject
{
    Q_OBJECT

private slots:
    void writesTheReport_data();
    void writesTheReport();
    void failsWithoutAFile_data();
    void failsWithoutAFile();

private:
    // Runs the program without a display; returns its exit code.
    int run(const QStringList &arguments, QByteArray *err = nullptr);
};

int TestPrintPdfCommand::run(const QStringList &arguments, QByteArray *err)
{
    const ProgramRun result = runProgram(arguments);
    if (err)
        *err = result.err;
    return result.exitCode;
}

void TestPrintPdfCommand::writesTheReport_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QByteArray>("mediaBox");
    QTest::addColumn<int>("pageCount");
    // 864 rows: 27, then 29 a page; with verdicts, a first page (9 failing
    // fibers fit on it) and 29 rows a page.
    QTest::newRow("A4 by default") << QStringList() << QByteArray("[0 0 595.000000 842.000000]") << 30;
    QTest::newRow("Letter") << QStringList{"--page-size", "letter"}
                            << QByteArray("[0 0 612.000000 792.000000]") << 30;
    QTest::newRow("with verdicts and a band") << QStringList{"--verdicts", "--warn-margin", "3"}
                                              << QByteArray("[0 0 595.000000 842.000000]") << 1 + 30;
}

void TestPrintPdfCommand::writesTheReport()
{
    QFETCH(QStringList, extra);
    QFETCH(QByteArray, mediaBox);
    QFETCH(int, pageCount);
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("report.pdf"));
    QVERIFY(writeFile(out, "an older report"));

    QByteArray err;
    QCOMPARE(run(QStringList{"--print-pdf", out, sourcePath("samples/cwdm-48-fibers.fib")} + extra,
                 &err),
             0);
    const QByteArray pdf = readFile(out);
    QVERIFY(pdf.startsWith("%PDF-"));
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    int pages = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
        ++pages;
    QCOMPARE(pages, pageCount);
    QVERIFY(pdf.contains("/MediaBox " + mediaBox));
    QCOMPARE(err, QByteArray()); // not even a warning about the missing runtime folder
}

void TestPrintPdfCommand::failsWithoutAFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("unwritable target")
        << QStringList{"--print-pdf", "@DIR@/no/such/folder/out.pdf", "@SAMPLE@"} << 1
        << "out.pdf";
    QTest::newRow("several inputs, target not a folder")
        << QStringList{"--print-pdf", "@DIR@/out.pdf", "@SAMPLE@", "@DIR@/none.fib"} << 2
        << "not a folder";
    QTest::newRow("missing input") << QStringList{"--print-pdf", "@DIR@/out.pdf", "@DIR@/none.fib"}
                                   << 1 << "none.fib";
    QTest::newRow("no input") << QStringList{"--print-pdf", "@DIR@/out.pdf"} << 2
                              << "at least one";
    QTest::newRow("unknown paper")
        << QStringList{"--print-pdf", "@DIR@/out.pdf", "--page-size", "A3", "@SAMPLE@"} << 2
        << "A3";
    QTest::newRow("paper without a PDF")
        << QStringList{"--export-csv", "@DIR@/out.csv", "--page-size", "A4", "@SAMPLE@"} << 2
        << "--page-size";
}

void TestPrintPdfCommand::failsWithoutAFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString sample = sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib"));
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("@DIR@"), dir.path())
            .replace(QStringLiteral("@SAMPLE@"), sample);

    QByteArray err;
    QCOMPARE(run(arguments, &err), exitCode);
    QVERIFY2(err.contains("quenvale: "), err.constData());
    QVERIFY2(err.contains(message.toUtf8()), err.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestPrintPdfCommand)
#include "tst_printpdfcommand.moc"
