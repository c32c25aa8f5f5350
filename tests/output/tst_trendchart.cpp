// The lot's trend chart: which file a click falls on, and that a chart of
// more files than pixels still shows a single file that stands out.

#include <QtTest>

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
    QCOMPARE(int(TrendChart::FileAt(plot, count, point)), file);
    if (file >= 0 && count > 1)
        QCOMPARE(TrendChart::XOf(plot, count, file), 100.0 + 100.0 * file);
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
        TrendChart::Draw(painter, QRectF(image.rect()), {panel}, -1, QString(), QString(), colours);
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

QTEST_MAIN(TestTrendChart)
#include "tst_trendchart.moc"
