// The workbook read back: its sheets, a fiber's row, numbers and texts,
// what no cell may hold, every row of a larger file in its place, a file of
// more rows than a sheet holds, a stop.

#include "TestSupport.h"
#include "WorkbookReader.h"

#include "data/ChannelColumns.h"
#include "data/ThresholdJudge.h"
#include "output/WorkbookExport.h"

#include <QtTest>

#include <atomic>

using namespace TestSupport;

class TestWorkbookExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetNames();
    void cells_data();
    void cells();
    void numbersKeepEveryDigit_data();
    void numbersKeepEveryDigit();
    void propertiesHoldTheHeaderAndTheVersion();
    void noPartHoldsAControlCharacter();
    void partsDeflatedAtTheQuickestLevel();
    void rowsOfALargeFileInOrder();
    void rowsBeyondASheet();
    void aStopKeepsTheOlderWorkbook();

private:
    QTemporaryDir m_dir;
    QString m_workbook;
};

namespace {

// A fiber whose channel 03 reads Low.
QByteArray fiberWithLow(const char *name)
{
    QByteArray lines;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        lines += line(name, channel, channel == 3 ? "-120.00" : "-12.34");
    return lines;
}

} // namespace

void TestWorkbookExport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString fib = m_dir.filePath(QStringLiteral("lot.fib"));
    // A name with control bytes (SOH, ESC), one with a byte that is no code
    // page 936 (0xFF), one with the characters of markup.
    QVERIFY(writeFile(fib, standardHeader() + fiber("F0001") + fiberWithLow("F0002") + fiber("A\x01" "B\x1b")
                               + fiber("X\xff") + fiber("<a&b>")));
    m_workbook = m_dir.filePath(QStringLiteral("lot.xlsx"));
    QString error;
    QVERIFY2(WorkbookExport::ExportResultFile(fib, m_workbook, JudgeInputs{1.0, {}}, &error), qPrintable(error));
}

void TestWorkbookExport::sheetNames()
{
    QCOMPARE(WorkbookReader::SheetNames(m_workbook),
             (QStringList{QStringLiteral("Fibers"), QStringLiteral("Channels"), QStringLiteral("Rows")}));
}

void TestWorkbookExport::cells_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("ref");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    const QString fibers = QStringLiteral("xl/worksheets/sheet1.xml");
    const QString rows = QStringLiteral("xl/worksheets/sheet3.xml");
    // Fibers: A name, B verdict, C marginal, D reasons, E failed channels,
    // F worst channel, G worst margin, then power and margin of 01, 02, 03.
    QTest::newRow("a fiber's name") << fibers << "A2" << "inlineStr" << "F0001";
    QTest::newRow("its verdict") << fibers << "B2" << "inlineStr" << "PASS";
    QTest::newRow("not marginal: 12.66 dB above a band of 1 dB") << fibers << "C2" << "b" << "0";
    QTest::newRow("its worst margin, a number") << fibers << "G2" << "n" << "12.66";
    QTest::newRow("its power at 01") << fibers << "H2" << "n" << "-12.34";
    QTest::newRow("a failing fiber") << fibers << "B3" << "inlineStr" << "FAIL";
    QTest::newRow("its reason") << fibers << "D3" << "inlineStr" << "Low";
    QTest::newRow("its failed channel") << fibers << "E3" << "inlineStr" << "03";
    QTest::newRow("no margin where Low") << fibers << "G3" << "inlineStr" << "Low";
    QTest::newRow("the power Low, a text") << fibers << "L3" << "inlineStr" << "Low";
    QTest::newRow("control bytes written out") << fibers << "A4" << "inlineStr" << "A\\x01B\\x1b";
    QTest::newRow("a byte of no code page 936") << fibers << "A5" << "inlineStr" << "X\uFFFD";
    QTest::newRow("markup as text") << fibers << "A6" << "inlineStr" << "<a&b>";
    // Rows: the CSV's fields, numbers as numbers.
    QTest::newRow("a row's name") << rows << "A2" << "inlineStr" << "F0001";
    QTest::newRow("its channel as shown") << rows << "B2" << "inlineStr" << "01";
    QTest::newRow("its wavelength") << rows << "C2" << "n" << "1271";
    QTest::newRow("its threshold") << rows << "E2" << "n" << "-25";
    QTest::newRow("its date") << rows << "F2" << "inlineStr" << "2018-05-17";
    QTest::newRow("a power Low (row 21 of the file)") << rows << "D22" << "inlineStr" << "Low";
}

void TestWorkbookExport::cells()
{
    QFETCH(QString, part);
    QFETCH(QString, ref);
    QFETCH(QString, type);
    QFETCH(QString, text);
    const QHash<QString, WorkbookReader::Cell> cells =
        WorkbookReader::Cells(WorkbookReader::Part(m_workbook, part), 80);
    QVERIFY2(cells.contains(ref), qPrintable(ref));
    QCOMPARE(cells.value(ref).type, type);
    if (type == QLatin1String("n"))
        QCOMPARE(cells.value(ref).text.toDouble(), text.toDouble());
    else
        QCOMPARE(cells.value(ref).text, text);
}

void TestWorkbookExport::numbersKeepEveryDigit_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("ref");
    QTest::addColumn<double>("value");
    const QString fibers = QStringLiteral("xl/worksheets/sheet1.xml");
    const QString channels = QStringLiteral("xl/worksheets/sheet2.xml");
    // Channel 01: 0.1 against -0.2, a margin of 0.1 + 0.2; channel 02: 1e300
    // against -1e285. Sixteen digits read back as 0.3 and 1.000000000000001e300.
    QTest::newRow("a margin of 0.1 + 0.2") << fibers << "I2" << 0.30000000000000004;
    QTest::newRow("the worst margin, in the margin format") << fibers << "G2" << 0.30000000000000004;
    QTest::newRow("a margin of 1e300 + 1e285") << fibers << "K2" << 1.0000000000000011e+300;
    QTest::newRow("a power of sixteen digits or fewer") << fibers << "H2" << 0.1;
    // Channels: A channel, B wavelength, then the figures' table, the
    // marginal fibers among them (the export has a band).
    const QString marginMean = QChar(char16_t(u'C' + ChannelColumns::IndexOf("margin_mean")));
    QTest::newRow("a margin mean of one margin") << channels << marginMean + QLatin1Char('2') << 0.30000000000000004;
    QTest::newRow("the other channel's") << channels << marginMean + QLatin1Char('3') << 1.0000000000000011e+300;
}

// Each number cell holds the very double written, where sixteen significant
// digits do not read back as it.
void TestWorkbookExport::numbersKeepEveryDigit()
{
    QFETCH(QString, part);
    QFETCH(QString, ref);
    QFETCH(double, value);
    static QString workbook;
    if (workbook.isEmpty()) {
        QByteArray lines = thresholdLine("F", 1, "0.1", "-0.2") + thresholdLine("F", 2, "1e300", "-1e285");
        for (int channel = 3; channel <= ChannelTable::FiberSize; ++channel)
            lines += thresholdLine("F", channel, "-20.00", "-25.00");
        const QString fib = m_dir.filePath(QStringLiteral("digits.fib"));
        QVERIFY(writeFile(fib, standardHeader() + lines));
        workbook = m_dir.filePath(QStringLiteral("digits.xlsx"));
        QString error;
        QVERIFY2(WorkbookExport::ExportResultFile(fib, workbook, JudgeInputs{1.0, {}}, &error), qPrintable(error));
    }
    const QHash<QString, WorkbookReader::Cell> cells = WorkbookReader::Cells(WorkbookReader::Part(workbook, part), 4);
    QVERIFY2(cells.contains(ref), qPrintable(ref));
    QCOMPARE(cells.value(ref).type, QStringLiteral("n"));
    // Exactly: QCOMPARE would let a part in 1e12 pass.
    const QString text = cells.value(ref).text;
    QVERIFY2(text.toDouble() == value, qPrintable(text));
}

void TestWorkbookExport::propertiesHoldTheHeaderAndTheVersion()
{
    const QByteArray core = WorkbookReader::Part(m_workbook, QStringLiteral("docProps/core.xml"));
    QVERIFY(core.contains("<dc:title>lot.fib</dc:title>"));
    QVERIFY(core.contains("Operator: test\nDevice: CWDM 18"));
    QVERIFY(core.contains("4 of 5 fibers pass (80.0 %), 0 marginal"));
    const QByteArray custom = WorkbookReader::Part(m_workbook, QStringLiteral("docProps/custom.xml"));
    QVERIFY(custom.contains("Quenvale " QUENVALE_VERSION));
}

// XML 1.0 holds no C0 control but tab, line feed and carriage return.
void TestWorkbookExport::noPartHoldsAControlCharacter()
{
    const QStringList parts = WorkbookReader::Parts(m_workbook);
    QVERIFY(parts.size() > 8);
    for (const QString &part : parts) {
        const QByteArray bytes = WorkbookReader::Part(m_workbook, part);
        for (const char c : bytes)
            QVERIFY2(quint8(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r', qPrintable(part));
    }
}

// Each part is deflated at zlib's quickest level, which the zip's local
// header records in its flags (bits 1 and 2 both set).
void TestWorkbookExport::partsDeflatedAtTheQuickestLevel()
{
    const QByteArray zip = readFile(m_workbook);
    const auto number = [&](qsizetype at, int bytes) {
        quint32 value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | quint8(zip.at(at + i));
        return value;
    };
    int deflated = 0;
    qsizetype at = 0;
    while (at + 30 <= zip.size() && number(at, 4) == 0x04034b50) {
        const quint32 flags = number(at + 6, 2);
        QVERIFY2(!(flags & 8), "sizes after the data"); // the walk needs them in the header
        if (number(at + 8, 2) == 8) {
            ++deflated;
            QCOMPARE(flags & 6, 6u);
        }
        at += 30 + number(at + 26, 2) + number(at + 28, 2) + number(at + 18, 4);
    }
    QVERIFY(deflated >= WorkbookReader::Parts(m_workbook).size() - 1);
}

// 1,300 fibers (23,400 rows): the Rows sheet holds each row once, in the
// file's order, and the Fibers sheet each fiber.
void TestWorkbookExport::rowsOfALargeFileInOrder()
{
    constexpr int kFibers = 1300;
    QTemporaryDir dir;
    const QString fib = dir.filePath(QStringLiteral("large.fib"));
    QByteArray bytes = standardHeader();
    const auto name = [](int n) { return QStringLiteral("G%1").arg(n, 5, 10, QLatin1Char('0')); };
    for (int n = 0; n < kFibers; ++n)
        bytes += fiber(name(n).toLatin1().constData());
    QVERIFY(writeFile(fib, bytes));
    const QString workbook = dir.filePath(QStringLiteral("large.xlsx"));
    QString error;
    QVERIFY2(WorkbookExport::ExportResultFile(fib, workbook, {}, &error), qPrintable(error));

    const QByteArray rowsSheet = WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet3.xml"));
    const int lastRow = 1 + kFibers * ChannelTable::FiberSize;
    QVERIFY(rowsSheet.contains("<dimension ref=\"A1:G" + QByteArray::number(lastRow) + "\"/>"));
    const QHash<QString, WorkbookReader::Cell> rows = WorkbookReader::Cells(rowsSheet, lastRow);
    for (int r = 2; r <= lastRow; ++r) {
        const int index = r - 2;
        const QString at = QString::number(r);
        QCOMPARE(rows.value(QStringLiteral("A") + at).text, name(index / ChannelTable::FiberSize));
        QCOMPARE(rows.value(QStringLiteral("B") + at).text,
                 QStringLiteral("%1").arg(index % ChannelTable::FiberSize + 1, 2, 10, QLatin1Char('0')));
    }
    const QHash<QString, WorkbookReader::Cell> fibers =
        WorkbookReader::Cells(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet1.xml")), kFibers + 1);
    QCOMPARE(fibers.value(QStringLiteral("A%1").arg(kFibers + 1)).text, name(kFibers - 1));
}

// 3,000,006 rows of one channel, more than a sheet holds: the fibers and
// channels are written all the same, and a note on the first cell says why
// the rows are not.
void TestWorkbookExport::rowsBeyondASheet()
{
    QTemporaryDir dir;
    const QString fib = dir.filePath(QStringLiteral("endless.fib"));
    {
        QByteArray block;
        for (int i = 0; i < ChannelTable::FiberSize; ++i)
            block += line("F", 1);
        QFile file(fib);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(standardHeader());
        for (int fiber = 0; fiber < 166667; ++fiber)
            file.write(block);
    }
    const QString workbook = dir.filePath(QStringLiteral("endless.xlsx"));
    QString error;
    QVERIFY2(WorkbookExport::ExportResultFile(fib, workbook, {}, &error), qPrintable(error));
    QCOMPARE(WorkbookReader::SheetNames(workbook), (QStringList{QStringLiteral("Fibers"), QStringLiteral("Channels")}));
    const QByteArray fibers = WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet1.xml"));
    QVERIFY(fibers.contains("<dimension ref=\"A1:I166668\"/>"));
    QVERIFY(WorkbookReader::Part(workbook, QStringLiteral("xl/comments1.xml"))
                .contains("The Rows sheet is left out: the file's 3,000,006 rows are more than a sheet holds "
                          "(1,048,575)."));
}

// A stop before the file is read, and one among the rows: the older
// workbook stays, and nothing else is left beside it.
void TestWorkbookExport::aStopKeepsTheOlderWorkbook()
{
    QTemporaryDir dir;
    const QString workbook = dir.filePath(QStringLiteral("lot.xlsx"));
    QVERIFY(writeFile(workbook, "older"));
    const auto onlyTheOlder = [&] {
        return readFile(workbook) == "older"
            && QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size() == 1;
    };
    std::atomic<bool> stop{true};
    QString error;
    QVERIFY(!WorkbookExport::ExportResultFile(sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib")), workbook, {},
                                              &error, &stop));
    QVERIFY(onlyTheOlder());

    stop = false;
    const MeasurementRows rows = ChannelTable::CutTable(fiber("F0001") + fiber("F0002") + fiber("F0003"));
    LoadedFile::Verdicts judged;
    QVERIFY(LoadedFile::Judge(rows, &judged));
    qsizetype next = 0;
    const WorkbookExport::Source source{QStringLiteral("lot.fib"), standardHeader(), &judged.judge, &judged.byBlock,
                                        rows.Count(),
                                        [&](MeasurementRow &row) {
                                            if (next == 20) // among the second fiber's rows
                                                stop = true;
                                            if (next == rows.Count())
                                                return false;
                                            row = rows.At(next++).Record();
                                            return true;
                                        }};
    QVERIFY(!WorkbookExport::WriteFile(source, workbook, &error, &stop));
    QVERIFY2(error.endsWith(QStringLiteral("stopped before the last row")), qPrintable(error));
    QVERIFY(onlyTheOlder());
}

QTEST_GUILESS_MAIN(TestWorkbookExport)
#include "tst_workbookexport.moc"
