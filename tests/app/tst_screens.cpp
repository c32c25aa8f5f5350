// The window on each screen of offscreen-screens.json, as a user sees it
// there: within the screen's room, the form scrolling where it must, the
// list's columns whole, the chart's bars where the screen's factors put
// them and every framed control with its four frame lines.

#include "OffscreenScreens.h"
#include "view/ViewTestSupport.h"

#include "app/CMainFrame.h"
#include "document/DocumentManager.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScopeGuard>
#include <QLabel>
#include <QDir>
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
    void cellsWholeOnASmallScreenAt125();
    void aLotFillsTheWindow_data();
    void aLotFillsTheWindow();
};

namespace {

// Dark, and bigger text with more room around it than the design's.
const char kStyleSheet[] = "QWidget { background-color: #1e1e1e; color: #e8e8e8; }"
                           "QTableView, QHeaderView { font-size: 17px; }"
                           "QHeaderView::section { padding: 2px 12px; }";

} // namespace

void TestScreens::everyScreen_data()
{
    // Named after the screens of offscreen-screens.json.
    QTest::addColumn<bool>("styled");
    QTest::addColumn<bool>("scrolls");     // the form inside the window
    QTest::addColumn<bool>("listScrolls"); // the list, to show all 18 rows
    QTest::addColumn<double>("cx");        // where to look for the bars
    // Of bars 0-6, -1 for none; then the base line. Empty for a chart
    // lowered to fit: its bars are read against its own ticks.
    QTest::addColumn<QList<int>>("tops");

    // Bars of +15, 0, -30, -60 dB, Low, +25 dB and a blank: tops at
    // trunc(cy*610 - 4*cy*(P+60)) with cy = max(1, sy), +25 dB cut at the
    // axis top trunc(cy*610 - cy*320), the base line at trunc(cy*610); all
    // of it moved down as far as a list grown for 18 rows needs.
    const QList<int> design{310, 370, 490, -1, -1, 290, -1, 610};
    const QList<int> fullHd{372, 444, 588, -1, -1, 348, -1, 732};
    const QList<int> wqhd{496, 592, 784, -1, -1, 464, -1, 976};
    const QList<int> uhd{744, 888, 1176, -1, -1, 696, -1, 1464};
    const QList<int> lowered;
    for (const bool styled : {false, true}) {
        const auto row = [styled](const char *screen) {
            return &(QTest::addRow("%s%s", screen, styled ? ", style sheet" : "") << styled);
        };
        // Where the screen is not high enough for the list's 18 rows and the
        // whole chart, the chart is lowered; where even that is too much,
        // the list keeps the rows there is room for and scrolls.
        *row("1024x768") << false << styled << 1.0 << lowered;
        *row("1366x768") << false << styled << 1.0 << lowered;
        *row("1440x900") << false << false << 1.0 << (styled ? lowered : design);
        *row("1920x1080") << false << false << 1.333 << fullHd;
        *row("1920x1080 at 150 %") << false << styled << 1.0 << lowered;
        *row("2560x1440") << false << false << 1.778 << wqhd;
        *row("3840x2160") << false << false << 2.667 << uhd;
        *row("3840x2160 at 200 %") << false << false << 1.333 << fullHd;
        // What 120-dpi fonts make of a 1366 x 768 screen on X11: a scale of
        // 125 %. All 18 rows and the whole chart in view.
        *row("1366x768 at 125 %") << false << styled << 1.0 << lowered;
    }
}

namespace {

// The window's form on `screen`, as the program shows it there.
CSDIQVLView *showOn(QScreen *screen, CMainFrame &frame, ScriptedDialogs &dialogs)
{
    auto *view = new CSDIQVLView; // the frame's from now on
    view->SetFileDialogs(&dialogs);
    frame.SetView(view);
    frame.setScreen(screen);
    frame.move(screen->availableGeometry().topLeft());
    view->SetScreenSize(screen->geometry().size());
    view->OnInitialUpdate();
    frame.show();
    return view;
}

// The rows below `top`, in device pixels, where column `x` of `image` (the
// view's, background `background`) holds ink, top to bottom: under the
// list, the chart's ticks or its axis.
QList<int> inkRows(const QImage &image, int x, int top, QRgb background)
{
    QList<int> rows;
    for (int y = top + 1; y < image.height(); ++y)
        if (qAbs(qGray(image.pixel(x, y)) - qGray(background)) > 60)
            rows.append(y);
    return rows;
}

// A cell of the list whose text does not fit between its margins as the
// screen draws it, or nothing. At a fractional ratio the glyphs are drawn
// on whole device pixels, as wide as the list's font at the device's size
// makes them.
QString cutCell(const QTableWidget *list, qreal ratio)
{
    if (list->font().pixelSize() <= 0 || ratio == std::floor(ratio))
        return QString();
    QFont device = list->font();
    device.setPixelSize(qRound(list->font().pixelSize() * ratio));
    device.setHintingPreference(QFont::PreferFullHinting); // as X11 draws it
    const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    for (int row = 0; row < list->rowCount(); ++row) {
        for (int column = 0; column < 6; ++column) {
            const QString text = list->item(row, column)->text();
            const qreal drawn = QFontMetricsF(device).horizontalAdvance(text) / ratio;
            if (list->columnWidth(column) - margins < drawn)
                return QStringLiteral("%1: %2 in %3").arg(text).arg(drawn).arg(list->columnWidth(column));
        }
    }
    return QString();
}

} // namespace

void TestScreens::everyScreen()
{
    QFETCH(bool, styled);
    QFETCH(bool, scrolls);
    QFETCH(bool, listScrolls);
    QFETCH(double, cx);
    QFETCH(QList<int>, tops);
    QScreen *where = nullptr;
    const QString name = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(','), 0, 0);
    for (QScreen *screen : QGuiApplication::screens())
        where = screen->name() == name ? screen : where;
    if (!where)
        QSKIP("no such screen on this platform");
    qApp->setStyleSheet(styled ? QString::fromLatin1(kStyleSheet) : QString());
    const qreal ratio = where->devicePixelRatio();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.fib"));
    QVERIFY(TestSupport::writeFile(path, resultFile({})
                                             + fiberWithPowers("F1", {"+15.00", "0.00", "-30.00",
                                                                      "-60.00", "-120.00", "+25.00",
                                                                      ""})));
    ScriptedDialogs dialogs;
    CMainFrame frame;
    CSDIQVLView *view = showOn(where, frame, dialogs);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(readAndWait(view, [&] { view->OpenFiles({path}); }));
    chooseFiber(view, 0);

    // The window within the screen's room, the form scrolling where it must.
    QTRY_VERIFY(where->availableGeometry().contains(frame.frameGeometry()));
    auto *area = qobject_cast<QScrollArea *>(frame.centralWidget());
    QTRY_COMPARE(area->verticalScrollBar()->isVisible(), scrolls);
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    // The list's six columns whole, each as wide as its heading and its
    // widest cell need in the list's own font; its 18 rows whole where the
    // screen has room for them.
    QTableWidget *list = listChannels(view);
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    QTRY_COMPARE(list->verticalScrollBar()->maximum() > 0, listScrolls);
    int columns = 0;
    for (int column = 0; column < 6; ++column) {
        columns += list->columnWidth(column);
        const QString heading = list->horizontalHeaderItem(column)->text();
        QVERIFY2(list->columnWidth(column) >= list->horizontalHeader()->fontMetrics().horizontalAdvance(heading),
                 qPrintable(heading));
        QVERIFY(list->columnWidth(column) > list->fontMetrics().horizontalAdvance(list->item(0, column)->text()));
    }
    QVERIFY(columns <= list->viewport()->width());
    // No cell elided: each column as wide as the style in effect draws its
    // widest cell, and the fiber box as wide as its names.
    for (int column = 0; column < 6; ++column)
        QVERIFY2(list->columnWidth(column) >= static_cast<QAbstractItemView *>(list)->sizeHintForColumn(column),
                 qPrintable(QString::number(column)));
    const QString cut = cutCell(list, ratio);
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
    QListView *names = comboFiber(view)->List();
    QVERIFY(names->viewport()->width() >= names->sizeHintForColumn(0));
    if (!listScrolls)
        QVERIFY(list->visualItemRect(list->item(17, 0)).bottom() <= list->viewport()->height());

    // Each bar's red rows in the middle of the bar, in device pixels, on
    // the scale of the screen, below the list.
    const QImage image = view->grab().toImage();
    const auto redRows = [&](int bar, int below) {
        QPair<int, int> red(-1, -1);
        for (int y = 0; y < below; ++y)
            if (isRed(image, int((110 + 40 * bar) * cx * ratio), y))
                red = qMakePair(red.first < 0 ? y : red.first, y);
        return red;
    };
    if (tops.isEmpty()) {
        // A chart lowered to fit: all of it in view, its axis at least 200
        // pixels of the screen long, and each bar's top at the level of the
        // tick of its power, as the labels name them.
        const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
        const int listBottom = int((listChannels(view)->geometry().bottom() + 1) * ratio);
        const QList<int> axis = inkRows(image, int(80 * cx * ratio), listBottom, background);
        const QList<int> ticks = inkRows(image, int(78 * cx * ratio), listBottom, background);
        QVERIFY(!axis.isEmpty() && ticks.size() >= 6);
        const int base = baseLineRow(view) * ratio;
        QVERIFY2(base - axis.first() >= 200, qPrintable(QString::number(base - axis.first())));
        QVERIFY(area->viewport()->rect().contains(QRect(view->mapTo(area->viewport(), QPoint(0, 0)),
                                                        QSize(1, (base + 1) / ratio))));
        // A line one pixel thick at a fractional scale covers two rows of
        // device pixels, the first of which may lie above the fill's top.
        const int slack = qFuzzyCompare(ratio, qRound(ratio)) ? 0 : 1;
        const auto topAt = [&](int bar, int level) {
            const QPair<int, int> red = redRows(bar, base);
            QCOMPARE(red.second, base - 1);
            QVERIFY2(red.first >= level && red.first <= level + slack,
                     qPrintable(QStringLiteral("bar %1 from %2, its level %3").arg(bar).arg(red.first).arg(level)));
        };
        topAt(0, ticks.at(ticks.size() - 6)); // +15.0
        topAt(1, ticks.at(ticks.size() - 5)); // 0.0
        topAt(2, ticks.at(ticks.size() - 3)); // -30.0
        topAt(5, axis.first());               // cut at the top
        for (int bar : {3, 4, 6})
            QCOMPARE(redRows(bar, base), qMakePair(-1, -1));
    } else {
        const int shift = int((baseLineRow(view) - tops.last()) * ratio);
        QVERIFY(shift >= 0);
        for (const char *control : {"tabFiles", "comboFiber", "listChannels"})
            QVERIFY2(view->findChild<QWidget *>(control)->geometry().bottom() * ratio
                         < tops.at(5) * ratio + shift,
                     control);
        const int base = int(tops.last() * ratio) + shift;
        for (int bar = 0; bar < 7; ++bar)
            QCOMPARE(redRows(bar, base), tops.at(bar) < 0 ? qMakePair(-1, -1)
                                                         : qMakePair(int(tops.at(bar) * ratio) + shift, base - 1));
    }

    // Every framed control keeps its four frame lines, where no style sheet
    // draws them its own way.
    if (styled) {
        qApp->setStyleSheet(QString());
        return;
    }
    const QImage window = frame.grab().toImage();
    const int background = qGray(frame.palette().color(QPalette::Window).rgb());
    for (QWidget *control : QList<QWidget *>{comboFiber(view)->Edit(), comboFiber(view)->List(),
                                             list}) {
        const QRect r(control->mapTo(&frame, QPoint()), control->size());
        for (const QPoint line : {QPoint(r.left(), r.center().y()), QPoint(r.right(), r.center().y()),
                                  QPoint(r.center().x(), r.top()), QPoint(r.center().x(), r.bottom())})
            QVERIFY(qAbs(qGray(window.pixel((QPointF(line) * ratio).toPoint())) - background) > 24);
    }
    qApp->setStyleSheet(QString());
}

// 120-dpi fonts on a 1024 x 768 screen (a ratio of 1.25): the form may
// scroll, but no power, date or time in the list is cut, and the Summary
// window is no larger than the screen.
void TestScreens::cellsWholeOnASmallScreenAt125()
{
    QScreen *where = nullptr;
    for (QScreen *screen : QGuiApplication::screens())
        where = screen->name() == QLatin1String("1024x768 at 125 %") ? screen : where;
    if (!where)
        QSKIP("no such screen on this platform");
    qApp->setStyleSheet(QString());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.fib"));
    QVERIFY(TestSupport::writeFile(path, resultFile({}) + fiberWithPowers("F1", {"-15.81", "-9.67", "-120.00"})));
    ScriptedDialogs dialogs;
    CMainFrame frame;
    CSDIQVLView *view = showOn(where, frame, dialogs);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(readAndWait(view, [&] { view->OpenFiles({path}); }));
    chooseFiber(view, 0);
    const QString cut = cutCell(listChannels(view), where->devicePixelRatio());
    QVERIFY2(cut.isEmpty(), qPrintable(cut));
    view->OnViewSummary();
    auto *summary = view->window()->findChild<QWidget *>(QStringLiteral("summary"));
    QVERIFY(summary && summary->isVisible());
    const QSize room = where->availableGeometry().size();
    QVERIFY2(summary->width() <= room.width() && summary->height() <= room.height(),
             qPrintable(QStringLiteral("%1x%2").arg(summary->width()).arg(summary->height())));
}

void TestScreens::aLotFillsTheWindow_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<double>("fonts"); // the application font's size, of the default's
    QTest::newRow("1024x768") << "1024x768" << 1.0;
    QTest::newRow("1024x768, 120-dpi fonts") << "1024x768" << 1.25;
    QTest::newRow("1920x1080") << "1920x1080" << 1.0;
}

// A lot's tab takes the window's whole room: its controls and its figures
// in view, nothing cut, whatever the fonts; back on a file's tab, the form
// is the design's again.
void TestScreens::aLotFillsTheWindow()
{
    QFETCH(QString, screen);
    QFETCH(double, fonts);
    QScreen *where = nullptr;
    for (QScreen *candidate : QGuiApplication::screens())
        where = candidate->name() == screen ? candidate : where;
    if (!where)
        QSKIP("no such screen on this platform");
    const QFont before = QApplication::font();
    QFont larger = before;
    larger.setPointSizeF(before.pointSizeF() * fonts);
    QApplication::setFont(larger);
    const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("f.fib"));
    QVERIFY(TestSupport::writeFile(file, resultFile({"A", "B"})));
    const QString folder = dir.filePath(QStringLiteral("station with a long name"));
    QVERIFY(QDir().mkpath(folder));
    // A fails at first and passes when measured again: the figures' line
    // tells retests and the failing channel too, a long line.
    for (int i = 0; i < 3; ++i)
        QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/%1.fib").arg(i),
                                       TestSupport::standardHeader() + fiberWithPowers("A", {i == 0 ? "-40.00" : "-12.00"})
                                           + TestSupport::fiber("B")));
    ScriptedDialogs dialogs;
    CMainFrame frame;
    CSDIQVLView *view = showOn(where, frame, dialogs);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(readAndWait(view, [&] { view->OpenFiles({file}); }));
    const QSize form = view->size();
    QVERIFY(view->Manager().OpenFolder(folder));
    auto *figures = view->findChild<QLabel *>(QStringLiteral("lotFigures"));
    QTRY_VERIFY_WITH_TIMEOUT(figures->text().startsWith(QLatin1String("3 files")), 10000);

    // As large as the screen lets the window be, as a user makes it.
    frame.setGeometry(where->availableGeometry());
    auto *area = qobject_cast<QScrollArea *>(frame.centralWidget());
    QTRY_COMPARE(view->width(), area->viewport()->width());
    QVERIFY(view->width() > form.width());
    QVERIFY(!area->horizontalScrollBar()->isVisible());
    const QRect room = area->viewport()->rect();
    for (const char *name : {"lotFind", "lotChannel", "lotTable", "lotTrend"}) {
        const auto *control = view->findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(control && control->isVisible(), name);
        QVERIFY2(room.contains(QRect(control->mapTo(area->viewport(), QPoint()), control->size())), name);
    }
    // The figures whole, on as many lines as their width needs.
    const QRect needed = figures->fontMetrics().boundingRect(QRect(0, 0, figures->contentsRect().width(), 10000),
                                                             Qt::TextWordWrap, figures->text());
    QVERIFY2(figures->contentsRect().height() >= needed.height(), qPrintable(figures->text()));

    view->Manager().ShowTab(0);
    QTRY_COMPARE(view->size(), form);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
