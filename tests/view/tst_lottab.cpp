// A folder open as a lot in a tab of its own, through the form's real
// widgets: the table of its files, the figures, the trend, and a file of
// the lot opened into its own tab. Expected values come from the files'
// rules: a fiber passes at -12 dBm against -25 and fails at -40.

#include "ViewTestSupport.h"

#include "lot/LotDocument.h"
#include "output/TrendChart.h"
#include "view/TrendView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

using namespace ViewTestSupport;

namespace {

QByteArray lotFile(const QList<QPair<const char *, bool>> &fibers, const char *time)
{
    QByteArray bytes = TestSupport::standardHeader();
    for (const auto &[name, passes] : fibers) {
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
            bytes += TestSupport::line(name, channel, passes ? "-12.00" : "-40.00", "2018-05-21", time);
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

class TestLotTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsTheLotAndOpensItsFiles();
    void yieldIsRoundedDown();

private:
    QTemporaryDir m_cache;
};

void TestLotTab::initTestCase()
{
    QVERIFY(m_cache.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cache.path()));
}

void TestLotTab::showsTheLotAndOpensItsFiles()
{
    QTemporaryDir dir;
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("c.fib")),
                                   lotFile({{"A", false}, {"B", true}, {"C", true}}, "08:00:00")));
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("a.fib")), lotFile({{"A", true}}, "09:00:00")));
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("b.fib")),
                                   lotFile({{"D", false}, {"E", true}}, "10:00:00")));
    ScriptedDialogs dialogs;
    std::unique_ptr<CSDIQVLView> view(showView(dialogs));
    QVERIFY(view);

    // Cancelling the folder dialog changes nothing.
    view->OnFileOpenFolder();
    QCOMPARE(tabFiles(view.get())->count(), 0);

    dialogs.folderAnswers = {dir.path()};
    view->OnFileOpenFolder();
    TabFiles *tabs = tabFiles(view.get());
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QFileInfo(dir.path()).fileName());
    auto *lotView = view->findChild<QWidget *>(QStringLiteral("lotView"));
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    auto *figures = view->findChild<QLabel *>(QStringLiteral("lotFigures"));
    auto *channel = view->findChild<QComboBox *>(QStringLiteral("lotChannel"));
    auto *trend = view->findChild<TrendView *>(QStringLiteral("lotTrend"));
    QVERIFY(lotView && table && figures && channel && trend);
    QVERIFY(lotView->isVisible());
    QVERIFY(!comboFiber(view.get())->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 3, 10000);

    // In time order; A retested and passed in the end; D fails, and so at
    // every channel: the channel that fails most is the first met.
    QCOMPARE(column(table, 1), (QStringList{"c.fib", "a.fib", "b.fib"}));
    QCOMPARE(column(table, 2), (QStringList{"3", "1", "2"}));
    QVERIFY2(figures->text().contains(QLatin1String("4 of 5 fibers passed (80.0 %)")), qPrintable(figures->text()));
    QVERIFY2(figures->text().contains(QLatin1String("1 retested, 1 of them passed in the end")),
             qPrintable(figures->text()));
    QCOMPARE(channel->currentText(), QStringLiteral("01"));

    // Sorted by fibers, then found by name.
    table->horizontalHeader()->setSortIndicator(2, Qt::AscendingOrder);
    QCOMPARE(column(table, 2), (QStringList{"1", "2", "3"}));
    auto *find = view->findChild<QLineEdit *>(QStringLiteral("lotFind"));
    QTest::keyClicks(find, QStringLiteral("b.f"));
    QCOMPARE(column(table, 1), QStringList{"b.fib"});
    find->clear();

    // A click on the third file's point in the trend selects its row.
    const QRectF plot = trend->Plot();
    QTest::mouseClick(trend, Qt::LeftButton, {},
                      QPointF(trend->Axis().PixelOf(plot, trend->Axis().At(2)), plot.center().y()).toPoint());
    QCOMPARE(trend->Selected(), 2);
    const QModelIndexList selected = table->selectionModel()->selectedRows(1);
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first().data().toString(), QStringLiteral("b.fib"));

    // Copy in a lot tab: the headings and the chosen file's row.
    view->OnEditCopy();
    const QStringList copied = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(copied.size(), 2);
    QVERIFY(copied.at(0).startsWith(QStringLiteral("First row\tFile\tFibers\t")));
    QCOMPARE(copied.at(1).split(QLatin1Char('\t')).mid(1, 2), (QStringList{"b.fib", "2"}));

    // Enter opens that file in a tab of its own; the lot's tab stays.
    table->setFocus();
    table->setCurrentIndex(selected.first());
    QVERIFY(readAndWait(view.get(), [&] { QTest::keyClick(table, Qt::Key_Return); }));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(!lotView->isVisible());
    QVERIFY(comboFiber(view.get())->isVisible());
    QCOMPARE(comboFiber(view.get())->GetCount(), 2);

    // Back to the lot: shown as it was, no file read.
    QVERIFY(readAndWait(view.get(), [&] { view->OnPrevTab(); }));
    QVERIFY(lotView->isVisible());
    QCOMPARE(table->model()->rowCount(), 3);
    QVERIFY(!view->Document().HasFile());

    // Closed while it watches its folder: the file's tab, now the first,
    // is shown and read.
    QVERIFY(readAndWait(view.get(), [&] { view->OnCloseTab(); }));
    QCOMPARE(tabs->count(), 1);
    QVERIFY(!lotView->isVisible());
    QCOMPARE(comboFiber(view.get())->GetCount(), 2);
}

// 1999 of 2000 fibers pass: 99.95 %, which rounds down to 99.9 % in the
// tab's figures and table and in --trend alike; only a lot where every
// fiber passed shows 100 %.
void TestLotTab::yieldIsRoundedDown()
{
    QTemporaryDir dir;
    QList<QByteArray> names;
    QList<QPair<const char *, bool>> fibers;
    for (int i = 0; i < 2000; ++i)
        names.append("F" + QByteArray::number(i));
    for (int i = 0; i < 2000; ++i)
        fibers.append({names.at(i).constData(), i != 7});
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("day.fib")), lotFile(fibers, "08:00:00")));

    const TestSupport::ProgramRun trend = TestSupport::runProgram({"--trend", "--no-cache", dir.path()});
    QVERIFY2(trend.out.contains("1999/2000") && trend.out.contains("99.9%") && !trend.out.contains("100.0"),
             trend.out.constData());

    ScriptedDialogs dialogs;
    std::unique_ptr<CSDIQVLView> view(showView(dialogs));
    QVERIFY(view);
    dialogs.folderAnswers = {dir.path()};
    view->OnFileOpenFolder();
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    auto *figures = view->findChild<QLabel *>(QStringLiteral("lotFigures"));
    QVERIFY(table && figures);
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 1, 10000);
    QVERIFY2(figures->text().contains(QLatin1String("1999 of 2000 fibers passed (99.9 %)")),
             qPrintable(figures->text()));
    QCOMPARE(column(table, LotModel::Yield), QStringList{QStringLiteral("99.9 %")});
}

QTEST_MAIN(TestLotTab)
#include "tst_lottab.moc"
