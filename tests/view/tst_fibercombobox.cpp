// The fiber box: sorted filling (byte-wise, ties in block order, merged with
// entries already there), unsorted insertion, entries tied to their blocks
// and bytes, and the two signals from the user's clicks, keys and typing.

#include "view/FiberComboBox.h"

#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>

class TestFiberComboBox : public QObject
{
    Q_OBJECT
private slots:
    void sortsOnceByBytes_data();
    void sortsOnceByBytes();
    void mergesWithEntriesAlreadyThere();
    void insertsAndDeletesWithoutSorting();
    void keepsBytesUnlessRenamed();
    void clickAndEnterChoose();
    void onlyTheUsersTypingIsAnEditChange();
    void selectionFollowsInsertAndDelete();

private:
    static QList<qsizetype> blocks(const FiberComboBox &box);
    static QList<QByteArray> names(const FiberComboBox &box);
};

QList<qsizetype> TestFiberComboBox::blocks(const FiberComboBox &box)
{
    QList<qsizetype> result;
    for (int i = 0; i < box.GetCount(); ++i)
        result.append(box.GetItemBlock(i));
    return result;
}

QList<QByteArray> TestFiberComboBox::names(const FiberComboBox &box)
{
    QList<QByteArray> result;
    for (int i = 0; i < box.GetCount(); ++i)
        result.append(box.GetLBBytes(i));
    return result;
}

void TestFiberComboBox::sortsOnceByBytes_data()
{
    QTest::addColumn<QList<QByteArray>>("added");
    QTest::addColumn<QList<qsizetype>>("order");
    QTest::newRow("sorted already") << QList<QByteArray>{"F1", "F2", "F3"}
                                    << QList<qsizetype>{0, 1, 2};
    QTest::newRow("reversed") << QList<QByteArray>{"F3", "F2", "F1"} << QList<qsizetype>{2, 1, 0};
    QTest::newRow("equal names keep block order")
        << QList<QByteArray>{"B", "A", "B", "A", "B"} << QList<qsizetype>{1, 3, 0, 2, 4};
    QTest::newRow("prefix first, case by bytes")
        << QList<QByteArray>{"ab", "a", "B", "a "} << QList<qsizetype>{2, 1, 3, 0};
    // Bytes above 0x7F (code page 936) sort after ASCII, unsigned.
    QTest::newRow("code page 936") << QList<QByteArray>{"\xb9\xe2\xcf\xcb" "03", "Z", "\xb9\xe2\xcf\xcb" "01"}
                                   << QList<qsizetype>{1, 2, 0};
    QTest::newRow("empty") << QList<QByteArray>{} << QList<qsizetype>{};
}

void TestFiberComboBox::sortsOnceByBytes()
{
    QFETCH(QList<QByteArray>, added);
    QFETCH(QList<qsizetype>, order);
    FiberComboBox box;
    box.AddSorted(added);
    QCOMPARE(blocks(box), order);
    for (int i = 0; i < box.GetCount(); ++i)
        QCOMPARE(box.GetLBBytes(i), added[order[i]]);
    QCOMPARE(box.List()->model()->rowCount(), added.size());
}

void TestFiberComboBox::mergesWithEntriesAlreadyThere()
{
    FiberComboBox box;
    box.AddSorted({"B", "D"});
    box.AddSorted({"C", "B", "A"});
    QCOMPARE(names(box), (QList<QByteArray>{"A", "B", "B", "C", "D"}));
    QCOMPARE(blocks(box), (QList<qsizetype>{2, 0, 1, 0, 1}));
    QCOMPARE(box.AddString("BB", 7), 3);
    QCOMPARE(box.AddString("B", 8), 3); // after the equal ones
    QCOMPARE(box.GetItemBlock(3), 8);
}

void TestFiberComboBox::insertsAndDeletesWithoutSorting()
{
    FiberComboBox box;
    box.AddSorted({"A", "B", "C"});
    QCOMPARE(box.InsertString(0, QByteArray("Z"), 9), 0);
    QCOMPARE(box.InsertString(-1, QByteArray("0"), 8), 4);
    QCOMPARE(box.InsertString(6, QByteArray("X"), 1), -1);
    QCOMPARE(names(box), (QList<QByteArray>{"Z", "A", "B", "C", "0"}));
    QCOMPARE(box.DeleteString(1), 4);
    QCOMPARE(box.DeleteString(4), -1);
    QCOMPARE(box.DeleteString(-1), -1);
    QCOMPARE(blocks(box), (QList<qsizetype>{9, 1, 2, 8}));
    QCOMPARE(box.GetLBText(9), QString());
    QCOMPARE(box.GetItemBlock(9), -1);
    box.ResetContent();
    QCOMPARE(box.GetCount(), 0);
    QCOMPARE(box.GetCurSel(), -1);
}

void TestFiberComboBox::keepsBytesUnlessRenamed()
{
    // 0x80 alone is no GB18030 character: shown replaced, but kept.
    const QByteArray odd("\xb9\xe2\x80 1");
    FiberComboBox box;
    box.AddSorted({"\xb9\xe2\xcf\xcb", odd});
    QCOMPARE(box.GetItemBlock(0), 1); // 0x80 sorts before 0xCF
    QCOMPARE(box.GetLBText(1), QString::fromUtf8("光纤"));
    box.SetCurSel(0);
    QCOMPARE(box.GetLBBytes(0), odd);

    // A typed text is stored encoded, tied to the block it is given for.
    QCOMPARE(box.InsertString(2, QString::fromUtf8("光纤 2"), 7), 2);
    QCOMPARE(box.GetLBBytes(2), QByteArray("\xb9\xe2\xcf\xcb 2"));
    QCOMPARE(box.GetItemBlock(2), 7);
    QCOMPARE(box.GetLBBytes(1), QByteArray("\xb9\xe2\xcf\xcb"));
}

void TestFiberComboBox::clickAndEnterChoose()
{
    FiberComboBox box;
    box.resize(72, 219);
    box.AddSorted({"C", "A", "B"});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy chosen(&box, &FiberComboBox::selEndOk);
    QSignalSpy edited(&box, &FiberComboBox::editChange);

    QListView *list = box.List();
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(box.GetCurSel(), 1);
    QCOMPARE(box.GetWindowText(), QStringLiteral("B"));
    QCOMPARE(box.GetItemBlock(box.GetCurSel()), 2);

    // Keys that move the selection choose, in the list and in the edit
    // field; Home there is the field's own. Enter and a click on the entry
    // chosen already choose it again.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(box.GetCurSel(), 2);
    QCOMPARE(box.GetWindowText(), QStringLiteral("C"));
    QTest::keyClick(box.Edit(), Qt::Key_Home);
    QTest::keyClick(box.Edit(), Qt::Key_Up);
    QCOMPARE(chosen.size(), 3);
    QCOMPARE(box.GetCurSel(), 1);
    QCOMPARE(box.GetWindowText(), QStringLiteral("B"));
    QTest::keyClick(list, Qt::Key_Return);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(chosen.size(), 5);
    QCOMPARE(edited.size(), 0);
}

void TestFiberComboBox::onlyTheUsersTypingIsAnEditChange()
{
    FiberComboBox box;
    box.AddSorted({"A"});
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy edited(&box, &FiberComboBox::editChange);
    box.SetCurSel(0);
    box.SetWindowText(QStringLiteral("program"));
    box.ResetContent();
    QCOMPARE(edited.size(), 0);
    QTest::keyClicks(box.Edit(), QStringLiteral("ab"));
    QCOMPARE(edited.size(), 2);
    QTest::keyClick(box.Edit(), Qt::Key_Backspace);
    QCOMPARE(edited.size(), 3);
}

void TestFiberComboBox::selectionFollowsInsertAndDelete()
{
    FiberComboBox box;
    box.AddSorted({"A", "B", "C"});
    QCOMPARE(box.SetCurSel(1), 1);
    box.InsertString(0, QByteArray("0"), 5);
    QCOMPARE(box.GetCurSel(), 2);
    box.DeleteString(0);
    QCOMPARE(box.GetCurSel(), 1);
    QCOMPARE(box.GetWindowText(), QStringLiteral("B"));
    box.DeleteString(1);
    QCOMPARE(box.GetCurSel(), -1);
    QCOMPARE(box.SetCurSel(7), -1);
    QCOMPARE(box.GetWindowText(), QString());
}

QTEST_MAIN(TestFiberComboBox)
#include "tst_fibercombobox.moc"
