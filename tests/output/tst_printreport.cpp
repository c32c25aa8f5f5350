#include "RecordingDevice.h"

#include "output/PrintReport.h"
#include "output/ReportFont.h"

#include <QPainter>
#include <QtTest>

namespace {

const char *const kHeadings[] = {"FiberName", "Channel", "WaveLength", "Power",
                                 "Threshold", "Date", "Time"};
const char kPrefixes[] = "FCWPTDH";

// Row i holds "F<i>", "C<i>", ... so every drawn text names its cell.
PrintReport reportOf(int rows)
{
    MeasurementRows list;
    for (int i = 0; i < rows; ++i) {
        QByteArray f[7];
        for (int c = 0; c < 7; ++c)
            f[c] = kPrefixes[c] + QByteArray::number(i);
        list.Append(MeasurementRow(f[0], f[1], f[2], f[3], f[4], f[5], f[6]));
    }
    PrintReport report;
    report.SetRows(list);
    return report;
}

QString cellText(int column, int row)
{
    return QLatin1Char(kPrefixes[column]) + QString::number(row);
}

// Draws one page at 1/96 inch (a 96-dpi device maps 1:1) with the rows in
// `rowFont`.
void drawPage(const PrintReport &report, RecordingDevice &device, int page, int total,
              const QFont &rowFont = QFont())
{
    QPainter painter(&device);
    report.SetupDC(painter);
    painter.setFont(rowFont);
    report.PrintPage(painter, page, total);
}

struct Rules
{
    QList<qreal> horizontalYs;
    QList<qreal> verticalXs;
    qreal top = 1e9, bottom = -1e9, left = 1e9, right = -1e9;
    int slanted = 0;
};

Rules rulesOf(const QList<QLineF> &lines)
{
    Rules rules;
    for (const QLineF &line : lines) {
        if (line.y1() == line.y2()) {
            rules.horizontalYs.append(line.y1());
            rules.left = qMin(rules.left, qMin(line.x1(), line.x2()));
            rules.right = qMax(rules.right, qMax(line.x1(), line.x2()));
        } else {
            if (line.x1() != line.x2())
                ++rules.slanted;
            rules.verticalXs.append(line.x1());
            rules.top = qMin(rules.top, qMin(line.y1(), line.y2()));
            rules.bottom = qMax(rules.bottom, qMax(line.y1(), line.y2()));
        }
    }
    return rules;
}

// Qt places single-line text to the nearest unit or so; the rectangles of
// the layout are far more than that apart.
constexpr qreal kSlack = 1.0;

bool near(qreal actual, qreal expected)
{
    return qAbs(actual - expected) <= kSlack;
}

} // namespace

class TestPrintReport : public QObject
{
    Q_OBJECT

private slots:
    void pageCount_data();
    void pageCount();
    void pageKinds_data();
    void pageKinds();
    void cellsAreCentredInTheirRectangles_data();
    void cellsAreCentredInTheirRectangles();
    void headingsAndTitle();
    void footerCountsPagesAtTheRight();
    void reportFontsAreMadeAndReleased();
    void rowsKeepThePaintersFont();
    void longTextsAreCutAtTheirRectangle();
    void rowTextsAreDecodedFromCodePage936();
    void rulesAreOneDevicePixelWide_data();
    void rulesAreOneDevicePixelWide();
};

void TestPrintReport::pageCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("empty") << 0 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("first page full") << 27 << 1;
    QTest::newRow("one over") << 28 << 2;
    QTest::newRow("second page full") << 56 << 2;
    QTest::newRow("third page begun") << 57 << 3;
    QTest::newRow("48 fibers") << 864 << 30;
    QTest::newRow("10,000") << 10000 << 345;
    QTest::newRow("100,000") << 100000 << 3449;
}

void TestPrintReport::pageCount()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    PrintReport report;
    MeasurementRows list;
    list.Reserve(rows);
    for (int i = 0; i < rows; ++i)
        list.Append(MeasurementRow());
    report.SetRows(list);
    QCOMPARE(report.PageCount(), pages);
}

void TestPrintReport::pageKinds_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("firstRow");  // -1: none
    QTest::addColumn<int>("lastRow");
    QTest::addColumn<int>("gridTop");
    QTest::addColumn<int>("gridBottom");
    QTest::addColumn<int>("horizontalRules");

    QTest::newRow("sole, empty") << 0 << 1 << -1 << -1 << 80 << 115 << 2;
    QTest::newRow("sole, one row") << 1 << 1 << 0 << 0 << 80 << 150 << 3;
    QTest::newRow("sole, full") << 27 << 1 << 0 << 26 << 80 << 1060 << 29;
    QTest::newRow("first of two") << 28 << 1 << 0 << 26 << 80 << 1060 << 29;
    QTest::newRow("last, one row") << 28 << 2 << 27 << 27 << 0 << 70 << 3;
    QTest::newRow("last, full") << 56 << 2 << 27 << 55 << 0 << 1050 << 31;
    QTest::newRow("middle") << 57 << 2 << 27 << 55 << 0 << 1050 << 31;
    QTest::newRow("last of three") << 57 << 3 << 56 << 56 << 0 << 70 << 3;
    QTest::newRow("middle of 864") << 864 << 29 << 810 << 838 << 0 << 1050 << 31;
    QTest::newRow("last of 864") << 864 << 30 << 839 << 863 << 0 << 910 << 27;
}

void TestPrintReport::pageKinds()
{
    QFETCH(int, rows);
    QFETCH(int, page);
    QFETCH(int, firstRow);
    QFETCH(int, lastRow);
    QFETCH(int, gridTop);
    QFETCH(int, gridBottom);
    QFETCH(int, horizontalRules);

    const PrintReport report = reportOf(rows);
    RecordingDevice device;
    drawPage(report, device, page, report.PageCount());

    const Rules rules = rulesOf(device.lines());
    QCOMPARE(rules.slanted, 0);
    QCOMPARE(rules.verticalXs, (QList<qreal>{24, 122, 212, 327, 458, 565, 671, 745}));
    QCOMPARE(rules.top, qreal(gridTop));
    QCOMPARE(rules.bottom, qreal(gridBottom));
    QCOMPARE(rules.horizontalYs.size(), horizontalRules);
    for (int k = 0; k < horizontalRules; ++k)
        QCOMPARE(rules.horizontalYs.at(k), qreal(gridTop + 35 * k));
    QCOMPARE(rules.left, 24.0);
    QCOMPARE(rules.right, 745.0);
    QCOMPARE(device.engine().others, 0);

    // Every row of the page and no other, each in its own band of 35.
    const int headingTop = page == 1 ? 80 : 0;
    int drawnRows = 0;
    for (int row = 0; row < rows; ++row) {
        const RecordedText *fiber = device.find(cellText(0, row));
        const bool onPage = firstRow >= 0 && row >= firstRow && row <= lastRow;
        QCOMPARE(fiber != nullptr, onPage);
        if (!fiber)
            continue;
        ++drawnRows;
        const int top = headingTop + 35 * (1 + row - firstRow);
        QVERIFY2(near(fiber->centreY(), top + 17.5), qPrintable(fiber->text));
    }
    QCOMPARE(drawnRows, firstRow < 0 ? 0 : lastRow - firstRow + 1);
    QCOMPARE(device.find(QStringLiteral("Quenvale")) != nullptr, page == 1);
    QVERIFY(device.find(QStringLiteral("FiberName")));
}

void TestPrintReport::cellsAreCentredInTheirRectangles_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("powerRight");

    QTest::newRow("sole page") << 3 << 1 << 2 << 434;
    QTest::newRow("first of two") << 30 << 1 << 0 << 475;
    QTest::newRow("last of two") << 30 << 2 << 29 << 475;
}

void TestPrintReport::cellsAreCentredInTheirRectangles()
{
    QFETCH(int, rows);
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(int, powerRight);
    const int cells[7][2] = {{24, 122}, {122, 212}, {212, 335}, {335, powerRight},
                             {434, 598}, {548, 680}, {655, 762}};

    const PrintReport report = reportOf(rows);
    RecordingDevice device;
    drawPage(report, device, page, report.PageCount());
    for (int column = 0; column < 7; ++column) {
        const RecordedText *text = device.find(cellText(column, row));
        QVERIFY(text);
        const qreal centre = (cells[column][0] + cells[column][1]) / 2.0;
        QVERIFY2(near(text->centreX(), centre),
                 qPrintable(QStringLiteral("%1 centred at %2, expected %3")
                                .arg(text->text).arg(text->centreX()).arg(centre)));
        QVERIFY(!text->clipped);
    }
}

void TestPrintReport::headingsAndTitle()
{
    const int headings[7][2] = {{24, 122}, {24, 311}, {188, 352}, {343, 458},
                                {434, 598}, {557, 680}, {639, 762}};
    ReportFont expected("Boldface");
    expected.SetHeight(18);
    expected.SetWidth(7);
    const PrintReport report = reportOf(30);
    for (int page : {1, 2}) {
        RecordingDevice device;
        drawPage(report, device, page, 2);
        const int top = page == 1 ? 80 : 0;
        for (int column = 0; column < 7; ++column) {
            const RecordedText *text = device.find(QLatin1String(kHeadings[column]));
            QVERIFY(text);
            QVERIFY(near(text->centreX(), (headings[column][0] + headings[column][1]) / 2.0));
            QVERIFY(near(text->centreY(), top + 17.5));
            QCOMPARE(text->font, expected.Font());
        }
        if (page == 1) {
            // Centred across 24-745 and set at the top of 35-70.
            const RecordedText *title = device.find(QStringLiteral("Quenvale"));
            QVERIFY(title);
            QVERIFY(near(title->centreX(), (24 + 745) / 2.0));
            QVERIFY(near(title->top(), 35));
            QCOMPARE(title->font, expected.Font());
        }
    }
}

void TestPrintReport::footerCountsPagesAtTheRight()
{
    const PrintReport report = reportOf(57);
    ReportFont expected("Boldface");
    expected.SetHeight(20);
    expected.SetWidth(10);
    for (int page = 1; page <= 3; ++page) {
        RecordingDevice device;
        drawPage(report, device, page, 3);
        const QString counter = QStringLiteral("Total:3\uFF0C" "Current:%1").arg(page);
        const RecordedText *footer = device.find(counter);
        QVERIFY2(footer, qPrintable(counter));
        QVERIFY(near(footer->right(), 745));
        QVERIFY(near(footer->centreY(), 1110));
        QCOMPARE(footer->font, expected.Font());
    }
}

void TestPrintReport::reportFontsAreMadeAndReleased()
{
    const int before = ReportFont::LiveFontCount();
    RecordingDevice device;
    drawPage(reportOf(3), device, 1, 1);
    QCOMPARE(ReportFont::LiveFontCount(), before);
}

void TestPrintReport::rowsKeepThePaintersFont()
{
    QFont rowFont(QStringLiteral("DejaVu Sans Mono"));
    rowFont.setPixelSize(11);
    const PrintReport report = reportOf(2);
    RecordingDevice device;
    QPainter painter(&device);
    report.SetupDC(painter);
    painter.setFont(rowFont);
    report.PrintPage(painter, 1, 1);
    QCOMPARE(painter.font(), rowFont);
    painter.end();
    for (int column = 0; column < 7; ++column)
        QCOMPARE(device.find(cellText(column, 1))->font, rowFont);
}

void TestPrintReport::longTextsAreCutAtTheirRectangle()
{
    const QByteArray longName(48, 'W');
    MeasurementRows rows;
    rows.Append(MeasurementRow(longName, "01", "1271.0", "-12.34", "-25.00", "2018-05-17", "10:23:45"));
    PrintReport report;
    report.SetRows(rows);
    RecordingDevice device;
    drawPage(report, device, 1, 1);
    const RecordedText *name = device.find(QString::fromLatin1(longName));
    QVERIFY(name);
    QVERIFY(name->clipped);
    QCOMPARE(name->clip, QRectF(24, 115, 98, 35));
    QVERIFY(!device.find(QStringLiteral("01"))->clipped);
}

void TestPrintReport::rowTextsAreDecodedFromCodePage936()
{
    MeasurementRows rows;
    rows.Append(MeasurementRow("\xB9\xE2\xCF\xCB" "01", "01", "1271.0", "-12.34", "-25.00",
                               "2018-05-17", "10:23:45"));
    PrintReport report;
    report.SetRows(rows);
    RecordingDevice device;
    drawPage(report, device, 1, 1);
    QVERIFY(device.find(QString::fromUtf8("\u5149\u7EA4" "01")));
}

void TestPrintReport::rulesAreOneDevicePixelWide_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("screen") << 96;
    QTest::newRow("300 dpi") << 300;
    QTest::newRow("600 dpi") << 600;
}

// Across the rule at x = 24 in the first row's band, and across the one at
// y = 115 beside the heading's text: dark pixels, counted on the device.
void TestPrintReport::rulesAreOneDevicePixelWide()
{
    QFETCH(int, dpi);
    QImage image(1000, 1000, QImage::Format_Grayscale8);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        reportOf(3).SetupDC(painter);
        reportOf(3).PrintPage(painter, 1, 1);
    }
    auto pixel = [dpi](qreal units) { return int(units * dpi / 96); };
    int across = 0;
    int down = 0;
    for (int d = pixel(16); d <= pixel(32); ++d)
        across += qGray(image.pixel(d, pixel(132))) < 128;
    for (int d = pixel(107); d <= pixel(123); ++d)
        down += qGray(image.pixel(pixel(28), d)) < 128;
    QCOMPARE(across, 1);
    QCOMPARE(down, 1);
}

QTEST_MAIN(TestPrintReport)
#include "tst_printreport.moc"
