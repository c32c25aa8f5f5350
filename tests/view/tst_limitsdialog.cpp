// The Limits window through its widgets: a file loaded as the command line
// reads one, a file that cannot be used told with the old limits kept, a
// cell that is no number named by its channel, and what OK hands on.
#include "ViewTestSupport.h"

#include "view/LimitsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace ViewTestSupport;

class TestLimitsDialog : public QObject
{
    Q_OBJECT

private slots:
    void loadsChecksAndHandsOn();
};

void TestLimitsDialog::loadsChecksAndHandsOn()
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("customer.csv"));
    const QString bad = dir.filePath(QStringLiteral("bad.csv"));
    QVERIFY(TestSupport::writeFile(good, "channel,lower,upper,warn\n07,-28,-10,0.5\n"));
    QVERIFY(TestSupport::writeFile(bad, "channel,lower,upper,warn\n07,-28,,\n7,-27,,\n"));
    ScriptedDialogs dialogs;
    LimitsDialog dialog(Limits(), QString(), dialogs);
    auto *table = dialog.findChild<QTableWidget *>(QStringLiteral("limitsTable"));
    const auto load = [&](const QString &path) {
        dialogs.openAnswers.append(QStringList{path});
        dialog.findChild<QPushButton *>(QStringLiteral("limitsLoad"))->click();
    };

    load(good);
    QCOMPARE(table->item(6, 0)->text(), QStringLiteral("-28"));
    QCOMPARE(table->item(6, 1)->text(), QStringLiteral("-10"));
    QCOMPARE(table->item(6, 2)->text(), QStringLiteral("0.5"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("limitsSource"))->text(), QStringLiteral("From customer.csv"));

    load(bad);
    QCOMPARE(dialogs.messages.value(0), QStringLiteral("bad.csv: line 3, column channel: channel 07 is listed again "
                                                       "(first on line 2)"));
    QCOMPARE(table->item(6, 0)->text(), QStringLiteral("-28"));

    table->item(1, 1)->setText(QStringLiteral("high"));
    QSignalSpy chosen(&dialog, &LimitsDialog::chosen);
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(dialogs.messages.value(1), QStringLiteral("customer.csv: channel 02, column upper: \"high\" is not a number"));
    QCOMPARE(chosen.count(), 0);

    table->item(1, 1)->setText(QString());
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(chosen.count(), 1);
    const Limits limits = chosen.at(0).at(0).value<Limits>();
    QCOMPARE(chosen.at(0).at(1).toString(), good);
    QCOMPARE(limits.Name(), QStringLiteral("customer.csv"));
    QCOMPARE(limits.OfNumber(7)->upper, std::optional<double>(-10));
    QVERIFY(!limits.OfNumber(2));
}

QTEST_MAIN(TestLimitsDialog)
#include "tst_limitsdialog.moc"
