// The channel chart and the selection marker: geometry to the pixel at three
// screen sizes, what is drawn where (recorded), and the rendered pixels.

#include "output/ChannelChart.h"

#include "data/ChannelTable.h"
#include "RecordingDevice.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

// One screen: its single-precision scale factors, as the view computes them.
struct Screen
{
    float sx;
    float sy;
};

const Screen kDesign{1.0f, 1.0f};
const Screen kFullHd{1.3333334f, 1.2f};
const Screen kSmall{0.71111113f, 0.85333335f};

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlack = qRgb(0, 0, 0);

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage renderChart(const Screen &screen, const QString &power, int width = 1024,
                   int height = 768)
{
    QImage image = whiteImage(width, height);
    QPainter painter(&image);
    const ChannelChart chart(screen.sx, screen.sy);
    const QList<ChannelChart::Power> powers(ChannelChart::BarCount,
                                            ChannelTable::PowerValue(power.toLatin1()));
    chart.Draw(painter, powers, QString(), QString(), QString());
    return image;
}

// The rows of column x that hold `color`, as [first, last], or (-1, -1).
QPair<int, int> rowsOf(const QImage &image, int x, QRgb color)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(x, y) == color) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

} // namespace

Q_DECLARE_METATYPE(Screen)

using Span = QPair<int, int>; // first and last+1 column of a bar

class TestChannelChart : public QObject
{
    Q_OBJECT

private slots:
    void barsAndAxes_data();
    void barsAndAxes();
    void labelsAndSelectionLine_data();
    void labelsAndSelectionLine();
    void ticksMeetBarTops_data();
    void ticksMeetBarTops();
    void marker_data();
    void marker();
    void fillArea_data();
    void fillArea();
    void recordedDrawing();
    void renderedBars_data();
    void renderedBars();
    void renderedAxesTextAndMarker();
    void markerOutsideTheBarsDrawsNothing();
    void renderedVerdicts_data();
    void renderedVerdicts();
};

void TestChannelChart::barsAndAxes_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QList<int>>("tops"); // at +15, 0, -30, -60, +20 and +25 dB
    QTest::addColumn<Span>("bar0");
    QTest::addColumn<Span>("bar17");
    QTest::addColumn<QLine>("verticalAxis");
    QTest::addColumn<QLine>("baseLine");

    // A bar's top lies where the axis puts its power: 4 units per dB up
    // from -60 dB at the base line, +20 dB at the axis top, and no higher.
    QTest::newRow("1440x900") << kDesign << 610 << QList<int>{310, 370, 490, 610, 290, 290}
                              << qMakePair(100, 120) << qMakePair(780, 800)
                              << QLine(80, 290, 80, 610) << QLine(80, 610, 840, 610);
    QTest::newRow("1920x1080") << kFullHd << 732 << QList<int>{372, 444, 588, 732, 348, 348}
                               << qMakePair(133, 160) << qMakePair(1040, 1066)
                               << QLine(106, 348, 106, 732) << QLine(106, 732, 1120, 732);
    QTest::newRow("1024x768") << kSmall << 610 << QList<int>{310, 370, 490, 610, 290, 290}
                              << qMakePair(100, 120) << qMakePair(780, 800)
                              << QLine(80, 290, 80, 610) << QLine(80, 610, 840, 610);
}

void TestChannelChart::barsAndAxes()
{
    QFETCH(Screen, screen);
    QFETCH(int, bottom);
    const ChannelChart chart(screen.sx, screen.sy);

    QFETCH(QList<int>, tops);
    QCOMPARE(chart.BarEdges(5, 0.0f).bottom, bottom);
    QCOMPARE(chart.BarEdges(5, -60.0f).bottom, bottom);
    QList<int> actual;
    for (float power : {15.0f, 0.0f, -30.0f, -60.0f, 20.0f, 25.0f})
        actual.append(chart.BarEdges(5, power).top);
    QCOMPARE(actual, tops);

    QFETCH(Span, bar0);
    QFETCH(Span, bar17);
    const ChannelChart::Edges first = chart.BarEdges(0, 0.0f);
    const ChannelChart::Edges last = chart.BarEdges(17, 0.0f);
    QCOMPARE(qMakePair(first.left, first.right), bar0);
    QCOMPARE(qMakePair(last.left, last.right), bar17);

    QTEST(chart.VerticalAxis(), "verticalAxis");
    QTEST(chart.BaseLine(), "baseLine");
}

void TestChannelChart::labelsAndSelectionLine_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<int>("labelX");
    QTest::addColumn<QList<int>>("levels"); // of +15, 0, -15, -30, -45 and -60 dB
    QTest::addColumn<QList<QPoint>>("selection");

    // 4 units per dB up from -60 dB at the base line: 370 - 4P at the design size.
    QTest::newRow("1440x900") << kDesign << 40 << QList<int>{310, 370, 430, 490, 550, 610}
                              << QList<QPoint>{{80, 630}, {280, 630}, {580, 630}};
    QTest::newRow("1920x1080") << kFullHd << 53 << QList<int>{372, 444, 516, 588, 660, 732}
                               << QList<QPoint>{{106, 756}, {373, 756}, {773, 756}};
    QTest::newRow("1024x768") << kSmall << 40 << QList<int>{310, 370, 430, 490, 550, 610}
                              << QList<QPoint>{{80, 630}, {280, 630}, {580, 630}};
}

// Each label's cell stands centred on the tick of its power, whatever the
// font, and the tick is where a bar of that power tops out.
void TestChannelChart::labelsAndSelectionLine()
{
    QFETCH(Screen, screen);
    QFETCH(int, labelX);
    QFETCH(QList<int>, levels);
    QFETCH(QList<QPoint>, selection);
    const ChannelChart chart(screen.sx, screen.sy);

    for (const int pixels : {12, 20}) {
        QFont font;
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        for (int label = 0; label < ChannelChart::ScaleLabelCount; ++label) {
            const QPoint point = chart.ScaleLabelPoint(label, metrics);
            QCOMPARE(point.x(), labelX);
            const double middle = point.y() + metrics.height() / 2.0;
            QVERIFY2(qAbs(middle - levels.at(label)) <= 1.0, qPrintable(QString::number(middle)));
            QCOMPARE(chart.Tick(label).y1(), levels.at(label));
            QCOMPARE(chart.Tick(label).y2(), levels.at(label));
            QCOMPARE(chart.Tick(label).x2(), chart.VerticalAxis().x1());
        }
    }
    QCOMPARE(chart.ChannelPoint(), selection.at(0));
    QCOMPARE(chart.WaveLengthPoint(), selection.at(1));
    QCOMPARE(chart.PowerPoint(), selection.at(2));
}

void TestChannelChart::ticksMeetBarTops_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::newRow("1440x900") << kDesign;
    QTest::newRow("1920x1080") << kFullHd;
    QTest::newRow("2560x1440") << Screen{1.7777778f, 1.6f};
    QTest::newRow("3840x2160") << Screen{2.6666667f, 2.4f};
}

// In the rendered chart, a bar of each labelled power tops out on the row
// of that power's tick, to within a pixel, at every scale.
void TestChannelChart::ticksMeetBarTops()
{
    QFETCH(Screen, screen);
    const ChannelChart chart(screen.sx, screen.sy);
    QImage image = whiteImage(2400, 1800);
    QPainter painter(&image);
    const QList<ChannelChart::Power> powers{15.0, 0.0, -15.0, -30.0, -45.0};
    chart.Draw(painter, powers, QString(), QString(), QString());
    painter.end();

    const int tickX = chart.Tick(0).x1();
    for (int label = 0; label < powers.size(); ++label) {
        const ChannelChart::Edges bar = chart.BarEdges(label, 0.0f);
        const int barTop = rowsOf(image, (bar.left + bar.right) / 2, kRed).first;
        int tickRow = -1;
        for (int y = chart.VerticalAxis().y1(); y <= chart.VerticalAxis().y2() && tickRow < 0; ++y) {
            if (image.pixel(tickX, y) == kBlack && y >= barTop - 1)
                tickRow = y;
        }
        QVERIFY2(tickRow >= 0 && qAbs(tickRow - barTop) <= 1,
                 qPrintable(QStringLiteral("%1 dB: bar top %2, tick %3")
                                .arg(*powers.at(label)).arg(barTop).arg(tickRow)));
    }
}

void TestChannelChart::marker_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<int>("row");
    QTest::addColumn<QPolygon>("triangle");

    QTest::newRow("design row 0") << kDesign << 0
                                  << QPolygon({{100, 630}, {120, 630}, {110, 610}});
    QTest::newRow("design row 5") << kDesign << 5
                                  << QPolygon({{300, 630}, {320, 630}, {310, 610}});
    QTest::newRow("design row 17") << kDesign << 17
                                   << QPolygon({{780, 630}, {800, 630}, {790, 610}});
    QTest::newRow("1920x1080 row 0") << kFullHd << 0
                                     << QPolygon({{133, 756}, {160, 756}, {146, 732}});
    QTest::newRow("1024x768 row 17") << kSmall << 17
                                     << QPolygon({{780, 630}, {800, 630}, {790, 610}});
    QTest::newRow("row 18") << kDesign << 18 << QPolygon();
    QTest::newRow("row -1") << kDesign << -1 << QPolygon();
}

void TestChannelChart::marker()
{
    QFETCH(Screen, screen);
    QFETCH(int, row);
    QTEST(ChannelChart(screen.sx, screen.sy).MarkerPolygon(row), "triangle");
}

void TestChannelChart::fillArea_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QRect>("area");

    QTest::newRow("0 dB, right and bottom excluded")
        << kFullHd << "0" << QRect(QPoint(133, 444), QPoint(159, 731));
    QTest::newRow("-60 dB has no height") << kFullHd << "-60" << QRect(133, 732, 27, 0);
    // A top below the base line: no height, nothing hangs under it.
    QTest::newRow("-70 dB has no height") << kDesign << "-70" << QRect(100, 610, 20, 0);
    QTest::newRow("+25 dB stops at the axis top")
        << kFullHd << "25" << QRect(QPoint(133, 348), QPoint(159, 731));
    QTest::newRow("1e999 stops at the axis top")
        << kDesign << "1e999" << QRect(QPoint(100, 290), QPoint(119, 609));
    QTest::newRow("-1e999 has no height") << kDesign << "-1e999" << QRect(100, 610, 20, 0);
}

void TestChannelChart::fillArea()
{
    QFETCH(Screen, screen);
    QFETCH(QString, power);
    const ChannelChart chart(screen.sx, screen.sy);
    QTEST(ChannelChart::FillArea(chart.BarEdges(0, power.toFloat())), "area");
}

void TestChannelChart::recordedDrawing()
{
    // At the design's screen every place is a literal of the drawing's
    // layout. Texts and the marker's outline are in the ink.
    const QColor ink(10, 200, 30);
    const ChannelChart chart(kDesign.sx, kDesign.sy, ink);
    RecordingDevice device;
    QPainter painter(&device);
    const QList<ChannelChart::Power> powers{-12.34f, std::nullopt, 15.0f};
    chart.Draw(painter, powers, QStringLiteral("03"), QStringLiteral("1311.0"),
               QStringLiteral("Low"));
    chart.DrawMarker(painter, 2);
    const int ascent = painter.fontMetrics().ascent();
    const int halfHeight = painter.fontMetrics().height() / 2;
    painter.end();
    const RecordingEngine &engine = device.engine();

    // Red bars for the powers there are: none for bar 1 and the missing rows.
    QCOMPARE(engine.fills.size(), 2);
    for (const RecordingEngine::Fill &fill : engine.fills)
        QCOMPARE(fill.color, QColor(255, 0, 0));
    QCOMPARE(engine.fills.at(0).rect, QRectF(100, 419, 20, 191));
    QCOMPARE(engine.fills.at(1).rect, QRectF(180, 310, 20, 300));

    // The axes, then a tick 5 units long left of the axis at each label's power.
    QList<QLineF> lines{QLineF(80, 290, 80, 610), QLineF(80, 610, 840, 610)};
    for (const int level : {310, 370, 430, 490, 550, 610})
        lines.append(QLineF(75, level, 80, level));
    QCOMPARE(engine.lines, lines);

    struct Expected
    {
        QPointF topLeft;
        QString text;
    };
    // Each label centred on its tick.
    const QList<Expected> expected{
        {{40, 310.0 - halfHeight}, QStringLiteral("+15.0")},
        {{40, 370.0 - halfHeight}, QStringLiteral(" 0.0")},
        {{40, 430.0 - halfHeight}, QStringLiteral("-15.0")},
        {{40, 490.0 - halfHeight}, QStringLiteral("-30.0")},
        {{40, 550.0 - halfHeight}, QStringLiteral("-45.0")},
        {{40, 610.0 - halfHeight}, QStringLiteral("-60.0")},
        {{80, 630}, QStringLiteral("Chanel:03")},
        {{280, 630}, QStringLiteral("WaveLength:1311.0")},
        {{580, 630}, QStringLiteral("Power=Low")},
    };
    QCOMPARE(engine.texts.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const RecordedText &text = engine.texts.at(i);
        QCOMPARE(text.text, expected.at(i).text);
        // The point given is the text's top-left corner, not its baseline.
        QCOMPARE(text.baseline, expected.at(i).topLeft + QPointF(0, ascent));
        QCOMPARE(text.color, ink);
    }

    QCOMPARE(engine.polygons.size(), 1);
    const RecordingEngine::Polygon &marker = engine.polygons.first();
    QCOMPARE(marker.points, QPolygonF({QPointF(180, 630), QPointF(200, 630), QPointF(190, 610)}));
    QCOMPARE(marker.brush, QColor(255, 0, 0));
    QCOMPARE(marker.pen.color(), ink);
    QVERIFY(marker.pen.isCosmetic());
    QCOMPARE(marker.pen.width(), 1);
}

void TestChannelChart::renderedBars_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<QString>("power");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right"); // last red column
    QTest::addColumn<int>("top");   // first red row, -1 for none
    QTest::addColumn<int>("bottom"); // last red row
    QTest::addColumn<int>("bar17"); // its first column

    QTest::newRow("1024x768 0 dB") << kSmall << "0" << 100 << 119 << 370 << 609 << 780;
    QTest::newRow("1024x768 -60 dB") << kSmall << "-60" << 100 << 119 << -1 << -1 << 780;
    QTest::newRow("1440x900 +15 dB") << kDesign << "15" << 100 << 119 << 310 << 609 << 780;
    QTest::newRow("1440x900 -99.9 after a blank") << kDesign << " -99.9" << 100 << 119 << -1 << -1 << 780;
    QTest::newRow("1440x900 +30 dB above the axis") << kDesign << "30" << 100 << 119 << 290 << 609 << 780;
    QTest::newRow("1440x900 1e39") << kDesign << "1e39" << 100 << 119 << 290 << 609 << 780;
    QTest::newRow("1440x900 blank") << kDesign << "  " << 100 << 119 << -1 << -1 << 780;
    QTest::newRow("1920x1080 +15 dB") << kFullHd << "15" << 133 << 159 << 372 << 731 << 1040;
    QTest::newRow("1920x1080 Low") << kFullHd << "Low" << 133 << 159 << -1 << -1 << 1040;
}

void TestChannelChart::renderedBars()
{
    QFETCH(Screen, screen);
    QFETCH(QString, power);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, top);
    QFETCH(int, bottom);

    const QImage image = renderChart(screen, power, 1200, 800);
    const QPair<int, int> rows = top < 0 ? qMakePair(-1, -1) : qMakePair(top, bottom);
    QCOMPARE(rowsOf(image, left, kRed), rows);
    QCOMPARE(rowsOf(image, right, kRed), rows);
    QCOMPARE(rowsOf(image, left - 1, kRed), qMakePair(-1, -1));
    QCOMPARE(rowsOf(image, right + 1, kRed), qMakePair(-1, -1));
    // Bar 17 the same as bar 0: every bar is drawn, in one red.
    QFETCH(int, bar17);
    QCOMPARE(rowsOf(image, bar17, kRed), rows);
}

void TestChannelChart::renderedAxesTextAndMarker()
{
    QImage image = whiteImage(1200, 800);
    QPainter painter(&image);
    const ChannelChart chart(kFullHd.sx, kFullHd.sy);
    chart.Draw(painter, {0.0f}, QStringLiteral("01"), QStringLiteral("1271.0"),
               QStringLiteral("-3.21"));
    chart.DrawMarker(painter, 0);
    const int lineHeight = painter.fontMetrics().height();
    painter.end();

    // Axes: x 106 from y 348, y 732 from x 106, drawn over the bars; the
    // tick of -60 dB reaches left from x 100 to the axis.
    QCOMPARE(image.pixel(106, 347), kWhite);
    QCOMPARE(image.pixel(106, 348), kBlack);
    QCOMPARE(image.pixel(106, 500), kBlack);
    QCOMPARE(image.pixel(99, 732), kWhite);
    QCOMPARE(image.pixel(100, 732), kBlack);
    QCOMPARE(image.pixel(106, 732), kBlack);
    QCOMPARE(image.pixel(146, 732), kBlack);
    QCOMPARE(image.pixel(1119, 732), kBlack);
    QCOMPARE(image.pixel(1120, 732), kWhite); // a line's end point is left out
    QCOMPARE(image.pixel(146, 731), kRed);

    // Marker of row 0: red inside, outlined at its base, nothing outside.
    QCOMPARE(image.pixel(146, 750), kRed);
    QCOMPARE(image.pixel(146, 756), kBlack);
    QCOMPARE(image.pixel(131, 750), kWhite);
    QCOMPARE(image.pixel(161, 750), kWhite);

    // The selection text hangs below y 756 and the scale label below y 360:
    // their points are top-left corners, not baselines.
    const auto firstInk = [&](int x0, int x1, int fromY) {
        int first = -1;
        for (int y = fromY; y < image.height() && first < 0; ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(image.pixel(x, y)) < 128 && image.pixel(x, y) != kRed) {
                    first = y;
                    break;
                }
        return first;
    };
    const int channelInk = firstInk(107, 117, 733);
    QVERIFY2(channelInk >= 756 && channelInk < 756 + lineHeight,
             qPrintable(QString::number(channelInk)));
    const int labelInk = firstInk(53, 75, 0);
    QVERIFY2(labelInk >= 360 && labelInk < 360 + lineHeight,
             qPrintable(QString::number(labelInk)));

    // On a screen of twice the density the axes stay one device pixel thin.
    QImage fine = whiteImage(2 * 1200, 2 * 800);
    fine.setDevicePixelRatio(2);
    QPainter finePainter(&fine);
    chart.Draw(finePainter, {}, QString(), QString(), QString());
    finePainter.end();
    int baseRows = 0;
    int axisColumns = 0;
    for (int y = 2 * 700; y < 2 * 750; ++y)
        baseRows += fine.pixel(2 * 300, y) == kBlack;
    for (int x = 2 * 90; x < 2 * 120; ++x)
        axisColumns += fine.pixel(x, 2 * 500) == kBlack;
    QCOMPARE(baseRows, 1);
    QCOMPARE(axisColumns, 1);
}

void TestChannelChart::markerOutsideTheBarsDrawsNothing()
{
    const ChannelChart chart(kDesign.sx, kDesign.sy);
    for (int row : {-1, 18, 100}) {
        QImage image = whiteImage(200, 200);
        QPainter painter(&image);
        chart.DrawMarker(painter, row);
        painter.end();
        QCOMPARE(image, whiteImage(200, 200));
    }
}

void TestChannelChart::renderedVerdicts_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<int>("level"); // the row the threshold stands at
    QTest::addColumn<int>("x");     // a column of its line left of bar 0
    QTest::addColumn<int>("outline"); // bar 0's left column
    QTest::addColumn<int>("base");
    // -30 dB stands where a -30 dB bar's top does; beyond the axis the
    // line stays on it.
    QTest::newRow("design -30") << kDesign << -30.0 << 490 << 97 << 100 << 610;
    QTest::newRow("design above the top") << kDesign << 40.0 << 290 << 97 << 100 << 610;
    QTest::newRow("design below the base") << kDesign << -75.0 << 610 << 97 << 100 << 610;
    QTest::newRow("1920x1080 -30") << kFullHd << -30.0 << 588 << 130 << 133 << 732;
    QTest::newRow("1920x1080 -12.5") << kFullHd << -12.5 << 504 << 130 << 133 << 732;
}

// Bar 0 fails below its threshold at -45 dB, bar 1 passes, bar 2 fails
// with no power and a threshold that holds no number; the others have the
// threshold given.
void TestChannelChart::renderedVerdicts()
{
    QFETCH(Screen, screen);
    QFETCH(double, threshold);
    QFETCH(int, level);
    QFETCH(int, x);
    QFETCH(int, outline);
    QFETCH(int, base);
    QImage image = whiteImage(1200, 800);
    QPainter painter(&image);
    const ChannelChart chart(screen.sx, screen.sy);
    const QList<ChannelChart::Power> powers{-45.0, -20.0, std::nullopt};
    chart.Draw(painter, powers, QString(), QString(), QString());
    chart.DrawVerdicts(painter, powers, {{threshold, true}, {threshold, false}, {std::nullopt, true}});
    painter.end();

    // Two pixels thick, the level's row the lower; the base line lies
    // below, and a line at the base runs along it.
    const QPair<int, int> line = rowsOf(image.copy(0, 0, image.width(), base), x, kBlack);
    QCOMPARE(line, qMakePair(level - 1, qMin(level, base - 1)));
    const int barLeft = chart.BarEdges(0, 0.0f).left;
    QCOMPARE(barLeft, outline);
    const int top = chart.BarEdges(0, -45.0f).top;
    // The failing bar is outlined from its top to the base line and hatched
    // inside; the passing bar stays red but for the threshold's line.
    const QPair<int, int> edge = rowsOf(image, outline, kBlack);
    QCOMPARE(edge.first, qMin(top, level - 1));
    QCOMPARE(edge.second, base); // down onto the base line
    const int middle0 = (chart.BarEdges(0, 0.0f).left + chart.BarEdges(0, 0.0f).right) / 2;
    int hatched = 0;
    for (int y = top + 2; y < base - 2; ++y)
        hatched += image.pixel(middle0, y) == kBlack && (y < level - 1 || y > level);
    QVERIFY2(hatched > 0, "the failing bar is hatched");
    const int middle1 = (chart.BarEdges(1, 0.0f).left + chart.BarEdges(1, 0.0f).right) / 2;
    for (int y = chart.BarEdges(1, -20.0f).top; y < base; ++y) {
        if (y != level - 1 && y != level)
            QCOMPARE(image.pixel(middle1, y), kRed);
    }
    // Bar 2 has no bar: a stub rises from the base line, and no line.
    const QPair<int, int> stub = rowsOf(image, chart.BarEdges(2, 0.0f).left, kBlack);
    QVERIFY2(stub.second == base && stub.first < base - 2 && stub.first > base - 12,
             qPrintable(QStringLiteral("stub rows %1-%2").arg(stub.first).arg(stub.second)));
}

QTEST_MAIN(TestChannelChart)
#include "tst_channelchart.moc"
