// Save and Save As from the window with the save dialog answered by the
// tests: the names of the fiber box stamped into their own blocks, the
// ".csv" rule, Save's rule for the remembered file, and failed writes;
// Export Workbook: the workbook of the file shown, and a failed one told.

#include "ViewTestSupport.h"
#include "WorkbookReader.h"

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QHash>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using namespace ViewTestSupport;

namespace {

// Typed as the user would, one key event per character, whatever the script.
void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestViewExport : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void savedNameAndRemembered_data();
    void savedNameAndRemembered();
    void saveWritesOnlyWhileTheFileIsMissing();
    void replacesWithoutQuestion();
    void emptyStoreGivesEmptyFile();
    void namesFollowTheirBlocks();
    void renamedFiberReachesItsBlockOnly();
    void keysChooseWhatTypingRenames_data();
    void keysChooseWhatTypingRenames();
    void failedWriteIsToldAndKeepsWhatWasThere();
    void workbookOfTheFileShown();
    void failedWorkbookIsToldAndKeepsWhatWasThere();
    void stoppedWorkbookKeepsTheOlderFile();

private:
    void open(const QList<QByteArray> &fibers);
    void choose(int pos) { chooseFiber(m_view, pos); }
    QList<QByteArray> firstFields(const QString &path) const;

    QTemporaryDir *m_dir = nullptr;
    CSDIQVLView *m_view = nullptr;
    ScriptedDialogs m_dialogs;
};

void TestViewExport::init()
{
    m_dir = new QTemporaryDir;
    m_dialogs = ScriptedDialogs();
    m_view = showView(m_dialogs);
    QVERIFY(m_view);
}

void TestViewExport::cleanup()
{
    delete m_view;
    delete m_dir;
}

void TestViewExport::open(const QList<QByteArray> &fibers)
{
    const QString path = m_dir->filePath(QStringLiteral("in.fib"));
    QVERIFY(TestSupport::writeFile(path, resultFile(fibers)));
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
}

QList<QByteArray> TestViewExport::firstFields(const QString &path) const
{
    QList<QByteArray> fields;
    const QList<QByteArray> lines = TestSupport::readFile(path).split('\n');
    for (const QByteArray &line : lines) {
        if (!line.isEmpty())
            fields.append(line.left(line.indexOf(',')));
    }
    return fields;
}

void TestViewExport::savedNameAndRemembered_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("remembered");
    QTest::newRow("result.csv") << "result.csv" << "result.csv" << true;
    QTest::newRow("result") << "result" << "result.csv" << false;
    QTest::newRow("RESULT.CSV") << "RESULT.CSV" << "RESULT.CSV.csv" << false;
    QTest::newRow("result.txt") << "result.txt" << "result.txt.csv" << false;
}

void TestViewExport::savedNameAndRemembered()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, remembered);
    open({"F1"});
    m_dialogs.saveAnswers.append(m_dir->filePath(chosen));
    m_view->OnFileSaveAs();
    QCOMPARE(m_dialogs.lastFilter, QStringLiteral("csv(*.csv)"));
    QStringList files = QDir(m_dir->path()).entryList(QDir::Files);
    files.removeOne(QStringLiteral("in.fib"));
    QCOMPARE(files, QStringList{written});
    QCOMPARE(firstFields(m_dir->filePath(written)).size(), 18);

    // Save asks again unless a name was remembered.
    m_view->OnFileSave();
    QCOMPARE(m_dialogs.saveCount, remembered ? 1 : 2);
}

void TestViewExport::saveWritesOnlyWhileTheFileIsMissing()
{
    open({"F1"});
    const QString path = m_dir->filePath(QStringLiteral("result.csv"));
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSave(); // nothing remembered: the dialog
    QCOMPARE(m_dialogs.saveCount, 1);
    QVERIFY(QFile::exists(path));

    // Another file shown, the export changed by hand: Save leaves it alone.
    open({"F1", "F2"});
    QVERIFY(TestSupport::writeFile(path, "kept"));
    m_view->OnFileSave();
    QCOMPARE(m_dialogs.saveCount, 1);
    QCOMPARE(TestSupport::readFile(path), QByteArray("kept"));

    // Once it is gone, Save asks again; a cancel writes nothing.
    QVERIFY(QFile::remove(path));
    m_view->OnFileSave();
    QCOMPARE(m_dialogs.saveCount, 2);
    QVERIFY(!QFile::exists(path));
    // The name stays remembered: once the file is back, Save leaves it be.
    QVERIFY(TestSupport::writeFile(path, "back"));
    m_view->OnFileSave();
    QCOMPARE(m_dialogs.saveCount, 2);
}

void TestViewExport::replacesWithoutQuestion()
{
    open({"F1"});
    const QString path = m_dir->filePath(QStringLiteral("old.csv"));
    QVERIFY(TestSupport::writeFile(path, QByteArray(5000, 'x')));
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSaveAs();
    QVERIFY(m_dialogs.messages.isEmpty());
    const QByteArray text = TestSupport::readFile(path);
    QVERIFY(text.startsWith("F1      ,  01,      1271.0,"));
    QVERIFY(!text.contains('x'));

    // A file of two names is replaced under the one chosen, and the user is told.
    const QString other = m_dir->filePath(QStringLiteral("other.csv"));
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
    open({"F2"});
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSaveAs();
    QCOMPARE(m_dialogs.messages,
             QStringList{QStringLiteral("\"%1\" had 2 links; the others keep the old content").arg(path)});
    QVERIFY(TestSupport::readFile(path).startsWith("F2 "));
    QCOMPARE(TestSupport::readFile(other), text);
}

void TestViewExport::emptyStoreGivesEmptyFile()
{
    const QString path = m_dir->filePath(QStringLiteral("empty.csv"));
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSaveAs();
    QCOMPARE(m_dialogs.saveCount, 1);
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestViewExport::namesFollowTheirBlocks()
{
    // The box lists A B C; each name still goes to its own block.
    open({"C", "A", "B"});
    const QString path = m_dir->filePath(QStringLiteral("out.csv"));
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSaveAs();
    const QList<QByteArray> fields = firstFields(path);
    QCOMPARE(fields.size(), 54);
    QCOMPARE(fields.mid(0, 18), QList<QByteArray>(18, "C       "));
    QCOMPARE(fields.mid(18, 18), QList<QByteArray>(18, "A       "));
    QCOMPARE(fields.mid(36, 18), QList<QByteArray>(18, "B       "));
}

void TestViewExport::renamedFiberReachesItsBlockOnly()
{
    // Code page 936 names keep their bytes unless renamed.
    const QByteArray first = "\xb9\xe2\xcf\xcb" "02"; // listed second
    const QByteArray second = "\xb9\xe2\xcf\xcb" "01";
    open({first, second});
    choose(1);
    QLineEdit *edit = comboFiber(m_view)->Edit();
    edit->selectAll();
    typeText(edit, QStringLiteral("\u65b0X")); // 新X

    const QString path = m_dir->filePath(QStringLiteral("renamed.csv"));
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSaveAs();
    const QList<QByteArray> fields = firstFields(path);
    QCOMPARE(fields.mid(0, 18), QList<QByteArray>(18, "\xd0\xc2X"));
    QCOMPARE(fields.mid(18, 18), QList<QByteArray>(18, second + "  "));

    // A name longer than a field is cut to 48 bytes, between characters.
    edit->setText(QString());
    typeText(edit, QStringLiteral("A") + QString(30, QChar(0x65b0)));
    m_dialogs.saveAnswers.append(path);
    m_view->OnFileSaveAs();
    QCOMPARE(firstFields(path).first(), "A" + QByteArray("\xd0\xc2").repeated(23));
}

void TestViewExport::keysChooseWhatTypingRenames_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QList<QByteArray>>("names"); // of the three blocks, as exported
    QTest::newRow("choose, Down, type")
        << QStringList{"click 0", "list Down", "type x"} << 1
        << QList<QByteArray>{"F1      ", "F2      x", "F3      "};
    QTest::newRow("type, Down, type")
        << QStringList{"click 0", "type a", "edit Down", "type b"} << 1
        << QList<QByteArray>{"F1      a", "F2      b", "F3      "};
    QTest::newRow("into the edit field, Down, type")
        << QStringList{"edit Down", "type x"} << 0
        << QList<QByteArray>{"F1      x", "F2      ", "F3      "};
    QTest::newRow("End in the list, Up in the edit field")
        << QStringList{"click 0", "list End", "edit Up", "type y"} << 1
        << QList<QByteArray>{"F1      ", "F2      y", "F3      "};
    QTest::newRow("Page Down in the edit field")
        << QStringList{"click 0", "edit PageDown", "type z"} << 2
        << QList<QByteArray>{"F1      ", "F2      ", "F3      z"};
    QTest::newRow("drag from one entry to another")
        << QStringList{"drag 0 2", "type z"} << 2
        << QList<QByteArray>{"F1      ", "F2      ", "F3      z"};
}

// Whatever moves the box's selection chooses that entry at once, so the
// list follows and typing renames the entry the edit field shows; the
// export then names every block by its own entry.
void TestViewExport::keysChooseWhatTypingRenames()
{
    QFETCH(QStringList, steps);
    QFETCH(int, chosen);
    QFETCH(QList<QByteArray>, names);
    const QString in = m_dir->filePath(QStringLiteral("in.fib"));
    QVERIFY(TestSupport::writeFile(in, TestSupport::standardHeader()
                                           + TestSupport::fiber("F1", "-10.50")
                                           + TestSupport::fiber("F2", "-11.50")
                                           + TestSupport::fiber("F3", "-12.50")));
    m_dialogs.openAnswers.append(QStringList{in});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));

    FiberComboBox *box = comboFiber(m_view);
    QListView *list = box->List();
    const auto entryCentre = [list](const QString &row) {
        return list->visualRect(list->model()->index(row.toInt(), 0)).center();
    };
    const QHash<QString, Qt::Key> keys{{"Down", Qt::Key_Down}, {"Up", Qt::Key_Up},
                                       {"End", Qt::Key_End}, {"PageDown", Qt::Key_PageDown}};
    for (const QString &step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("click")) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entryCentre(words[1]));
        } else if (words[0] == QLatin1String("drag")) {
            QTest::mousePress(list->viewport(), Qt::LeftButton, {}, entryCentre(words[1]));
            QTest::mouseMove(list->viewport(), entryCentre(words[2]));
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, entryCentre(words[2]));
        } else if (words[0] == QLatin1String("type")) {
            typeText(box->Edit(), words[1]);
        } else {
            QWidget *target = words[0] == QLatin1String("list") ? static_cast<QWidget *>(list)
                                                                 : box->Edit();
            QTest::keyClick(target, keys.value(words[1]));
        }
    }
    QCOMPARE(box->GetCurSel(), chosen);
    QCOMPARE(listChannels(m_view)->item(0, 2)->text(), QStringLiteral("  -1%1.50").arg(chosen));

    const QString out = m_dir->filePath(QStringLiteral("out.csv"));
    m_dialogs.saveAnswers.append(out);
    m_view->OnFileSaveAs();
    const QList<QByteArray> fields = firstFields(out);
    QCOMPARE(fields.size(), 54);
    for (int block = 0; block < 3; ++block)
        QCOMPARE(fields.mid(18 * block, 18), QList<QByteArray>(18, names[block]));
}

void TestViewExport::failedWriteIsToldAndKeepsWhatWasThere()
{
    open({"F1"});
    const QString blocker = m_dir->filePath(QStringLiteral("plain"));
    QVERIFY(TestSupport::writeFile(blocker, "a file, not a folder"));
    const QString folder = m_dir->filePath(QStringLiteral("folder.csv"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.csv")));
    QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/inside"), "kept"));

    for (const QString &path : {blocker + QStringLiteral("/out.csv"), folder}) {
        m_dialogs.messages.clear();
        m_dialogs.saveAnswers.append(path);
        m_view->OnFileSaveAs();
        QCOMPARE(m_dialogs.messages.size(), 1);
        QVERIFY2(m_dialogs.messages.first().contains(path), qPrintable(m_dialogs.messages.first()));
        // Nothing written, nothing remembered: Save asks again.
        const int asked = m_dialogs.saveCount;
        m_view->OnFileSave();
        QCOMPARE(m_dialogs.saveCount, asked + 1);
    }
    QCOMPARE(TestSupport::readFile(blocker), QByteArray("a file, not a folder"));
    QCOMPARE(TestSupport::readFile(folder + QStringLiteral("/inside")), QByteArray("kept"));
}

// A fiber that passes and one whose channel 02 reads -30.00 dBm, below its
// threshold of -25.00: PASS and FAIL, a row of the Rows sheet per channel.
// A name typed without a suffix gets ".xlsx".
void TestViewExport::workbookOfTheFileShown()
{
    const QString path = m_dir->filePath(QStringLiteral("in.fib"));
    QVERIFY(TestSupport::writeFile(path, TestSupport::standardHeader() + TestSupport::fiber("P1")
                                             + fiberWithPowers("Q2", {"-12.34", "-30.00"})));
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
    m_dialogs.saveAnswers.append(m_dir->filePath(QStringLiteral("book")));
    m_view->OnFileExportWorkbook();
    QCOMPARE(m_dialogs.lastFilter, QStringLiteral("xlsx(*.xlsx)"));
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.join('\n')));
    const QString workbook = m_dir->filePath(QStringLiteral("book.xlsx"));
    QCOMPARE(WorkbookReader::SheetNames(workbook),
             (QStringList{QStringLiteral("Fibers"), QStringLiteral("Channels"), QStringLiteral("Rows")}));
    const auto fibers =
        WorkbookReader::Cells(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet1.xml")), 3);
    QCOMPARE(fibers.value(QStringLiteral("A2")).text, QStringLiteral("P1"));
    QCOMPARE(fibers.value(QStringLiteral("B2")).text, QStringLiteral("PASS"));
    QCOMPARE(fibers.value(QStringLiteral("A3")).text, QStringLiteral("Q2"));
    QCOMPARE(fibers.value(QStringLiteral("B3")).text, QStringLiteral("FAIL"));
    QVERIFY(WorkbookReader::Part(workbook, QStringLiteral("xl/worksheets/sheet3.xml"))
                .contains("<dimension ref=\"A1:G37\"/>"));
}

// Into a folder that is a file, and over a folder: told with the name, the
// folder's content kept, nothing left beside.
void TestViewExport::failedWorkbookIsToldAndKeepsWhatWasThere()
{
    open({"F1"});
    const QString blocker = m_dir->filePath(QStringLiteral("plain"));
    QVERIFY(TestSupport::writeFile(blocker, "a file, not a folder"));
    const QString folder = m_dir->filePath(QStringLiteral("folder.xlsx"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.xlsx")));
    QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/inside"), "kept"));
    for (const QString &path : {blocker + QStringLiteral("/out.xlsx"), folder}) {
        m_dialogs.messages.clear();
        m_dialogs.saveAnswers.append(path);
        m_view->OnFileExportWorkbook();
        QCOMPARE(m_dialogs.messages.size(), 1);
        QVERIFY2(m_dialogs.messages.first().contains(path), qPrintable(m_dialogs.messages.first()));
    }
    QCOMPARE(TestSupport::readFile(blocker), QByteArray("a file, not a folder"));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("inside")});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("in.fib"), QStringLiteral("plain")}));
}

// Stop in the progress dialog, once it shows, while the workbook of 360,000
// rows is written: no message, the older file as it was, nothing beside it.
void TestViewExport::stoppedWorkbookKeepsTheOlderFile()
{
    QList<QByteArray> names;
    for (int i = 0; i < 20000; ++i)
        names.append("F" + QByteArray::number(i));
    open(names);
    const QString workbook = m_dir->filePath(QStringLiteral("book.xlsx"));
    QVERIFY(TestSupport::writeFile(workbook, "older"));
    bool pressed = false;
    QTimer press;
    connect(&press, &QTimer::timeout, this, [&] {
        auto *progress = m_view->findChild<QProgressDialog *>(QStringLiteral("exportProgress"));
        if (!progress || !progress->isVisible() || pressed)
            return;
        pressed = true;
        progress->findChild<QPushButton *>()->click();
    });
    press.start(0);
    m_dialogs.saveAnswers.append(workbook);
    m_view->OnFileExportWorkbook();
    press.stop();
    QVERIFY(pressed);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.join('\n')));
    QCOMPARE(TestSupport::readFile(workbook), QByteArray("older"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("book.xlsx"), QStringLiteral("in.fib")}));
}

QTEST_MAIN(TestViewExport)
#include "tst_viewexport.moc"
