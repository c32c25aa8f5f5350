#include "TestSupport.h"

#include "data/CodePage936.h"
#include "output/CsvExport.h"
#include "output/SaveFile.h"

#include <QtTest>

using namespace TestSupport;

class TestCsvExport : public QObject
{
    Q_OBJECT

private slots:
    void exactPieces();
    void emptyTableGivesEmptyText();
    void fieldsKeepTheirBytes();
    void stampsBlockNames_data();
    void stampsBlockNames();
    void writesAndReplaces();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void syncsAroundTheRename_data();
    void syncsAroundTheRename();
};

void TestCsvExport::exactPieces()
{
    MeasurementRows rows;
    rows.Append(MeasurementRow("A", "B", "C", "D", "E", "F", "G"));
    rows.Append(MeasurementRow("FIB01   ", "01", "1271.0", "Low", "  -30.00", "2018-05-17", "10:23:45"));
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
    rows.Append(MeasurementRow(halfChar.constData(), "a,b", "\"q\"", " ", "", "x", "y"));
    QCOMPARE(CsvExport::Text(rows),
             halfChar + ",  a,b,      \"q\",      ,  ,  x, y,\r\n");
}

void TestCsvExport::stampsBlockNames_data()
{
    // A table of blocks named "N0", "N1"... (rows of a block may differ), the
    // renames given as block:name, and the name every row ends up with.
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("renames");
    QTest::addColumn<QList<QByteArray>>("names");

    QByteArray mixed = fiber("ZETA");
    mixed.replace(69 * 5, 4, "OTHR"); // row 5 of the block carries another name
    QTest::newRow("each block its first row's name")
        << mixed + fiber("ALPHA") << QStringList()
        << (QList<QByteArray>(18, "ZETA    ") + QList<QByteArray>(18, "ALPHA   "));
    QTest::newRow("a rename reaches its own block only")
        << fiber("ZETA") + fiber("ALPHA") << QStringList{"1:Renamed"}
        << (QList<QByteArray>(18, "ZETA    ") + QList<QByteArray>(18, "Renamed"));

    QByteArray shortTail = fiber("A");
    for (int channel = 1; channel <= 3; ++channel)
        shortTail += line("B", channel);
    QTest::newRow("short last block, a block that does not exist")
        << shortTail << QStringList{"1:b", "7:x"}
        << (QList<QByteArray>(18, "A       ") + QList<QByteArray>(3, "b"));
    // 47 one-byte letters then 新 (two bytes): the cut keeps 47, not 48.
    QTest::newRow("cut between characters")
        << fiber("A") << QStringList{QStringLiteral("0:") + QString(47, 'w') + QChar(0x65b0)}
        << QList<QByteArray>(18, QByteArray(47, 'w'));
    QTest::newRow("cut of single bytes") << fiber("A") << QStringList{"0:" + QString(60, 'b')}
                                         << QList<QByteArray>(18, QByteArray(48, 'b'));
}

void TestCsvExport::stampsBlockNames()
{
    QFETCH(QByteArray, table);
    QFETCH(QStringList, renames);
    QFETCH(QList<QByteArray>, names);
    QList<CsvExport::BlockName> renamed;
    for (const QString &rename : renames)
        renamed.append({rename.section(':', 0, 0).toLongLong(),
                        CodePage936::Encode(rename.section(':', 1))});
    const MeasurementRows rows = ChannelTable::CutTable(table);
    QCOMPARE(rows.Count(), names.size());
    const QList<QByteArray> lines =
        CsvExport::Text(rows, CsvExport::BlockNames(rows, renamed)).split('\n');
    for (qsizetype i = 0; i < names.size(); ++i)
        QCOMPARE(lines.at(i).left(lines.at(i).indexOf(',')), names.at(i));
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

void TestCsvExport::syncsAroundTheRename_data()
{
    QTest::addColumn<int>("failing"); // the step that fails with EIO; -1: none
    QTest::addColumn<QString>("steps"); // those taken: Data synced, Replaced, Folder synced
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("all well") << -1 << "DRF" << true << QByteArray("new\r\n");
    QTest::newRow("the content cannot reach the disk")
        << int(SaveFile::Step::SyncData) << "D" << false << QByteArray("old");
    // Told, though the new content has the name by then.
    QTest::newRow("the new name cannot reach the disk")
        << int(SaveFile::Step::SyncFolder) << "DRF" << false << QByteArray("new\r\n");
}

// The content is on the disk before it replaces the older file, and the
// folder after; a failure of either is told.
void TestCsvExport::syncsAroundTheRename()
{
    QFETCH(int, failing);
    QFETCH(QString, steps);
    QFETCH(bool, written);
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.csv");
    QVERIFY(writeFile(path, "old"));
    QString taken;
    SaveFile::SetStepHook([&](SaveFile::Step step) {
        taken += QStringLiteral("DRF").at(int(step));
        return int(step) == failing ? EIO : 0;
    });
    QString error;
    const bool wrote = CsvExport::WriteFile(path, "new\r\n", &error);
    SaveFile::SetStepHook({});
    QCOMPARE(taken, steps);
    QCOMPARE(wrote, written);
    QCOMPARE(error.isEmpty(), written);
    QVERIFY2(written || error.endsWith(qt_error_string(EIO)), qPrintable(error));
    QCOMPARE(readFile(path), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.csv"});
}

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
