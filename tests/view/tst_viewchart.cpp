// The fiber choice, the renaming in the fiber box, the click in the channel
// list and its keys, and the chart they draw, through the real widgets: list
// contents, selection texts, and the pixels of the view on several screens.

#include "OffscreenScreens.h"
#include "ViewTestSupport.h"

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QListView>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

using namespace ViewTestSupport;

namespace {

// Text and lines are black on the form's light background.
bool hasDark(const QImage &image, const QRect &area)
{
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 100)
                return true;
    return false;
}

} // namespace

class TestViewChart : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void choiceShowsTheEntrysOwnBlock_data();
    void choiceShowsTheEntrysOwnBlock();
    void powerColumnRule();
    void choosingTwiceAndShortLastBlock();
    void clickShowsTheRowAndMarksItsBar_data();
    void clickShowsTheRowAndMarksItsBar();
    void clickBeforeAnyFileDoesNothing();
    void keysMoveTheMarker_data();
    void keysMoveTheMarker();
    void firstDownTakesTheFirst_data();
    void firstDownTakesTheFirst();
    void editRenamesTheChosenEntryOnly();
    void chartSurvivesRepaintsAndGoesWithALoad();
    void pixelsOnThreeScreens_data();
    void pixelsOnThreeScreens();
    void wholeChartInsideTheForm_data();
    void wholeChartInsideTheForm();
    void darkPalette();

private:
    void openBytes(const QByteArray &bytes);
    void choose(int pos) { chooseFiber(m_view, pos); }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {})
    {
        clickChannel(m_view, row, modifiers);
    }
    QStringList column(int column) const;
    QImage picture() const;

    QTemporaryDir *m_dir = nullptr;
    CSDIQVLView *m_view = nullptr;
    ScriptedDialogs m_dialogs;
    int m_files = 0;
};

void TestViewChart::init()
{
    m_dir = new QTemporaryDir;
    m_dialogs = ScriptedDialogs();
    m_view = ViewTestSupport::showView(m_dialogs);
    QVERIFY(m_view);
}

void TestViewChart::cleanup()
{
    delete m_view;
    delete m_dir;
}

void TestViewChart::openBytes(const QByteArray &bytes)
{
    const QString path = m_dir->filePath(QStringLiteral("f%1.fib").arg(++m_files));
    QVERIFY(TestSupport::writeFile(path, bytes));
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
}

QStringList TestViewChart::column(int column) const
{
    QStringList texts;
    for (int row = 0; row < listChannels(m_view)->rowCount(); ++row)
        texts.append(listChannels(m_view)->item(row, column)->text());
    return texts;
}

QImage TestViewChart::picture() const
{
    return m_view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void TestViewChart::choiceShowsTheEntrysOwnBlock_data()
{
    QTest::addColumn<QList<QByteArray>>("names"); // in file order
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("block");
    QTest::newRow("second of two in order") << QList<QByteArray>{"F1", "F2"} << 1 << 1;
    QTest::newRow("first of two in order") << QList<QByteArray>{"F1", "F2"} << 0 << 0;
    // Sorted, the box reads F1 F2 F3; its entry 0 is the file's second block.
    QTest::newRow("unsorted, first entry") << QList<QByteArray>{"F3", "F1", "F2"} << 0 << 1;
    QTest::newRow("unsorted, last entry") << QList<QByteArray>{"F3", "F1", "F2"} << 2 << 0;
    QTest::newRow("code page 936 names")
        << QList<QByteArray>{"\xb9\xe2\xcf\xcb" "03", "\xb9\xe2\xcf\xcb" "01"} << 0 << 1;
}

void TestViewChart::choiceShowsTheEntrysOwnBlock()
{
    QFETCH(QList<QByteArray>, names);
    QFETCH(int, entry);
    QFETCH(int, block);
    // Each block's powers tell the blocks apart: -1x.yy with x = block.
    QByteArray bytes = TestSupport::standardHeader();
    for (int b = 0; b < names.size(); ++b)
        bytes += TestSupport::fiber(names.at(b).constData(),
                                    QByteArray("-1" + QByteArray::number(b) + ".50").constData());
    openBytes(bytes);
    choose(entry);

    QCOMPARE(comboFiber(m_view)->GetCurSel(), entry);
    QCOMPARE(listChannels(m_view)->rowCount(), 18);
    const QString power = QStringLiteral("  -1%1.50").arg(block);
    QCOMPARE(column(2), QStringList(18, power));
    QCOMPARE(column(0).first(), QStringLiteral("01"));
    QCOMPARE(column(0).last(), QStringLiteral("18"));
    QCOMPARE(column(1).at(5), QStringLiteral("1371.0"));
    const Readout shown = readout(m_view);
    QCOMPARE(shown.line, selectionLine({}, {}, {})); // the chart, no channel yet
    QCOMPARE(shown.marker, -1);
}

void TestViewChart::powerColumnRule()
{
    // Below -99.9 the parser stores "Low"; a field that starts with -99.9 in
    // its first column shows "Low"; one that starts with a blank shows as is.
    openBytes(resultFile({}) + fiberWithPowers("F1", {"-120.00", "-99.9000", "-99.90", "-99.8999"}));
    choose(0);
    QCOMPARE(column(2).mid(0, 5), (QStringList{"Low", "Low", "  -99.90", "-99.8999", "  -12.34"}));

    // The "Low" bar has zero height: its column is background down to the
    // base line, while the bar beside it is filled.
    const QImage image = picture();
    QVERIFY(!isRed(image, 105, 609));
    QVERIFY(isRed(image, 265, 609)); // bar 4, -12.34 dB
}

void TestViewChart::choosingTwiceAndShortLastBlock()
{
    openBytes(resultFile({"F1"}) + fiberWithPowers("F2", {"-1.00", "-2.00", "-3.00"}, 3));
    choose(0);
    clickRow(4);
    QCOMPARE(readout(m_view).line.first(), QStringLiteral("Chanel:05"));
    choose(0); // again: the same rows, the selection line emptied
    QCOMPARE(listChannels(m_view)->rowCount(), 18);
    QCOMPARE(readout(m_view).line, selectionLine({}, {}, {}));
    QCOMPARE(readout(m_view).marker, -1);

    // The last block has three rows: those are shown and drawn, the rows it
    // does not have get no bar.
    choose(1);
    QCOMPARE(column(2), (QStringList{"   -1.00", "   -2.00", "   -3.00"}));
    const QImage image = picture();
    const int base = baseLineRow(m_view); // 610 where the chart keeps its design place
    QVERIFY(isRed(image, 110, base - 236));  // bar 0, -1 dB: 59 dB over the base line
    QVERIFY(!isRed(image, 110, base - 237));
    QVERIFY(isRed(image, 190, base - 1)); // bar 2
    QVERIFY(!isRed(image, 230, base - 1)); // bar 3, no row
    QVERIFY(!isRed(image, 790, base - 1)); // bar 17
}

void TestViewChart::clickShowsTheRowAndMarksItsBar_data()
{
    QTest::addColumn<QList<int>>("clicks"); // a negative entry is a control-click
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("power");
    QTest::newRow("row 5") << QList<int>{5} << 5 << "  -12.34";
    QTest::newRow("Low row") << QList<int>{2} << 2 << "Low";
    QTest::newRow("two selected, higher wins") << QList<int>{7, -3} << 7 << "  -12.34";
    QTest::newRow("same row twice") << QList<int>{5, 5} << 5 << "  -12.34";
}

void TestViewChart::clickShowsTheRowAndMarksItsBar()
{
    QFETCH(QList<int>, clicks);
    QFETCH(int, row);
    QFETCH(QString, power);
    openBytes(resultFile({}) + fiberWithPowers("F1", {"-12.34", "-12.34", "-120.00"}));
    choose(0);
    for (int click : clicks)
        clickRow(qAbs(click), click < 0 ? Qt::ControlModifier : Qt::NoModifier);

    const Readout shown = readout(m_view);
    QCOMPARE(shown.line, selectionLine(QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0')),
                                       QStringLiteral("%1.0").arg(1271 + 20 * row), power));
    QCOMPARE(shown.marker, row);
    const QImage image = picture();
    const int base = baseLineRow(m_view);
    QVERIFY(isRed(image, 110 + 40 * row, base + 16)); // inside the marker
    QVERIFY(!isRed(image, 102 + 40 * row, base + 3)); // beside its apex
}

void TestViewChart::clickBeforeAnyFileDoesNothing()
{
    QTableWidget *list = listChannels(m_view);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QVERIFY(readout(m_view).line.isEmpty()); // no chart
    QCOMPARE(readout(m_view).marker, -1);

    // Below the last row of a short block: no row, empty texts, no marker.
    openBytes(resultFile({}) + fiberWithPowers("F1", {}, 3));
    choose(0);
    clickRow(1);
    QCOMPARE(readout(m_view).marker, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(50, 200));
    QVERIFY(list->selectionModel()->selectedRows().isEmpty());
    QCOMPARE(readout(m_view).line, selectionLine({}, {}, {}));
    QCOMPARE(readout(m_view).marker, -1);
}

void TestViewChart::keysMoveTheMarker_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row"); // from row 3
    QTest::newRow("Down") << int(Qt::Key_Down) << 4;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0;
    QTest::newRow("End") << int(Qt::Key_End) << 17;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 17;
}

// A key that moves the current row moves the readout and the marker with
// it, as a click on that row would.
void TestViewChart::keysMoveTheMarker()
{
    QFETCH(int, key);
    QFETCH(int, row);
    openBytes(resultFile({"F1"}));
    choose(0);
    clickRow(3);
    QTableWidget *list = listChannels(m_view);
    QTest::keyClick(list, Qt::Key(key));
    QCOMPARE(readout(m_view).marker, row);
    QCOMPARE(readout(m_view).line.first(),
             QStringLiteral("Chanel:%1").arg(row + 1, 2, 10, QLatin1Char('0')));
    QVERIFY(isRed(picture(), 110 + 40 * row, baseLineRow(m_view) + 16)); // the marker under the new row's bar
    // A right click is no click either.
    QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                      list->visualItemRect(list->item(1, 0)).center());
    QCOMPARE(readout(m_view).marker, row);
}

void TestViewChart::firstDownTakesTheFirst_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("fiber box's list") << QStringLiteral("fibers");
    QTest::newRow("fiber box's edit field") << QStringLiteral("edit");
    QTest::newRow("channel list") << QStringLiteral("channels");
}

// Down, where nothing is chosen yet, takes the first entry: the first fiber
// in the fiber box, channel 01 in the list; it never passes them by.
void TestViewChart::firstDownTakesTheFirst()
{
    QFETCH(QString, where);
    openBytes(resultFile({"F1", "F2"}));
    FiberComboBox *box = comboFiber(m_view);
    QWidget *target = where == QLatin1String("fibers") ? static_cast<QWidget *>(box->List())
        : where == QLatin1String("edit")               ? static_cast<QWidget *>(box->Edit())
                                                       : listChannels(m_view);
    if (where == QLatin1String("channels"))
        choose(1);
    // Reached with Tab, as from the keyboard: the view sets a current entry
    // on the way in without choosing it.
    target->setFocus(Qt::TabFocusReason);
    QTest::keyClick(target, Qt::Key_Down);
    if (where == QLatin1String("channels")) {
        QCOMPARE(readout(m_view).line.first(), QStringLiteral("Chanel:01"));
        QCOMPARE(readout(m_view).marker, 0);
    } else {
        QCOMPARE(box->GetCurSel(), 0);
        QCOMPARE(box->GetWindowText().trimmed(), QStringLiteral("F1"));
        QCOMPARE(listChannels(m_view)->rowCount(), 18);
    }
}

void TestViewChart::editRenamesTheChosenEntryOnly()
{
    openBytes(resultFile({"F2", "F1"}));
    FiberComboBox *box = comboFiber(m_view);
    // Nothing chosen yet: typing renames nothing.
    QTest::keyClicks(box->Edit(), QStringLiteral("zz"));
    QCOMPARE(box->GetLBBytes(0), QByteArray("F1      "));
    QCOMPARE(box->GetLBBytes(1), QByteArray("F2      "));

    choose(1); // F2, the file's first block
    const QStringList listBefore = column(2);
    box->Edit()->setCursorPosition(2);
    QTest::keyClicks(box->Edit(), QStringLiteral("x"));
    QCOMPARE(box->GetCount(), 2);
    QCOMPARE(box->GetLBText(1), QStringLiteral("F2x      "));
    QCOMPARE(box->GetItemBlock(1), 0);
    QCOMPARE(box->GetCurSel(), 1);
    QCOMPARE(box->GetLBBytes(0), QByteArray("F1      "));
    QCOMPARE(column(2), listBefore);

    // Another file: the position chosen last is still the one renamed, and
    // a file with fewer entries leaves the edit harmless.
    openBytes(resultFile({"G1", "G2", "G3"}));
    QTest::keyClicks(box->Edit(), QStringLiteral("y"));
    QCOMPARE(box->GetLBText(1), QStringLiteral("y"));
    QCOMPARE(box->GetItemBlock(1), 1);
    openBytes(resultFile({"H1"}));
    QTest::keyClicks(box->Edit(), QStringLiteral("z"));
    QCOMPARE(box->GetCount(), 1);
    QCOMPARE(box->GetLBBytes(0), QByteArray("H1      "));
}

void TestViewChart::chartSurvivesRepaintsAndGoesWithALoad()
{
    openBytes(resultFile({"F1"}));
    choose(0);
    clickRow(5);
    QVERIFY(isRed(picture(), 110, 500));

    // Covered and uncovered: the window paints itself again from scratch.
    m_view->hide();
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->repaint();
    QImage image = picture();
    QVERIFY(isRed(image, 110, 500));
    QVERIFY(isRed(image, 310, 626));

    // A click on the tab reads its file again: the chart is gone.
    QTest::mouseClick(tabFiles(m_view), Qt::LeftButton, {}, tabFiles(m_view)->tabRect(0).center());
    QVERIFY(readout(m_view).line.isEmpty());
    image = picture();
    QVERIFY(!isRed(image, 110, 500));
    QVERIFY(!isRed(image, 310, 626));
    QVERIFY(!hasDark(image, QRect(80, 630, 40, 14)));
}

void TestViewChart::pixelsOnThreeScreens_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("bar0Left");
    QTest::addColumn<int>("bar0Right"); // excluded
    QTest::addColumn<int>("top0dB");
    QTest::addColumn<int>("bottom"); // excluded: the base line's row
    QTest::addColumn<int>("bar16Left");
    QTest::addColumn<QPoint>("label"); // "+15.0": its left and the level of +15 dB
    QTest::addColumn<QPoint>("selection"); // "Chanel:"
    QTest::addColumn<QPoint>("apex5");
    QTest::addColumn<int>("markerBase");
    QTest::newRow("1440x900") << QSize(1440, 900) << 100 << 120 << 370 << 610 << 740
                              << QPoint(40, 310) << QPoint(80, 630) << QPoint(310, 610) << 630;
    // The chart keeps its design size on a smaller screen, clear of the list.
    QTest::newRow("1024x768") << QSize(1024, 768) << 100 << 120 << 370 << 610 << 740
                              << QPoint(40, 310) << QPoint(80, 630) << QPoint(310, 610) << 630;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << 133 << 160 << 444 << 732 << 986
                               << QPoint(53, 372) << QPoint(106, 756) << QPoint(413, 732) << 756;
}

void TestViewChart::pixelsOnThreeScreens()
{
    QFETCH(QSize, screen);
    QFETCH(int, bar0Left);
    QFETCH(int, bar0Right);
    QFETCH(int, top0dB);
    QFETCH(int, bottom);
    QFETCH(int, bar16Left);
    QFETCH(QPoint, label);
    QFETCH(QPoint, selection);
    QFETCH(QPoint, apex5);
    QFETCH(int, markerBase);
    m_view->SetScreenSize(screen);
    m_view->OnInitialUpdate();
    QList<const char *> powers(18, "-12.34");
    powers[0] = "0.00";
    powers[16] = "-120.00"; // Low
    openBytes(resultFile({}) + fiberWithPowers("F1", powers));
    choose(0);
    clickRow(5);
    const QImage image = picture();
    // Where the list grows for a fiber's rows the chart moves down with it;
    // every place below is the design's, moved as far as the base line.
    const int shift = baseLineRow(m_view) - bottom;
    QVERIFY(shift >= 0);
    top0dB += shift;
    bottom += shift;
    label.ry() += shift;
    selection.ry() += shift;
    apex5.ry() += shift;
    markerBase += shift;

    QVERIFY(isRed(image, bar0Left, top0dB));
    QVERIFY(isRed(image, bar0Right - 1, top0dB));
    QVERIFY(isRed(image, bar0Left, bottom - 1));
    QVERIFY(!isRed(image, bar0Left - 1, top0dB));
    QVERIFY(!isRed(image, bar0Right, top0dB));
    QVERIFY(!isRed(image, bar0Left, top0dB - 1));
    QVERIFY(hasDark(image, QRect(bar0Left, bottom, 1, 1))); // the base line over the bar's foot
    QVERIFY(!isRed(image, bar16Left + 2, bottom - 1)); // Low: no bar at all

    // The label's ink centred on the tick of its power, to within 2 pixels.
    int inkTop = -1, inkBottom = -1;
    for (int y = label.y() - 14; y <= label.y() + 14; ++y) {
        if (hasDark(image, QRect(label.x(), y, 26, 1))) {
            inkTop = inkTop < 0 ? y : inkTop;
            inkBottom = y;
        }
    }
    QVERIFY2(inkTop >= 0 && qAbs((inkTop + inkBottom) / 2.0 - label.y()) <= 2.0,
             qPrintable(QStringLiteral("ink %1..%2, level %3").arg(inkTop).arg(inkBottom).arg(label.y())));
    QVERIFY(hasDark(image, QRect(selection, QSize(40, 14))));
    QVERIFY(!hasDark(image, QRect(selection - QPoint(0, 3), QSize(40, 3))));
    QVERIFY(isRed(image, apex5.x(), markerBase - 2));
    QVERIFY(hasDark(image, QRect(apex5.x(), markerBase, 1, 1))); // the outline
    QVERIFY(!isRed(image, apex5.x() - 6, apex5.y() + 2));
}

void TestViewChart::wholeChartInsideTheForm_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<bool>("designSize"); // the chart fits the design's width of 892
    QTest::newRow("1024x768") << QSize(1024, 768) << true;
    QTest::newRow("1366x768") << QSize(1366, 768) << true;
    QTest::newRow("1440x900") << QSize(1440, 900) << true;
    QTest::newRow("1920x1080") << QSize(1920, 1080) << false;
    QTest::newRow("2560x1440") << QSize(2560, 1440) << false;
    QTest::newRow("3840x2160") << QSize(3840, 2160) << false;
}

// Everything the view draws on the screen, the chart with all bars at the
// top of the scale, the widest texts the file's columns hold and the marker
// under the last bar, lies inside the form, which keeps about the margins
// of the design size around it.
void TestViewChart::wholeChartInsideTheForm()
{
    QFETCH(QSize, screen);
    QFETCH(bool, designSize);
    openBytes(resultFile({}) + fiberWithPowers("F1", QList<const char *>(18, "+15.0000")));
    const auto inkAt = [this](const QSize &screenSize) {
        m_view->SetScreenSize(screenSize);
        m_view->OnInitialUpdate();
        choose(0);
        clickRow(17);
        // On a canvas as big as the screen, so nothing is cut at the form.
        QImage canvas(screenSize, QImage::Format_RGB32);
        canvas.setDotsPerMeterX(3780);
        canvas.setDotsPerMeterY(3780);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        painter.setFont(m_view->font());
        m_view->OnDraw(painter);
        painter.end();
        QRect ink;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if (canvas.pixel(x, y) != qRgb(255, 255, 255))
                    ink |= QRect(x, y, 1, 1);
        return ink;
    };
    // The design's margins around the chart at its design place, the base
    // line at 610, whatever a list grown for 18 rows moves it by.
    const QRect atDesign = inkAt(QSize(1440, 900)).translated(0, 610 - baseLineRow(m_view));
    const QSize margins(892 - 1 - atDesign.right(), 663 - 1 - atDesign.bottom());
    const QRect ink = inkAt(screen);

    QVERIFY2(m_view->rect().contains(ink), qPrintable(QStringLiteral("%1,%2 in %3x%4")
        .arg(ink.right()).arg(ink.bottom()).arg(m_view->width()).arg(m_view->height())));
    // Down, the form takes the design's margin under the chart, which moves
    // down under a list grown for a fiber's 18 rows.
    QVERIFY(qAbs(m_view->height() - 1 - ink.bottom() - margins.height()) <= 2);
    if (designSize)
        QCOMPARE(m_view->width(), 892);
    else
        QVERIFY(qAbs(m_view->width() - 1 - ink.right() - margins.width()) <= 2);
}

// On a dark palette the chart's lines take its light text colour.
void TestViewChart::darkPalette()
{
    QPalette dark = m_view->palette();
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    m_view->setPalette(dark);
    openBytes(resultFile({"F1"}));
    choose(0);
    clickRow(5);
    const QImage image = picture();
    QCOMPARE(image.pixel(60, 450), 0xff202020u); // the background
    QCOMPARE(image.pixel(80, 450), 0xffe0e0e0u); // the vertical axis
    QCOMPARE(image.pixel(310, baseLineRow(m_view) + 20), 0xffe0e0e0u); // the marker's outline
}

QTEST_MAIN(TestViewChart)
#include "tst_viewchart.moc"
