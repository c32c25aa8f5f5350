// The Compare window through its widgets: opened on two tabs, it compares
// them at once; the shift table sorts by value; the agreement table counts
// the fibers both sides share; a click on a channel's panel shows that
// channel's differences fiber by fiber; a side that cannot be read is told.
// The histograms' bars are each side's shares, so that sides of different
// sizes draw alike.

#include "ViewTestSupport.h"

#include "view/CompareDialog.h"
#include "view/CompareView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>

using namespace ViewTestSupport;

namespace {

// F1..F4 on both sides, channel 05 two dB higher on B (Welch p 0.00466,
// SciPy's); F4 fails on A
// (channel 03 at -26 dBm) and passes on B.
QByteArray side(bool b)
{
    QByteArray bytes = TestSupport::standardHeader();
    const char *const powers05[] = {"-20.00", "-21.00", "-19.50", "-20.50"};
    const char *const powers05b[] = {"-18.00", "-19.00", "-17.50", "-18.50"};
    const char *const names[] = {"F1", "F2", "F3", "F4"};
    for (int i = 0; i < 4; ++i) {
        const char *const p03 = i == 3 && !b ? "-26.00" : "-12.34";
        bytes += fiberWithPowers(names[i], {"-12.34", "-12.34", p03, "-12.34", b ? powers05b[i] : powers05[i]});
    }
    return bytes;
}

QStringList column(const QTableView *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts.append(table->model()->index(row, column).data().toString());
    return texts;
}

} // namespace

class TestCompare : public QObject
{
    Q_OBJECT

private slots:
    void twoTabsCompared();
    void aSideThatCannotBeRead();

private:
    QTemporaryDir m_dir;
};

void TestCompare::twoTabsCompared()
{
    const QString a = m_dir.filePath(QStringLiteral("a.fib")), b = m_dir.filePath(QStringLiteral("b.fib"));
    QVERIFY(TestSupport::writeFile(a, side(false)));
    QVERIFY(TestSupport::writeFile(b, side(true)));
    ScriptedDialogs dialogs;
    std::unique_ptr<CSDIQVLView> view(showView(dialogs));
    QVERIFY(view);
    QVERIFY(readAndWait(view.get(), [&] { view->OpenFiles({a, b}); }));
    view->OnFileCompare();
    auto *compare = view->findChild<CompareDialog *>(QStringLiteral("compare"));
    QVERIFY(compare && compare->isVisible());
    QSignalSpy compared(compare, &CompareDialog::compared);
    QVERIFY(compared.wait(20000));

    auto *shifts = compare->findChild<QTableView *>(QStringLiteral("compareShifts"));
    QCOMPARE(shifts->model()->rowCount(), 18);
    // By the size of the shift first: 03 moved 3.415 dB, 05 2 dB.
    QCOMPARE(column(shifts, 0).mid(0, 2), (QStringList{"03", "05"}));
    QCOMPARE(shifts->model()->index(0, 9).data().toString(), QStringLiteral("+3.415"));
    shifts->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    QCOMPARE(column(shifts, 0).first(), QStringLiteral("01"));
    // By the shift again, its size a number: largest first.
    shifts->horizontalHeader()->setSortIndicator(9, Qt::DescendingOrder);
    QCOMPARE(column(shifts, 0).mid(0, 2), (QStringList{"03", "05"}));

    // 05's step is a shift at 1 %, not at 0.1 %.
    QCOMPARE(shifts->model()->index(1, 9).data().toString(), QStringLiteral("+2.000"));
    compare->findChild<QComboBox *>(QStringLiteral("compareAlpha"))->setCurrentIndex(1);
    QCOMPARE(shifts->model()->index(1, 9).data().toString(), QStringLiteral("+2.000 *"));
    auto *agreement = compare->findChild<QTableWidget *>(QStringLiteral("compareAgreement"));
    QCOMPARE(agreement->item(0, 0)->text(), QStringLiteral("3")); // both pass
    QCOMPARE(agreement->item(1, 0)->text(), QStringLiteral("1")); // F4 fails on A only
    QCOMPARE(agreement->item(0, 1)->text(), QStringLiteral("0"));

    auto *chart = compare->findChild<CompareView *>(QStringLiteral("compareChart"));
    QCOMPARE(chart->Panels().size(), 18);
    const QRectF panel05 = CompareChart::PanelRect(chart->PanelsArea(), 18, 4);
    QTest::mouseClick(chart, Qt::LeftButton, {}, panel05.center().toPoint());
    QCOMPARE(chart->Marked(), 4);
    QVERIFY(compare->CopiedText().contains(QLatin1String("05")));
}

void TestCompare::aSideThatCannotBeRead()
{
    ScriptedDialogs dialogs;
    CompareDialog compare(dialogs);
    const QString a = m_dir.filePath(QStringLiteral("a.fib"));
    QVERIFY(TestSupport::writeFile(a, side(false)));
    compare.SetPaths(a, m_dir.filePath(QStringLiteral("gone.fib")));
    QSignalSpy compared(&compare, &CompareDialog::compared);
    compare.Compare();
    QVERIFY(compared.wait(20000));
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(dialogs.messages.first().contains(QLatin1String("gone.fib")), qPrintable(dialogs.messages.first()));
    QVERIFY(!compare.Shown());
}

QTEST_MAIN(TestCompare)
#include "tst_compare.moc"
