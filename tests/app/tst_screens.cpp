// The window on each screen of offscreen-screens.json, as a user sees it
// there: within the screen's room, the form scrolling where it must, the
// list's columns whole, the chart's bars where the screen's factors put
// them and every framed control with its four frame lines.

#include "OffscreenScreens.h"
#include "view/ViewTestSupport.h"

#include "app/CMainFrame.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using namespace ViewTestSupport;

class TestScreens : public QObject
{
    Q_OBJECT
private slots:
    void everyScreen_data();
    void everyScreen();
};

void TestScreens::everyScreen_data()
{
    // Named after the screens of offscreen-screens.json.
    QTest::addColumn<bool>("scrolls"); // the form inside the window
    QTest::addColumn<double>("cx");    // where to look for the bars
    QTest::addColumn<QList<int>>("tops"); // of bars 0-6, -1 for none; then the base line

    // Bars of +15, 0, -30, -60 dB, Low, +25 dB and a blank: tops at
    // trunc(cy*610 - 4*cy*(P+60)) with cy = max(1, sy), +25 dB cut at the
    // axis top trunc(cy*610 - cy*320), the base line at trunc(cy*610).
    const QList<int> design{310, 370, 490, -1, -1, 290, -1, 610};
    const QList<int> fullHd{372, 444, 588, -1, -1, 348, -1, 732};
    QTest::newRow("1024x768") << false << 1.0 << design;
    QTest::newRow("1366x768") << false << 1.0 << design;
    QTest::newRow("1440x900") << false << 1.0 << design;
    QTest::newRow("1920x1080") << false << 1.333 << fullHd;
    QTest::newRow("1920x1080 at 150 %") << true << 1.0 << design;
    QTest::newRow("2560x1440") << false << 1.778 << QList<int>{496, 592, 784, -1, -1, 464, -1, 976};
    QTest::newRow("3840x2160") << false << 2.667 << QList<int>{744, 888, 1176, -1, -1, 696, -1, 1464};
    QTest::newRow("3840x2160 at 200 %") << false << 1.333 << fullHd;
}

void TestScreens::everyScreen()
{
    QFETCH(bool, scrolls);
    QFETCH(double, cx);
    QFETCH(QList<int>, tops);
    QScreen *where = nullptr;
    for (QScreen *screen : QGuiApplication::screens())
        where = screen->name() == QLatin1String(QTest::currentDataTag()) ? screen : where;
    if (!where)
        QSKIP("no such screen on this platform");
    const qreal ratio = where->devicePixelRatio();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.fib"));
    QVERIFY(TestSupport::writeFile(path, resultFile({})
                                             + fiberWithPowers("F1", {"+15.00", "0.00", "-30.00",
                                                                      "-60.00", "-120.00", "+25.00",
                                                                      ""})));
    ScriptedDialogs dialogs;
    CMainFrame frame;
    auto *view = new CSDIQVLView; // the frame's from now on
    view->SetFileDialogs(&dialogs);
    frame.SetView(view);
    frame.setScreen(where);
    frame.move(where->availableGeometry().topLeft());
    view->SetScreenSize(where->geometry().size());
    view->OnInitialUpdate();
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(readAndWait(view, [&] { view->OpenFiles({path}); }));
    chooseFiber(view, 0);

    // The window within the screen's room, the form scrolling where it must.
    QTRY_VERIFY(where->availableGeometry().contains(frame.frameGeometry()));
    auto *area = qobject_cast<QScrollArea *>(frame.centralWidget());
    QTRY_COMPARE(area->verticalScrollBar()->isVisible(), scrolls);
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    // The list's columns whole beside the scroll bar of its 18 rows.
    QTableWidget *list = listChannels(view);
    QTRY_VERIFY(list->verticalScrollBar()->isVisible());
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    // Nothing of the chart under the controls: the axis top is its highest pixel.
    for (const char *name : {"tabFiles", "comboFiber", "listChannels"})
        QVERIFY2(view->findChild<QWidget *>(name)->geometry().bottom() < tops.at(5), name);

    // Each bar's red rows in the middle of the bar, in device pixels.
    const QImage image = view->grab().toImage();
    const int base = int(tops.last() * ratio);
    for (int bar = 0; bar < 7; ++bar) {
        QPair<int, int> red(-1, -1);
        for (int y = 0; y < base; ++y)
            if (isRed(image, int((110 + 40 * bar) * cx * ratio), y))
                red = qMakePair(red.first < 0 ? y : red.first, y);
        QCOMPARE(red, tops.at(bar) < 0 ? qMakePair(-1, -1)
                                       : qMakePair(int(tops.at(bar) * ratio), base - 1));
    }

    // Every framed control keeps its four frame lines.
    const QImage window = frame.grab().toImage();
    const int background = qGray(frame.palette().color(QPalette::Window).rgb());
    for (QWidget *control : QList<QWidget *>{comboFiber(view)->Edit(), comboFiber(view)->List(),
                                             list}) {
        const QRect r(control->mapTo(&frame, QPoint()), control->size());
        for (const QPoint line : {QPoint(r.left(), r.center().y()), QPoint(r.right(), r.center().y()),
                                  QPoint(r.center().x(), r.top()), QPoint(r.center().x(), r.bottom())})
            QVERIFY(qGray(window.pixel((QPointF(line) * ratio).toPoint())) < background - 24);
    }
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
