#include "TestSupport.h"

#include "output/PrintReport.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <stdexcept>

using namespace TestSupport;

class TestReportRows : public QObject
{
    Q_OBJECT

private slots:
    void keepsRowsInOrder();
    void sharesRowsWithTheStoreCopy();
    void setupDC_data();
    void setupDC();
};

void TestReportRows::keepsRowsInOrder()
{
    MeasurementRows rows;
    for (const char *name : {"1", "2", "3"})
        rows.Append(MeasurementRow(name, "", "", "", "", "", ""));
    PrintReport report;
    report.SetRows(rows);
    QCOMPARE(report.RowCount(), 3);
    QCOMPARE(report.Row(1).text(MeasurementRow::FiberName).toByteArray(), QByteArray("2"));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, report.Row(3));
    report.Clear();
    QCOMPARE(report.RowCount(), 0);
}

void TestReportRows::sharesRowsWithTheStoreCopy()
{
    MeasurementRows rows = ChannelTable::CutTable(fiber("A"));
    PrintReport report;
    report.SetRows(rows);
    // Rows added to the store's list later leave the report's as read.
    rows.Append(MeasurementRow("B", "", "", "", "", "", ""));
    QCOMPARE(report.RowCount(), 18);
    QCOMPARE(report.Row(0).text(MeasurementRow::FiberName).toByteArray(), QByteArray("A       "));
    // Setting the same rows twice keeps one copy.
    report.SetRows(rows);
    report.SetRows(rows);
    QCOMPARE(report.RowCount(), 19);
}

void TestReportRows::setupDC_data()
{
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<QSize>("viewport");
    QTest::newRow("96") << 96 << 96 << QSize(1024, 768);
    QTest::newRow("120 x 96") << 120 << 96 << QSize(1280, 768);
    QTest::newRow("300") << 300 << 300 << QSize(3200, 2400);
    QTest::newRow("600") << 600 << 600 << QSize(6400, 4800);
    QTest::newRow("72 truncated") << 73 << 73 << QSize(778, 584);
}

void TestReportRows::setupDC()
{
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(QSize, viewport);
    QImage image(64, 64, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    QCOMPARE(image.logicalDpiX(), dpiX);
    QPainter painter(&image);
    PrintReport().SetupDC(painter);
    QCOMPARE(painter.window(), QRect(0, 0, 1024, 768));
    QCOMPARE(painter.viewport(), QRect(QPoint(0, 0), viewport));
    // One unit is dpi/96 device pixels.
    QCOMPARE(painter.combinedTransform().map(QPointF(96, 96)), QPointF(viewport.width() * 96.0 / 1024,
                                                                      viewport.height() * 96.0 / 768));
}

QTEST_MAIN(TestReportRows)
#include "tst_reportrows.moc"
