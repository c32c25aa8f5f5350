// Files in tabs through the real widgets: File Open (one file, several,
// cancel, files that cannot be read, the 1024-tab limit), clicks on the
// strip, and Close on each position.

#include "ViewTestSupport.h"

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace ViewTestSupport;

class TestViewTabs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensEachFileIntoItsOwnTab_data();
    void opensEachFileIntoItsOwnTab();
    void opensSeveralChosenAtOnceInOrder();
    void cancelChangesNothing();
    void clickReadsTheFileAgain();
    void eachTabKeepsItsChoice();
    void clickOnEmptyStripOrRightClickChangesNothing();
    void closeShowsTheTabToTheLeft_data();
    void closeShowsTheTabToTheLeft();
    void closeWithoutTabsChangesNothing();
    void contextMenuCloses();
    void unreadableFileGetsMessageAndNoHalfView();
    void refusesTheTabAfter1024();
    void keepsWholePathsAndCutsLongLabels();
    void readsWhileTheWindowAnswers_data();
    void readsWhileTheWindowAnswers();

private:
    QString makeFile(const QString &name, const QList<QByteArray> &fibers);
    QStringList tabLabels() const;
    QList<QByteArray> comboNames() const;
    void open(const QStringList &paths);
    void clickTab(int index, Qt::MouseButton button = Qt::LeftButton);
    void closeTab();
    int reportPages();
    TabFiles *tabs() const { return tabFiles(m_view); }

    QTemporaryDir *m_dir = nullptr;
    CSDIQVLView *m_view = nullptr;
    ScriptedDialogs m_dialogs;
    ScriptedPrint m_print;
};

void TestViewTabs::init()
{
    m_dir = new QTemporaryDir;
    m_dialogs = ScriptedDialogs();
    m_print = ScriptedPrint();
    m_print.accept = false;
    m_view = showView(m_dialogs);
    QVERIFY(m_view);
    m_view->SetPrintDialogs(&m_print);
}

void TestViewTabs::cleanup()
{
    delete m_view;
    delete m_dir;
}

QString TestViewTabs::makeFile(const QString &name, const QList<QByteArray> &fibers)
{
    const QString path = m_dir->filePath(name);
    TestSupport::writeFile(path, resultFile(fibers));
    return path;
}

QStringList TestViewTabs::tabLabels() const
{
    QStringList labels;
    for (int i = 0; i < tabs()->count(); ++i)
        labels.append(tabs()->tabText(i));
    return labels;
}

QList<QByteArray> TestViewTabs::comboNames() const
{
    QList<QByteArray> names;
    for (int i = 0; i < comboFiber(m_view)->GetCount(); ++i)
        names.append(comboFiber(m_view)->GetLBBytes(i).trimmed()); // names are blank-padded
    return names;
}

// The pages the print dialog offers: the report follows the file shown.
int TestViewTabs::reportPages()
{
    m_view->OnFilePrint();
    return m_print.maxPage;
}

void TestViewTabs::open(const QStringList &paths)
{
    m_dialogs.openAnswers.append(paths);
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
}

void TestViewTabs::clickTab(int index, Qt::MouseButton button)
{
    QVERIFY(readAndWait(m_view, [&] {
        QTest::mouseClick(tabs(), button, {}, tabs()->tabRect(index).center());
    }));
}

void TestViewTabs::closeTab()
{
    QVERIFY(readAndWait(m_view, [this] { tabs()->OnCloseTab(); }));
}

void TestViewTabs::opensEachFileIntoItsOwnTab_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::newRow("one") << QStringList{"one.fib"};
    QTest::newRow("two") << QStringList{"one.fib", "two.fib"};
    QTest::newRow("three") << QStringList{"one.fib", "two.fib", "three.fib"};
    QTest::newRow("same file twice") << QStringList{"one.fib", "one.fib"};
}

void TestViewTabs::opensEachFileIntoItsOwnTab()
{
    QFETCH(QStringList, files);
    QStringList paths;
    for (const QString &file : files) {
        const QByteArray fiber = QFileInfo(file).baseName().toLatin1();
        paths.append(makeFile(file, {fiber + "-b", fiber + "-a"}));
        open({paths.last()});
    }
    QCOMPARE(m_dialogs.lastFilter, QStringLiteral("fib(*.fib)"));
    QCOMPARE(tabLabels(), files);
    QCOMPARE(m_view->Manager().Records().size(), files.size());
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(m_view->Manager().Records()[i].path, paths[i]);
    QCOMPARE(tabs()->currentIndex(), files.size() - 1);

    const QByteArray last = QFileInfo(files.last()).baseName().toLatin1();
    QCOMPARE(comboNames(), (QList<QByteArray>{last + "-a", last + "-b"}));
    QCOMPARE(m_view->Document().Rows().Count(), 36);
    QCOMPARE(reportPages(), 2); // 36 rows
    QCOMPARE(listChannels(m_view)->rowCount(), 0);
}

void TestViewTabs::opensSeveralChosenAtOnceInOrder()
{
    const QString one = makeFile("one.fib", {"A"});
    const QString two = makeFile("two.fib", {"B"});
    const QString three = makeFile("three.fib", {"C"});
    open({one, two, three});
    QCOMPARE(tabLabels(), (QStringList{"one.fib", "two.fib", "three.fib"}));
    QCOMPARE(tabs()->currentIndex(), 2);
    QCOMPARE(comboNames(), QList<QByteArray>{"C"});
}

void TestViewTabs::cancelChangesNothing()
{
    open({makeFile("one.fib", {"A", "B"}), makeFile("two.fib", {"C"})});
    clickTab(0);
    // Choose B, mark channel 4 and rename B to "Bx".
    chooseFiber(m_view, 1);
    clickChannel(m_view, 3);
    comboFiber(m_view)->Edit()->setCursorPosition(1);
    QTest::keyClicks(comboFiber(m_view)->Edit(), QStringLiteral("x"));
    const QImage before = m_view->grab().toImage();

    open({}); // cancelled
    QCOMPARE(m_dialogs.openCount, 2);
    QCOMPARE(tabLabels(), (QStringList{"one.fib", "two.fib"}));
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(comboNames(), (QList<QByteArray>{"A", "Bx"}));
    QCOMPARE(comboFiber(m_view)->GetCurSel(), 1);
    QCOMPARE(comboFiber(m_view)->GetWindowText().trimmed(), QStringLiteral("Bx"));
    QCOMPARE(listChannels(m_view)->rowCount(), 18);
    QCOMPARE(readout(m_view).line.first(), QStringLiteral("Chanel:04"));
    QCOMPARE(readout(m_view).marker, 3);
    QCOMPARE(m_view->Document().Rows().Count(), 36);
    QCOMPARE(reportPages(), 2);
    QCOMPARE(m_view->grab().toImage(), before); // the chart and its marker too
}

void TestViewTabs::clickReadsTheFileAgain()
{
    const QString one = makeFile("one.fib", {"A"});
    const QString two = makeFile("two.fib", {"B"});
    open({one, two});
    clickTab(0);
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(comboNames(), QList<QByteArray>{"A"});

    // A click on the selected tab reads the changed file.
    makeFile("one.fib", {"Z", "Y"});
    clickTab(0);
    QCOMPARE(comboNames(), (QList<QByteArray>{"Y", "Z"}));
    QCOMPARE(m_view->Document().Rows().Count(), 36);
}

// Back on a tab, its fiber and channel are chosen as they were left; a
// tab shown for the first time has none chosen.
void TestViewTabs::eachTabKeepsItsChoice()
{
    const QString one = makeFile("one.fib", {"A1", "A2", "A3"});
    const QString two = makeFile("two.fib", {"B1", "B2"});
    open({one, two});
    clickTab(0);
    FiberComboBox *box = comboFiber(m_view);
    QTableWidget *list = listChannels(m_view);
    QCOMPARE(box->GetCurSel(), -1);
    box->ChooseEntry(1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(4, 0)).center());
    QCOMPARE(list->currentRow(), 4);

    clickTab(1);
    QCOMPARE(box->GetCurSel(), -1);
    box->ChooseEntry(0);
    clickTab(0);
    QCOMPARE(box->GetCurSel(), 1);
    QCOMPARE(box->GetLBBytes(1).trimmed(), QByteArray("A2"));
    QCOMPARE(list->selectionModel()->selectedRows().value(0).row(), 4);
    clickTab(1);
    QCOMPARE(box->GetLBBytes(box->GetCurSel()).trimmed(), QByteArray("B1"));
    QVERIFY(list->selectionModel()->selectedRows().isEmpty());
}

void TestViewTabs::clickOnEmptyStripOrRightClickChangesNothing()
{
    open({makeFile("one.fib", {"A"}), makeFile("two.fib", {"B"})});
    QTabBar *bar = tabs();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 5, bar->height() / 2));
    QCOMPARE(bar->currentIndex(), 1);
    QCOMPARE(comboNames(), QList<QByteArray>{"B"});

    // The right button does not select; wheel turns do not switch tabs.
    makeFile("two.fib", {"C"});
    QTimer::singleShot(0, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    clickTab(0, Qt::RightButton);
    QCOMPARE(bar->currentIndex(), 1);
    QCOMPARE(comboNames(), QList<QByteArray>{"B"});
    QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    QCOMPARE(bar->currentIndex(), 1);
}

void TestViewTabs::closeShowsTheTabToTheLeft_data()
{
    QTest::addColumn<int>("closed");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("middle") << 1 << QStringList{"one.fib", "three.fib"} << 0 << QByteArray("A");
    QTest::newRow("last") << 2 << QStringList{"one.fib", "two.fib"} << 1 << QByteArray("B");
    // The strip keeps a selected tab, the new first one; its file is shown.
    QTest::newRow("first") << 0 << QStringList{"two.fib", "three.fib"} << 0 << QByteArray("B");
}

void TestViewTabs::closeShowsTheTabToTheLeft()
{
    QFETCH(int, closed);
    QFETCH(QStringList, left);
    QFETCH(int, selected);
    QFETCH(QByteArray, shown);
    open({makeFile("one.fib", {"A"}), makeFile("two.fib", {"B"}), makeFile("three.fib", {"C"})});
    clickTab(closed);
    closeTab();
    QCOMPARE(tabLabels(), left);
    QCOMPARE(tabs()->count(), 2);
    QCOMPARE(m_view->Manager().Records().size(), 2);
    QCOMPARE(QFileInfo(m_view->Manager().Records()[0].path).fileName(), left[0]);
    QCOMPARE(QFileInfo(m_view->Manager().Records()[1].path).fileName(), left[1]);
    QCOMPARE(tabs()->currentIndex(), selected);
    QCOMPARE(comboNames(), QList<QByteArray>{shown});
    QCOMPARE(listChannels(m_view)->rowCount(), 0);
}

void TestViewTabs::closeWithoutTabsChangesNothing()
{
    closeTab();
    QCOMPARE(tabs()->count(), 0);
    open({makeFile("one.fib", {"A"})});
    closeTab();
    QCOMPARE(tabs()->count(), 0);
    QCOMPARE(comboFiber(m_view)->GetCount(), 0);
    QCOMPARE(m_view->Document().Rows().Count(), 0);
    closeTab();
    QCOMPARE(tabs()->count(), 0);
}

void TestViewTabs::contextMenuCloses()
{
    open({makeFile("one.fib", {"A"}), makeFile("two.fib", {"B"})});
    QString itemText;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        itemText = menu->actions().value(0)->text();
        menu->actions().value(0)->trigger();
        menu->close();
    });
    poll.start();
    // Right-clicking the first tab still closes the selected (second) one.
    clickTab(0, Qt::RightButton);
    const QPoint where = tabs()->tabRect(0).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, where,
                                tabs()->mapToGlobal(where));
    QApplication::sendEvent(tabs(), &menuEvent); // what the right button raises
    QTRY_COMPARE(tabLabels(), QStringList{"one.fib"});
    QCOMPARE(itemText, QStringLiteral("&Close"));
    QTRY_COMPARE(comboNames(), QList<QByteArray>{"A"});
}

void TestViewTabs::unreadableFileGetsMessageAndNoHalfView()
{
    const QString good = makeFile("good.fib", {"A"});
    const QString missing = m_dir->filePath("missing.fib");
    open({good, missing});
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY2(m_dialogs.messages[0].contains(missing), qPrintable(m_dialogs.messages[0]));
    QCOMPARE(tabLabels(), QStringList{"good.fib"});
    QCOMPARE(comboNames(), QList<QByteArray>{"A"});

    open({missing});
    QCOMPARE(m_dialogs.messages.size(), 2);
    QCOMPARE(tabLabels(), QStringList{"good.fib"});
    // The file of the selected tab is still the one shown.
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(comboNames(), QList<QByteArray>{"A"});
}

void TestViewTabs::refusesTheTabAfter1024()
{
    const QString path = makeFile("one.fib", {"A"});
    QStringList many;
    for (int i = 0; i < DocumentManager::MaxTabs; ++i)
        many.append(path);
    const QString last = makeFile("last.fib", {"L"});
    open(many);
    QCOMPARE(tabs()->count(), 1024);
    QVERIFY(m_dialogs.messages.isEmpty());
    open({last});
    QCOMPARE(tabs()->count(), 1024);
    QCOMPARE(m_view->Manager().Records().size(), 1024);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(m_dialogs.messages[0].contains(last));
    QVERIFY(m_dialogs.messages[0].contains(QStringLiteral("1024")));

    closeTab();
    open({last});
    QCOMPARE(tabs()->count(), 1024);
    QCOMPARE(tabs()->tabText(1023), QStringLiteral("last.fib"));
}

void TestViewTabs::keepsWholePathsAndCutsLongLabels()
{
    QDir(m_dir->path()).mkpath(QString(120, QLatin1Char('d')));
    const QString name = QString(60, QLatin1Char('n')) + QStringLiteral(".fib");
    const QString path = makeFile(QString(120, QLatin1Char('d')) + QLatin1Char('/') + name, {"A"});
    QVERIFY(path.size() > 200);
    open({path});
    QCOMPARE(m_view->Manager().Records()[0].path, path);
    QCOMPARE(tabLabels(), QStringList{name.left(49)});
    QCOMPARE(comboNames(), QList<QByteArray>{"A"});

    // The 49th character is kept whole: a pair of surrogates, a letter with
    // its combining accent.
    const QString n48(48, QLatin1Char('n'));
    const QString emoji = QString::fromUtf8("\xf0\x9f\x98\x80");
    const QString accented = QStringLiteral("e\u0301");
    open({makeFile(n48 + emoji + QStringLiteral("x.fib"), {"B"}),
          makeFile(n48 + accented + QStringLiteral("x.fib"), {"C"})});
    QCOMPARE(tabLabels().mid(1), (QStringList{n48 + emoji, n48 + accented}));
}

void TestViewTabs::readsWhileTheWindowAnswers_data()
{
    QTest::addColumn<QString>("then"); // what the user does while the big file is read
    QTest::newRow("waits") << QString();
    QTest::newRow("closes its tab") << QStringLiteral("close");
    QTest::newRow("opens another file") << QStringLiteral("open");
}

// A big file is read while the window goes on: a timer fires meanwhile, the
// tab shows it is busy, and closing the tab or opening another file gives
// the read up for good.
void TestViewTabs::readsWhileTheWindowAnswers()
{
    QFETCH(QString, then);
    const QString small = makeFile("small.fib", {"S"});
    const QString big = m_dir->filePath("big.fib");
    QVERIFY(TestSupport::writeFile(big, resultFile({"BIG"}) + TestSupport::fiber("BIG").repeated(40000)));

    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
    timer.start(0);
    QSignalSpy shown(&m_view->Manager(), &DocumentManager::readEnded);
    m_dialogs.openAnswers.append(QStringList{big});
    m_view->OnFileOpen();
    QVERIFY(shown.isEmpty()); // the read goes on after the command returned
    QCOMPARE(tabLabels(), QStringList{"big.fib"});
    QVERIFY(!tabs()->tabIcon(0).isNull());

    if (then == QLatin1String("close")) {
        closeTab();
        QCOMPARE(tabs()->count(), 0);
    } else if (then == QLatin1String("open")) {
        open({small});
    }
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 20000);
    if (then.isEmpty()) {
        QVERIFY(ticks > 0); // the window answered while the file was read
        QCOMPARE(comboFiber(m_view)->GetCount(), 40001);
    } else {
        // A read given up never shows, however long it takes to end.
        QTest::qWait(1500);
        QCOMPARE(comboNames(), then == QLatin1String("open") ? QList<QByteArray>{"S"} : QList<QByteArray>{});
    }
    for (int i = 0; i < tabs()->count(); ++i)
        QVERIFY(tabs()->tabIcon(i).isNull());
}

QTEST_MAIN(TestViewTabs)
#include "tst_viewtabs.moc"
