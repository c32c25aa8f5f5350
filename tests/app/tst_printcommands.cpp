// Print and Print Preview from the window's commands, with the print dialog
// and the preview window answered by the tests: the page range offered, the
// pages printed (into a PDF file), Cancel in the middle of a job, printing
// from the preview, the preview's one- or two-page view kept in the
// settings, and the report with verdicts while the window shows them.

#include "view/ViewTestSupport.h"

#include "app/CMainFrame.h"
#include "app/CSDIQVLApp.h"
#include "output/StringTable.h"
#include "view/CPreviewView.h"
#include "view/CSDIQVLView.h"

#include <QAction>
#include <QProgressDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace StringTable;
using ViewTestSupport::readAndWait;
using ViewTestSupport::resultFile;

namespace {

int pdfPages(const QString &path)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
    const QString text = QString::fromLatin1(TestSupport::readFile(path));
    int count = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++count;
    return count;
}

} // namespace

class TestPrintCommands : public QObject
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
    void previewKeepsItsViewInTheSettings();
    void printFromThePreview();
    void proposesThePdfBesideTheFile_data();
    void proposesThePdfBesideTheFile();
    void verdictsShownArePrinted_data();
    void verdictsShownArePrinted();

private:
    void open(int fibers, const QString &name = QStringLiteral("in.fib"));

    QTemporaryDir m_settingsDir;
    QTemporaryDir *m_dir = nullptr;
    CSDIQVLApp *m_app = nullptr;
    ScriptedDialogs m_dialogs;
    ScriptedPrint m_print;
};

void TestPrintCommands::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir.path());
}

void TestPrintCommands::init()
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

void TestPrintCommands::cleanup()
{
    delete m_app;
    delete m_dir;
}

void TestPrintCommands::open(int fibers, const QString &name)
{
    QList<QByteArray> names;
    for (int i = 0; i < fibers; ++i)
        names.append("F" + QByteArray::number(i));
    const QString path = m_dir->filePath(name);
    QVERIFY(TestSupport::writeFile(path, resultFile(names)));
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_app->View(), [this] { m_app->MainFrame()->Action(ID_FILE_OPEN)->trigger(); }));
}

void TestPrintCommands::printsTheChosenPages_data()
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

void TestPrintCommands::printsTheChosenPages()
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
    // The job carries the file's name, which a PDF keeps as its title; the
    // document's own without a file.
    const QString name = fibers > 0 ? QStringLiteral("in.fib") : QStringLiteral("qvl");
    QByteArray title("/Title (\xfe\xff");
    for (const QChar c : name)
        title += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xff);
    QVERIFY2(TestSupport::readFile(m_print.pdfPath).contains(title + ')'), qPrintable(name));
}

void TestPrintCommands::cancelPrintsNothing()
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

void TestPrintCommands::cancelInTheMiddleLeavesNoFile_data()
{
    QTest::addColumn<QByteArray>("older"); // empty: no file of that name
    QTest::addColumn<int>("cancelAt");     // the page at which Cancel is pressed; 0: never
    QTest::newRow("cancelled, no older file") << QByteArray() << 5;
    QTest::newRow("cancelled, older file") << QByteArray("older report") << 5;
    QTest::newRow("finished over an older file") << QByteArray("older report") << 0;
}

void TestPrintCommands::cancelInTheMiddleLeavesNoFile()
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

// The next preview opens as the last one was left, and so does the next
// run of the program.
void TestPrintCommands::previewKeepsItsViewInTheSettings()
{
    open(4);
    QList<int> opened;
    auto leaveIn = [&](int pages) {
        m_print.preview = [&opened, pages](CPreviewView &preview) {
            opened.append(preview.Pages());
            if (preview.Pages() != pages)
                preview.findChild<QPushButton *>("numPage")->click();
            preview.findChild<QPushButton *>("close")->click();
        };
        m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    };
    leaveIn(2);
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

void TestPrintCommands::printFromThePreview()
{
    open(4);
    bool previewOpen = false;
    m_print.preview = [&previewOpen](CPreviewView &preview) {
        preview.show();
        preview.findChild<QPushButton *>("print")->click();
        previewOpen = preview.isVisible();
    };
    m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    QVERIFY(!previewOpen);
    QCOMPARE(m_print.printDialogs, 1);
    QCOMPARE(pdfPages(m_print.pdfPath), 3);
}

void TestPrintCommands::proposesThePdfBesideTheFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pdf");
    QTest::newRow(".fib") << "in.fib" << "in.pdf";
    QTest::newRow(".FIB, a blank") << "Run 7.FIB" << "Run 7.pdf";
    QTest::newRow("another suffix") << "notes.txt" << "notes.txt.pdf";
}

// As the command line names a file's PDF, beside the file shown.
void TestPrintCommands::proposesThePdfBesideTheFile()
{
    QFETCH(QString, file);
    QFETCH(QString, pdf);
    open(2, file);
    m_print.accept = false;
    m_app->MainFrame()->Action(ID_FILE_PRINT)->trigger();
    QCOMPARE(m_print.proposedPdf, m_dir->filePath(pdf));
    // The very name the command line gives it in that folder.
    TestSupport::runProgram({QStringLiteral("--print-pdf"), m_dir->path(), m_dir->filePath(file)});
    QVERIFY(QFile::exists(m_dir->filePath(pdf)));
}

QTEST_MAIN(TestPrintCommands)
#include "tst_printcommands.moc"

void TestPrintCommands::verdictsShownArePrinted_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("hidden: the rows alone") << false;
    QTest::newRow("shown: the verdicts first") << true;
}

// Four fibers, the third with a channel below its threshold: 3 of 4 pass.
// Printed into a PDF, and again from the preview.
void TestPrintCommands::verdictsShownArePrinted()
{
    QFETCH(bool, shown);
    const QString path = m_dir->filePath(QStringLiteral("in.fib"));
    QVERIFY(TestSupport::writeFile(path, TestSupport::standardHeader() + TestSupport::fiber("F0")
                                             + TestSupport::fiber("F1") + TestSupport::fiber("F2", "-30.00")
                                             + TestSupport::fiber("F3")));
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_app->View(), [this] { m_app->MainFrame()->Action(ID_FILE_OPEN)->trigger(); }));
    QTRY_VERIFY(m_app->View()->Document().VerdictsKnown());
    if (shown)
        m_app->MainFrame()->Action(ID_VIEW_VERDICTS)->trigger();
    QCOMPARE(m_app->View()->VerdictsShown(), shown);

    const auto text = [this] {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {m_print.pdfPath, QStringLiteral("-")});
        return pdftotext.waitForFinished(30000) ? QString::fromUtf8(pdftotext.readAllStandardOutput()) : QString();
    };
    int previewPages = 0;
    m_print.preview = [&](CPreviewView &preview) {
        previewPages = preview.findChild<QScrollBar *>(QStringLiteral("pageBar"))->maximum();
    };
    m_app->MainFrame()->Action(ID_FILE_PRINT_PREVIEW)->trigger();
    m_app->MainFrame()->Action(ID_FILE_PRINT)->trigger();
    QVERIFY(m_dialogs.messages.isEmpty());
    const QString printed = text();
    QVERIFY(printed.contains(QStringLiteral("F2")));
    QCOMPARE(printed.contains(QStringLiteral("3 of 4 fibers pass (75.0 %)")), shown);
    QCOMPARE(printed.contains(QStringLiteral("Page 1 of")), shown);
    QCOMPARE(pdfPages(m_print.pdfPath), m_print.maxPage);
    QCOMPARE(previewPages, m_print.maxPage);
    if (!shown)
        QCOMPARE(m_print.maxPage, 3); // 72 rows: 27, 29 and 16
    else
        QVERIFY(m_print.maxPage > 3);
}
