// The lot's trend chart: which file a click falls on, and that a chart of
// more files than pixels still shows a single file that stands out.

#include <QtTest>

#include "data/RowTime.h"
#include "output/AxisTicks.h"
#include "output/TrendAxis.h"
#include "output/TrendChart.h"

#include <QImage>
#include <QPainter>

#include <cmath>

class TestTrendChart : public QObject
{
    Q_OBJECT

private slots:
    void fileAt_data();
    void fileAt();
    void denseChartKeepsAPeak();
    void timeTicks_data();
    void timeTicks();
    void valueTicks_data();
    void valueTicks();
    void gapsAndZoom();
};

void TestTrendChart::fileAt_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<int>("file");
    // A plot 400 wide from x = 100, y from 50 to 250: five files stand 100 apart.
    QTest::newRow("on the first") << 5 << QPointF(100, 60) << 0;
    QTest::newRow("just before half way") << 5 << QPointF(249, 60) << 1;
    QTest::newRow("just after half way") << 5 << QPointF(251, 60) << 2;
    QTest::newRow("on the last") << 5 << QPointF(500, 240) << 4;
    QTest::newRow("within half a step left of the first") << 5 << QPointF(51, 100) << 0;
    QTest::newRow("beyond half a step left") << 5 << QPointF(49, 100) << -1;
    QTest::newRow("beyond half a step right") << 5 << QPointF(551, 100) << -1;
    QTest::newRow("above the plot") << 5 << QPointF(300, 49) << -1;
    QTest::newRow("below the plot") << 5 << QPointF(300, 251) << -1;
    QTest::newRow("one file, in the middle") << 1 << QPointF(310, 100) << 0;
    QTest::newRow("no files") << 0 << QPointF(300, 100) << -1;
}

void TestTrendChart::fileAt()
{
    QFETCH(int, count);
    QFETCH(QPointF, point);
    QFETCH(int, file);
    const QRectF plot(100, 50, 400, 200);
    const TrendAxis axis = TrendAxis::ByFile(count);
    QCOMPARE(int(axis.FileAt(plot, point)), file);
    if (file >= 0 && count > 1)
        QCOMPARE(axis.PixelOf(plot, axis.At(file)), 100.0 + 100.0 * file);
}

void TestTrendChart::denseChartKeepsAPeak()
{
    // 10,000 files on a chart some hundreds of pixels wide, all at 0 but one.
    const auto inkAbove = [](bool peak) {
        TrendChart::Panel panel;
        panel.title = QStringLiteral("Margin mean");
        panel.values = QList<double>(10000, 0.0);
        panel.values[4321] = peak ? 10.0 : 0.0;
        panel.values[4322] = NAN; // a file without a value among them
        // The axis spans -1 to 10 either way, so a flat line lies low.
        panel.fail = -1.0;
        panel.warn = 10.0;
        QImage image(600, 300, QImage::Format_RGB32);
        QPainter painter(&image);
        TrendChart::Colours colours = TrendChart::Colours::On(Qt::black, Qt::white);
        colours.warn = colours.fail = Qt::white; // the levels vanish: only values are ink
        TrendChart::Draw(painter, QRectF(image.rect()), {panel}, TrendAxis::ByFile(10000), -1, colours);
        painter.end();
        const QRectF plot = TrendChart::PlotArea(QRectF(image.rect()), 1, QFontMetricsF(painter.font()).height());
        int ink = 0;
        // The upper half of the plot, below its title, inside its frame.
        for (int y = int(plot.top() + plot.height() * 0.15); y < int(plot.center().y()); ++y) {
            for (int x = int(plot.left()) + 2; x < int(plot.right()) - 2; ++x)
                ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
        return ink;
    };
    QCOMPARE(inkAbove(false), 0);
    QVERIFY(inkAbove(true) > 10);
}

// 2018-05-21T00:00:00 in the seconds RowTime counts.
constexpr qint64 kDay21 = 1526860800;

void TestTrendChart::timeTicks_data()
{
    QTest::addColumn<qint64>("from");
    QTest::addColumn<qint64>("to");
    QTest::addColumn<int>("most");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("minutes") << kDay21 + 9 * 3600 + 7 << kDay21 + 9 * 3600 + 4 * 60 + 50 << 6
                             << QStringList{"09:01", "09:02", "09:03", "09:04"};
    QTest::newRow("seconds") << kDay21 + 9 * 3600 << kDay21 + 9 * 3600 + 50 << 4
                             << QStringList{"09:00:00", "09:00:15", "09:00:30", "09:00:45"};
    QTest::newRow("a day from six") << kDay21 + 6 * 3600 << kDay21 + 22 * 3600 + 60 << 6
                                    << QStringList{"06:00", "09:00", "12:00", "15:00", "18:00", "21:00"};
    QTest::newRow("over midnight") << kDay21 + 18 * 3600 + 5 << kDay21 + 30 * 3600 << 4
                                   << QStringList{"21:00", "05-22", "03:00", "06:00"};
    QTest::newRow("a month") << kDay21 - 20 * 86400 << kDay21 + 10 * 86400 << 6
                             << QStringList{"05-07", "05-14", "05-21", "05-28"};
    QTest::newRow("a year") << kDay21 - 140 * 86400 << kDay21 + 200 * 86400 << 5
                            << QStringList{"2018-01", "2018-04", "2018-07", "2018-10"};
}

void TestTrendChart::timeTicks()
{
    QFETCH(qint64, from);
    QFETCH(qint64, to);
    QFETCH(int, most);
    QFETCH(QStringList, labels);
    QStringList got;
    for (const AxisTicks::Tick &tick : AxisTicks::Times(from, to, most)) {
        QVERIFY(tick.at >= double(from) && tick.at <= double(to));
        got.append(tick.label);
    }
    QCOMPARE(got, labels);
}

void TestTrendChart::valueTicks_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("most");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("margins") << 13.27 << 17.9 << 6 << QStringList{"14", "15", "16", "17"};
    QTest::newRow("yield near 100") << 97.3 << 100.4 << 5 << QStringList{"98", "99", "100"};
    QTest::newRow("across zero") << -0.26 << 0.41 << 5 << QStringList{"-0.2", "0.0", "0.2", "0.4"};
    QTest::newRow("a flat range") << 1.0 << 1.0 << 5 << QStringList{};
}

void TestTrendChart::valueTicks()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, most);
    QFETCH(QStringList, labels);
    QStringList got;
    for (const AxisTicks::Tick &tick : AxisTicks::Values(low, high, most))
        got.append(tick.label);
    QCOMPARE(got, labels);
}

// Files placed by time: a stop of the line is a gap, files without a time
// are not placed, equal times share a place; a zoom keeps within the files.
void TestTrendChart::gapsAndZoom()
{
    const qint64 t = kDay21 + 6 * 3600;
    const TrendAxis axis = TrendAxis::ByTime({t, t + 300, t + 600, t + 600, t + 900, t + 5 * 3600, t + 5 * 3600 + 300,
                                              RowTime::None});
    QCOMPARE(axis.GapBefore(5), true);
    for (const qsizetype file : {1, 2, 3, 4, 6, 7})
        QCOMPARE(axis.GapBefore(file), false);
    QVERIFY(!axis.Placed(7));
    QCOMPARE(axis.At(2), axis.At(3));
    const QRectF plot(0, 0, 1000, 100);
    // The line stopped for four hours: the file after the stop stands far right.
    QVERIFY(axis.PixelOf(plot, axis.At(5)) > 900);
    QCOMPARE(axis.FileAt(plot, QPointF(axis.PixelOf(plot, axis.At(5)) - 5, 50)), 5);
    QCOMPARE(axis.FileAt(plot, QPointF(600, 50)), -1);

    TrendAxis zoomed = axis;
    zoomed.Show(t - 10000, t + 1200); // before the first file: held at it
    QCOMPARE(zoomed.From(), double(t));
    QCOMPARE(zoomed.To(), double(t + 11200));
    zoomed.ZoomAt(t, 0.001); // never narrower than a minute
    QCOMPARE(zoomed.To() - zoomed.From(), 60.0);
    QVERIFY(zoomed.Zoomed());
    zoomed.Reset();
    QCOMPARE(zoomed.From(), double(t));
    QCOMPARE(zoomed.To(), double(t + 5 * 3600 + 300));
}

QTEST_MAIN(TestTrendChart)
#include "tst_trendchart.moc"
