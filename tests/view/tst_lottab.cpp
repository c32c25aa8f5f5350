// A folder open as a lot in a tab of its own, through the form's real
// widgets: the table of its files, the figures, the trend, and a file of
// the lot opened into its own tab. Expected values come from the files'
// rules: a fiber passes at -12 dBm against -25 and fails at -40.

#include "ViewTestSupport.h"

#include "lot/LotDocument.h"
#include "output/TrendChart.h"
#include "view/DistributionView.h"
#include "view/TrendView.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QProcess>
#include <QTableView>
#include <QTreeWidget>
#include <QWheelEvent>

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

// A station's file of two fibers, 5 minutes after the one before from
// 09:00, channel 05 at `margin` above its -25 dB threshold.
QByteArray stationFile(int index, double margin)
{
    QByteArray bytes = TestSupport::standardHeader();
    const QByteArray time = QStringLiteral("%1:%2:00")
                                .arg(9 + index * 5 / 60, 2, 10, QLatin1Char('0'))
                                .arg(index * 5 % 60, 2, 10, QLatin1Char('0'))
                                .toLatin1();
    for (const char *name : {"A", "B"}) {
        const QByteArray fiber = name + QByteArray::number(index);
        for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
            bytes += TestSupport::line(fiber.constData(), channel,
                                       QByteArray::number(channel == 5 ? -25.0 + margin : -12.0, 'f', 2).constData(),
                                       "2018-05-17", time.constData());
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

// The form with `folder` opened as a lot, through File > Open Folder.
std::unique_ptr<CSDIQVLView> openFolder(ScriptedDialogs &dialogs, const QString &folder)
{
    std::unique_ptr<CSDIQVLView> view(showView(dialogs));
    if (view) {
        dialogs.folderAnswers = {folder};
        view->OnFileOpenFolder();
    }
    return view;
}

} // namespace

class TestLotTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsTheLotAndOpensItsFiles();
    void yieldIsRoundedDown();
    void controlChartsAndAlarms();
    void aSortKeepsTheChosenFileInSight();
    void saveWritesTheTrendsImage();
    void distributionsCountEachFiberOnce();
    void printsTheLotsReport();

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
    const std::unique_ptr<CSDIQVLView> view = openFolder(dialogs, dir.path());
    QVERIFY(view);
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    auto *figures = view->findChild<QLabel *>(QStringLiteral("lotFigures"));
    QVERIFY(table && figures);
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 1, 10000);
    QVERIFY2(figures->text().contains(QLatin1String("1999 of 2000 fibers passed (99.9 %)")),
             qPrintable(figures->text()));
    QCOMPARE(column(table, LotModel::Yield), QStringList{QStringLiteral("99.9 %")});
}

// A station's 30 files, channel 05 steady but for file 25, 1 dB low: its
// alarm on top of the list, a click on it choosing the file, the readout,
// the wheel's zoom and Home, and the baseline kept with the lot.
void TestLotTab::controlChartsAndAlarms()
{
    QTemporaryDir dir;
    const double pattern[] = {0.0, 0.1, -0.1, 0.05, -0.05, 0.1, 0.0, -0.1, 0.05, 0.0};
    for (int i = 0; i < 30; ++i)
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("f%1.fib").arg(i, 2, 10, QLatin1Char('0'))),
                                       stationFile(i, i == 25 ? 12.0 : 13.0 + pattern[i % 10])));
    ScriptedDialogs dialogs;
    std::unique_ptr<CSDIQVLView> view(showView(dialogs));
    QVERIFY(view);
    QList<ControlPlan> kept;
    view->Manager().SetPlanStore([](const QString &) { return ControlPlan(); },
                                 [&kept](const QString &, const ControlPlan &plan) { kept.append(plan); });
    dialogs.folderAnswers = {dir.path()};
    view->OnFileOpenFolder();
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    auto *channel = view->findChild<QComboBox *>(QStringLiteral("lotChannel"));
    auto *trend = view->findChild<TrendView *>(QStringLiteral("lotTrend"));
    auto *alarms = view->findChild<QTreeWidget *>(QStringLiteral("lotAlarms"));
    auto *baseline = view->findChild<QSpinBox *>(QStringLiteral("lotBaseline"));
    QVERIFY(table && channel && trend && alarms && baseline);
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 30, 10000);

    // The list follows the channel chosen: nothing of channel 05 under 01.
    channel->setCurrentIndex(channel->findText(QStringLiteral("01")));
    QCOMPARE(alarms->topLevelItemCount(), 0);
    channel->setCurrentIndex(channel->findText(QStringLiteral("05")));
    QCOMPARE(alarms->topLevelItemCount(), 1);
    QTreeWidgetItem *top = alarms->topLevelItem(0);
    QCOMPARE(top->text(0), QStringLiteral("11:05"));
    QCOMPARE(top->text(1), QStringLiteral("05 margin mean"));
    QCOMPARE(top->text(2), QStringLiteral("rule 1: one beyond 3 sigma"));
    QTest::mouseClick(alarms->viewport(), Qt::LeftButton, {}, alarms->visualItemRect(top).center());
    QCOMPARE(trend->Selected(), 25);
    QCOMPARE(table->selectionModel()->selectedRows(1).first().data().toString(), QStringLiteral("f25.fib"));
    QCOMPARE(trend->ReadoutOf(25).mid(0, 2), (QStringList{"f25.fib", "2018-05-17 11:05:00"}));
    QVERIFY(trend->ReadoutOf(25).contains(QStringLiteral("Margin mean, channel 05: 12.00 dB")));

    // The wheel zooms about the pointer; Home shows every file again; the
    // arrow keys move on from the file chosen.
    const QRectF plot = trend->Plot();
    QWheelEvent wheel(plot.center(), trend->mapToGlobal(plot.center()), {}, QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(trend, &wheel);
    QVERIFY(trend->Axis().Zoomed());
    QVERIFY(trend->Axis().To() - trend->Axis().From() < 29 * 300 * 0.7);
    QTest::keyClick(trend, Qt::Key_Home);
    QVERIFY(!trend->Axis().Zoomed());
    QTest::keyClick(trend, Qt::Key_Right);
    QCOMPARE(trend->Selected(), 26);

    // A baseline of five files: the lot keeps it, and the store has it.
    baseline->setValue(5);
    LotDocument *lot = view->Manager().Lot(0);
    QVERIFY(lot);
    QCOMPARE(lot->Plan().baselineFiles, 5);
    QVERIFY(!kept.isEmpty());
    QCOMPARE(kept.last().baselineFiles, 5);
    QCOMPARE(lot->Control().charts.at(1).stages.first().baselineTo, 5);

    // Shift and a drag over files 10 to 14: the baseline is those files.
    const auto pointOf = [&](int file) {
        return QPoint(int(trend->Axis().PixelOf(plot, trend->Axis().At(file))), int(plot.center().y()));
    };
    QTest::mousePress(trend, Qt::LeftButton, Qt::ShiftModifier, pointOf(10) - QPoint(3, 0));
    QTest::mouseMove(trend, pointOf(12));
    QTest::mouseRelease(trend, Qt::LeftButton, Qt::ShiftModifier, pointOf(14) + QPoint(3, 0));
    QCOMPARE(QFileInfo(lot->Plan().baselineFrom).fileName(), QStringLiteral("f10.fib"));
    QCOMPARE(QFileInfo(lot->Plan().baselineTo).fileName(), QStringLiteral("f14.fib"));
    const LotControl::Stage picked = lot->Control().charts.at(1).stages.first();
    QCOMPARE(QList<qsizetype>({picked.baselineFrom, picked.baselineTo}), QList<qsizetype>({10, 15}));
    QVERIFY(!trend->Axis().Zoomed()); // a pick is no zoom
    baseline->setValue(5); // the first five again
    baseline->setValue(6);
    baseline->setValue(5);

    // A file the station writes next, 1 dB low again: told as it comes,
    // and on top of the list.
    QSignalSpy told(&view->Manager(), &DocumentManager::lotAlarms);
    QSignalSpy notices(&view->Manager(), &DocumentManager::lotNotice);
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("f30.part")), stationFile(30, 12.0)));
    QVERIFY(QFile::rename(dir.filePath(QStringLiteral("f30.part")), dir.filePath(QStringLiteral("f30.fib"))));
    QTRY_COMPARE_WITH_TIMEOUT(told.size(), 1, 10000);
    const QStringList sentences = told.first().at(1).toStringList();
    QCOMPARE(sentences.size(), 1);
    QVERIFY2(sentences.first().startsWith(QLatin1String("channel 05 margin mean, rule 1: one beyond 3 sigma, from "
                                                         "2018-05-17 11:30:00")),
             qPrintable(sentences.first()));
    QVERIFY(!notices.isEmpty() && notices.last().first().toString() == sentences.first());
    QCOMPARE(alarms->topLevelItem(0)->text(0), QStringLiteral("11:30"));
}

// The station's 30 files in a table shorter than them: with none chosen, a
// sort shows the top; with f15 chosen and the table scrolled away from it,
// a sort the other way round brings it in sight at its new row.
void TestLotTab::aSortKeepsTheChosenFileInSight()
{
    QTemporaryDir dir;
    for (int i = 0; i < 30; ++i)
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("f%1.fib").arg(i, 2, 10, QLatin1Char('0'))),
                                       stationFile(i, 13.0)));
    ScriptedDialogs dialogs;
    const std::unique_ptr<CSDIQVLView> view = openFolder(dialogs, dir.path());
    QVERIFY(view);
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    QVERIFY(table);
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 30, 10000);
    QVERIFY(table->viewport()->height() < 30 * table->rowHeight(0));
    const auto inSight = [table](int row) {
        return table->viewport()->rect().contains(table->visualRect(table->model()->index(row, 0)));
    };
    table->scrollToBottom();
    QVERIFY(!inSight(0));
    table->sortByColumn(LotModel::File, Qt::AscendingOrder);
    QVERIFY(inSight(0));

    table->selectRow(15);
    table->scrollToBottom();
    table->sortByColumn(LotModel::File, Qt::DescendingOrder);
    QCOMPARE(table->selectionModel()->currentIndex().row(), 14);
    QVERIFY(inSight(14));
}

// Save on a lot's tab writes its trend as the tab shows it, proposed
// beside the folder as FOLDER-trend.png.
void TestLotTab::saveWritesTheTrendsImage()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("line2"));
    QVERIFY(QDir().mkpath(folder));
    for (int i = 0; i < 12; ++i)
        QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/f%1.fib").arg(i, 2, 10, QLatin1Char('0')),
                                       stationFile(i, 13.0)));
    ScriptedDialogs dialogs;
    const std::unique_ptr<CSDIQVLView> view = openFolder(dialogs, folder);
    QVERIFY(view);
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    auto *trend = view->findChild<TrendView *>(QStringLiteral("lotTrend"));
    QVERIFY(table && trend);
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 12, 10000);
    QTRY_VERIFY(trend->HasChart());
    const QString target = dir.filePath(QStringLiteral("trend.png"));
    dialogs.saveAnswers.append(target);
    view->OnFileSave();
    QCOMPARE(dialogs.lastSuggested, dir.filePath(QStringLiteral("line2/line2-trend.png")));
    const QImage image(target);
    QCOMPARE(image.size(), trend->size() * trend->devicePixelRatioF());
    // Drawn, and on white: the panels' lines and points, not one colour.
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            dark += qGray(image.pixel(x, y)) < 100;
    QVERIFY2(dark > 200, qPrintable(QString::number(dark)));
    QVERIFY(dialogs.messages.isEmpty());
}

// Two files, A failing in the first and passing when measured again in the
// second: the lot's distributions hold A once, at its latest power.
void TestLotTab::distributionsCountEachFiberOnce()
{
    QTemporaryDir dir;
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("1.fib")), lotFile({{"A", false}, {"B", true}}, "08:00:00")));
    QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("2.fib")), lotFile({{"A", true}, {"C", true}}, "09:00:00")));
    ScriptedDialogs dialogs;
    const std::unique_ptr<CSDIQVLView> view = openFolder(dialogs, dir.path());
    QVERIFY(view);
    auto *table = view->findChild<QTableView *>(QStringLiteral("lotTable"));
    QTRY_COMPARE_WITH_TIMEOUT(table->model()->rowCount(), 2, 10000);
    view->OnViewDistributions();
    auto *dialog = view->findChild<QDialog *>(QStringLiteral("lotDistributions"));
    QVERIFY(dialog && dialog->isVisible());
    auto *chart = dialog->findChild<DistributionView *>(QStringLiteral("distributionChart"));
    QTRY_VERIFY_WITH_TIMEOUT(chart->HasChart(), 10000);
    QCOMPARE(chart->Chart()->ChannelCount(), 18);
    for (int channel = 0; channel < 18; ++channel) {
        const ThresholdJudge::ChannelFigures &figures = chart->Chart()->Channel(channel);
        QCOMPARE(figures.powers, 3);
        QCOMPARE(figures.failed, 0);
        QCOMPARE(figures.mean, -12.0);
    }
    QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("saveImage"))->isEnabled());
}

// Print on a lot's tab: the lot's report of three pages (figures and
// trend, distributions, files), A counted once by its latest result, its
// PDF proposed in the folder under the folder's name.
void TestLotTab::printsTheLotsReport()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("day"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/1.fib"), lotFile({{"A", false}, {"B", true}}, "08:00:00")));
    QVERIFY(TestSupport::writeFile(folder + QStringLiteral("/2.fib"), lotFile({{"A", true}, {"C", true}}, "09:00:00")));
    ScriptedDialogs dialogs;
    const std::unique_ptr<CSDIQVLView> view = openFolder(dialogs, folder);
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(view->findChild<QTableView *>(QStringLiteral("lotTable"))->model()->rowCount(), 2,
                              10000);
    ScriptedPrint print;
    print.pdfPath = dir.filePath(QStringLiteral("report.pdf"));
    view->SetPrintDialogs(&print);
    view->OnFilePrint();
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join(QLatin1Char('\n'))));
    QCOMPARE(print.maxPage, 3);
    QCOMPARE(print.proposedPdf, folder + QStringLiteral("/day.pdf"));
    const auto pageText = [&](int page) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                  QString::number(page), print.pdfPath, QStringLiteral("-")});
        return text.waitForFinished(30000) ? QString::fromUtf8(text.readAllStandardOutput()) : QString();
    };
    QVERIFY2(pageText(1).contains(QStringLiteral("3 of 3 fibers passed")), qPrintable(pageText(1)));
    QVERIFY2(pageText(2).contains(QStringLiteral("3 of 3 fibers pass")), qPrintable(pageText(2)));
    const QString files = pageText(3);
    QVERIFY2(files.contains(QStringLiteral("1.fib")) && files.contains(QStringLiteral("2.fib")), qPrintable(files));
}

QTEST_MAIN(TestLotTab)
#include "tst_lottab.moc"
