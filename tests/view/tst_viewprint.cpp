// Print and Print Preview from the window's commands, with the print dialog
// and the preview window answered by the tests: the page range offered, the
// pages printed (into a PDF file), Cancel in the middle of a job, the
// preview's pages drawn only when shown, its tool bar, and its one- or
// two-page view kept in the settings.

#include "ViewTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "output/PrintReport.h"
#include "output/StringTable.h"
#include "view/CPreviewView.h"
#include "view/CSDIQVLView.h"
#include "view/PrintDialogs.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>

using namespace StringTable;
using ViewTestSupport::resultFile;

namespace {

class ScriptedPrint : public PrintDialogs
{
public:
    QString pdfPath;
    bool accept = true;
    int fromPage = 0;
    int toPage = 0;
    int minPage = -1;
    int maxPage = -1;
    int printDialogs = 0;
    std::function<void(CPreviewView &)> preview;

    bool ExecPrintDialog(QPrintDialog &dialog) override
    {
        ++printDialogs;
        minPage = dialog.minPage();
        maxPage = dialog.maxPage();
        QPrinter *printer = dialog.printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
        if (fromPage > 0) {
            printer->setPrintRange(QPrinter::PageRange);
            printer->setFromTo(fromPage, toPage);
        }
        return accept;
    }
    void ExecPreview(CPreviewView &dialog) override
    {
        if (preview)
            preview(dialog);
    }
};

int pdfPages(const QString &path)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    const QString text = QString::fromLatin1(TestSupport::readFile(path));
    int count = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

// Lets the pages asked for by the last step be painted.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

PrintReport reportOf(int rows)
{
    MeasurementRows list;
    for (int i = 0; i < rows; ++i)
        list.Append(MeasurementRow("F1", "01", "1271.0", "-5.00", "-30.00", "2018-05-17", "10:00:00"));
    PrintReport report;
    report.SetRows(list);
    return report;
}

} // namespace

class TestViewPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void printsTheChosenPages_data();
    void printsTheChosenPages();
    void cancelPrintsNothing();
    void cancelInTheMiddleLeavesNoFile_data();
    void cancelInTheMiddleLeavesNoFile();
    void previewDrawsOnlyThePagesOnScreen_data();
    void previewDrawsOnlyThePagesOnScreen();
    void previewToolBar();
    void previewKeepsItsViewInTheSettings();
    void printFromThePreview();

private:
    void open(int fibers);

    QTemporaryDir m_settingsDir;
    QTemporaryDir *m_dir = nullptr;
    CSDIQVLApp *m_app = nullptr;
    ScriptedDialogs m_dialogs;
    ScriptedPrint m_print;
};

void TestViewPrint::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
}

void TestViewPrint::init()
{
    QSettings(CSDIQVLApp::RegistryKey(), CSDIQVLApp::AppName()).clear();
    m_dir = new QTemporaryDir;
    m_dialogs = ScriptedDialogs();
    m_print = ScriptedPrint();
    m_print.pdfPath = m_dir->filePath(QStringLiteral("out.pdf"));
    m_app = new CSDIQVLApp;
    QVERIFY(m_app->InitInstance());
    m_app->View()->SetFileDialogs(&m_dialogs);
    m_app->View()->SetPrintDialogs(&m_print);
    QVERIFY(QTest::qWaitForWindowExposed(m_app->MainFrame()));
}

void TestViewPrint::cleanup()
{
    delete m_app;
    delete m_dir;
}

void TestViewPrint::open(int fibers)
{
    QList<QByteArray> names;
    for (int i = 0; i < fibers; ++i)
        names.append("F" + QByteArray::number(i));
    const QString path = m_dir->filePath(QStringLiteral("in.fib"));
    QVERIFY(TestSupport::writeFile(path, resultFile(names)));
    m_dialogs.openAnswers.append(QStringList{path});
    m_app->MainFrame()->Action(ID_FILE_OPEN)->trigger();
}

void TestViewPrint::printsTheChosenPages_data()
{
    QTest::addColumn<int>("fibers");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("maxPage");
    QTest::addColumn<int>("printed");
    QTest::newRow("no file: one page") << 0 << 0 << 0 << 1 << 1;
    QTest::newRow("72 rows, all") << 4 << 0 << 0 << 3 << 3;
    QTest::newRow("72 rows, 2 to 3") << 4 << 2 << 3 << 3 << 2;
    QTest::newRow("72 rows, 2 only") << 4 << 2 << 2 << 3 << 1;
}

void TestViewPrint::printsTheChosenPages()
{
    QFETCH(int, fibers);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, maxPage);
    QFETCH(int, printed);
    if (fibers > 0)
        open(fibers);
    m_print.fromPage = from;
    m_print.toPage = to;
    // By its key, as the user would.
    QTest::keyClick(m_app->MainFrame(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(m_print.printDialogs, 1);
    QCOMPARE(m_print.minPage, 1);
    QCOMPARE(m_print.maxPage, maxPage);
    QCOMPARE(pdfPages(m_print.pdfPath), printed);
    QVERIFY(m_dialogs.messages.isEmpty());
    // The job carries the document's name, which a PDF keeps as its title.
    const QByteArray title("/Title (\xfe\xff\0q\0v\0l)", 17);
    QVERIFY(TestSupport::readFile(m_print.pdfPath).contains(title));
}

void TestViewPrint::cancelPrintsNothing()
{
    open(2);
    m_print.accept = false;
    m_app->MainFrame()->Action(ID_FILE_PRINT)->trigger();
    QCOMPARE(m_print.printDialogs, 1);
    QVERIFY(!QFile::exists(m_print.pdfPath));

    // A printer that cannot be written to is told, not passed over.
    m_print.accept = true;
    m_print.pdfPath = m_dir->filePath(QStringLiteral("missing/folder/out.pdf"));
    m_app->MainFrame()->Action(ID_FILE_PRINT)->trigger();
    QCOMPARE(m_dialogs.messages.size(), 1);
}

void TestViewPrint::cancelInTheMiddleLeavesNoFile_data()
{
    QTest::addColumn<QByteArray>("older"); // empty: no file of that name
    QTest::addColumn<int>("cancelAt");     // the page at which Cancel is pressed; 0: never
    QTest::newRow("cancelled, no older file") << QByteArray() << 5;
    QTest::newRow("cancelled, older file") << QByteArray("older report") << 5;
    QTest::newRow("finished over an older file") << QByteArray("older report") << 0;
}

void TestViewPrint::cancelInTheMiddleLeavesNoFile()
{
    QFETCH(QByteArray, older);
    QFETCH(int, cancelAt);
    open(40); // 720 rows, 25 pages
    if (!older.isEmpty())
        QVERIFY(TestSupport::writeFile(m_print.pdfPath, older));

    // Cancel is pressed while the job runs, as soon as it is at that page.
    int cancelledAt = 0;
    QTimer press;
    connect(&press, &QTimer::timeout, this, [&] {
        auto *progress = m_app->MainFrame()->findChild<QProgressDialog *>();
        if (!progress || cancelAt == 0 || cancelledAt || progress->value() < cancelAt - 1)
            return;
        cancelledAt = progress->value() + 1;
        QVERIFY(progress->labelText().endsWith(QStringLiteral(" of 25")));
        progress->findChild<QPushButton *>()->click();
    });
    press.start(0);
    m_app->MainFrame()->Action(ID_FILE_PRINT)->trigger();
    press.stop();

    QVERIFY(m_dialogs.messages.isEmpty()); // stopping is no failure
    const QStringList left = QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden);
    if (cancelAt > 0) {
        QVERIFY(cancelledAt > 1 && cancelledAt < 25);
        if (older.isEmpty())
            QCOMPARE(left, QStringList{QStringLiteral("in.fib")});
        else
            QCOMPARE(TestSupport::readFile(m_print.pdfPath), older);
    } else {
        QCOMPARE(pdfPages(m_print.pdfPath), 25);
    }
    if (!older.isEmpty() || cancelAt == 0)
        QCOMPARE(left, (QStringList{QStringLiteral("in.fib"), QStringLiteral("out.pdf")}));
}

void TestViewPrint::previewDrawsOnlyThePagesOnScreen_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages"); // side by side
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("drawn"); // every page drawn, in order
    QTest::addColumn<QString>("status");

    const int big = 1000000; // 34,483 pages
    QTest::newRow("open") << big << 1 << "" << QList<int>{1} << "Page 1 of 34483";
    QTest::newRow("open, two pages")
        << big << 2 << "" << QList<int>{1, 2} << "Pages 1-2 of 34483";
    QTest::newRow("End") << big << 1 << "End" << QList<int>{1, 34483} << "Page 34483 of 34483";
    QTest::newRow("End, two pages")
        << big << 2 << "End" << QList<int>{1, 2, 34482, 34483} << "Pages 34482-34483 of 34483";
    QTest::newRow("Next, two pages: page 2 stays")
        << big << 2 << "PgDn" << QList<int>{1, 2, 3} << "Pages 2-3 of 34483";
    QTest::newRow("End, then Home") << big << 1 << "End Home" << QList<int>{1, 34483, 1}
                                    << "Page 1 of 34483";
    QTest::newRow("Next past the end") << 57 << 1 << "Next Next Next PgDn"
                                       << QList<int>{1, 2, 3} << "Page 3 of 3";
    QTest::newRow("Next past the end, two pages")
        << 57 << 2 << "Next Next PgDn" << QList<int>{1, 2, 3} << "Pages 2-3 of 3";
    QTest::newRow("Prev and PgUp before the first")
        << 57 << 1 << "PgDn Prev PgUp Prev" << QList<int>{1, 2, 1} << "Page 1 of 3";
    QTest::newRow("a repaint draws nothing again")
        << 57 << 2 << "repaint" << QList<int>{1, 2} << "Pages 1-2 of 3";
    QTest::newRow("one page only, two asked")
        << 27 << 2 << "PgDn End" << QList<int>{1} << "Page 1 of 1";
}

void TestViewPrint::previewDrawsOnlyThePagesOnScreen()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(QString, steps);
    QFETCH(QList<int>, drawn);
    QFETCH(QString, status);

    static const PrintReport big = reportOf(1000000);
    const PrintReport report = rows == big.RowCount() ? big : reportOf(rows);
    const QPrinter printer(QPrinter::HighResolution);
    CPreviewView preview(report, printer, pages);
    QList<int> seen;
    connect(&preview, &CPreviewView::pageDrawn, this, [&seen](int page) { seen.append(page); });
    preview.resize(980, 1000);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    settle();
    const QHash<QString, Qt::Key> keys{{QStringLiteral("PgDn"), Qt::Key_PageDown},
                                       {QStringLiteral("PgUp"), Qt::Key_PageUp},
                                       {QStringLiteral("Home"), Qt::Key_Home},
                                       {QStringLiteral("End"), Qt::Key_End}};
    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (keys.contains(step))
            QTest::keyClick(&preview, keys.value(step));
        else if (step == QLatin1String("Next"))
            preview.Button(CPreviewView::NextPage)->click();
        else if (step == QLatin1String("Prev"))
            preview.Button(CPreviewView::PrevPage)->click();
        else
            preview.grab(); // paints the whole window again
        settle();
    }
    QCOMPARE(seen, drawn);
    QCOMPARE(preview.StatusBar()->currentMessage(), status);
}

void TestViewPrint::previewToolBar()
{
    const PrintReport report = reportOf(57);
    const QPrinter printer(QPrinter::HighResolution);
    CPreviewView preview(report, printer, 1);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto texts = [&preview] {
        QStringList list;
        for (QAction *action : preview.ToolBar()->actions())
            if (auto *button = qobject_cast<QPushButton *>(preview.ToolBar()->widgetForAction(action)))
                list.append(button->text());
        return list;
    };
    QCOMPARE(texts(), (QStringList{"&Print...", "&Next Page", "Pre&v Page", "&Two Page",
                                   "Zoom &In", "Zoom &Out", "&Close"}));
    preview.Button(CPreviewView::NumPage)->click();
    QCOMPARE(texts().at(3), QStringLiteral("&One Page"));
    QCOMPARE(preview.Pages(), 2);

    QPushButton *close = preview.Button(CPreviewView::Close);
    QCOMPARE(close->statusTip(), QString::fromUtf8("关闭打印预览模式"));
    QCOMPARE(close->toolTip(), QString::fromUtf8("取消预阅"));
    QStatusTipEvent tip(close->statusTip());
    QCoreApplication::sendEvent(close, &tip);
    QCOMPARE(preview.StatusBar()->currentMessage(), close->statusTip());

    QTest::keyClick(&preview, Qt::Key_Escape);
    QVERIFY(!preview.isVisible());
    QVERIFY(!preview.PrintChosen());
}

// The next preview opens as the last one was left, and so does the next
// run of the program.
void TestViewPrint::previewKeepsItsViewInTheSettings()
{
    open(4);
    QList<int> opened;
    auto leaveIn = [&](int pages) {
        m_print.preview = [&opened, pages](CPreviewView &preview) {
            opened.append(preview.Pages());
            if (preview.Pages() != pages)
                preview.Button(CPreviewView::NumPage)->click();
            preview.Button(CPreviewView::Close)->click();
        };
        m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    };
    leaveIn(2);
    QCOMPARE(m_app->View()->PreviewPages(), 2);
    QCOMPARE(m_app->PreviewPages(), 2);
    leaveIn(2);
    m_app->ExitInstance();
    QCOMPARE(QSettings(CSDIQVLApp::RegistryKey(), CSDIQVLApp::AppName())
                 .value(QStringLiteral("Settings/PreviewPages"))
                 .toInt(),
             2);
    leaveIn(1);
    QCOMPARE(opened, (QList<int>{1, 2, 2})); // nothing kept at first: one page
    QCOMPARE(m_app->PreviewPages(), 1);
}

void TestViewPrint::printFromThePreview()
{
    open(4);
    bool previewOpen = false;
    m_print.preview = [&previewOpen](CPreviewView &preview) {
        preview.show();
        preview.Button(CPreviewView::Print)->click();
        previewOpen = preview.isVisible();
    };
    m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    QVERIFY(!previewOpen);
    QCOMPARE(m_print.printDialogs, 1);
    QCOMPARE(pdfPages(m_print.pdfPath), 3);
}

QTEST_MAIN(TestViewPrint)
#include "tst_viewprint.moc"
