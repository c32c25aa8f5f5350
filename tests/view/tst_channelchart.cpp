// The channel chart and the selection marker: geometry to the pixel at three
// screen sizes, what is drawn where (recorded), and the rendered pixels.

#include "view/ChannelChart.h"

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

QImage renderChart(const Screen &screen, const QStringList &powers, int markerRow = -1,
                   int width = 1024, int height = 768)
{
    QImage image = whiteImage(width, height);
    QPainter painter(&image);
    const ChannelChart chart(screen.sx, screen.sy);
    chart.Draw(painter, powers, QString(), QString(), QString());
    chart.DrawMarker(painter, markerRow);
    return image;
}

QStringList repeated(const QString &power, int count = ChannelChart::BarCount)
{
    return QStringList(count, power);
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
    void marker_data();
    void marker();
    void powerValue_data();
    void powerValue();
    void fillArea_data();
    void fillArea();
    void recordedDrawing();
    void renderedBars_data();
    void renderedBars();
    void renderedAxesTextAndMarker();
    void markerOutsideTheBarsDrawsNothing();
};

void TestChannelChart::barsAndAxes_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("topAt0dB");
    QTest::addColumn<int>("topAtPlus15");
    QTest::addColumn<int>("topAtMinus60");
    QTest::addColumn<int>("topOfLow");
    QTest::addColumn<Span>("bar0");
    QTest::addColumn<Span>("bar17");
    QTest::addColumn<QLine>("verticalAxis");
    QTest::addColumn<QLine>("baseLine");

    QTest::newRow("1440x900") << kDesign << 610 << 370 << 310 << 610 << 610
                              << qMakePair(100, 120) << qMakePair(780, 800)
                              << QLine(80, 290, 80, 610) << QLine(80, 610, 840, 610);
    QTest::newRow("1920x1080") << kFullHd << 732 << 444 << 384 << 684 << 732
                               << qMakePair(133, 160) << qMakePair(1040, 1066)
                               << QLine(106, 348, 106, 732) << QLine(106, 732, 1120, 732);
    QTest::newRow("1024x768") << kSmall << 520 << 315 << 255 << 555 << 520
                              << qMakePair(71, 85) << qMakePair(554, 568)
                              << QLine(56, 247, 56, 520) << QLine(56, 520, 597, 520);
}

void TestChannelChart::barsAndAxes()
{
    QFETCH(Screen, screen);
    QFETCH(int, bottom);
    const ChannelChart chart(screen.sx, screen.sy);

    const auto topOf = [&](const QString &text) {
        return chart.BarEdges(5, chart.PowerValue(text)).top;
    };
    QCOMPARE(chart.BarEdges(5, 0.0f).bottom, bottom);
    QCOMPARE(chart.BarEdges(5, -60.0f).bottom, bottom);
    QTEST(topOf(QStringLiteral("0")), "topAt0dB");
    QTEST(topOf(QString()), "topAt0dB");
    QTEST(topOf(QStringLiteral("not a number")), "topAt0dB");
    QTEST(topOf(QStringLiteral("+15.0")), "topAtPlus15");
    QTEST(topOf(QStringLiteral("-60")), "topAtMinus60");
    QTEST(topOf(QStringLiteral("Low")), "topOfLow");

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
    QTest::addColumn<QList<int>>("labelY");
    QTest::addColumn<QList<QPoint>>("selection");

    QTest::newRow("1440x900") << kDesign << 40 << QList<int>{300, 360, 420, 480, 540, 600}
                              << QList<QPoint>{{80, 630}, {280, 630}, {580, 630}};
    QTest::newRow("1920x1080") << kFullHd << 53 << QList<int>{360, 432, 504, 576, 648, 720}
                               << QList<QPoint>{{106, 756}, {373, 756}, {773, 756}};
    QTest::newRow("1024x768") << kSmall << 28 << QList<int>{256, 307, 358, 409, 460, 512}
                              << QList<QPoint>{{56, 537}, {199, 537}, {412, 537}};
}

void TestChannelChart::labelsAndSelectionLine()
{
    QFETCH(Screen, screen);
    QFETCH(int, labelX);
    QFETCH(QList<int>, labelY);
    QFETCH(QList<QPoint>, selection);
    const ChannelChart chart(screen.sx, screen.sy);

    for (int label = 0; label < ChannelChart::ScaleLabelCount; ++label)
        QCOMPARE(chart.ScaleLabelPoint(label), QPoint(labelX, labelY.at(label)));
    QCOMPARE(chart.ChannelPoint(), selection.at(0));
    QCOMPARE(chart.WaveLengthPoint(), selection.at(1));
    QCOMPARE(chart.PowerPoint(), selection.at(2));
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
    QTest::newRow("1024x768 row 0") << kSmall << 0 << QPolygon({{71, 537}, {85, 537}, {78, 520}});
    QTest::newRow("1024x768 row 17") << kSmall << 17
                                     << QPolygon({{554, 537}, {568, 537}, {561, 520}});
    QTest::newRow("row 18") << kDesign << 18 << QPolygon();
    QTest::newRow("row -1") << kDesign << -1 << QPolygon();
}

void TestChannelChart::marker()
{
    QFETCH(Screen, screen);
    QFETCH(int, row);
    QTEST(ChannelChart(screen.sx, screen.sy).MarkerPolygon(row), "triangle");
}

void TestChannelChart::powerValue_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");

    QTest::newRow("number") << kDesign << "-12.34" << -12.34f;
    QTest::newRow("padded") << kDesign << "  -7.50" << -7.5f;
    QTest::newRow("with unit") << kDesign << "3.5dBm" << 3.5f;
    QTest::newRow("empty") << kDesign << "" << 0.0f;
    QTest::newRow("no number") << kDesign << "n/a" << 0.0f;
    QTest::newRow("Low") << kDesign << "Low" << -60.0f;
    QTest::newRow("Low scaled") << kSmall << "Low" << float(-60.0 * double(kSmall.sy));
    QTest::newRow("low is not Low") << kDesign << "low" << 0.0f;
    QTest::newRow("Low with blank") << kDesign << "Low " << 0.0f;
    QTest::newRow("overflow") << kDesign << "1e999" << float(ChannelChart::PowerLimit);
    QTest::newRow("negative overflow") << kDesign << "-1e999" << float(-ChannelChart::PowerLimit);
    QTest::newRow("beyond float") << kDesign << "1e39" << float(ChannelChart::PowerLimit);
    QTest::newRow("just inside the limit") << kDesign << "-999999" << -999999.0f;
}

void TestChannelChart::powerValue()
{
    QFETCH(Screen, screen);
    QFETCH(QString, text);
    QTEST(ChannelChart(screen.sx, screen.sy).PowerValue(text), "value");
}

void TestChannelChart::fillArea_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QRect>("area");

    QTest::newRow("0 dB, right and bottom excluded")
        << kSmall << "0" << QRect(QPoint(71, 315), QPoint(84, 519));
    QTest::newRow("Low has no height") << kSmall << "Low" << QRect(71, 520, 14, 0);
    QTest::newRow("-60 dB on 1440x900 has no height") << kDesign << "-60" << QRect(100, 610, 20, 0);
    // A top below the base line: no height, nothing hangs under it.
    QTest::newRow("-60 dB on 1024x768 has no height") << kSmall << "-60" << QRect(71, 520, 14, 0);
    QTest::newRow("1e999 runs up by the limit")
        << kDesign << "1e999" << QRect(QPoint(100, 610 - 4000240), QPoint(119, 609));
    QTest::newRow("-1e999 has no height") << kDesign << "-1e999" << QRect(100, 610, 20, 0);
}

void TestChannelChart::fillArea()
{
    QFETCH(Screen, screen);
    QFETCH(QString, power);
    const ChannelChart chart(screen.sx, screen.sy);
    QTEST(ChannelChart::FillArea(chart.BarEdges(0, chart.PowerValue(power))), "area");
}

void TestChannelChart::recordedDrawing()
{
    // At the design's screen every place is a literal of the drawing's layout.
    const ChannelChart chart(kDesign.sx, kDesign.sy);
    RecordingDevice device;
    QPainter painter(&device);
    const QStringList powers{QStringLiteral("-12.34"), QStringLiteral("Low"),
                             QStringLiteral("+15.00")};
    chart.Draw(painter, powers, QStringLiteral("03"), QStringLiteral("1311.0"),
               QStringLiteral("Low"));
    chart.DrawMarker(painter, 2);
    const int ascent = painter.fontMetrics().ascent();
    painter.end();
    const RecordingEngine &engine = device.engine();

    // 18 red bars; the rows past the three given ones stand at 0 dB.
    QCOMPARE(engine.fills.size(), ChannelChart::BarCount);
    for (const RecordingEngine::Fill &fill : engine.fills)
        QCOMPARE(fill.color, QColor(255, 0, 0));
    QCOMPARE(engine.fills.at(0).rect, QRectF(100, 419, 20, 191));
    QCOMPARE(engine.fills.at(1).rect.height(), 0.0);
    QCOMPARE(engine.fills.at(2).rect, QRectF(180, 310, 20, 300));
    QCOMPARE(engine.fills.at(17).rect, QRectF(780, 370, 20, 240));

    QCOMPARE(engine.lines, QList<QLineF>({QLineF(80, 290, 80, 610), QLineF(80, 610, 840, 610)}));

    struct Expected
    {
        QPointF topLeft;
        QString text;
    };
    const QList<Expected> expected{
        {{40, 300}, QStringLiteral("+15.0")},  {{40, 360}, QStringLiteral(" 0.0")},
        {{40, 420}, QStringLiteral("-15.0")},  {{40, 480}, QStringLiteral("-30.0")},
        {{40, 540}, QStringLiteral("-45.0")},  {{40, 600}, QStringLiteral("-60.0")},
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
        QCOMPARE(text.color, QColor(Qt::black));
    }

    QCOMPARE(engine.polygons.size(), 1);
    const RecordingEngine::Polygon &marker = engine.polygons.first();
    QCOMPARE(marker.points, QPolygonF({QPointF(180, 630), QPointF(200, 630), QPointF(190, 610)}));
    QCOMPARE(marker.brush, QColor(255, 0, 0));
    QCOMPARE(marker.pen.color(), QColor(Qt::black));
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

    QTest::newRow("1024x768 0 dB") << kSmall << "0" << 71 << 84 << 315 << 519;
    QTest::newRow("1024x768 +15 dB") << kSmall << "15" << 71 << 84 << 255 << 519;
    QTest::newRow("1024x768 Low") << kSmall << "Low" << 71 << 84 << -1 << -1;
    QTest::newRow("1024x768 -60 dB") << kSmall << "-60" << 71 << 84 << -1 << -1;
    QTest::newRow("1440x900 -60 dB") << kDesign << "-60" << 100 << 119 << -1 << -1;
    QTest::newRow("1440x900 -99.9 after a blank") << kDesign << " -99.9" << 100 << 119 << -1 << -1;
    QTest::newRow("1440x900 +30 dB above the axis") << kDesign << "30" << 100 << 119 << 250 << 609;
    QTest::newRow("1440x900 1e999") << kDesign << "1e999" << 100 << 119 << 0 << 609;
    QTest::newRow("1440x900 1e39") << kDesign << "1e39" << 100 << 119 << 0 << 609;
    QTest::newRow("1440x900 -1e999") << kDesign << "-1e999" << 100 << 119 << -1 << -1;
}

void TestChannelChart::renderedBars()
{
    QFETCH(Screen, screen);
    QFETCH(QString, power);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, top);
    QFETCH(int, bottom);

    const QImage image = renderChart(screen, repeated(power));
    const QPair<int, int> rows = top < 0 ? qMakePair(-1, -1) : qMakePair(top, bottom);
    QCOMPARE(rowsOf(image, left, kRed), rows);
    QCOMPARE(rowsOf(image, right, kRed), rows);
    QCOMPARE(rowsOf(image, left - 1, kRed), qMakePair(-1, -1));
    QCOMPARE(rowsOf(image, right + 1, kRed), qMakePair(-1, -1));
    // Bar 17 the same as bar 0: every bar is drawn, in one red.
    const int bar17 = ChannelChart(screen.sx, screen.sy).BarEdges(17, 0.0f).left;
    QCOMPARE(rowsOf(image, bar17, kRed), rows);
}

void TestChannelChart::renderedAxesTextAndMarker()
{
    QImage image = whiteImage(1024, 768);
    QPainter painter(&image);
    const ChannelChart chart(kSmall.sx, kSmall.sy);
    chart.Draw(painter, {}, QStringLiteral("01"), QStringLiteral("1271.0"),
               QStringLiteral("-3.21"));
    chart.DrawMarker(painter, 0);
    const int lineHeight = painter.fontMetrics().height();
    painter.end();

    // Axes: x 56 from y 247, y 520 from x 56, drawn over the bars.
    QCOMPARE(image.pixel(56, 246), kWhite);
    QCOMPARE(image.pixel(56, 247), kBlack);
    QCOMPARE(image.pixel(56, 400), kBlack);
    QCOMPARE(image.pixel(55, 520), kWhite);
    QCOMPARE(image.pixel(56, 520), kBlack);
    QCOMPARE(image.pixel(78, 520), kBlack);
    QCOMPARE(image.pixel(596, 520), kBlack);
    QCOMPARE(image.pixel(597, 520), kWhite); // a line's end point is left out
    QCOMPARE(image.pixel(78, 519), kRed);

    // Marker of row 0: red inside, outlined at its base, nothing outside.
    QCOMPARE(image.pixel(78, 532), kRed);
    QCOMPARE(image.pixel(78, 537), kBlack);
    QCOMPARE(image.pixel(70, 532), kWhite);
    QCOMPARE(image.pixel(86, 532), kWhite);

    // The selection text hangs below y 537 and the scale label below y 256:
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
    const int channelInk = firstInk(57, 67, 521);
    QVERIFY2(channelInk >= 537 && channelInk < 537 + lineHeight,
             qPrintable(QString::number(channelInk)));
    const int labelInk = firstInk(28, 50, 0);
    QVERIFY2(labelInk >= 256 && labelInk < 256 + lineHeight,
             qPrintable(QString::number(labelInk)));

    // On a screen of twice the density the axes stay one device pixel thin.
    QImage fine = whiteImage(2 * 1024, 2 * 768);
    fine.setDevicePixelRatio(2);
    QPainter finePainter(&fine);
    chart.Draw(finePainter, {}, QString(), QString(), QString());
    finePainter.end();
    int baseRows = 0;
    int axisColumns = 0;
    for (int y = 2 * 500; y < 2 * 540; ++y)
        baseRows += fine.pixel(2 * 300, y) == kBlack;
    for (int x = 2 * 40; x < 2 * 70; ++x)
        axisColumns += fine.pixel(x, 2 * 400) == kBlack;
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

QTEST_MAIN(TestChannelChart)
#include "tst_channelchart.moc"
