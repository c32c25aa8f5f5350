// Print and Print Preview from the window's commands, with the print dialog
// and the preview window answered by the tests: the page range offered, the
// pages printed (into a PDF file), the preview's pages and its one- or
// two-page view kept in the settings.

#include "ViewTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "app/StringTable.h"
#include "view/CSDIQVLView.h"
#include "view/PrintDialogs.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

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
    std::function<void(QPrintPreviewDialog &)> preview;

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
    void ExecPreview(QPrintPreviewDialog &dialog) override
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

// What one preview showed, and the view it is left in.
struct PreviewSeen
{
    int pages = -1;
    QPrintPreviewWidget::ViewMode mode = QPrintPreviewWidget::AllPagesView;
};

std::function<void(QPrintPreviewDialog &)> lookAndLeave(PreviewSeen &seen, const char *leaveIn)
{
    return [&seen, leaveIn](QPrintPreviewDialog &dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *widget = dialog.findChild<QPrintPreviewWidget *>();
        QVERIFY(widget);
        seen.pages = widget->pageCount();
        seen.mode = widget->viewMode();
        if (leaveIn) {
            const QString text = QCoreApplication::translate("QPrintPreviewDialog", leaveIn);
            for (QAction *action : dialog.findChildren<QAction *>())
                if (action->text() == text)
                    action->trigger();
        }
        dialog.close();
    };
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
    void previewShowsTheReportAndKeepsItsView();

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

void TestViewPrint::previewShowsTheReportAndKeepsItsView()
{
    open(4);
    PreviewSeen first;
    m_print.preview = lookAndLeave(first, "Show facing pages");
    m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    QCOMPARE(first.pages, 3);
    QCOMPARE(first.mode, QPrintPreviewWidget::SinglePageView); // nothing kept yet
    QCOMPARE(m_app->View()->PreviewPages(), 2);
    QCOMPARE(m_app->PreviewPages(), 2);

    // The next preview opens as the last one was left, and so does the next
    // run of the program.
    PreviewSeen second;
    m_print.preview = lookAndLeave(second, nullptr);
    m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    QCOMPARE(second.mode, QPrintPreviewWidget::FacingPagesView);
    m_app->ExitInstance();
    QCOMPARE(QSettings(CSDIQVLApp::RegistryKey(), CSDIQVLApp::AppName())
                 .value(QStringLiteral("Settings/PreviewPages"))
                 .toInt(),
             2);

    PreviewSeen third;
    m_print.preview = lookAndLeave(third, "Show single page");
    m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    QCOMPARE(third.mode, QPrintPreviewWidget::FacingPagesView);
    QCOMPARE(m_app->PreviewPages(), 1);
}

QTEST_MAIN(TestViewPrint)
#include "tst_viewprint.moc"
