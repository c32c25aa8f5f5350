#include "RecordingDevice.h"
#include "TestSupport.h"

#include "data/ResultFile.h"
#include "output/PrintReport.h"
#include "output/ReportPdf.h"
#include "output/ReportPrinter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QtTest>

using namespace TestSupport;

namespace {

PrintReport reportOf(int rows)
{
    MeasurementRows list;
    for (int i = 0; i < rows; ++i)
        list.Append(MeasurementRow("C1-F001", "01", "1271.0", "  -15.81", "  -30.00", "2018-05-19",
                                   "09:00:07"));
    PrintReport report;
    report.SetRows(list);
    return report;
}

int pdfPages(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace

class TestReportPrinter : public QObject
{
    Q_OBJECT

private slots:
    void shrinksOnlyWhatTheAreaCannotHold_data();
    void shrinksOnlyWhatTheAreaCannotHold();
    void aPrintersPageDrawnElsewhereKeepsItsLayout_data();
    void aPrintersPageDrawnElsewhereKeepsItsLayout();
    void printsTheChosenPages_data();
    void printsTheChosenPages();
    void writesOnePdfPagePerReportPage_data();
    void writesOnePdfPagePerReportPage();
    void failedPdfLeavesTheTargetAsItWas_data();
    void failedPdfLeavesTheTargetAsItWas();
};

void TestReportPrinter::shrinksOnlyWhatTheAreaCannotHold_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("dpiX");
    QTest::addColumn<int>("dpiY");
    QTest::addColumn<double>("scale");

    QTest::newRow("A4, whole sheet") << QSize(794, 1123) << 96 << 96 << 1.0;
    QTest::newRow("exactly the layout") << QSize(762, 1120) << 96 << 96 << 1.0;
    QTest::newRow("A4 at 600 dpi") << QSize(4961, 7016) << 600 << 600 << 1.0;
    QTest::newRow("Letter") << QSize(816, 1056) << 96 << 96 << 1056.0 / 1120;
    QTest::newRow("Letter at 300 dpi") << QSize(2550, 3300) << 300 << 300 << 1056.0 / 1120;
    QTest::newRow("A4 with quarter-inch margins at 600 dpi")
        << QSize(4661, 6716) << 600 << 600 << (6716.0 / 6.25) / 1120;
    QTest::newRow("narrow") << QSize(700, 1500) << 96 << 96 << 700.0 / 762;
    QTest::newRow("120 by 96 dpi") << QSize(1020, 1056) << 120 << 96 << 1056.0 / 1120;
}

void TestReportPrinter::shrinksOnlyWhatTheAreaCannotHold()
{
    QFETCH(QSize, pixels);
    QFETCH(int, dpiX);
    QFETCH(int, dpiY);
    QFETCH(double, scale);

    const PrintReport report = reportOf(56);
    RecordingDevice device(pixels, dpiX, dpiY);
    {
        QPainter painter(&device);
        painter.save();
        QVERIFY(qAbs(ReportPrinter::SetupPage(report, painter) - scale) < 1e-3);
        painter.restore();
        ReportPrinter::PaintPage(report, painter, 1, 2);
    }

    // The page counter and the lowest rule end on the printable area, and
    // the layout keeps its proportions.
    const QList<RecordedText> texts = device.texts();
    const RecordedText *footer = device.find(QStringLiteral("Total:2\uFF0C" "Current:1"));
    QVERIFY(footer);
    const QPointF bottomRight = footer->transform.map(
        QPointF(PrintReport::LayoutWidth, PrintReport::LayoutHeight));
    QVERIFY(bottomRight.x() <= pixels.width() + 0.5);
    QVERIFY(bottomRight.y() <= pixels.height() + 0.5);
    const qreal unitX = (dpiX * 1024 / 96) / 1024.0;
    const qreal unitY = (dpiY * 768 / 96) / 768.0;
    QVERIFY(qAbs(footer->transform.m11() - unitX * scale) < 1e-6);
    QVERIFY(qAbs(footer->transform.m22() - unitY * scale) < 1e-6);
    QCOMPARE(footer->transform.map(QPointF(0, 0)), QPointF(0, 0));
}

void TestReportPrinter::aPrintersPageDrawnElsewhereKeepsItsLayout_data()
{
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("scale"); // screen pixels per printer pixel
    QTest::newRow("A4 at 600 dpi") << QSize(4961, 7016) << 600 << 0.12;
    QTest::newRow("Letter at 300 dpi, shrunk to fit") << QSize(2550, 3300) << 300 << 0.25;
}

// The preview draws a printer's page on the screen: what lands where is
// the printed page, scaled.
void TestReportPrinter::aPrintersPageDrawnElsewhereKeepsItsLayout()
{
    QFETCH(QSize, pixels);
    QFETCH(int, dpi);
    QFETCH(double, scale);
    const PrintReport report = reportOf(56);
    RecordingDevice printer(pixels, dpi, dpi);
    RecordingDevice screen(pixels * scale, 96, 96);
    {
        QPainter painter(&printer);
        ReportPrinter::PaintPage(report, painter, 2, 2);
    }
    {
        QPainter painter(&screen);
        painter.scale(scale, scale);
        ReportPrinter::PaintPage(report, painter, 2, 2, &printer);
    }
    const QList<RecordedText> printed = printer.texts();
    const QList<RecordedText> shown = screen.texts();
    QCOMPARE(shown.size(), printed.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown.at(i).text, printed.at(i).text);
        const QTransform expected = printed.at(i).transform * QTransform::fromScale(scale, scale);
        QVERIFY2(qFuzzyCompare(shown.at(i).transform, expected), qPrintable(shown.at(i).text));
    }
}

void TestReportPrinter::printsTheChosenPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("pages");

    QTest::newRow("empty report") << 0 << 0 << 0 << 1;
    QTest::newRow("all") << 57 << 0 << 0 << 3;
    QTest::newRow("from 2") << 57 << 2 << 0 << 2;
    QTest::newRow("only 2") << 57 << 2 << 2 << 1;
    QTest::newRow("range past the end") << 57 << 3 << 9 << 1;
}

void TestReportPrinter::printsTheChosenPages()
{
    QFETCH(int, rows);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, pages);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QVERIFY(ReportPrinter::Print(reportOf(rows), writer, from, to));
    }
    QCOMPARE(pdfPages(buffer.data()), pages);
}

void TestReportPrinter::writesOnePdfPagePerReportPage_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QByteArray>("mediaBox");

    QTest::newRow("48 fibers on A4") << "samples/cwdm-48-fibers.fib" << int(QPageSize::A4) << 30
                                     << QByteArray("[0 0 595.000000 842.000000]");
    QTest::newRow("4 fibers on Letter") << "samples/cwdm-4-fibers.fib" << int(QPageSize::Letter)
                                        << 3 << QByteArray("[0 0 612.000000 792.000000]");
}

void TestReportPrinter::writesOnePdfPagePerReportPage()
{
    QFETCH(QString, sample);
    QFETCH(int, size);
    QFETCH(int, pages);
    QFETCH(QByteArray, mediaBox);

    ResultFileText text;
    QVERIFY(ReadResultFile(sourcePath(sample), text, nullptr));
    PrintReport report;
    report.SetRows(ChannelTable::CutTable(text.table));
    QCOMPARE(report.PageCount(), pages);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    QVERIFY2(ReportPdf::WriteFile(report, path, QPageSize(QPageSize::PageSizeId(size)), &error),
             qPrintable(error));
    const QByteArray pdf = readFile(path);
    QVERIFY(pdf.startsWith("%PDF-"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QCOMPARE(pdfPages(pdf), pages);
    QVERIFY(pdf.contains("/MediaBox " + mediaBox));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("report.pdf")});
}

void TestReportPrinter::failedPdfLeavesTheTargetAsItWas_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("missing folder") << "no/such/folder/report.pdf";
    QTest::newRow("a folder") << "existing";
}

void TestReportPrinter::failedPdfLeavesTheTargetAsItWas()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("existing")));
    QString error;
    QVERIFY(!ReportPdf::WriteFile(reportOf(3), dir.filePath(target), QPageSize(QPageSize::A4),
                                  &error));
    QVERIFY2(error.contains(QFileInfo(target).fileName()), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestReportPrinter)
#include "tst_reportprinter.moc"
