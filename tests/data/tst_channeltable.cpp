#include "TestSupport.h"

#include "data/ChannelTable.h"
#include "data/ClassicAtof.h"
#include "data/CodePage936.h"
#include "data/MeasurementStore.h"
#include "data/ResultFile.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <stdexcept>

using namespace TestSupport;

class TestChannelTable : public QObject
{
    Q_OBJECT

private slots:
    void cutsWholeLinesOnly_data();
    void cutsWholeLinesOnly();
    void cutsFieldsByColumn();
    void compactRowsGiveTheRecordsTexts_data();
    void compactRowsGiveTheRecordsTexts();
    void powerRule_data();
    void powerRule();
    void classicAtof_data();
    void classicAtof();
    void powerValue_data();
    void powerValue();
    void listedPower_data();
    void listedPower();
    void fiberBlocks();
    void rowFieldsAreZeroFilled();
    void rowsAreBoundsTested();
    void storeIsOneAndKeepsOrder();
    void decodesEachBadByte_data();
    void decodesEachBadByte();
};

void TestChannelTable::cutsWholeLinesOnly_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("rows");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("68") << 68 << 0;
    QTest::newRow("69") << 69 << 1;
    QTest::newRow("137") << 137 << 1;
    QTest::newRow("138") << 138 << 2;
}

void TestChannelTable::cutsWholeLinesOnly()
{
    QFETCH(int, length);
    QFETCH(int, rows);
    // Whatever the 69th character is, it is not looked at.
    const QByteArray table(length, 'x');
    QCOMPARE(ChannelTable::CutTable(table).Count(), qsizetype(rows));
}

void TestChannelTable::cutsFieldsByColumn()
{
    //                        0         1         2         3         4         5         6
    //                        0123456789012345678901234567890123456789012345678901234567890123456789
    const QByteArray line = "FIB01   ##07######1391.0#####  -12.34##  -30.00##2018-05-17#10:23:45X";
    QCOMPARE(line.size(), 69);
    const MeasurementRows rows = ChannelTable::CutTable(line);
    QCOMPARE(rows.Count(), 1);
    const MeasurementRow row = rows.At(0).Record();
    QCOMPARE(QByteArray(row.szFiberName), QByteArray("FIB01   "));
    QCOMPARE(QByteArray(row.szChannel), QByteArray("07"));
    QCOMPARE(QByteArray(row.szWaveLength), QByteArray("1391.0"));
    QCOMPARE(QByteArray(row.szPower), QByteArray("  -12.34"));
    QCOMPARE(QByteArray(row.szThreshold), QByteArray("  -30.00"));
    QCOMPARE(QByteArray(row.szDate), QByteArray("2018-05-17"));
    QCOMPARE(QByteArray(row.szTime), QByteArray("10:23:45"));
    QCOMPARE(ChannelTable::FormatLine(row), QByteArray(line).replace('#', ' ').replace('X', '\n'));
}

void TestChannelTable::compactRowsGiveTheRecordsTexts_data()
{
    QTest::addColumn<QString>("path");
    const QDir root(sourcePath(QString()));
    for (const QString &folder : {QStringLiteral("samples"), QStringLiteral("fuzz/seeds")}) {
        for (const QString &name : QDir(root.filePath(folder)).entryList(QDir::Files))
            QTest::newRow(qPrintable(folder + '/' + name)) << root.filePath(folder + '/' + name);
    }
}

// The rows keep the table's own bytes; every field must still read as the
// record of seven fixed fields that the same line is cut into.
void TestChannelTable::compactRowsGiveTheRecordsTexts()
{
    QFETCH(QString, path);
    ResultFileText text;
    QVERIFY(ReadResultFile(path, text));
    // A zero byte in a column, as a table handed over from elsewhere may hold.
    QByteArray table = text.table;
    if (table.size() > 40)
        table[31] = '\0';
    for (const QByteArray &bytes : {text.table, table}) {
        const MeasurementRows rows = ChannelTable::CutTable(bytes);
        QCOMPARE(rows.Count(), bytes.size() / ChannelTable::LineLength);
        MeasurementRow record;
        for (qsizetype i = 0; i < rows.Count(); ++i) {
            ChannelTable::CutLine(bytes.constData() + i * ChannelTable::LineLength, record);
            for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
                const auto field = MeasurementRow::Field(f);
                QCOMPARE(rows.At(i).text(field).toByteArray(), record.text(field).toByteArray());
            }
        }
    }
}

void TestChannelTable::powerRule_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("below") << QByteArray(" -100.00") << QByteArray("Low");
    QTest::newRow("just below") << QByteArray("-99.9001") << QByteArray("Low");
    QTest::newRow("exactly -99.90") << QByteArray("  -99.90") << QByteArray("  -99.90");
    QTest::newRow("-99.9 at column 0") << QByteArray("-99.9   ") << QByteArray("-99.9   ");
    QTest::newRow("positive") << QByteArray("   12.34") << QByteArray("   12.34");
    QTest::newRow("blanks") << QByteArray("        ") << QByteArray("        ");
    QTest::newRow("exponent") << QByteArray("  -1e3  ") << QByteArray("Low");
    QTest::newRow("overflow") << QByteArray("-1e999  ") << QByteArray("Low");
    QTest::newRow("positive overflow") << QByteArray(" 1e999  ") << QByteArray(" 1e999  ");
    QTest::newRow("inf is not a number") << QByteArray("    -inf") << QByteArray("    -inf");
    QTest::newRow("hex is not a number") << QByteArray("-0x100  ") << QByteArray("-0x100  ");
    QTest::newRow("unit after number") << QByteArray("-120dBm ") << QByteArray("Low");
    QTest::newRow("leading zeros") << QByteArray("-0100.00") << QByteArray("Low");
    QTest::newRow("one digit, exponent") << QByteArray("  -9.5e2") << QByteArray("Low");
}

void TestChannelTable::powerRule()
{
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, stored);
    MeasurementRow row("F", "01", "1271.0", field.constData(), "-30", "2018-05-17", "10:00:00");
    const MeasurementRows rows = ChannelTable::CutTable(ChannelTable::FormatLine(row));
    QCOMPARE(rows.At(0).text(MeasurementRow::Power).toByteArray(), stored);
}

void TestChannelTable::classicAtof_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << QByteArray() << 0.0;
    QTest::newRow("letters") << QByteArray("Low") << 0.0;
    QTest::newRow("blanks and sign") << QByteArray(" \t -12.5") << -12.5;
    QTest::newRow("plus") << QByteArray("+7") << 7.0;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("point last") << QByteArray("5.") << 5.0;
    QTest::newRow("lone point") << QByteArray(".") << 0.0;
    QTest::newRow("lone sign") << QByteArray("-") << 0.0;
    QTest::newRow("exponent") << QByteArray("1.5E+2x") << 150.0;
    QTest::newRow("exponent without digits") << QByteArray("2e") << 2.0;
    QTest::newRow("exponent sign without digits") << QByteArray("2e-") << 2.0;
    QTest::newRow("-99.9") << QByteArray("-99.9") << -99.9;
    QTest::newRow("many digits") << QByteArray("-99.90000000000000001") << -99.9;
    QTest::newRow("small") << QByteArray("1e-400") << 0.0;
    QTest::newRow("infinity word") << QByteArray("infinity") << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << 0.0;
    QTest::newRow("hex") << QByteArray("0x1p4") << 0.0;
    QTest::newRow("comma is no point") << QByteArray("1,5") << 1.0;
    QTest::newRow("15 digits") << QByteArray("-0.12345678901234") << -0.12345678901234;
    QTest::newRow("16 digits") << QByteArray("1234567890.123457") << 1234567890.123457;
}

void TestChannelTable::classicAtof()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    const double got = ClassicAtof(text.constData(), text.constData() + text.size());
    QCOMPARE(got, value);
    QCOMPARE(ClassicAtof(text.constData()), value);
    // Same as the C library wherever both accept the text.
    if (!text.contains('x') && !text.contains("inf") && !text.contains("nan") && !text.contains(','))
        QCOMPARE(got, std::strtod(text.constData(), nullptr));
}

void TestChannelTable::powerValue_data()
{
    QTest::addColumn<QByteArray>("power");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("number") << QByteArray("  -12.34") << true << -12.34;
    QTest::newRow("unit after it") << QByteArray("-5dBm   ") << true << -5.0;
    QTest::newRow("Low") << QByteArray("Low") << false << 0.0;
    QTest::newRow("blank") << QByteArray("        ") << false << 0.0;
    QTest::newRow("letters") << QByteArray("     abc") << false << 0.0;
    QTest::newRow("nan") << QByteArray("     nan") << false << 0.0;
    QTest::newRow("too large to hold") << QByteArray("   1e999") << false << 0.0;
}

void TestChannelTable::powerValue()
{
    QFETCH(QByteArray, power);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> read = ChannelTable::PowerValue(power);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*read, value);
}

void TestChannelTable::listedPower_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("listed");
    QTest::newRow("Low") << QByteArray("Low") << QByteArray("Low");
    QTest::newRow("-99.9 at column 0") << QByteArray("-99.90   ") << QByteArray("Low");
    QTest::newRow("-99.9 after a blank") << QByteArray(" -99.90") << QByteArray(" -99.90");
    QTest::newRow("plain") << QByteArray("  -12.34") << QByteArray("  -12.34");
    QTest::newRow("short") << QByteArray("-99.") << QByteArray("-99.");
}

void TestChannelTable::listedPower()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, listed);
    QCOMPARE(ChannelTable::ListedPower(stored), listed);
}

void TestChannelTable::fiberBlocks()
{
    QByteArray table = fiber("A") + fiber("B") + fiber("C");
    for (int channel = 1; channel <= 16; ++channel)
        table += line("D", channel);
    const MeasurementRows rows = ChannelTable::CutTable(table);
    QCOMPARE(rows.Count(), 70);
    QCOMPARE(ChannelTable::FiberCount(rows.Count()), 4);
    QCOMPARE(ChannelTable::FiberCount(0), 0);
    QCOMPARE(ChannelTable::FiberCount(18), 1);
    QCOMPARE(ChannelTable::FiberNames(rows),
             QList<QByteArray>({"A       ", "B       ", "C       ", "D       "}));
}

void TestChannelTable::rowFieldsAreZeroFilled()
{
    const MeasurementRow row("FIB01   ", "01", "1271.0", "-1", "-2", "d", "t");
    QCOMPARE(QByteArray(row.szFiberName, 8), QByteArray("FIB01   "));
    QCOMPARE(QByteArray(row.szFiberName + 8, 41), QByteArray(41, '\0'));

    const QByteArray longName(60, 'n');
    MeasurementRow cut(longName.constData(), "", "", "", "", "", "");
    QCOMPARE(cut.text(MeasurementRow::FiberName).size(), MeasurementRow::MaxFieldLength);
    QCOMPARE(cut.szFiberName[48], '\0');
    cut.setText(MeasurementRow::FiberName, "ab");
    QCOMPARE(QByteArray(cut.szFiberName, 49), QByteArray("ab") + QByteArray(47, '\0'));
}

void TestChannelTable::rowsAreBoundsTested()
{
    MeasurementRows rows;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rows.At(0));
    rows.Append(MeasurementRow("A", "", "", "", "", "", ""));
    QCOMPARE(rows.At(0).text(MeasurementRow::FiberName).toByteArray(), QByteArray("A"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rows.At(1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rows.At(-1));
}

void TestChannelTable::storeIsOneAndKeepsOrder()
{
    MeasurementStore &store = MeasurementStore::Instance();
    QCOMPARE(&store, &MeasurementStore::Instance());
    QVERIFY(store.Rows().IsEmpty());
    for (const char *name : {"1", "2", "3"})
        store.Rows().Append(MeasurementRow(name, "", "", "", "", "", ""));
    QCOMPARE(store.Rows().Count(), 3);
    QCOMPARE(store.Rows().At(0).text(MeasurementRow::FiberName).toByteArray(), QByteArray("1"));
    QCOMPARE(store.Rows().At(2).text(MeasurementRow::FiberName).toByteArray(), QByteArray("3"));
    store.Clear();
    QCOMPARE(store.Rows().Count(), 0);
}

void TestChannelTable::decodesEachBadByte_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("two-byte character") << QByteArray("A\xb9\xe2") << QStringLiteral("A\u5149");
    QTest::newRow("four-byte character") << QByteArray("\x81\x30\x81\x30") << QStringLiteral("\u0080");
    QTest::newRow("U+FFFD written out") << QByteArray("\x84\x31\xa4\x37") << QStringLiteral("\uFFFD");
    QTest::newRow("a byte that starts nothing") << QByteArray("\x80" "A\xff") << QStringLiteral("\uFFFDA\uFFFD");
    // 0xFF is no trail byte: the lead is bad, 0xFF bad on its own.
    QTest::newRow("lead before 0xff") << QByteArray("A\x81\xff" "B") << QStringLiteral("A\uFFFD\uFFFDB");
    QTest::newRow("lead before a blank") << QByteArray("\x81 B") << QStringLiteral("\uFFFD B");
    QTest::newRow("lead before a lone digit") << QByteArray("\x81" "0B") << QStringLiteral("\uFFFD0B");
    // Lead, digit, lead, digit that name no character: each lead is bad, each
    // digit reads as itself, so that two such names never read alike.
    QTest::newRow("four bytes of no character")
        << QByteArray("\xfe\x39\xfe\x39" "A") << QStringLiteral("\uFFFD9\uFFFD9A");
    QTest::newRow("four other bytes of none")
        << QByteArray("\xe3\x32\x9a\x36" "A") << QStringLiteral("\uFFFD2\uFFFD6A");
    QTest::newRow("lead cut off at the end") << QByteArray("ABCDEFG\xb9") << QStringLiteral("ABCDEFG\uFFFD");
    QTest::newRow("lead and digit cut off") << QByteArray("A\x81\x30") << QStringLiteral("A\uFFFD0");
    QTest::newRow("lead, digit and lead cut off") << QByteArray("\x81\x30\x81") << QStringLiteral("\uFFFD0\uFFFD");
}

// One U+FFFD for each byte that does not decode, never one for two.
void TestChannelTable::decodesEachBadByte()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(CodePage936::Decode(bytes), text);
}

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channeltable.moc"
