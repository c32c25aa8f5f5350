// The form: its size and controls at 1.5 pixels per design unit, the screen
// factors and the list's columns for several screens, a repeated set-up, and
// the bitmap copy of the view's painting.

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/FormGeometry.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QPainter>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

class TestViewLayout : public QObject
{
    Q_OBJECT
private slots:
    void formAndControlsAtTemplatePlaces();
    void scaleFactorsAndColumnWidths_data();
    void scaleFactorsAndColumnWidths();
    void listStyles();
    void repeatedSetUpKeepsSixColumns();
    void drawsTheBitmapWindow_data();
    void drawsTheBitmapWindow();
    void fiberNamesShowWhole_data();
    void fiberNamesShowWhole();
};

namespace {

QTableWidget *listChannels(const QWidget &view)
{
    return view.findChild<QTableWidget *>(QStringLiteral("listChannels"));
}

// The rightmost column of dark (text) pixels in `area` of the widget, away
// from the frame at its edges.
int inkRight(QWidget *widget, const QRect &area)
{
    const QImage image = widget->grab(area).toImage();
    int right = -1;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 0; x < image.width() - 3; ++x)
            if (image.pixelColor(x, y).lightness() < 100)
                right = qMax(right, x);
    return right;
}

} // namespace

void TestViewLayout::formAndControlsAtTemplatePlaces()
{
    CSDIQVLView view;
    QCOMPARE(view.size(), QSize(892, 663));
    QCOMPARE(listChannels(view)->geometry(), QRect(156, 21, 573, 265));
    QCOMPARE(view.findChild<QWidget *>(QStringLiteral("comboFiber"))->geometry(),
             QRect(25, 28, 72, 219));
    QCOMPARE(view.findChild<QWidget *>(QStringLiteral("tabFiles"))->geometry(),
             QRect(0, 0, 886, 22));
}

void TestViewLayout::scaleFactorsAndColumnWidths_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<float>("scaleX");
    QTest::addColumn<float>("scaleY");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("1440x900") << QSize(1440, 900) << 1.0f << 1.0f
                              << QList<int>{80, 100, 80, 85, 100, 90};
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 1.3333334f << 1.2f
                               << QList<int>{106, 133, 106, 113, 133, 120};
    QTest::newRow("1024x768") << QSize(1024, 768) << 0.71111113f << 0.85333335f
                              << QList<int>{56, 71, 56, 60, 71, 64};
}

void TestViewLayout::scaleFactorsAndColumnWidths()
{
    QFETCH(QSize, screen);
    QFETCH(float, scaleX);
    QFETCH(float, scaleY);
    QFETCH(QList<int>, widths);
    CSDIQVLView view;
    view.SetScreenSize(screen);
    view.OnInitialUpdate();
    const FormGeometry geometry(screen);
    QCOMPARE(geometry.ScaleX(), scaleX); // exact, not fuzzy: single precision as designed
    QVERIFY(geometry.ScaleX() == scaleX && geometry.ScaleY() == scaleY);
    QList<int> actual;
    for (int column = 0; column < listChannels(view)->columnCount(); ++column)
        actual.append(listChannels(view)->columnWidth(column));
    QCOMPARE(actual, widths);
}

void TestViewLayout::listStyles()
{
    CSDIQVLView view;
    view.OnInitialUpdate();
    QTableWidget *list = listChannels(view);
    QVERIFY(list->showGrid());
    QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(list->verticalHeader()->isHidden());
    const QStringList headings{"Channel", "WaveLength", "Power", "Threshold", "Date", "Time"};
    for (int column = 0; column < headings.size(); ++column) {
        QTableWidgetItem *item = list->horizontalHeaderItem(column);
        QCOMPARE(item->text(), headings[column]);
        QCOMPARE(item->textAlignment() & Qt::AlignHorizontal_Mask,
                 int(column == 0 ? Qt::AlignLeft : Qt::AlignHCenter));
    }
    QCOMPARE(list->rowCount(), 0);
}

void TestViewLayout::repeatedSetUpKeepsSixColumns()
{
    CSDIQVLView view;
    view.SetScreenSize(QSize(1440, 900));
    view.OnInitialUpdate();
    view.SetScreenSize(QSize(1920, 1080));
    view.OnInitialUpdate();
    QCOMPARE(listChannels(view)->columnCount(), 6);
    QCOMPARE(listChannels(view)->horizontalHeaderItem(5)->text(), QStringLiteral("Time"));
    QCOMPARE(listChannels(view)->columnWidth(0), 106);
}

void TestViewLayout::drawsTheBitmapWindow_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QList<QPoint>>("red");
    // The source window starts inside the 22 x 18 bitmap only on a tiny
    // screen: (16, 11) here, so bitmap pixel (16, 13) lands on (20, 22).
    QTest::newRow("tiny screen") << QSize(300, 200) << QList<QPoint>{{20, 22}, {21, 23}};
    QTest::newRow("design screen") << QSize(1440, 900) << QList<QPoint>{};
}

void TestViewLayout::drawsTheBitmapWindow()
{
    QFETCH(QSize, screen);
    QFETCH(QList<QPoint>, red);
    CSDIQVLView view;
    view.SetScreenSize(screen);
    view.OnInitialUpdate();
    QImage image(200, 200, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.OnDraw(painter);
    }
    int redCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            redCount += image.pixel(x, y) == qRgb(255, 0, 0);
    for (const QPoint &point : red)
        QCOMPARE(image.pixel(point), qRgb(255, 0, 0));
    if (red.isEmpty())
        QCOMPARE(redCount, 0);
    else
        QCOMPARE(image.pixel(20, 20), qRgb(255, 255, 255));
}

void TestViewLayout::fiberNamesShowWhole_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("entries");
    QTest::newRow("widest letters, few entries") << QByteArray("WWWWWWWW") << 3;
    QTest::newRow("digits, a scroll bar") << QByteArray("FIB00001") << 40;
    QTest::newRow("full-width, a scroll bar") << QByteArray("\xb9\xe2\xcf\xcb\xb9\xe2\xcf\xcb") << 40;
}

// An eight-byte name, as wide as the file's column, shows whole in the
// box's edit field and list: drawn in a box made wider it covers the same
// pixels. The scroll bar is there only when the entries overflow.
void TestViewLayout::fiberNamesShowWhole()
{
    QFETCH(QByteArray, name);
    QFETCH(int, entries);
    CSDIQVLView view;
    view.OnInitialUpdate();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto *box = view.findChild<FiberComboBox *>(QStringLiteral("comboFiber"));
    box->AddSorted(QList<QByteArray>(entries, name));
    box->SetWindowText(box->GetLBText(0));
    QListView *list = box->List();
    QTRY_COMPARE(list->verticalScrollBar()->isVisible(), entries > 5);

    const QRect edit(QPoint(0, 0), box->Edit()->size());
    const QRect row = list->visualRect(list->model()->index(0, 0));
    const QImage narrowEdit = box->Edit()->grab(edit).toImage();
    const QImage narrowRow = list->viewport()->grab(row).toImage();
    box->resize(box->width() + 200, box->height());
    const int editRight = inkRight(box->Edit(), edit.adjusted(0, 0, 200, 0));
    const int rowRight = inkRight(list->viewport(), row.adjusted(0, 0, 200, 0));
    QVERIFY(editRight > 0 && rowRight > 0);
    const QRect editText(0, 0, editRight + 1, edit.height());
    const QRect rowText(0, 0, rowRight + 1, row.height());
    QCOMPARE(narrowEdit.copy(editText), box->Edit()->grab(edit).toImage().copy(editText));
    QCOMPARE(narrowRow.copy(rowText), list->viewport()->grab(row).toImage().copy(rowText));
}

QTEST_MAIN(TestViewLayout)
#include "tst_viewlayout.moc"
