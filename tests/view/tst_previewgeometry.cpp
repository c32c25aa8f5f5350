// Where the print preview puts its sheets: the scale of each zoom step, the
// sheets side by side and centred, the page area zoomed in, and the
// printer's page on a sheet. A sheet of 1000 x 2000 printer pixels at 100
// dpi, printed from 50, 100 on, 900 x 1800; a screen of 96 dpi.

#include "view/PreviewGeometry.h"

#include <QTest>

using Zoom = PreviewGeometry::Zoom;
Q_DECLARE_METATYPE(PreviewGeometry::Zoom)

class TestPreviewGeometry : public QObject
{
    Q_OBJECT
private slots:
    void sheets_data();
    void sheets();
};

void TestPreviewGeometry::sheets_data()
{
    QTest::addColumn<Zoom>("zoom");
    QTest::addColumn<int>("fitted");
    QTest::addColumn<QSize>("viewport");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QSize>("area"); // the page area: the viewport zoomed out
    QTest::addColumn<QRect>("sheet");
    QTest::addColumn<QRect>("printable");

    // Half size fits the height; the sheet is centred across, 12 from the top.
    QTest::newRow("one sheet fitted")
        << PreviewGeometry::ZoomOut << 1 << QSize(1024, 1024) << 0 << QSize(1024, 1024)
        << QRect(262, 12, 500, 1000) << QRect(287, 62, 450, 900);
    // (1024 - 3 gaps) / 2 across: 0.494; the pair is centred both ways.
    QTest::newRow("two sheets fitted, the second")
        << PreviewGeometry::ZoomOut << 2 << QSize(1024, 1024) << 1 << QSize(1024, 1024)
        << QRect(518, 18, 494, 988) << QRect(543, 67, 445, 889);
    // Its size on paper: 96 / 100 of the printer's pixels.
    QTest::newRow("zoomed in")
        << PreviewGeometry::ZoomIn << 2 << QSize(1024, 1024) << 0 << QSize(984, 1944)
        << QRect(12, 12, 960, 1920) << QRect(60, 108, 864, 1728);
    // Half-way between the fit, 0.44, and the size on paper.
    QTest::newRow("middle step")
        << PreviewGeometry::ZoomMiddle << 1 << QSize(1024, 904) << 0 << QSize(724, 1424)
        << QRect(12, 12, 700, 1400) << QRect(47, 82, 630, 1260);
    // A fit bigger than the size on paper stays.
    QTest::newRow("zoomed in, never below the fit")
        << PreviewGeometry::ZoomIn << 1 << QSize(3024, 4024) << 0 << QSize(2024, 4024)
        << QRect(12, 12, 2000, 4000) << QRect(112, 212, 1800, 3600);
    QTest::newRow("middle step, never below the fit")
        << PreviewGeometry::ZoomMiddle << 1 << QSize(3024, 4024) << 0 << QSize(2024, 4024)
        << QRect(12, 12, 2000, 4000) << QRect(112, 212, 1800, 3600);
}

void TestPreviewGeometry::sheets()
{
    QFETCH(Zoom, zoom);
    QFETCH(int, fitted);
    QFETCH(QSize, viewport);
    QFETCH(int, slot);
    QFETCH(QSize, area);
    QFETCH(QRect, sheet);
    QFETCH(QRect, printable);
    const PreviewGeometry geometry(QRect(0, 0, 1000, 2000), QRect(50, 100, 900, 1800), 100);
    const qreal scale = geometry.Scale(zoom, fitted, viewport, 96);
    const QSize shownArea = zoom == PreviewGeometry::ZoomOut ? viewport : geometry.ZoomedArea(scale);
    QCOMPARE(shownArea, area);
    const QRect shownSheet =
        geometry.SheetRect(slot, PreviewGeometry::Shown(zoom, fitted), scale, shownArea);
    QCOMPARE(shownSheet, sheet);
    QCOMPARE(geometry.PrintableRect(shownSheet), printable);
}

QTEST_APPLESS_MAIN(TestPreviewGeometry)
#include "tst_previewgeometry.moc"
