// The Distributions window through its widgets: it follows the document
// (another file, a new warning margin, the band set while a file is read),
// its keys show a channel's worst fiber in the window, a tool tip gives a
// bar's bin, and Save Image writes the chart by the rules of every output
// file, as the chart's context menu does for the fiber's bars.

#include "ViewTestSupport.h"

#include "view/DistributionDialog.h"
#include "view/DistributionView.h"
#include "view/FiberComboBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QHelpEvent>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolTip>

#include <unistd.h>

using namespace ViewTestSupport;

namespace {

// 18 channels 5 dB above their thresholds of -25 dB, but for those given.
QByteArray fiberWith(const char *name, const QList<QPair<int, const char *>> &odd = {})
{
    QByteArray lines;
    for (int channel = 1; channel <= 18; ++channel) {
        const char *power = "-20.00";
        for (const auto &[which, own] : odd)
            power = which == channel ? own : power;
        lines += TestSupport::thresholdLine(name, channel, power, "-25.00");
    }
    return lines;
}

// F2 passes by 1 dB at channel 03, where WORST fails by 3 dB; at channel 18
// WORST has the least margin, 0.5 dB, but LOWEND, later, reads Low there.
QByteArray fileA()
{
    return TestSupport::standardHeader() + fiberWith("F1") + fiberWith("F2", {{3, "-24.00"}})
        + fiberWith("WORST", {{3, "-28.00"}, {18, "-24.50"}}) + fiberWith("LOWEND", {{18, "-120.00"}});
}

QByteArray fileB()
{
    return TestSupport::standardHeader() + fiberWith("G1") + fiberWith("G2");
}

// The chart as drawn on a device that records it.
std::unique_ptr<RecordingDevice> recorded(const DistributionView *view)
{
    auto device = std::make_unique<RecordingDevice>(view->size());
    QPainter painter(device.get());
    view->DrawChart(painter, QRectF(view->rect()));
    return device;
}

} // namespace

class TestDistributions : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void followsTheDocument();
    void keysShowAChannelsWorstFiber();
    void tipGivesABinsRangeAndCount();
    void aBarsClickListsItsFibers();
    void theChosenFiberIsMarkedOnEveryHistogram();
    void saveImageWritesAsEveryOutput_data();
    void saveImageWritesAsEveryOutput();
    void chartMenuSavesTheFibersBars();
    void whatIfFollowsEverywhere();

private:
    QString write(const QString &name, const QByteArray &bytes);
    void open(const QString &path);
    DistributionView *chart() const;
    QString heading() const;

    QTemporaryDir *m_dir = nullptr;
    CSDIQVLView *m_view = nullptr;
    ScriptedDialogs m_dialogs;
};

void TestDistributions::init()
{
    m_dir = new QTemporaryDir;
    m_dialogs = ScriptedDialogs();
    m_view = showView(m_dialogs);
    QVERIFY(m_view);
}

void TestDistributions::cleanup()
{
    delete m_view;
    delete m_dir;
}

QString TestDistributions::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir->filePath(name);
    return TestSupport::writeFile(path, bytes) ? path : QString();
}

void TestDistributions::open(const QString &path)
{
    m_dialogs.openAnswers.append(QStringList{path});
    QVERIFY(readAndWait(m_view, [this] { m_view->OnFileOpen(); }));
}

DistributionView *TestDistributions::chart() const
{
    auto *window = m_view->findChild<DistributionDialog *>(QStringLiteral("distributions"));
    return window ? window->findChild<DistributionView *>(QStringLiteral("distributionChart")) : nullptr;
}

// The line above the histograms, as the window draws it.
QString TestDistributions::heading() const
{
    DistributionView *view = chart();
    if (!view || !view->HasChart())
        return QString();
    const std::unique_ptr<RecordingDevice> device = recorded(view);
    for (const RecordedText &text : device->texts()) {
        if (text.text.contains(QLatin1String(" pass (")))
            return text.text;
    }
    return QString();
}

// The window opened before any file, then each file shown in turn; a band
// set re-judges the rows shown, and one set while a file is read reaches
// its figures too.
void TestDistributions::followsTheDocument()
{
    m_view->OnViewDistributions();
    QVERIFY(chart() && chart()->isVisible());
    chart()->window()->resize(1200, 800);
    QVERIFY(!chart()->HasChart());

    open(write(QStringLiteral("a.fib"), fileA()));
    QTRY_COMPARE(heading(), QStringLiteral("a.fib: 2 of 4 fibers pass (50.0 %)"));
    QSignalSpy reads(&m_view->Manager(), &DocumentManager::readStarted);
    m_view->Manager().SetWarnMargin(2.0);
    QTRY_COMPARE(heading(), QStringLiteral("a.fib: 2 of 4 fibers pass (50.0 %), 1 marginal (below 2 dB)"));
    QCOMPARE(reads.count(), 0);

    // The common axis, once chosen, holds for the next file too.
    chart()->window()->findChild<QCheckBox *>(QStringLiteral("commonAxis"))->click();
    QVERIFY(chart()->Chart()->CommonAxis());
    m_dialogs.openAnswers.append(QStringList{write(QStringLiteral("b.fib"), fileB())});
    m_view->OnFileOpen();
    m_view->Manager().SetWarnMargin(5.5); // while b.fib is read
    QTRY_COMPARE(heading(), QStringLiteral("b.fib: 2 of 2 fibers pass (100.0 %), 2 marginal (below 5.5 dB)"));
    QVERIFY(chart()->Chart()->CommonAxis());
}

// Right twice: channel 03, whose worst fiber fails by 3 dB, chosen with
// that channel marked; End: channel 18, where a Low power is worse than
// any margin.
void TestDistributions::keysShowAChannelsWorstFiber()
{
    open(write(QStringLiteral("a.fib"), fileA()));
    m_view->OnViewDistributions();
    QTRY_VERIFY(chart()->HasChart());
    QTest::keyClick(chart(), Qt::Key_Right);
    QTest::keyClick(chart(), Qt::Key_Right);
    QTest::keyClick(chart(), Qt::Key_Return);
    QCOMPARE(comboFiber(m_view)->GetWindowText().trimmed(), QStringLiteral("WORST"));
    QCOMPARE(listChannels(m_view)->rowCount(), 18);
    // The channel stays marked, here and in the window.
    QCOMPARE(listChannels(m_view)->selectionModel()->selectedRows().value(0).row(), 2);
    QCOMPARE(listChannels(m_view)->item(2, 0)->text().trimmed(), QStringLiteral("03"));
    QCOMPARE(chart()->Current(), 2);
    QTest::keyClick(chart(), Qt::Key_End);
    QTest::keyClick(chart(), Qt::Key_Return);
    QCOMPARE(comboFiber(m_view)->GetWindowText().trimmed(), QStringLiteral("LOWEND"));
}

// Channel 01 holds four powers of -20.00 dB: the one bar of its histogram.
void TestDistributions::tipGivesABinsRangeAndCount()
{
    open(write(QStringLiteral("a.fib"), fileA()));
    m_view->OnViewDistributions();
    QTRY_VERIFY(chart()->HasChart());
    DistributionView *view = chart();
    const std::unique_ptr<RecordingDevice> device = recorded(view);
    const QColor bar = view->Chart()->ColoursOf().pass;
    QPointF at(-1, -1);
    for (const RecordingEngine::Fill &fill : device->engine().fills) {
        if (fill.color == bar) {
            at = fill.rect.center();
            break;
        }
    }
    QVERIFY(at.x() >= 0);
    QHelpEvent help(QEvent::ToolTip, at.toPoint(), view->mapToGlobal(at.toPoint()));
    QApplication::sendEvent(view, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    const QRegularExpressionMatch tip =
        QRegularExpression(QStringLiteral("^01: (\\S+) to (\\S+) dB, 4 values$")).match(QToolTip::text());
    QVERIFY2(tip.hasMatch(), qPrintable(QToolTip::text()));
    QVERIFY(tip.captured(1).toDouble() <= -20.0 && tip.captured(2).toDouble() > -20.0);
    QToolTip::hideText();
}

void TestDistributions::saveImageWritesAsEveryOutput_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<bool>("linked"); // another name for the older file
    QTest::newRow("png") << "d.png" << "d.png" << QByteArray("\x89PNG") << false;
    QTest::newRow("svg") << "d.svg" << "d.svg" << QByteArray("<?xml") << false;
    QTest::newRow("pdf") << "d.PDF" << "d.PDF" << QByteArray("%PDF") << false;
    QTest::newRow("other name") << "d.img" << "d.img.png" << QByteArray("\x89PNG") << false;
    QTest::newRow("hard link") << "d.png" << "d.png" << QByteArray("\x89PNG") << true;
}

// A PNG has the chart's size at the screen's pixel ratio; a file with other
// names is replaced under the name chosen alone, which a message says.
void TestDistributions::saveImageWritesAsEveryOutput()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    QFETCH(bool, linked);
    open(write(QStringLiteral("a.fib"), fileA()));
    m_view->OnViewDistributions();
    QTRY_VERIFY(chart()->HasChart());
    const QString target = m_dir->filePath(written);
    if (linked) {
        QVERIFY(TestSupport::writeFile(target, "older"));
        QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(target + QLatin1String(".old")).constData()), 0);
    }
    m_dialogs.saveAnswers.append(m_dir->filePath(chosen));
    chart()->window()->findChild<QPushButton *>(QStringLiteral("saveImage"))->click();
    QCOMPARE(m_dialogs.lastFilter, QStringLiteral("PNG image (*.png);;SVG image (*.svg);;PDF document (*.pdf)"));
    QVERIFY(TestSupport::readFile(target).startsWith(start));
    if (start.startsWith("\x89PNG"))
        QCOMPARE(QImage(target).size(), chart()->size() * chart()->devicePixelRatioF());
    QCOMPARE(m_dialogs.messages,
             linked ? QStringList{QStringLiteral("\"%1\" had 2 links; the others keep the old content").arg(target)}
                    : QStringList());
}

// The context menu of the chart under the list: the fiber's bars, proposed
// beside the file as NAME-FIBER.png.
void TestDistributions::chartMenuSavesTheFibersBars()
{
    open(write(QStringLiteral("a.fib"), fileA()));
    chooseFiber(m_view, 0);
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&poll] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            poll.stop();
            menu->setActiveAction(menu->actions().value(0));
            QTest::keyClick(menu, Qt::Key_Return);
        }
    });
    poll.start();
    m_dialogs.saveAnswers.append(m_dir->filePath(QStringLiteral("bars.png")));
    const QPoint bar(110, baseLineRow(m_view) - 5); // inside bar 0
    QContextMenuEvent event(QContextMenuEvent::Mouse, bar, m_view->mapToGlobal(bar));
    QApplication::sendEvent(m_view, &event);
    QCOMPARE(m_dialogs.lastSuggested, m_dir->filePath(QStringLiteral("a-F1.png")));
    const QImage image(m_dir->filePath(QStringLiteral("bars.png")));
    QVERIFY(image.width() > 40 * 18 && image.height() > 300); // the 18 bars and the axis of 80 dB
    int red = 0;
    for (int x = 0; x < image.width(); ++x)
        red += isRed(image, x, image.height() / 2) ? 1 : 0;
    QVERIFY(red >= 18 * 20); // across every bar
}

// Channel 03 tried at -29.00 (typed): WORST passes there, so 3 of 4 pass,
// told at once and then by every figure the window judges, the fiber box's
// mark too; dragged to -23.50, F2 fails as well; Reset goes back to the
// rows' thresholds, Apply hands the limits on.
void TestDistributions::whatIfFollowsEverywhere()
{
    open(write(QStringLiteral("a.fib"), fileA()));
    m_view->OnViewDistributions();
    QTRY_VERIFY(chart()->HasChart());
    auto *window = m_view->findChild<DistributionDialog *>(QStringLiteral("distributions"));
    window->resize(1200, 800);
    QTRY_VERIFY(chart()->LimitX(2));
    const auto text = [window] { return window->findChild<QLabel *>(QStringLiteral("whatIfText"))->text(); };
    chart()->SetCurrent(2);
    window->findChild<QDoubleSpinBox *>(QStringLiteral("whatIfLower"))->setValue(-29);
    QCOMPARE(text(), QStringLiteral("What if 03 from -29.00 dBm: 3 of 4 fibers pass (75.0 %)"));
    QTRY_COMPARE(heading(), QStringLiteral("a.fib: 3 of 4 fibers pass (75.0 %), limits: what if"));
    QCOMPARE(m_view->Manager().Document().MarkOf(2), ResultDocument::Mark::Passes);

    const QRectF panel = chart()->Chart()->LayoutFor(QRectF(chart()->rect())).panels.at(2);
    const QPoint from(qRound(*chart()->LimitX(2)), qRound(panel.center().y()));
    int to = from.x();
    while (chart()->ValueAt(2, to).value_or(0) < -23.5 && to < chart()->width())
        ++to;
    QCOMPARE(*chart()->ValueAt(2, to), -23.5);
    QTest::mousePress(chart(), Qt::LeftButton, {}, from);
    QTest::mouseMove(chart(), QPoint(to, from.y()));
    QCOMPARE(text(), QStringLiteral("What if 03 from -23.50 dBm: 1 of 4 fibers pass (25.0 %)"));
    QTest::mouseRelease(chart(), Qt::LeftButton, {}, QPoint(to, from.y()));
    QTRY_COMPARE(heading(), QStringLiteral("a.fib: 1 of 4 fibers pass (25.0 %), limits: what if"));
    QCOMPARE(m_view->Manager().Document().MarkOf(1), ResultDocument::Mark::Fails);

    window->findChild<QPushButton *>(QStringLiteral("resetWhatIf"))->click();
    QTRY_COMPARE(heading(), QStringLiteral("a.fib: 2 of 4 fibers pass (50.0 %)"));
    QVERIFY(m_view->Manager().Document().LimitsInUse().IsEmpty());

    QSignalSpy applied(m_view, &CSDIQVLView::limitsApplied);
    window->TryLower(-29);
    window->findChild<QPushButton *>(QStringLiteral("applyWhatIf"))->click();
    QCOMPARE(applied.count(), 1);
    const Limits limits = applied.at(0).at(0).value<Limits>();
    QCOMPARE(limits.Name(), QStringLiteral("unsaved limits"));
    QCOMPARE(limits.OfNumber(3)->lower, std::optional<double>(-29));
}

// A click on any bar lists in the fiber box just the fibers it counts, the
// bar's range and count in place of the box's; Esc lists them all again.
void TestDistributions::aBarsClickListsItsFibers()
{
    open(write(QStringLiteral("a.fib"), fileA()));
    m_view->OnViewDistributions();
    QTRY_VERIFY(chart()->HasChart());
    DistributionView *view = chart();
    const std::unique_ptr<RecordingDevice> device = recorded(view);
    const ChartColours colours = view->Chart()->ColoursOf();
    FiberComboBox *box = comboFiber(m_view);
    auto *note = box->findChild<QLabel *>(QStringLiteral("fiberCount"));
    const auto listed = [box] {
        QStringList names;
        for (int row = 0; row < box->List()->model()->rowCount(); ++row)
            names.append(box->List()->model()->index(row, 0).data().toString().trimmed());
        return names;
    };
    int bars = 0;
    bool worstAlone = false;
    for (const RecordingEngine::Fill &fill : device->engine().fills) {
        if ((fill.color != colours.pass && fill.color != colours.fail) || fill.rect.height() < 2)
            continue;
        const QPoint at = fill.rect.center().toPoint();
        const QRegularExpressionMatch tip =
            QRegularExpression(QStringLiteral("^(\\d\\d): (\\S+) to (\\S+) dB, (\\d+) values?")).match(view->TipAt(at));
        if (!tip.hasMatch())
            continue; // a swatch, the Pareto's bars
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QVERIFY(box->Finding());
        QCOMPARE(listed().size(), tip.captured(4).toInt());
        QCOMPARE(note->toolTip(), QStringLiteral("%1: bin %2 to %3 dBm, %4")
                                      .arg(tip.captured(1), tip.captured(2), tip.captured(3),
                                           tip.captured(4) == QLatin1String("1") ? QStringLiteral("1 fiber")
                                                                                : tip.captured(4) + QStringLiteral(" fibers")));
        worstAlone |= tip.captured(1) == QLatin1String("03") && listed() == QStringList{QStringLiteral("WORST")};
        ++bars;
    }
    QVERIFY(bars > 18);
    QVERIFY(worstAlone);
    QTest::keyClick(box->Find(), Qt::Key_Escape);
    QVERIFY(!box->Finding());
    QCOMPARE(listed().size(), 4);
}

// The fiber chosen in the window: a triangle on each histogram where its
// power is a number, over the bar that counts it; a Low power has none.
void TestDistributions::theChosenFiberIsMarkedOnEveryHistogram()
{
    open(write(QStringLiteral("a.fib"), fileA()));
    m_view->OnViewDistributions();
    QTRY_VERIFY(chart()->HasChart());
    DistributionView *view = chart();
    const auto marks = [view] {
        const std::unique_ptr<RecordingDevice> device = recorded(view);
        QList<QPointF> tips;
        for (const RecordingEngine::Polygon &polygon : device->engine().polygons) {
            if (polygon.brush == view->Chart()->ColoursOf().fair && polygon.points.size() == 3)
                tips.append(polygon.points.at(2));
        }
        return tips;
    };
    QVERIFY(marks().isEmpty());
    FiberComboBox *box = comboFiber(m_view);
    const auto choose = [box](const char *name) {
        for (int entry = 0; entry < box->GetCount(); ++entry) {
            if (box->GetLBBytes(entry).trimmed() == name)
                box->ChooseEntry(entry);
        }
    };
    choose("WORST");
    QList<QPointF> tips = marks();
    QCOMPARE(tips.size(), 18);
    int atWorst = 0;
    for (const QPointF &tip : std::as_const(tips)) {
        const QRegularExpressionMatch bin =
            QRegularExpression(QStringLiteral("^(\\d\\d): (\\S+) to (\\S+) dB")).match(view->TipAt(tip + QPointF(0, 2)));
        QVERIFY2(bin.hasMatch(), qPrintable(view->TipAt(tip + QPointF(0, 2))));
        const double power = bin.captured(1) == QLatin1String("03") ? -28.0 : bin.captured(1) == QLatin1String("18") ? -24.5 : -20.0;
        QVERIFY2(bin.captured(2).toDouble() <= power && power < bin.captured(3).toDouble(), qPrintable(bin.captured(0)));
        atWorst += bin.captured(1) == QLatin1String("03");
    }
    QCOMPARE(atWorst, 1);
    choose("LOWEND");
    QCOMPARE(marks().size(), 17);
}

QTEST_MAIN(TestDistributions)
#include "tst_distributions.moc"
