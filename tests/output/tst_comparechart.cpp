// The comparison's panels: each side's bars are shares of its own values,
// so that B with twice A's fibers in the same shape draws B's bars up to
// A's outline, not above it; and a click finds the panel it falls in.

#include "output/CompareChart.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class TestCompareChart : public QObject
{
    Q_OBJECT

private slots:
    void sharesOfEachSide();
    void panelsAtPoints();
};

void TestCompareChart::sharesOfEachSide()
{
    CompareChart::Panel panel;
    panel.channel = "05";
    panel.a.axis = {-20, 1, 4};
    panel.a.counts = {1, 4, 2, 1};
    panel.b = panel.a;
    panel.b.counts = {2, 8, 4, 2};
    panel.countA = 8;
    panel.countB = 16;
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRectF area(0, 0, 400, 300);
    CompareChart::Draw(painter, area, {panel}, -1);
    painter.end();
    // The third bin of four, half the tallest on either side.
    const QRectF rect = CompareChart::PanelRect(area, 1, 0);
    const int x = int(rect.left() + 4 + (rect.width() - 8) * 2.5 / 4);
    const QColor paper = ChartColours::Light().paper;
    int top = -1;
    for (int y = int(rect.top()) + 18; y < int(rect.bottom()); ++y) { // under the title
        if (image.pixelColor(x, y) != paper) {
            top = y;
            break;
        }
    }
    QVERIFY(top > 0);
    // The outline is the first thing met from above; the fill is under it.
    QVERIFY2(image.pixelColor(x, top).lightness() < 100, qPrintable(image.pixelColor(x, top).name()));
    QVERIFY(image.pixelColor(x, top + 4) != paper);
    QVERIFY(image.pixelColor(x, top + 4).lightness() > 100);
}

void TestCompareChart::panelsAtPoints()
{
    const QRectF area(0, 0, 1200, 600);
    for (int i = 0; i < 18; ++i)
        QCOMPARE(CompareChart::PanelAt(area, 18, CompareChart::PanelRect(area, 18, i).center()), i);
    QCOMPARE(CompareChart::PanelAt(area, 18, QPointF(5, 5)), -1); // the legend
    // Six a row: the seventh begins the second row.
    QVERIFY(CompareChart::PanelRect(area, 18, 6).top() > CompareChart::PanelRect(area, 18, 5).bottom());
}

QTEST_MAIN(TestCompareChart)
#include "tst_comparechart.moc"
