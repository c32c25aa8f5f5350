#include "TestSupport.h"

#include "data/ResultFile.h"

#include <QtTest>

using namespace TestSupport;

class TestResultFile : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void crlfAndLfGiveTheSameTexts();
    void readsInBlocksAcrossBoundaries();
    void readsReadOnlyFile();
    void reportsFailures_data();
    void reportsFailures();
};

void TestResultFile::split_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("table");

    const QByteArray five = "h1\nh2\nh3\nh4\nh5\n";
    QTest::newRow("five lines then table") << five + "T1\nT2" << five << QByteArray("T1\nT2");
    QTest::newRow("exactly five lines") << five << five << QByteArray();
    QTest::newRow("four lines") << QByteArray("a\nb\nc\nd\n") << QByteArray() << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("leading line feed is not counted")
        << "\n" + five + "x\ny" << "\n" + five.left(five.size() - 3) + "h5\n" << QByteArray("x\ny");
    QTest::newRow("leading line feed, six lines in header")
        << QByteArray("\n1\n2\n3\n4\nT") << QByteArray() << QByteArray();
    QTest::newRow("crlf becomes lf") << QByteArray("a\r\nb\r\nc\r\nd\r\ne\r\nT\r\n")
                                     << QByteArray("a\nb\nc\nd\ne\n") << QByteArray("T\n");
    QTest::newRow("lone cr stays") << five + "a\rb\r" << five << QByteArray("a\rb\r");
    QTest::newRow("cr cr lf") << five + "a\r\r\n" << five << QByteArray("a\r\n");
    QTest::newRow("0x1a ends the input") << five + "T1\x1aT2\n" << five << QByteArray("T1");
    QTest::newRow("0x1a in the header") << QByteArray("a\nb\x1a\nc\nd\ne\n") << QByteArray()
                                        << QByteArray();
    QTest::newRow("zero bytes dropped")
        << QByteArray("h1\n\0h2\nh3\nh4\nh5\nT\0\0U", 20) << five << QByteArray("TU");
    QTest::newRow("cr zero lf keeps the cr")
        << five + QByteArray("a\r\0\nb", 5) << five << QByteArray("a\r\nb");
    QTest::newRow("long header line") << QByteArray(200, 'x') + "\n2\n3\n4\n5\nT"
                                      << QByteArray(200, 'x') + "\n2\n3\n4\n5\n" << QByteArray("T");
    QTest::newRow("zero first byte does count as the first byte")
        << QByteArray("\0\n1\n2\n3\n4\nT", 12) << QByteArray("\n1\n2\n3\n4\n") << QByteArray("T");
}

void TestResultFile::split()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, table);
    const ResultFileText text = SplitResultText(bytes);
    QCOMPARE(text.header, header);
    QCOMPARE(text.table, table);
}

void TestResultFile::crlfAndLfGiveTheSameTexts()
{
    QTemporaryDir dir;
    const QByteArray lf = standardHeader() + fiber("FIB0001") + "short tail";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QVERIFY(writeFile(dir.filePath("lf.fib"), lf));
    QVERIFY(writeFile(dir.filePath("crlf.fib"), crlf));

    ResultFileText a, b;
    QVERIFY(ReadResultFile(dir.filePath("lf.fib"), a));
    QVERIFY(ReadResultFile(dir.filePath("crlf.fib"), b));
    QCOMPARE(a.header, standardHeader());
    QCOMPARE(a.table, fiber("FIB0001") + "short tail");
    QCOMPARE(b.header, a.header);
    QCOMPARE(b.table, a.table);
}

void TestResultFile::readsInBlocksAcrossBoundaries()
{
    // Larger than one read block, with a CR LF pair split across the
    // boundary between two blocks.
    QTemporaryDir dir;
    QByteArray bytes = standardHeader();
    bytes.replace("\n", "\r\n");
    while (bytes.size() < (4 << 20) + 100)
        bytes += "0123456789\r\n";
    bytes.insert((4 << 20) - 1, "\r\n");
    QVERIFY(writeFile(dir.filePath("big.fib"), bytes));

    ResultFileText text;
    QVERIFY(ReadResultFile(dir.filePath("big.fib"), text));
    QByteArray expected = bytes;
    expected.replace("\r\n", "\n");
    QCOMPARE(text.header.size() + text.table.size(), expected.size());
    QVERIFY(text.header + text.table == expected);
}

void TestResultFile::readsReadOnlyFile()
{
    // Mode bits stop no one running as root, but nobody may write to a
    // program while it runs: this test's own executable can only be read.
    const QString path = QCoreApplication::applicationFilePath();
    QFile probe(path);
    if (probe.open(QIODevice::ReadWrite))
        QSKIP("this system lets a running program be opened for writing");
    QVERIFY(probe.open(QIODevice::ReadOnly));
    const ResultFileText expected = SplitResultText(probe.readAll());

    ResultFileText text;
    QString error;
    QVERIFY2(ReadResultFile(path, text, &error), qPrintable(error));
    QCOMPARE(text.header, expected.header);
    QVERIFY(text.table == expected.table);
    QVERIFY2(ReadResultTable(path, [](QByteArrayView) { return true; }, &error),
             qPrintable(error));
}

void TestResultFile::reportsFailures_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/folder/result.fib");
    QTest::newRow("folder") << QDir::tempPath();
    // Opens, but every read fails: the kernel refuses reads at offset 0.
    QTest::newRow("unreadable contents") << QStringLiteral("/proc/self/mem");
}

void TestResultFile::reportsFailures()
{
    QFETCH(QString, path);
    ResultFileText text{"old header", "old table"};
    QString error;
    QVERIFY(!ReadResultFile(path, text, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY2(error.size() > path.size() + 16, qPrintable(error)); // says why
    QCOMPARE(text.header, QByteArray("old header"));
    QCOMPARE(text.table, QByteArray("old table"));
}

QTEST_GUILESS_MAIN(TestResultFile)
#include "tst_resultfile.moc"
