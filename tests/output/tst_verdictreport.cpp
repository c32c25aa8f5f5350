// The report that says pass or fail, drawn on a recording device at 96 dpi
// (one logical unit a pixel): what its first page tells, how a failing row
// shows without colour, how the failing fibers go on over pages, and the
// report of the rows alone once the verdicts are hidden again.

#include "RecordingDevice.h"
#include "TestSupport.h"

#include "data/ChannelTable.h"
#include "output/PrintReport.h"
#include "output/ReportPrinter.h"
#include "output/ReportVerdicts.h"

#include <QPainter>
#include <QtTest>

using namespace TestSupport;

class TestVerdictReport : public QObject
{
    Q_OBJECT

private slots:
    void firstPageTellsTheVerdicts_data();
    void firstPageTellsTheVerdicts();
    void aFailingRowIsBoldAndMarked();
    void failingFibersGoOnOverPages();
    void withoutVerdictsTheRowsAlone();
};

namespace {

// A fiber at the standard threshold (-25) whose channel `channel` reads
// `power`, the others -12.34.
QByteArray fiberWith(const char *name, int channel, const char *power)
{
    QByteArray lines;
    for (int c = 1; c <= ChannelTable::FiberSize; ++c)
        lines += line(name, c, c == channel ? power : "-12.34");
    return lines;
}

MeasurementRows rowsOf(const QByteArray &table)
{
    return ChannelTable::CutTable(table);
}

// Four fibers: one passes, one fails on Low, one passes 0.5 dB above its
// threshold (marginal in a band of 1 dB), one fails 5 dB below it.
MeasurementRows lot()
{
    return rowsOf(fiber("F0001") + fiberWith("F0002", 3, "-120.00") + fiberWith("F0003", 7, "-24.50")
                  + fiberWith("F0004", 5, "-30.00"));
}

std::shared_ptr<const ReportVerdicts> verdictsOf(const MeasurementRows &rows)
{
    return std::make_shared<const ReportVerdicts>(ReportVerdicts::Judge(
        rows, JudgeInputs{1.0, {}}, QStringLiteral("lot.fib"), standardHeader(),
        QDateTime(QDate(2018, 5, 17), QTime(10, 0))));
}

QStringList textsOf(const PrintReport &report, int page, RecordingDevice &device)
{
    {
        QPainter painter(&device);
        ReportPrinter::PaintPage(report, painter, page, report.PageCount());
    }
    QStringList texts;
    for (const RecordedText &text : device.texts())
        texts.append(text.text);
    return texts;
}

QStringList textsOf(const PrintReport &report, int page)
{
    RecordingDevice device;
    return textsOf(report, page, device);
}

} // namespace

void TestVerdictReport::firstPageTellsTheVerdicts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("the file's name") << "lot.fib";
    QTest::newRow("a header line") << "Operator: test";
    QTest::newRow("the print date") << "Printed 2018-05-17 10:00:00";
    QTest::newRow("the yield") << "2 of 4 fibers pass (50.0 %), 1 marginal";
    QTest::newRow("the file's verdict") << "File: FAIL";
    QTest::newRow("the failing fibers' count") << "Failing fibers: 2 of 4";
    QTest::newRow("a failing fiber") << "F0004";
    QTest::newRow("its reason") << "below threshold";
    QTest::newRow("its worst margin") << "-5.00 dB";
    QTest::newRow("the other's reason") << "Low";
    QTest::newRow("a channel's Cpk heading") << "Cpk";
    QTest::newRow("the footer") << "Page 1 of 4";
}

// 72 rows: the first page and three pages of 29 rows.
void TestVerdictReport::firstPageTellsTheVerdicts()
{
    QFETCH(QString, text);
    PrintReport report;
    report.SetRows(lot());
    report.SetVerdicts(verdictsOf(report.Rows()));
    QCOMPARE(report.PageCount(), 4);
    QVERIFY2(textsOf(report, 1).contains(text), qPrintable(text));
}

// Page 2 holds rows 0 to 28; row 20 is F0002's channel 03, Low.
void TestVerdictReport::aFailingRowIsBoldAndMarked()
{
    PrintReport report;
    report.SetRows(lot());
    report.SetVerdicts(verdictsOf(report.Rows()));
    RecordingDevice page;
    const QStringList texts = textsOf(report, 2, page);
    QCOMPARE(texts.count(QStringLiteral("FAIL")), 1);
    QCOMPARE(texts.count(QStringLiteral("pass")), 28);
    QVERIFY(texts.contains(QStringLiteral("Page 2 of 4")));
    const RecordedText *failed = page.find(QStringLiteral("FAIL"));
    const RecordedText *passed = page.find(QStringLiteral("pass"));
    QVERIFY(failed->font.bold());
    QVERIFY(!passed->font.bold());
    // Row 20 stands from 35 + 20 * 35 = 735 to 770: its mark lies in the
    // margin left of the table, in black.
    int marks = 0;
    for (const RecordingEngine::Fill &fill : page.engine().fills) {
        if (fill.rect.right() <= 24 && fill.color == Qt::black) {
            ++marks;
            QVERIFY(fill.rect.top() >= 735 && fill.rect.bottom() <= 770);
        }
    }
    QCOMPARE(marks, 1);
}

// 16 failing fibers: 9 on the first page, the others on the next.
void TestVerdictReport::failingFibersGoOnOverPages()
{
    QByteArray table;
    for (int i = 1; i <= 16; ++i)
        table += fiberWith(QByteArray("B") + QByteArray::number(i).rightJustified(3, '0'), 1, "-31.00");
    PrintReport report;
    report.SetRows(rowsOf(table));
    report.SetVerdicts(verdictsOf(report.Rows()));
    QCOMPARE(report.PageCount(), 2 + 10); // 288 rows, 29 a page
    const QStringList first = textsOf(report, 1);
    const QStringList second = textsOf(report, 2);
    QVERIFY(first.contains(QStringLiteral("B009")));
    QVERIFY(!first.contains(QStringLiteral("B010")));
    QVERIFY(second.contains(QStringLiteral("Failing fibers, continued")));
    QVERIFY(second.contains(QStringLiteral("B010")) && second.contains(QStringLiteral("B016")));
    QVERIFY(textsOf(report, 3).contains(QStringLiteral("FiberName")));
}

// Hidden again, or with new rows, the verdicts leave the report of the
// rows alone exactly as it was drawn before.
void TestVerdictReport::withoutVerdictsTheRowsAlone()
{
    PrintReport plain;
    plain.SetRows(lot());
    const QStringList before = textsOf(plain, 1);
    QVERIFY(before.contains(QString::fromUtf8("Total:3\uFF0CCurrent:1")));

    PrintReport hidden;
    hidden.SetRows(lot());
    hidden.SetVerdicts(verdictsOf(hidden.Rows()));
    hidden.SetVerdicts(nullptr);
    QCOMPARE(hidden.PageCount(), 3);
    QCOMPARE(textsOf(hidden, 1), before);

    PrintReport refilled;
    refilled.SetRows(lot());
    refilled.SetVerdicts(verdictsOf(refilled.Rows()));
    refilled.SetRows(lot());
    QCOMPARE(textsOf(refilled, 1), before);
}

QTEST_MAIN(TestVerdictReport)
#include "tst_verdictreport.moc"
