// The streaming export against the window's path (read the whole file, cut
// the table, stamp each block's name, build the text) on files whose
// text-mode translation and header split fall across block boundaries.

#include "TestSupport.h"

#include "data/ResultFile.h"
#include "output/CsvExport.h"

#include <QtTest>

using namespace TestSupport;

namespace {

QByteArray windowExport(const QString &path)
{
    ResultFileText text;
    if (!ReadResultFile(path, text))
        return "unreadable";
    const MeasurementRows rows = ChannelTable::CutTable(text.table);
    return CsvExport::Text(rows, CsvExport::BlockNames(rows));
}

QByteArray crlf(QByteArray bytes)
{
    return bytes.replace("\n", "\r\n");
}

// `count` rows whose names change inside every block.
QByteArray mixedNames(int count)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += line(QByteArray("N" + QByteArray::number(i)).constData(), i % 18 + 1);
    return lines;
}

} // namespace

class TestCsvStream : public QObject
{
    Q_OBJECT

private slots:
    void sameBytesAsTheWindow_data();
    void sameBytesAsTheWindow();
    void stopLeavesTheTargetAsItWas();
};

void TestCsvStream::sameBytesAsTheWindow_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qsizetype>("blockSize");
    QTest::addColumn<int>("lines");

    const QByteArray lf = standardHeader() + fiber("ALPHA") + fiber("BETA");
    const QByteArray crlfFile = crlf(lf);
    QTest::newRow("crlf") << crlfFile << qsizetype(4096) << 36;
    QTest::newRow("crlf, a cr ends the first block")
        << crlfFile << crlfFile.indexOf('\r') + 1 << 36;
    QTest::newRow("crlf, a cr ends a block in the table")
        << crlfFile << crlfFile.indexOf("\r\n", standardHeader().size() + 300) + 1 << 36;
    QTest::newRow("crlf, a byte at a time") << crlfFile << qsizetype(1) << 36;

    QByteArray lateEnd = lf;
    lateEnd.insert(standardHeader().size() + 69 * 20 + 5, '\x1a');
    QTest::newRow("0x1a in the table") << lateEnd << qsizetype(100) << 20;
    const QByteArray crThenEnd = standardHeader() + fiber("ALPHA") + "\r\x1a" + fiber("BETA");
    QTest::newRow("a block ends in a cr, 0x1a begins the next")
        << crThenEnd << crThenEnd.indexOf('\r') + 1 << 18;

    QByteArray zeros = QByteArray(1, '\0') + crlf(standardHeader());
    zeros.insert(zeros.indexOf('\r') + 1, '\0'); // CR, zero, LF keeps the CR
    zeros += QByteArray(3, '\0') + fiber("ALPHA") + QByteArray(5000, '\0') + fiber("BETA");
    QTest::newRow("zero bytes, one first") << zeros << qsizetype(3) << 36;

    QByteArray wide;
    for (char c : crlfFile)
        wide += QByteArray(1, c) + '\0';
    QTest::newRow("every other byte zero") << wide << qsizetype(64) << 36;

    QTest::newRow("short tail") << lf + "short tail" << qsizetype(70) << 36;
    QTest::newRow("70 rows, names changing in every block")
        << standardHeader() + mixedNames(70) << qsizetype(1000) << 70;
    QTest::newRow("four lines only") << QByteArray("a\nb\nc\nd\n") << qsizetype(2) << 0;
}

void TestCsvStream::sameBytesAsTheWindow()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qsizetype, blockSize);
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString fib = dir.filePath(QStringLiteral("in.fib"));
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    QVERIFY(writeFile(fib, bytes));

    QString error;
    QVERIFY2(CsvExport::ExportResultFile(fib, csv, &error, nullptr, blockSize), qPrintable(error));
    const QByteArray streamed = readFile(csv);
    QCOMPARE(streamed.count(','), 7 * lines); // no field here holds a comma
    QCOMPARE(streamed, windowExport(fib));
}

void TestCsvStream::stopLeavesTheTargetAsItWas()
{
    QTemporaryDir dir;
    const QString fib = dir.filePath(QStringLiteral("in.fib"));
    const QString csv = dir.filePath(QStringLiteral("out.csv"));
    QVERIFY(writeFile(fib, standardHeader() + fiber("ALPHA")));
    QVERIFY(writeFile(csv, "older export"));
    const std::atomic<bool> stop{true};
    QString error;
    QVERIFY(!CsvExport::ExportResultFile(fib, csv, &error, &stop, 64));
    QVERIFY(error.contains(csv));
    QCOMPARE(readFile(csv), QByteArray("older export"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"in.fib", "out.csv"}));
}

QTEST_GUILESS_MAIN(TestCsvStream)
#include "tst_csvstream.moc"
