// The application and its window: caption, fixed size and buttons, menus,
// tool bar, keys, status texts, the About box, File New, files from the
// command line or dropped on the window, and the settings kept at exit.

#include "OffscreenScreens.h"
#include "TestSupport.h"
#include "view/ViewTestSupport.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "app/CSDIQVLDoc.h"
#include "app/Commands.h"
#include "archive/CRuntimeClass.h"
#include "document/DocumentManager.h"
#include "output/StringTable.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QFile>
#include <QScopeGuard>
#include <QTranslator>
#include <QSettings>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <algorithm>

using namespace StringTable;
using ViewTestSupport::comboFiber;
using ViewTestSupport::listChannels;
using ViewTestSupport::readAndWait;
using ViewTestSupport::tabFiles;

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fixedWindowCaptionedQuenvale();
    void tabStopsAreTheControls();
    void menusAndToolBar();
    void menusInChinese();
    void statusBarSaysOkWhenIdle();
    void stringTableTexts_data();
    void stringTableTexts();
    void aboutBox();
    void fileNewKeepsColumnsAndCaption();
    void commandLineFilesOpenIntoTabsAndRecentList();
    void droppedFilesOpenLikeFileOpen_data();
    void droppedFilesOpenLikeFileOpen();
    void recentListKeepsFourAndIsWrittenAtExit();
    void recentFilesInTheFileMenu();
    void tabKeysGoRoundTheTabs();
    void deletedFileKeepsItsTabsVersion();
    void lotNoticeHoldsNothingUp();
    void commandsWhereTheyWork();
    void runtimeClassesRegistered();

private:
    QTemporaryDir m_settingsDir;
    QTemporaryDir *m_dir = nullptr;
    CSDIQVLApp *m_app = nullptr;
};

void TestMainFrame::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
    // A folder opened as a lot keeps its summaries in a cache of the test's own.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_settingsDir.filePath(QStringLiteral("cache"))));
}

void TestMainFrame::init()
{
    QSettings(CSDIQVLApp::RegistryKey(), CSDIQVLApp::AppName()).clear();
    m_dir = new QTemporaryDir;
    m_app = new CSDIQVLApp;
    QVERIFY(m_app->InitInstance());
    QVERIFY(QTest::qWaitForWindowExposed(m_app->MainFrame()));
}

void TestMainFrame::cleanup()
{
    delete m_app;
    delete m_dir;
}

void TestMainFrame::fixedWindowCaptionedQuenvale()
{
    CMainFrame *frame = m_app->MainFrame();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Quenvale"));
    const Qt::WindowFlags flags = frame->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(frame->minimumSize(), frame->maximumSize());
    QVERIFY(frame->width() <= CMainFrame::CreateWidth);
    QVERIFY(frame->height() <= CMainFrame::CreateHeight);
    // Shrunk to the form, never below its design size: the whole form
    // shows, without scrolling.
    QCOMPARE(frame->centralWidget()->size(), m_app->View()->size());
    QVERIFY(m_app->View()->width() >= 892 && m_app->View()->height() >= 663);
}

// Tab goes round the form's controls and nothing else: the scroll area that
// holds the form is no stop of its own, where Down would scroll the form;
// the tab strip is one, after the list.
void TestMainFrame::tabStopsAreTheControls()
{
    CMainFrame *frame = m_app->MainFrame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    comboFiber(m_app->View())->Edit()->setFocus(Qt::TabFocusReason);
    QStringList stops;
    for (int i = 0; i < 5; ++i) {
        stops.append(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(stops, (QStringList{"fiberEdit", "fiberList", "listChannels", "tabFiles", "fiberEdit"}));
}

// With the Simplified Chinese translation (as LANG=zh_CN.UTF-8 installs
// it), the menus, their items and the prompts are Chinese, the keys kept.
void TestMainFrame::menusInChinese()
{
    QTranslator chinese;
    QVERIFY(chinese.load(QFileInfo(QStringLiteral(QUENVALE_BINARY)).dir().filePath(
        QStringLiteral("translations/quenvale_zh_CN.qm"))));
    QCoreApplication::installTranslator(&chinese);
    const auto removed = qScopeGuard([&] { QCoreApplication::removeTranslator(&chinese); });
    delete m_app;
    m_app = new CSDIQVLApp;
    QVERIFY(m_app->InitInstance());
    CMainFrame *frame = m_app->MainFrame();
    const QList<QAction *> menus = frame->menuBar()->actions();
    QCOMPARE(menus[0]->text(), QString::fromUtf8("文件(&F)"));
    QCOMPARE(menus[3]->text(), QString::fromUtf8("帮助(&H)"));
    QCOMPARE(frame->Action(ID_FILE_OPEN)->text(), QString::fromUtf8("打开(&O)..."));
    QCOMPARE(frame->Action(ID_FILE_OPEN)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QVERIFY(frame->Action(ID_FILE_PRINT_PREVIEW)->statusTip().contains(QString::fromUtf8("页")));
    QCOMPARE(frame->windowTitle(), QStringLiteral("Quenvale"));
}

void TestMainFrame::menusAndToolBar()
{
    CMainFrame *frame = m_app->MainFrame();
    const QList<QAction *> menus = frame->menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[0]->text(), QStringLiteral("File(&F)"));
    QCOMPARE(menus[1]->text(), QStringLiteral("Edit(&E)"));
    QCOMPARE(menus[2]->text(), QStringLiteral("Verdicts(&V)"));
    QCOMPARE(menus[3]->text(), QStringLiteral("Help(&H)"));
    const auto itemsOf = [](QAction *menu) {
        QStringList items;
        for (QAction *item : menu->menu()->actions()) {
            if (item->isVisible())
                items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        return items;
    };
    // No recent files yet: no place for them either.
    QCOMPARE(itemsOf(menus[0]), (QStringList{"Open(&O)...", "Open Folder(&D)...", "Open Database(&B)...", "Close(&C)", "Save As(&A)...",
                                             "Export Workbook(&W)...", "Compare(&M)...", "-", "Print(&P)...", "Print Preview(&V)", "-",
                                             "Exit(&X)"}));
    QCOMPARE(itemsOf(menus[1]), (QStringList{"Copy(&C)", "-", "Find Fiber(&F)..."}));
    QCOMPARE(itemsOf(menus[2]),
             (QStringList{"Show Verdicts(&S)", "Warning Margin(&W)...", "Limits(&L)...", "-", "Next Failing Fiber(&N)",
                          "Previous Failing Fiber(&P)", "-", "All Fibers(&A)", "Failing Fibers Only(&F)",
                          "Marginal Fibers Only(&M)", "Incomplete Fibers Only(&I)", "-", "Summary(&U)...",
                          "Distributions(&D)..."}));
    QCOMPARE(itemsOf(menus[3]), QStringList{"About Quenvale(&A)..."});

    const struct { int id; QKeySequence key; } keys[] = {
        {ID_FILE_NEW, QKeySequence(QStringLiteral("Ctrl+N"))},
        {ID_FILE_OPEN, QKeySequence(QStringLiteral("Ctrl+O"))},
        {ID_FILE_SAVE, QKeySequence(QStringLiteral("Ctrl+S"))},
        {ID_FILE_PRINT, QKeySequence(QStringLiteral("Ctrl+P"))},
        {ID_EDIT_UNDO, QKeySequence(QStringLiteral("Alt+Backspace"))},
        {ID_EDIT_PASTE, QKeySequence(QStringLiteral("Shift+Ins"))},
        {ID_PREV_PANE, QKeySequence(QStringLiteral("Shift+F6"))},
        {ID_VIEW_VERDICTS, QKeySequence(QStringLiteral("Ctrl+J"))},
        {ID_NEXT_FAILURE, QKeySequence(QStringLiteral("F8"))},
        {ID_PREV_FAILURE, QKeySequence(QStringLiteral("Shift+F8"))},
        {ID_VIEW_DISTRIBUTIONS, QKeySequence(QStringLiteral("Ctrl+D"))},
        {ID_EDIT_COPY, QKeySequence(QStringLiteral("Ctrl+C"))},
        {ID_FIND_FIBER, QKeySequence(QStringLiteral("Ctrl+F"))},
        {ID_CLOSE_TAB, QKeySequence(QStringLiteral("Ctrl+W"))},
        {ID_CLOSE_TAB, QKeySequence(QStringLiteral("Ctrl+F4"))},
        {ID_NEXT_TAB, QKeySequence(QStringLiteral("Ctrl+Tab"))},
        {ID_NEXT_TAB, QKeySequence(QStringLiteral("Ctrl+PgDown"))},
        {ID_PREV_TAB, QKeySequence(QStringLiteral("Ctrl+PgUp"))},
    };
    for (const auto &key : keys)
        QVERIFY2(frame->Action(key.id)->shortcuts().contains(key.key), qPrintable(key.key.toString()));

    auto *bar = frame->findChild<QToolBar *>();
    QVERIFY(bar);
    QStringList tips;
    for (QAction *action : bar->actions())
        tips.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
    QCOMPARE(tips, (QStringList{"Open", "Save", "-", "Print", "-", "Verdicts", "Summary"}));
    QVERIFY(frame->Action(ID_VIEW_VERDICTS)->isCheckable());
    QVERIFY(!frame->createPopupMenu()); // no menu that hides the tool bar
    QCOMPARE(frame->Action(ID_FILE_SAVE)->statusTip(),
             QStringLiteral("Save the active document"));
}

void TestMainFrame::statusBarSaysOkWhenIdle()
{
    CMainFrame *frame = m_app->MainFrame();
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ok"));
    auto *bar = frame->findChild<QToolBar *>();
    QWidget *open = bar->widgetForAction(frame->Action(ID_FILE_OPEN));
    QStatusTipEvent enter(open->statusTip());
    QApplication::sendEvent(open, &enter);
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Open an existing document"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(open, &leave);
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Ok"));
    // Here the window system tells no locks: every pane is empty, as a pane
    // of a lock that is off, and wide enough for its name.
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        const auto *pane = frame->statusBar()->findChild<QLabel *>(QStringLiteral("indicator%1").arg(id));
        QVERIFY(pane && pane->text().isEmpty());
        QVERIFY(pane->minimumWidth() > pane->fontMetrics().horizontalAdvance(LoadString(id)));
    }
}

void TestMainFrame::stringTableTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::newRow("document") << 128 << QStringLiteral("\nqvl\n");
    QTest::newRow("save as") << int(ID_FILE_SAVE_AS)
                             << QStringLiteral("Save the active document as a new file \nSave as");
    QTest::newRow("about") << int(ID_APP_ABOUT)
                           << QString::fromUtf8("Show the program information，version and copyright\nAbout");
    QTest::newRow("new") << int(ID_FILE_NEW) << QString::fromUtf8("建立新文档\n新建");
    QTest::newRow("mru 16") << 57631 << QString::fromUtf8("打开该文档");
    QTest::newRow("preview close") << int(AFX_IDS_PREVIEW_CLOSE)
                                   << QString::fromUtf8("关闭打印预览模式\n取消预阅");
    QTest::newRow("none") << 1 << QString();
}

void TestMainFrame::stringTableTexts()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(LoadString(id), text);
}

void TestMainFrame::aboutBox()
{
    QString caption, version, button;
    bool isDefault = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<CAboutDlg *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        caption = dialog->windowTitle();
        version = dialog->findChild<QLabel *>(QStringLiteral("version"))->text();
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("ok"));
        button = ok->text();
        isDefault = ok->isDefault();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    m_app->MainFrame()->Action(ID_APP_ABOUT)->trigger();
    QCOMPARE(caption, QStringLiteral("About Quenvale"));
    QCOMPARE(version, QStringLiteral("Quenvale V2.13.En.180517"));
    QCOMPARE(button, QStringLiteral("Ok"));
    QVERIFY(isDefault);

    CAboutDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const auto *icon = dialog.findChild<QLabel *>(QStringLiteral("icon"));
    QVERIFY(icon->contentsRect().contains(QRect(QPoint(), icon->pixmap().size())));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void TestMainFrame::fileNewKeepsColumnsAndCaption()
{
    CMainFrame *frame = m_app->MainFrame();
    const QSize size = frame->size();
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(listChannels(m_app->View())->columnCount(), 6);
    QCOMPARE(frame->windowTitle(), QStringLiteral("Quenvale"));
    QCOMPARE(frame->size(), size);
    QVERIFY(!m_app->TemplateDocument()->IsModified());
    // The edit keys do nothing.
    QTest::keyClick(frame, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(frame, Qt::Key_F6);
    QCOMPARE(tabFiles(m_app->View())->count(), 0);
}

void TestMainFrame::commandLineFilesOpenIntoTabsAndRecentList()
{
    const QString one = m_dir->filePath(QStringLiteral("one.fib"));
    const QString two = m_dir->filePath(QStringLiteral("two.fib"));
    TestSupport::writeFile(one, TestSupport::standardHeader() + TestSupport::fiber("A"));
    TestSupport::writeFile(two, TestSupport::standardHeader() + TestSupport::fiber("B"));
    // A folder among them opens as a lot, in its place among the tabs.
    const QString folder = m_dir->filePath(QStringLiteral("station"));
    QVERIFY(QDir().mkpath(folder));
    delete m_app;
    m_app = new CSDIQVLApp;
    QVERIFY(m_app->InitInstance({one, folder, two}));
    QTRY_COMPARE(tabFiles(m_app->View())->count(), 3);
    QCOMPARE(tabFiles(m_app->View())->tabText(1), QStringLiteral("station"));
    QVERIFY(m_app->Manager().Lot(1) && !m_app->Manager().Lot(0) && !m_app->Manager().Lot(2));
    QCOMPARE(tabFiles(m_app->View())->currentIndex(), 2);
    QTRY_COMPARE(comboFiber(m_app->View())->GetCount(), 1);
    QCOMPARE(m_app->RecentFiles(), (QStringList{two, one}));
    QCOMPARE(m_app->MainFrame()->windowTitle(), QStringLiteral("Quenvale"));
}

void TestMainFrame::droppedFilesOpenLikeFileOpen_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("the form") << QString();
    QTest::newRow("the fiber box's edit field") << QStringLiteral("edit");
    QTest::newRow("the fiber box's list") << QStringLiteral("fibers");
    QTest::newRow("the channel list") << QStringLiteral("channels");
}

// A file dropped anywhere opens into a tab, even over the edit field, and
// never becomes a fiber's name. The drop goes to the window, which hands it
// to the widget under the pointer, as the window system's drops do.
void TestMainFrame::droppedFilesOpenLikeFileOpen()
{
    QFETCH(QString, target);
    const QString one = m_dir->filePath(QStringLiteral("one.fib"));
    const QString two = m_dir->filePath(QStringLiteral("two.fib"));
    TestSupport::writeFile(one, TestSupport::standardHeader() + TestSupport::fiber("A"));
    TestSupport::writeFile(two, TestSupport::standardHeader() + TestSupport::fiber("B"));
    CSDIQVLView *view = m_app->View();
    QVERIFY(readAndWait(view, [&] { m_app->OpenDocumentFiles({one}); }));
    FiberComboBox *box = comboFiber(view);
    box->SetCurSel(0);
    QWidget *under = target == QLatin1String("edit")       ? box->Edit()
                     : target == QLatin1String("fibers")   ? box->List()->viewport()
                     : target == QLatin1String("channels") ? listChannels(view)->viewport()
                                                           : static_cast<QWidget *>(view);
    CMainFrame *frame = m_app->MainFrame();
    const QPoint where = under->mapTo(frame, under->rect().center());

    QMimeData data; // as file managers give it: the file's URL, and as text
    data.setUrls({QUrl::fromLocalFile(two)});
    data.setText(QUrl::fromLocalFile(two).toString());
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame->windowHandle(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(readAndWait(view, [&] { QApplication::sendEvent(frame->windowHandle(), &drop); }));

    QCOMPARE(tabFiles(view)->count(), 2);
    QCOMPARE(tabFiles(view)->tabText(1), QStringLiteral("two.fib"));
    QCOMPARE(box->GetCount(), 1);
    QCOMPARE(box->GetLBBytes(0), QByteArray("B       "));
    QCOMPARE(box->GetWindowText(), QString());
    QCOMPARE(m_app->RecentFiles(), (QStringList{two, one}));
}

void TestMainFrame::recentListKeepsFourAndIsWrittenAtExit()
{
    for (const char *name : {"a.fib", "b.fib", "c.fib", "d.fib", "e.fib", "b.fib"})
        m_app->AddToRecentFileList(m_dir->filePath(QString::fromLatin1(name)));
    const QStringList expected{m_dir->filePath("b.fib"), m_dir->filePath("e.fib"),
                               m_dir->filePath("d.fib"), m_dir->filePath("c.fib")};
    QCOMPARE(m_app->RecentFiles(), expected);
    m_app->SetPreviewPages(2);
    m_app->ExitInstance();

    QSettings settings(CSDIQVLApp::RegistryKey(), CSDIQVLApp::AppName());
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(), expected[0]);
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File4")).toString(), expected[3]);
    QCOMPARE(settings.value(QStringLiteral("Settings/PreviewPages")).toInt(), 2);

    CSDIQVLApp next;
    QVERIFY(next.InitInstance());
    QCOMPARE(next.RecentFiles(), expected);
    QCOMPARE(next.PreviewPages(), 2);
}

// Three files opened by File Open, newest first in the File menu, the
// middle one since removed from disk: choosing it says so and keeps it
// until the user agrees to take it off; choosing another opens it.
void TestMainFrame::recentFilesInTheFileMenu()
{
    ScriptedDialogs dialogs;
    CSDIQVLView *view = m_app->View();
    view->SetFileDialogs(&dialogs);
    QStringList paths;
    for (const char *name : {"a.fib", "b.fib", "c.fib"}) {
        paths.append(m_dir->filePath(QString::fromLatin1(name)));
        TestSupport::writeFile(paths.last(), TestSupport::standardHeader() + TestSupport::fiber("A"));
        dialogs.openAnswers.append(QStringList{paths.last()});
        QVERIFY(readAndWait(view, [view] { view->OnFileOpen(); }));
    }
    QFile::remove(paths[1]);

    CMainFrame *frame = m_app->MainFrame();
    const auto entries = [frame] {
        QStringList shown;
        for (int i = 1; i <= 4; ++i) {
            if (auto *entry = frame->findChild<QAction *>(QStringLiteral("recentFile%1").arg(i)))
                shown.append(entry->text() + QLatin1Char('|') + entry->statusTip());
        }
        return shown;
    };
    QCOMPARE(entries(), (QStringList{"&1 " + paths[2] + '|' + paths[2], "&2 " + paths[1] + '|' + paths[1],
                                     "&3 " + paths[0] + '|' + paths[0]}));
    const auto choose = [frame](int entry) {
        frame->findChild<QAction *>(QStringLiteral("recentFile%1").arg(entry))->trigger();
    };

    choose(2); // the missing one; the user keeps it
    QCOMPARE(dialogs.questions.size(), 1);
    QVERIFY(dialogs.questions[0].contains(paths[1]));
    QCOMPARE(m_app->RecentFiles(), (QStringList{paths[2], paths[1], paths[0]}));
    QCOMPARE(tabFiles(view)->count(), 3);
    dialogs.askAnswers.append(true);
    choose(2);
    QCOMPARE(m_app->RecentFiles(), (QStringList{paths[2], paths[0]}));
    QCOMPARE(entries().size(), 2);

    QVERIFY(readAndWait(view, [&] { choose(2); })); // a.fib, opened again
    QCOMPARE(tabFiles(view)->count(), 4);
    QCOMPARE(tabFiles(view)->currentIndex(), 3);
    QCOMPARE(m_app->RecentFiles(), (QStringList{paths[0], paths[2]}));
    QVERIFY(entries().at(0).startsWith("&1 " + paths[0]));
    QVERIFY(dialogs.messages.isEmpty());
}

// The tab keys from anywhere in the window, each showing the file read
// again as a click would, round the ends; the strip's own arrows with the
// focus on it; Ctrl+W and Ctrl+F4 close as the strip's Close does.
void TestMainFrame::tabKeysGoRoundTheTabs()
{
    CMainFrame *frame = m_app->MainFrame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    CSDIQVLView *view = m_app->View();
    QStringList paths;
    for (const char *name : {"A", "B", "C"}) {
        paths.append(m_dir->filePath(QString::fromLatin1(name) + QStringLiteral(".fib")));
        TestSupport::writeFile(paths.last(), TestSupport::standardHeader() + TestSupport::fiber(name));
    }
    QVERIFY(readAndWait(view, [&] { m_app->OpenDocumentFiles(paths); }));
    listChannels(view)->setFocus();

    const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; } keys[] = {
        {Qt::Key_Tab, Qt::ControlModifier},      {Qt::Key_Tab, Qt::ControlModifier},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_PageUp, Qt::ControlModifier},   {Qt::Key_PageDown, Qt::ControlModifier},
    };
    QString shown;
    for (const auto &key : keys) {
        QSignalSpy read(&view->Manager(), &DocumentManager::readEnded);
        QTest::keyClick(QApplication::focusWidget(), key.key, key.modifiers);
        QVERIFY(read.wait(5000)); // read again, even where the tab is the same
        shown += tabFiles(view)->tabText(tabFiles(view)->currentIndex()).at(0);
        shown += comboFiber(view)->GetLBText(0).at(0);
    }
    QCOMPARE(shown, QStringLiteral("AABBAACCAA"));

    tabFiles(view)->setFocus(Qt::TabFocusReason);
    QVERIFY(readAndWait(view, [&] { QTest::keyClick(tabFiles(view), Qt::Key_End); }));
    QCOMPARE(comboFiber(view)->GetLBText(0).at(0), QLatin1Char('C'));
    QVERIFY(readAndWait(view, [&] { QTest::keyClick(tabFiles(view), Qt::Key_Left); }));
    QCOMPARE(comboFiber(view)->GetLBText(0).at(0), QLatin1Char('B'));

    QVERIFY(readAndWait(view, [&] { QTest::keyClick(frame, Qt::Key_W, Qt::ControlModifier); }));
    QCOMPARE(tabFiles(view)->count(), 2);
    QCOMPARE(comboFiber(view)->GetLBText(0).at(0), QLatin1Char('A')); // the tab left of B
    QVERIFY(readAndWait(view, [&] { QTest::keyClick(frame, Qt::Key_F4, Qt::ControlModifier); }));
    QCOMPARE(tabFiles(view)->count(), 1);
    QCOMPARE(comboFiber(view)->GetLBText(0).at(0), QLatin1Char('C'));
}

// Five files open, the third deleted on disk while another is shown: its
// tab, chosen again with the tab keys, shows the version read last and says
// the file is gone, with no message to answer, each time; once the file is
// back, its tab reads it again.
void TestMainFrame::deletedFileKeepsItsTabsVersion()
{
    CMainFrame *frame = m_app->MainFrame();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    CSDIQVLView *view = m_app->View();
    ScriptedDialogs dialogs;
    view->SetFileDialogs(&dialogs);
    QStringList paths;
    for (const char *name : {"A", "B", "C", "D", "E"}) {
        paths.append(m_dir->filePath(QStringLiteral("t%1.fib").arg(paths.size() + 1)));
        TestSupport::writeFile(paths.last(), TestSupport::standardHeader() + TestSupport::fiber(name));
    }
    QVERIFY(readAndWait(view, [&] { m_app->OpenDocumentFiles(paths); }));
    QVERIFY(QFile::remove(paths[2]));
    const auto notice = [frame] {
        const auto *pane = frame->statusBar()->findChild<QLabel *>(QStringLiteral("fileNotice"));
        return pane->isVisible() ? pane->toolTip() : QString();
    };
    const auto key = [&](Qt::Key which, Qt::KeyboardModifiers modifiers) {
        QVERIFY(readAndWait(view, [&] { QTest::keyClick(QApplication::focusWidget(), which, modifiers); }));
    };
    listChannels(view)->setFocus();
    const QString gone = QStringLiteral("t3.fib is no longer on disk; the window shows it as it was read.");
    for (const Qt::Key step : {Qt::Key_PageUp, Qt::Key_PageUp, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab,
                               Qt::Key_Tab}) {
        key(step, step == Qt::Key_Backtab ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
        const int tab = tabFiles(view)->currentIndex();
        QCOMPARE(comboFiber(view)->GetLBText(0).trimmed(), QString(QLatin1Char("ABCDE"[tab])));
        QCOMPARE(notice(), tab == 2 ? gone : QString());
        QCOMPARE(tabFiles(view)->count(), 5);
    }
    QCOMPARE(tabFiles(view)->currentIndex(), 2);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(frame->statusBar()->currentMessage() == QLatin1String("Ok"));

    TestSupport::writeFile(paths[2], TestSupport::standardHeader() + TestSupport::fiber("Z"));
    QTRY_COMPARE(comboFiber(view)->GetLBText(0).trimmed(), QStringLiteral("Z"));
    QCOMPARE(notice(), QString());
}

// The classes archives create by name are there in the window program.
// A lot's notice (no summary cache: a file holds the name of the cache's
// folder) shows in the status bar and in the lot's figures line, with no
// box to answer while the table keeps up with the folder; the folder's
// escape sequence and bell show as \xNN there, never reaching the window
// system raw.
// Each command is enabled on the kinds of tab its row names, and on no
// other: Print Preview shows no empty page on a lot's tab, and Ctrl+D
// there opens the lot's distributions, not those of a file behind it.
void TestMainFrame::commandsWhereTheyWork()
{
    CMainFrame *frame = m_app->MainFrame();
    CSDIQVLView *view = m_app->View();
    frame->Action(ID_VIEW_VERDICTS)->setChecked(true);
    const auto expect = [&](unsigned where, const char *kind) {
        for (const Commands::Command &command : Commands::Table()) {
            if (command.id <= 0)
                continue;
            QVERIFY2(frame->Action(command.id)->isEnabled() == ((command.where & where) != 0),
                     qPrintable(QStringLiteral("%1 on %2").arg(QString::fromLatin1(command.text), QLatin1String(kind))));
        }
    };
    expect(Commands::WithoutTab, "no tab");
    QVERIFY(!frame->Action(ID_CLOSE_TAB)->isEnabled());
    const QString file = m_dir->filePath(QStringLiteral("one.fib"));
    QVERIFY(TestSupport::writeFile(file, TestSupport::standardHeader() + TestSupport::fiber("A")));
    QVERIFY(readAndWait(view, [&] { m_app->OpenDocumentFiles({file}); }));
    expect(Commands::InFileTab, "a file's tab");
    QVERIFY(frame->Action(ID_VIEW_DISTRIBUTIONS)->isEnabled() && frame->Action(ID_FILE_PRINT_PREVIEW)->isEnabled());

    const QString folder = m_dir->filePath(QStringLiteral("lot"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(view->Manager().OpenFolder(folder));
    QTRY_COMPARE(tabFiles(view)->currentIndex(), 1);
    expect(Commands::InLotTab, "a lot's tab");
    QCOMPARE(frame->windowTitle(), QString::fromUtf8("lot \u2014 Quenvale"));
    QVERIFY(frame->Action(ID_FILE_PRINT_PREVIEW)->isEnabled() && !frame->Action(ID_VIEW_SUMMARY)->isEnabled());
    QVERIFY(frame->Action(ID_FIND_FIBER)->isEnabled() && frame->Action(ID_EDIT_COPY)->isEnabled());
    // Ctrl+D: the lot's own distributions, not those of the file behind it.
    QTest::keyClick(frame, Qt::Key_D, Qt::ControlModifier);
    QVERIFY(!view->findChild<QWidget *>(QStringLiteral("distributions")));
    QTRY_VERIFY(view->findChild<QWidget *>(QStringLiteral("lotDistributions")));

    // Back on the file's tab, and then with every tab closed.
    view->Manager().ShowTab(0);
    expect(Commands::InFileTab, "a file's tab again");
    QCOMPARE(frame->windowTitle(), QStringLiteral("Quenvale"));
    view->Manager().CloseTab();
    view->Manager().CloseTab();
    QTRY_COMPARE(tabFiles(view)->count(), 0);
    expect(Commands::WithoutTab, "no tab again");
}

void TestMainFrame::lotNoticeHoldsNothingUp()
{
    CMainFrame *frame = m_app->MainFrame();
    CSDIQVLView *view = m_app->View();
    ScriptedDialogs dialogs;
    view->SetFileDialogs(&dialogs);
    const QString cache = m_dir->filePath(QString::fromUtf8("cache\x1b]0;pwned\x07"));
    QVERIFY(QDir().mkpath(cache));
    QVERIFY(TestSupport::writeFile(cache + QStringLiteral("/quenvale"), "a file, not a folder"));
    const QByteArray ownCache = qgetenv("XDG_CACHE_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_CACHE_HOME", ownCache); });
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cache));
    const QString folder = m_dir->filePath(QStringLiteral("lot"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/a.fib"),
                                   TestSupport::standardHeader() + TestSupport::fiber("A")));

    QVERIFY(view->Manager().OpenFolder(folder));
    const auto *figures = view->findChild<QLabel *>(QStringLiteral("lotFigures"));
    QVERIFY(figures);
    QTRY_VERIFY_WITH_TIMEOUT(figures->text().contains(QLatin1String("no summary cache")), 10000);
    QVERIFY(figures->text().startsWith(QLatin1String("1 file, ")));
    const QString message = frame->statusBar()->currentMessage();
    QVERIFY2(message.startsWith(QLatin1String("no summary cache")), qPrintable(message));
    QVERIFY2(message.contains(QLatin1String("cache\\x1b]0;pwned\\x07")), qPrintable(message));
    QVERIFY(std::none_of(message.begin(), message.end(), [](QChar c) { return c.unicode() < 0x20; }));
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainFrame::runtimeClassesRegistered()
{
    const CRuntimeClass *text = CRuntimeClass::FromName("CText");
    QVERIFY(text);
    QCOMPARE(QByteArray(text->m_lpszClassName), QByteArray("CText"));
}

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
