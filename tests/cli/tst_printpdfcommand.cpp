#include "TestSupport.h"

#include <QProcess>
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
    void searchFindsTheFileName_data();
    void searchFindsTheFileName();

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

void TestPrintPdfCommand::searchFindsTheFileName_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::newRow("the rows") << QStringList();
    QTest::newRow("with verdicts") << QStringList{"--verdicts"};
}

// A PDF is found by its title and searched in its text: the title is the
// result file's name, and "fi" in the text drawn ("cable-fib-7.fib",
// "fibers") is two letters, never the one ligature U+FB01.
void TestPrintPdfCommand::searchFindsTheFileName()
{
    QFETCH(QStringList, extra);
    QTemporaryDir dir;
    const QString fib = dir.filePath(QStringLiteral("cable-fib-7.fib"));
    QVERIFY(QFile::copy(sourcePath(QStringLiteral("samples/cwdm-4-fibers.fib")), fib));
    const QString out = dir.filePath(QStringLiteral("report.pdf"));
    QCOMPARE(run(QStringList{"--print-pdf", out, fib} + extra), 0);

    const auto poppler = [](const QString &program, const QStringList &arguments) {
        QProcess tool;
        tool.start(program, arguments);
        return tool.waitForFinished(30000) && tool.exitCode() == 0 ? QString::fromUtf8(tool.readAllStandardOutput())
                                                                 : QStringLiteral("(%1 failed)").arg(program);
    };
    const QString info = poppler(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), out});
    static const QRegularExpression title(QStringLiteral("^Title: +(.*)$"), QRegularExpression::MultilineOption);
    QCOMPARE(title.match(info).captured(1), QStringLiteral("cable-fib-7.fib"));
    const QString text = poppler(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), out, QStringLiteral("-")});
    QVERIFY2(!text.contains(QChar(0xfb01)) && !text.contains(QChar(0xfb02)), qPrintable(text));
    if (!extra.isEmpty()) {
        QVERIFY2(text.contains(QStringLiteral("cable-fib-7.fib")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("4 of 4 fibers pass")), qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestPrintPdfCommand)
#include "tst_printpdfcommand.moc"
