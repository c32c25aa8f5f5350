// The verdicts in the window, through its widgets: each fiber of the box
// marked pass or fail, the list's Margin column, the yield for the status
// bar, F8 round the failing fibers, the summary window's numbers, which
// are --summary's own, the marginal band at its edges and the fiber box's
// verdict filter.

#include "ViewTestSupport.h"

#include "data/ChannelColumns.h"

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/FiberFindBar.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QToolButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace ViewTestSupport;

namespace {

// 18 channels of `name`, each 5 dB above its threshold of -25 dB, but for
// the channel given its own power and threshold.
QByteArray fiberWith(const char *name, int odd = 0, const char *power = "", const char *threshold = "",
                     int channels = 18)
{
    QByteArray lines;
    for (int channel = 1; channel <= channels; ++channel)
        lines += channel == odd ? TestSupport::thresholdLine(name, channel, power, threshold)
                                : TestSupport::thresholdLine(name, channel, "-20.00", "-25.00");
    return lines;
}

} // namespace

class TestVerdicts : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fibersChannelsAndYield_data();
    void fibersChannelsAndYield();
    void f8GoesRoundTheFailures();
    void summaryIsSummarysOwn();
    void summaryTablesSortByValue();
    void marginalBandAtItsEdges_data();
    void marginalBandAtItsEdges();
    void filterListsAndCounts_data();
    void filterListsAndCounts();
    void summaryExportIsSummarysOutput_data();
    void summaryExportIsSummarysOutput();
    void misalignedFibersToldAndLast();

private:
    void open(const QByteArray &bytes);
    QStringList margins() const;

    QTemporaryDir *m_dir = nullptr;
    CSDIQVLView *m_view = nullptr;
    ScriptedDialogs m_dialogs;
    QString m_yield;
};

void TestVerdicts::init()
{
    m_dir = new QTemporaryDir;
    m_dialogs = ScriptedDialogs();
    m_view = showView(m_dialogs);
    QVERIFY(m_view);
    connect(&m_view->Document(), &ResultDocument::changed, this,
            [this] { m_yield = m_view->Document().YieldText(); });
    m_view->SetVerdictsShown(true);
}

void TestVerdicts::cleanup()
{
    delete m_view;
    delete m_dir;
    m_yield.clear();
}

// A file of five fibers: one passes; one has a channel 1 dB below its
// threshold, one a Low power, one a threshold that holds no number; the
// last has 10 rows. The box sorts them: BELOW LOW NONUM PASS SHORT.
void TestVerdicts::open(const QByteArray &bytes)
{
    const QString path = m_dir->filePath(QStringLiteral("f.fib"));
    QVERIFY(TestSupport::writeFile(path, bytes));
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
    QTRY_VERIFY(!m_yield.isEmpty()); // the verdicts come a moment after the file
}

QStringList TestVerdicts::margins() const
{
    QStringList texts;
    QTableWidget *list = listChannels(m_view);
    for (int row = 0; row < list->rowCount(); ++row) {
        const QTableWidgetItem *item = list->item(row, 6);
        texts.append(item->text() + (item->icon().isNull() ? QString() : QStringLiteral(" fails")));
    }
    return texts;
}

void TestVerdicts::fibersChannelsAndYield_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("mark"); // what a reader hears of the entry
    QTest::addColumn<int>("odd");      // the row with its own margin, -1 for none
    QTest::addColumn<QString>("margin");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("readout"); // of the odd row, else of the first, under the chart
    QTest::newRow("below") << 0 << "BELOW, fails" << 2 << "-1.00 fails" << 18 << "Margin= -1.00 dB";
    QTest::newRow("Low") << 1 << "LOW, fails" << 4 << " fails" << 18 << "Margin= Low";
    QTest::newRow("no number") << 2 << "NONUM, fails" << 6 << " fails" << 18 << "Margin= no number";
    QTest::newRow("pass") << 3 << "PASS, passes" << -1 << QString() << 18 << "Margin= +5.00 dB";
    QTest::newRow("incomplete") << 4 << "SHORT, fails" << -1 << QString() << 10 << "Margin= +5.00 dB";
}

void TestVerdicts::fibersChannelsAndYield()
{
    QFETCH(int, entry);
    QFETCH(QString, mark);
    QFETCH(int, odd);
    QFETCH(QString, margin);
    QFETCH(int, rows);
    QFETCH(QString, readout);
    open(TestSupport::standardHeader() + fiberWith("PASS") + fiberWith("BELOW", 3, "-26.00", "-25.00")
         + fiberWith("LOW", 5, "-120.00", "-25.00") + fiberWith("NONUM", 7, "-20.00", "abc")
         + fiberWith("SHORT", 0, "", "", 10));
    QCOMPARE(m_yield, QStringLiteral("1 of 5 fibers pass (20.0 %)"));

    QListView *box = comboFiber(m_view)->List();
    const QModelIndex index = box->model()->index(entry, 0);
    QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), mark);
    QVERIFY(!index.data(Qt::DecorationRole).value<QIcon>().isNull());
    chooseFiber(m_view, entry);
    QStringList expected(rows, QStringLiteral("5.00"));
    if (odd >= 0)
        expected[odd] = margin;
    QCOMPARE(margins(), expected);
    clickChannel(m_view, qMax(odd, 0));
    QCOMPARE(ViewTestSupport::readout(m_view).verdicts.value(1), readout);

    // Off, the window is the design's: six columns, no marks.
    m_view->SetVerdictsShown(false);
    QCOMPARE(listChannels(m_view)->columnCount(), 6);
    QVERIFY(index.data(Qt::DecorationRole).isNull());
}

// F8 shows the next failing fiber in the box's order, Shift+F8 the one
// before, round the end, passing fibers passed by.
void TestVerdicts::f8GoesRoundTheFailures()
{
    open(TestSupport::standardHeader() + fiberWith("B2", 1, "-30.00", "-25.00") + fiberWith("A1")
         + fiberWith("C3") + fiberWith("D4", 2, "-120.00", "-25.00") + fiberWith("E5"));
    QStringList shown;
    for (int i = 0; i < 3; ++i) {
        m_view->OnNextFailure();
        shown.append(comboFiber(m_view)->GetWindowText().trimmed());
    }
    m_view->OnPrevFailure();
    shown.append(comboFiber(m_view)->GetWindowText().trimmed());
    QCOMPARE(shown, (QStringList{"B2", "D4", "B2", "D4"}));
    QCOMPARE(listChannels(m_view)->rowCount(), 18); // shown as a choice in the box shows it
}

// The summary window's figures are --summary's, number for number.
void TestVerdicts::summaryIsSummarysOwn()
{
    const QString sample = TestSupport::sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib"));
    m_dialogs.openAnswers.append(QStringList{sample});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
    QTRY_VERIFY(!m_yield.isEmpty());
    m_view->OnViewSummary();
    auto *summary = m_view->findChild<QDialog *>(QStringLiteral("summary"));
    QVERIFY(summary && summary->isVisible());
    const QAbstractItemModel *channels =
        summary->findChild<QTableView *>(QStringLiteral("channelFigures"))->model();
    const QAbstractItemModel *failing =
        summary->findChild<QTableView *>(QStringLiteral("failingFibers"))->model();

    const TestSupport::ProgramRun run =
        TestSupport::runProgram({QStringLiteral("--summary"), QStringLiteral("--format"),
                                 QStringLiteral("json"), sample});
    const QJsonObject file = QJsonDocument::fromJson(run.out).object()[QLatin1String("files")][0].toObject();
    const QJsonArray figures = file[QLatin1String("channels")].toArray();
    QCOMPARE(channels->rowCount(), figures.size());
    // Every figure of the table, each to its own decimals.
    const QList<ChannelColumns::Column> &columns = ChannelColumns::All();
    QCOMPARE(channels->columnCount(), 2 + columns.size());
    for (int row = 0; row < figures.size(); ++row) {
        const QJsonObject object = figures[row].toObject();
        QCOMPARE(channels->index(row, 0).data().toString(), object[QLatin1String("channel")].toString());
        QCOMPARE(channels->index(row, 1).data().toString(), object[QLatin1String("wavelength")].toString());
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (columns.at(i).banded)
                continue; // judged without a band
            const QJsonValue value = object[QLatin1String(columns.at(i).key)];
            const QString cell = channels->index(row, int(2 + i)).data().toString();
            if (value.isString())
                QCOMPARE(cell, value.toString());
            else if (value.isNull())
                QCOMPARE(cell, QStringLiteral("-"));
            else
                QVERIFY2(std::abs(cell.toDouble() - value.toDouble()) <= 0.5 * std::pow(10.0, -columns.at(i).decimals) + 1e-9,
                         qPrintable(QStringLiteral("%1: %2 against %3").arg(QLatin1String(columns.at(i).key), cell)
                                        .arg(value.toDouble())));
        }
    }
    QStringList expected;
    for (const QJsonValue &fiber : file[QLatin1String("fiber_results")].toArray()) {
        const QJsonObject object = fiber.toObject();
        if (object[QLatin1String("verdict")].toString() == QLatin1String("fail"))
            expected.append(QStringList{object[QLatin1String("name")].toString(),
                                        object[QLatin1String("reason")].toString(),
                                        object[QLatin1String("failed_channels")].toVariant().toStringList().join(' '),
                                        object[QLatin1String("worst_channel")].toString(),
                                        QString::number(object[QLatin1String("worst_margin")].toDouble())}
                                .join(QLatin1Char('|')));
    }
    QStringList shown;
    for (int row = 0; row < failing->rowCount(); ++row)
        shown.append(QStringList{failing->index(row, 0).data().toString(),
                                 failing->index(row, 1).data().toString(),
                                 failing->index(row, 2).data().toString(),
                                 failing->index(row, 3).data().toString(),
                                 QString::number(failing->index(row, 4).data().toString().toDouble())}
                         .join(QLatin1Char('|')));
    QCOMPARE(shown, expected);
    // Copy: the failing fibers, under their headings.
    summary->findChild<QPushButton *>(QStringLiteral("copy"))->click();
    const QStringList copied = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(copied.first(), QStringLiteral("Fiber\tReason\tFailed channels\tWorst channel\tMargin"));
    QCOMPARE(copied.at(1).section(QLatin1Char('\t'), 2, 2), expected.first().section(QLatin1Char('|'), 2, 2));

    // Channels by their means, as numbers: a sort of texts puts -9.80
    // below -13.20.
    auto *channelTable = summary->findChild<QTableView *>(QStringLiteral("channelFigures"));
    const int mean = 2 + int(std::find_if(columns.begin(), columns.end(), [](const ChannelColumns::Column &column) {
                                 return qstrcmp(column.key, "mean") == 0;
                             }) - columns.begin());
    channelTable->sortByColumn(mean, Qt::DescendingOrder);
    for (int row = 1; row < channels->rowCount(); ++row)
        QVERIFY(channels->index(row - 1, mean).data().toString().toDouble()
                >= channels->index(row, mean).data().toString().toDouble());
}

// A heading's click sorts the failing fibers by value: the least margin
// first, each to two places, a fiber without one (Low) before any; a double
// click still chooses that row's fiber.
void TestVerdicts::summaryTablesSortByValue()
{
    open(TestSupport::standardHeader() + fiberWith("B", 2, "-25.50", "-25.00") + fiberWith("A", 9, "-37.25", "-25.00")
         + fiberWith("C", 4, "-28.00", "-25.00") + fiberWith("D", 5, "-120.00", "-25.00"));
    QTRY_VERIFY(m_view->Document().VerdictsKnown());
    m_view->OnViewSummary();
    auto *summary = m_view->findChild<QDialog *>(QStringLiteral("summary"));
    auto *table = summary->findChild<QTableView *>(QStringLiteral("failingFibers"));
    const QAbstractItemModel *failing = table->model();
    const auto column = [&](int at) {
        QStringList cells;
        for (int row = 0; row < failing->rowCount(); ++row)
            cells.append(failing->index(row, at).data().toString());
        return cells;
    };
    QCOMPARE(column(0), (QStringList{"B", "A", "C", "D"})); // the file's order until a heading is clicked
    table->sortByColumn(4, Qt::AscendingOrder);
    QCOMPARE(column(0), (QStringList{"D", "A", "C", "B"}));
    QCOMPARE(column(4), (QStringList{"Low", "-12.25", "-3.00", "-0.50"}));
    table->sortByColumn(0, Qt::DescendingOrder);
    QCOMPARE(column(0), (QStringList{"D", "C", "B", "A"}));
    QVERIFY(QTest::qWaitForWindowExposed(summary));
    QSignalSpy chosen(summary, SIGNAL(fiberChosen(qsizetype)));
    const QPoint place = table->visualRect(failing->index(3, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, place);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, place);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(m_view->Document().ShownName(chosen.first().first().value<qsizetype>()).trimmed(), QStringLiteral("A"));
}

namespace {

// Five fibers 5 dB above their thresholds of -25 dB, but: BELOW's worst
// channel 1.99 dB above it, EQUAL's 2.00 dB; LOW with a Low power; SHORT of
// 10 rows. In the box: BELOW EQUAL LOW PASS SHORT.
QByteArray bandFile()
{
    return TestSupport::standardHeader() + fiberWith("PASS") + fiberWith("BELOW", 4, "-23.01", "-25.00")
        + fiberWith("EQUAL", 4, "-23.00", "-25.00") + fiberWith("LOW", 5, "-120.00", "-25.00")
        + fiberWith("SHORT", 0, "", "", 10);
}

QStringList heard(const QListView *list)
{
    QStringList texts;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        texts.append(list->model()->index(row, 0).data(Qt::AccessibleTextRole).toString());
    return texts;
}

// Dark pixels in the column of the left edge of bar `bar` under the list:
// an outline, and the threshold's line that crosses it.
int darkInBarEdge(CSDIQVLView *view, int bar)
{
    const QImage image = view->grab().toImage();
    const int x = qRound((100 + 40 * bar) * image.devicePixelRatio());
    int dark = 0;
    for (int y = listChannels(view)->geometry().bottom() + 10; y < image.height(); ++y)
        dark += qGray(image.pixel(x, y)) < 60 ? 1 : 0;
    return dark;
}

} // namespace

void TestVerdicts::marginalBandAtItsEdges_data()
{
    QTest::addColumn<double>("band");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QString>("yield");
    QTest::addColumn<QList<bool>>("outlined"); // BELOW's channels 01 and 04 on the chart
    QTest::newRow("2 dB") << 2.0
                          << QStringList{"BELOW, passes, marginal", "EQUAL, passes", "LOW, fails", "PASS, passes",
                                         "SHORT, fails"}
                          << "3 of 5 fibers pass (60.0 %), 1 marginal" << QList<bool>{false, true};
    QTest::newRow("5.01 dB") << 5.01
                             << QStringList{"BELOW, passes, marginal", "EQUAL, passes, marginal", "LOW, fails",
                                            "PASS, passes, marginal", "SHORT, fails"}
                             << "3 of 5 fibers pass (60.0 %), 3 marginal" << QList<bool>{true, true};
    QTest::newRow("off") << -1.0
                         << QStringList{"BELOW, passes", "EQUAL, passes", "LOW, fails", "PASS, passes",
                                        "SHORT, fails"}
                         << "3 of 5 fibers pass (60.0 %)" << QList<bool>{false, false};
}

// The band is applied to the verdicts the window has: the file is not read
// again; the chart outlines the marginal fiber's channels in the band.
void TestVerdicts::marginalBandAtItsEdges()
{
    QFETCH(double, band);
    QFETCH(QStringList, marks);
    QFETCH(QString, yield);
    QFETCH(QList<bool>, outlined);
    open(bandFile());
    chooseFiber(m_view, 0);
    QSignalSpy reads(&m_view->Manager(), &DocumentManager::readStarted);
    m_view->Manager().SetWarnMargin(band < 0 ? std::nullopt : std::optional<double>(band));
    QCOMPARE(heard(comboFiber(m_view)->List()), marks);
    QCOMPARE(m_yield, yield);
    QCOMPARE((QList<bool>{darkInBarEdge(m_view, 0) > 40, darkInBarEdge(m_view, 3) > 40}), outlined);
    QTRY_COMPARE(m_view->Document().Judge().WarnMargin(), m_view->Document().WarnMargin());
    QCOMPARE(m_view->Document().Judge().MarginalCount(), m_view->Document().MarginalFibers());
    QCOMPARE(reads.count(), 0);
}

void TestVerdicts::filterListsAndCounts_data()
{
    QTest::addColumn<int>("filter"); // its place in the button's menu
    QTest::addColumn<QString>("find");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("count");
    QTest::newRow("failing") << 1 << "" << QStringList{"LOW", "SHORT"} << "2 of 5 failing";
    // The find text narrows the list, not the count of fibers failing.
    QTest::newRow("failing, found") << 1 << "s" << QStringList{"SHORT"} << "2 failing, 1 shown";
    QTest::newRow("marginal") << 2 << "" << QStringList{"BELOW"} << "1 of 5 marginal";
    QTest::newRow("incomplete") << 3 << "" << QStringList{"SHORT"} << "1 of 5 incomplete";
    QTest::newRow("all, found") << 0 << "e" << QStringList{"BELOW", "EQUAL"} << "5 fibers, 2 shown";
}

// The filter and the find text together; Esc lists every fiber again and
// takes the bar away, the filter set back to all fibers.
void TestVerdicts::filterListsAndCounts()
{
    QFETCH(int, filter);
    QFETCH(QString, find);
    QFETCH(QStringList, listed);
    QFETCH(QString, count);
    m_view->Manager().SetWarnMargin(2.0);
    open(bandFile());
    FiberComboBox *box = comboFiber(m_view);
    QSignalSpy chosen(m_view, &CSDIQVLView::fiberFilterChosen);
    m_view->OnEditFind();
    box->findChild<QToolButton *>(QStringLiteral("verdictFilter"))->menu()->actions().at(filter)->trigger();
    QCOMPARE(chosen.count(), 1);
    QTest::keyClicks(box->Find(), find);
    QStringList names;
    for (int row = 0; row < box->List()->model()->rowCount(); ++row)
        names.append(box->List()->model()->index(row, 0).data().toString().trimmed());
    QCOMPARE(names, listed);
    QCOMPARE(box->findChild<QLabel *>(QStringLiteral("fiberCount"))->toolTip(), count);

    QTest::keyClick(box->Find(), Qt::Key_Escape);
    QVERIFY(!box->Finding());
    QCOMPARE(box->List()->model()->rowCount(), 5);
    QCOMPARE(m_view->FiberFilter(), FiberFilterModel::Verdicts::All);
}

void TestVerdicts::summaryExportIsSummarysOutput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::newRow("csv") << "figures.csv" << "csv";
    QTest::newRow("json, by the name") << "figures.JSON" << "json";
}

// Export... writes the very bytes of `--summary --format F FILE`.
void TestVerdicts::summaryExportIsSummarysOutput()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    const QString sample = TestSupport::sourcePath(QStringLiteral("samples/cwdm-48-fibers.fib"));
    m_dialogs.openAnswers.append(QStringList{sample});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
    m_view->OnViewSummary();
    auto *summary = m_view->findChild<QDialog *>(QStringLiteral("summary"));
    QVERIFY(summary);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    m_dialogs.saveAnswers.append(path);
    summary->findChild<QPushButton *>(QStringLiteral("export"))->click();
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.messages.join(QLatin1Char('\n'))));
    const TestSupport::ProgramRun run =
        TestSupport::runProgram({QStringLiteral("--summary"), QStringLiteral("--format"), format, sample});
    QVERIFY(!run.out.isEmpty());
    QCOMPARE(TestSupport::readFile(path), run.out);

    // A name that cannot be written is told.
    m_dialogs.saveAnswers.append(dir.filePath(QStringLiteral("missing/figures.csv")));
    summary->findChild<QPushButton *>(QStringLiteral("export"))->click();
    QCOMPARE(m_dialogs.messages.size(), 1);
}

// A blank line after two fibers: the fiber cut after it has a name cut at
// random, which comes last in the box, failing, and the status bar names
// the line.
void TestVerdicts::misalignedFibersToldAndLast()
{
    open(TestSupport::standardHeader() + TestSupport::fiber("ZZ") + TestSupport::fiber("BB") + "\n"
         + TestSupport::fiber("AA"));
    FiberComboBox *box = comboFiber(m_view);
    QCOMPARE(box->GetCount(), 3);
    QCOMPARE(box->GetLBText(0).trimmed(), QStringLiteral("BB"));
    QCOMPARE(box->GetLBText(1).trimmed(), QStringLiteral("ZZ"));
    QTRY_VERIFY(m_view->Document().NoticeText().contains(QLatin1String("is 1 byte long; rows after it are not aligned")));
    QCOMPARE(m_view->Document().Judge().FailedCount(), 1);
}

QTEST_MAIN(TestVerdicts)
#include "tst_verdicts.moc"
