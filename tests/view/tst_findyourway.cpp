// Finding one's way through the window: the fiber box's find field, Copy
// from the channel list and the box, and the file shown kept up with its
// changes on disk.

#include "ViewTestSupport.h"

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <cstdio>

using namespace ViewTestSupport;

namespace {

// "光纤01" in code page 936.
const QByteArray kChineseName("\xB9\xE2\xCF\xCB" "01");

} // namespace

class TestFindYourWay : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findFiltersAndPicks_data();
    void findFiltersAndPicks();
    void copiesRowsUnderTheirHeadings_data();
    void copiesRowsUnderTheirHeadings();
    void changedFileIsReadAgain_data();
    void changedFileIsReadAgain();
    void vanishedFileKeepsItsTab();
    void changeWaitsForThePreview();

private:
    void open(const QByteArray &bytes);
    QStringList shownEntries() const;
    QString power(int row) const { return listChannels(m_view)->item(row, 2)->text().trimmed(); }

    QTemporaryDir *m_dir = nullptr;
    QString m_path;
    CSDIQVLView *m_view = nullptr;
    ScriptedDialogs m_dialogs;
    QString m_notice;
};

void TestFindYourWay::init()
{
    m_dir = new QTemporaryDir;
    m_path = m_dir->filePath(QStringLiteral("live.fib"));
    m_dialogs = ScriptedDialogs();
    m_view = showView(m_dialogs);
    QVERIFY(m_view);
    connect(&m_view->Document(), &ResultDocument::changed, this,
            [this] { m_notice = m_view->Document().NoticeText(); });
}

void TestFindYourWay::cleanup()
{
    delete m_view;
    delete m_dir;
    m_notice.clear();
}

void TestFindYourWay::open(const QByteArray &bytes)
{
    QVERIFY(TestSupport::writeFile(m_path, bytes));
    QVERIFY(readAndWait(m_view, [this] { m_view->OpenFiles({m_path}); }));
}

QStringList TestFindYourWay::shownEntries() const
{
    QStringList texts;
    const QAbstractItemModel *model = comboFiber(m_view)->List()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString().trimmed());
    return texts;
}

void TestFindYourWay::findFiltersAndPicks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("shown");
    const QString chinese = QString::fromUtf8("光纤01");
    QTest::newRow("either case, Enter") << "alp" << int(Qt::Key_Return) << QStringList{"ALPHA1", "alpha2"};
    QTest::newRow("inside a name, Down") << "A2" << int(Qt::Key_Down) << QStringList{"alpha2"};
    QTest::newRow("code page 936") << QString::fromUtf8("光纤") << int(Qt::Key_Return) << QStringList{chinese};
    QTest::newRow("nothing found") << "zz" << int(Qt::Key_Return) << QStringList();
}

// The box holds ALPHA1 BETA alpha2 光纤01 (in code page 936), in that order.
void TestFindYourWay::findFiltersAndPicks()
{
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QStringList, shown);
    open(resultFile({"ALPHA1", "BETA", "alpha2", kChineseName}));
    FiberComboBox *box = comboFiber(m_view);
    QCOMPARE(box->GetCount(), 4);

    m_view->OnEditFind();
    QLineEdit *find = box->findChild<QLineEdit *>(QStringLiteral("findFiber"));
    QVERIFY(find && find->isVisible() && find->hasFocus());
    // Letters from the keys, Chinese as an input method commits it.
    if (typed.toLatin1() == typed.toUtf8()) {
        QTest::keyClicks(find, typed);
    } else {
        QInputMethodEvent typing;
        typing.setCommitString(typed);
        QApplication::sendEvent(find, &typing);
    }
    QCOMPARE(shownEntries(), shown);

    QTest::keyClick(find, Qt::Key(key));
    if (shown.isEmpty()) {
        QCOMPARE(box->GetCurSel(), -1);
        QCOMPARE(listChannels(m_view)->rowCount(), 0);
    } else {
        QCOMPARE(box->GetLBText(box->GetCurSel()).trimmed(), shown.first());
        QCOMPARE(listChannels(m_view)->rowCount(), 18); // shown as a choice in the box shows it
        QCOMPARE(box->GetWindowText().trimmed(), shown.first());
        QCOMPARE(QApplication::focusWidget(), key == Qt::Key_Down ? static_cast<QWidget *>(box->List()) : find);
    }

    // Esc: every entry again, the one chosen still chosen and marked.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QCOMPARE(shownEntries().size(), 4);
    const int chosen = box->GetCurSel();
    QCOMPARE(box->List()->selectionModel()->isRowSelected(qMax(chosen, 0)), chosen >= 0);
}

void TestFindYourWay::copiesRowsUnderTheirHeadings_data()
{
    QTest::addColumn<bool>("verdicts");
    QTest::addColumn<bool>("inBox");
    QTest::addColumn<QString>("text");
    QTest::newRow("two rows") << false << false
                              << "Channel\tWaveLength\tPower\tThreshold\tDate\tTime\n"
                                 "02\t1291.0\t-2.00\t-25.00\t2018-05-17\t10:23:45\n"
                                 "04\t1331.0\t-4.00\t-25.00\t2018-05-17\t10:23:45\n";
    QTest::newRow("with the margins") << true << false
                                      << "Channel\tWaveLength\tPower\tThreshold\tDate\tTime\tMargin\n"
                                         "02\t1291.0\t-2.00\t-25.00\t2018-05-17\t10:23:45\t23.00\n"
                                         "04\t1331.0\t-4.00\t-25.00\t2018-05-17\t10:23:45\t21.00\n";
    QTest::newRow("the fiber box") << false << true << "FIB-07";
}

void TestFindYourWay::copiesRowsUnderTheirHeadings()
{
    QFETCH(bool, verdicts);
    QFETCH(bool, inBox);
    QFETCH(QString, text);
    m_view->SetVerdictsShown(verdicts);
    open(TestSupport::standardHeader() + fiberWithPowers("FIB-07", {"-1.00", "-2.00", "-3.00", "-4.00"}));
    chooseFiber(m_view, 0);
    clickChannel(m_view, 1);
    clickChannel(m_view, 3, Qt::ControlModifier);
    if (inBox)
        comboFiber(m_view)->List()->setFocus();
    else
        listChannels(m_view)->setFocus();
    QApplication::clipboard()->clear();
    m_view->OnEditCopy();
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestFindYourWay::changedFileIsReadAgain_data()
{
    QTest::addColumn<bool>("renamed");  // replaced by another file, or rewritten in place
    QTest::addColumn<QList<QByteArray>>("names"); // the fibers after the change; B's power changes
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("emptied"); // truncated to nothing first, the old version shown meanwhile
    QTest::newRow("in place") << false << QList<QByteArray>{"A", "B", "C"} << "B" << false;
    QTest::newRow("renamed over") << true << QList<QByteArray>{"A", "B", "C"} << "B" << false;
    QTest::newRow("moved in the box") << true << QList<QByteArray>{"0", "A", "B", "C"} << "B" << false;
    QTest::newRow("gone: by place") << false << QList<QByteArray>{"X", "Y", "Z"} << "Y" << false;
    QTest::newRow("emptied, then written") << false << QList<QByteArray>{"0", "A", "B", "C"} << "B" << true;
}

// B chosen, its channel 05 clicked; the file changes on disk and the window
// shows the new version with the same fiber and channel chosen.
void TestFindYourWay::changedFileIsReadAgain()
{
    QFETCH(bool, renamed);
    QFETCH(QList<QByteArray>, names);
    QFETCH(QString, chosen);
    QFETCH(bool, emptied);
    open(resultFile({"A", "B", "C"}));
    chooseFiber(m_view, 1);
    clickChannel(m_view, 4);
    QCOMPARE(power(4), QStringLiteral("-12.34"));
    if (emptied) {
        QVERIFY(QFile::resize(m_path, 0));
        QTRY_COMPARE(m_notice, QStringLiteral("live.fib is empty now; the window shows it as it was read"));
        QCOMPARE(comboFiber(m_view)->GetCount(), 3);
        QCOMPARE(readout(m_view).marker, 4);
    }

    QByteArray bytes = TestSupport::standardHeader();
    for (const QByteArray &name : names)
        bytes += name == chosen.toLatin1() ? fiberWithPowers(name.constData(), {"-1", "-2", "-3", "-4", "-7.77"})
                                           : TestSupport::fiber(name.constData());
    if (renamed) {
        const QString other = m_dir->filePath(QStringLiteral("new.fib"));
        QVERIFY(TestSupport::writeFile(other, bytes));
        QVERIFY(std::rename(QFile::encodeName(other).constData(), QFile::encodeName(m_path).constData()) == 0);
    } else {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
        QVERIFY(file.write(bytes) == bytes.size());
    }
    QTRY_COMPARE(power(4), QStringLiteral("-7.77"));

    FiberComboBox *box = comboFiber(m_view);
    QCOMPARE(box->GetLBText(box->GetCurSel()).trimmed(), chosen);
    QCOMPARE(box->GetCurSel(), names.indexOf(chosen.toLatin1()));
    QCOMPARE(readout(m_view).marker, 4);
    QCOMPARE(readout(m_view).line.value(2), QStringLiteral("Power=   -7.77"));
    QCOMPARE(tabFiles(m_view)->count(), 1);
    // A file that grew since it was read may be written on still, a while.
    QTRY_VERIFY_WITH_TIMEOUT(m_notice.isEmpty(), 2 * LiveFile::QuietMilliseconds);
}

// A file removed keeps its tab and what was read of it, and says so; once
// it is back, it is read again.
void TestFindYourWay::vanishedFileKeepsItsTab()
{
    open(resultFile({"A", "B"}));
    chooseFiber(m_view, 0);
    QVERIFY(QFile::remove(m_path));
    QTRY_VERIFY(m_notice.contains(QStringLiteral("live.fib")));
    QCOMPARE(tabFiles(m_view)->count(), 1);
    QCOMPARE(listChannels(m_view)->rowCount(), 18);
    QVERIFY(m_dialogs.messages.isEmpty());

    QVERIFY(TestSupport::writeFile(m_path, resultFile({"A", "B", "C"})));
    QTRY_COMPARE(comboFiber(m_view)->GetCount(), 3);
    QVERIFY(m_notice.isEmpty());
}

// A version read while the print preview is open waits until it closes:
// the report does not change under the pages shown.
void TestFindYourWay::changeWaitsForThePreview()
{
    open(resultFile({"A", "B"}));
    chooseFiber(m_view, 1);
    ScriptedPrint print;
    bool readMeanwhile = false;
    QString powerMeanwhile;
    print.preview = [&](CPreviewView &) {
        QSignalSpy reread(&m_view->Manager(), &DocumentManager::readEnded);
        TestSupport::writeFile(m_path, TestSupport::standardHeader() + TestSupport::fiber("A")
                                           + fiberWithPowers("B", {"-7.77"}));
        readMeanwhile = reread.wait(5000);
        powerMeanwhile = power(0);
    };
    m_view->SetPrintDialogs(&print);
    m_view->OnFilePrintPreview();
    QVERIFY(readMeanwhile);
    QCOMPARE(powerMeanwhile, QStringLiteral("-12.34"));
    QCOMPARE(power(0), QStringLiteral("-7.77"));
    QCOMPARE(comboFiber(m_view)->GetLBText(comboFiber(m_view)->GetCurSel()).trimmed(), QStringLiteral("B"));
}

QTEST_MAIN(TestFindYourWay)
#include "tst_findyourway.moc"
