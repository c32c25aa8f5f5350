#include "TestSupport.h"

#include "output/CsvExport.h"

#include <QtTest>

using namespace TestSupport;

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void exactPieces();
    void emptyTableGivesEmptyText();
    void fieldsKeepTheirBytes();
    void stampsEachBlockWithItsOwnName();
    void stampCutsNamesAndSkipsMissingRows();
    void writesAndReplaces();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
};

void TestCsvExport::exactPieces()
{
    MeasurementRows rows;
    rows.AddRow("A", "B", "C", "D", "E", "F", "G");
    rows.AddRow("FIB01   ", "01", "1271.0", "Low", "  -30.00", "2018-05-17", "10:23:45");
    QCOMPARE(CsvExport::Text(rows),
             QByteArray("A,  B,      C,     D,  E,  F, G,\r\n"
                        "FIB01   ,  01,      1271.0,     Low,    -30.00,  2018-05-17, 10:23:45,\r\n"));
}

void TestCsvExport::emptyTableGivesEmptyText()
{
    QCOMPARE(CsvExport::Text(MeasurementRows()), QByteArray());
    QTemporaryDir dir;
    QVERIFY(CsvExport::WriteFile(dir.filePath("empty.csv"), QByteArray()));
    QCOMPARE(QFileInfo(dir.filePath("empty.csv")).size(), 0);
}

void TestCsvExport::fieldsKeepTheirBytes()
{
    // A field that cuts a two-byte character in half, a comma and a quote:
    // all written as they are, with no quoting or trimming.
    const QByteArray halfChar = "\xb9\xe2\xcf\xcb\xb9";
    MeasurementRows rows;
    rows.AddRow(halfChar.constData(), "a,b", "\"q\"", " ", "", "x", "y");
    QCOMPARE(CsvExport::Text(rows),
             halfChar + ",  a,b,      \"q\",      ,  ,  x, y,\r\n");
}

void TestCsvExport::stampsEachBlockWithItsOwnName()
{
    // Blocks out of name order: each keeps its own name.
    MeasurementRows rows = ChannelTable::CutTable(fiber("ZETA") + fiber("ALPHA"));
    CsvExport::StampFiberNames(rows, {"ZETA    ", "Renamed"});
    for (int i = 0; i < 18; ++i)
        QCOMPARE(QByteArray(rows.At(i).szFiberName), QByteArray("ZETA    "));
    for (int i = 18; i < 36; ++i)
        QCOMPARE(QByteArray(rows.At(i).szFiberName), QByteArray("Renamed"));
    const QList<QByteArray> lines = CsvExport::Text(rows).split('\n');
    QCOMPARE(lines.size(), 37);
    QVERIFY(lines.at(17).startsWith("ZETA    ,  18,"));
    QVERIFY(lines.at(18).startsWith("Renamed,  01,"));
}

void TestCsvExport::stampCutsNamesAndSkipsMissingRows()
{
    QByteArray table = fiber("A");
    for (int channel = 1; channel <= 3; ++channel)
        table += line("B", channel);
    MeasurementRows rows = ChannelTable::CutTable(table);
    // More names than blocks and a last block of three rows: no row is
    // invented and nothing throws.
    CsvExport::StampFiberNames(rows, {"a", QByteArray(60, 'b'), "c"});
    QCOMPARE(rows.Count(), 21);
    QCOMPARE(QByteArray(rows.At(0).szFiberName), QByteArray("a"));
    QCOMPARE(QByteArray(rows.At(20).szFiberName), QByteArray(48, 'b'));
}

void TestCsvExport::writesAndReplaces()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.csv");
    QVERIFY(writeFile(path, "old contents that are longer than the new ones"));
    QString error;
    QVERIFY2(CsvExport::WriteFile(path, "new\r\n", &error), qPrintable(error));
    QCOMPARE(readFile(path), QByteArray("new\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.csv"});
}

void TestCsvExport::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << QStringLiteral("missing/out.csv");
    QTest::newRow("target is a folder") << QStringLiteral("folder");
    QTest::newRow("folder without room") << QStringLiteral("/proc/quenvale-test.csv");
}

void TestCsvExport::failedWriteKeepsTheOldFile()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString path = target.startsWith('/') ? target : dir.filePath(target);
    QString error;
    QVERIFY(!CsvExport::WriteFile(path, "text", &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
