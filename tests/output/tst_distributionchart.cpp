// The distributions' chart, recorded: each bar as tall as the count of the
// raw values in its bin, its failing part as tall as theirs; and files that
// are nothing like a station's output drawn without a stroke outside the
// parts of the chart, at any size.

#include "TestSupport.h"

#include "data/ThresholdJudge.h"
#include "output/ChannelCapability.h"
#include "output/DistributionChart.h"
#include "RecordingDevice.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtTest>

#include <algorithm>

using namespace TestSupport;

namespace {

// Fibers whose channel 01 has the powers given, against -25.00, and every
// other channel -20.00; "-" for a power gives that fiber channel 19 there.
ThresholdJudge judged(const QByteArrayList &powers, std::optional<double> warnMargin = std::nullopt)
{
    QByteArray table;
    for (const QByteArray &power : powers) {
        const bool absent = power == "-";
        table += thresholdLine("F", absent ? 19 : 1, absent ? "-20.00" : power.constData(), "-25.00");
        for (int channel = 2; channel <= ChannelTable::FiberSize; ++channel)
            table += thresholdLine("F", channel, "-20.00", "-25.00");
    }
    const MeasurementRows rows = ChannelTable::CutTable(table);
    ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, warnMargin);
    for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize)
        judge.AddFiber(rows, first, ChannelTable::FiberSize);
    return judge;
}

QRectF textRect(const RecordedText &text)
{
    return QRectF(text.left(), text.top(), text.width, text.ascent + text.descent);
}

bool within(const QRectF &item, const QRectF &part)
{
    return item.left() >= part.left() - 0.5 && item.top() >= part.top() - 0.5
        && item.right() <= part.right() + 0.5 && item.bottom() <= part.bottom() + 0.5;
}

} // namespace

class TestDistributionChart : public QObject
{
    Q_OBJECT

private slots:
    void barsAreTheCountsOfTheirBins();
    void oddFilesStayInTheirParts_data();
    void oddFilesStayInTheirParts();
    void failingValuesAndLeftOutRowsAreTold_data();
    void failingValuesAndLeftOutRowsAreTold();
    void commonAxisHoldsEveryChannel();
    void cpkClasses_data();
    void cpkClasses();
    void capabilityCountsEveryRow_data();
    void capabilityCountsEveryRow();
};

// Sixty powers spread over 6 dB round a threshold of -25: the bars of
// channel 01, read off the recording, against the raw values counted into
// the bins drawn.
void TestDistributionChart::barsAreTheCountsOfTheirBins()
{
    QByteArrayList powers;
    QList<double> values;
    for (int i = 0; i < 60; ++i) {
        const double value = -28.0 + double((i * 37) % 600) / 100.0;
        values.append(value);
        powers.append(QByteArray::number(value, 'f', 2));
    }
    const DistributionChart chart(judged(powers));
    const DistributionChart::Colours colours = DistributionChart::Colours::Light();
    RecordingDevice device(QSize(1200, 800));
    QPainter painter(&device);
    chart.Draw(painter, QRectF(0, 0, 1200, 800));
    const DistributionChart::Layout layout = chart.LayoutFor(QRectF(0, 0, 1200, 800));
    QFont font = painter.font();
    font.setPixelSize(layout.fontPixels);
    const QRectF plot = DistributionChart::PlotArea(layout.panels.at(0), QFontMetricsF(font, &device));
    painter.end();

    const DistributionChart::Axis axis =
        chart.HistogramOf(0, DistributionChart::BinsFor(plot.width())).axis;
    QVERIFY(axis.start <= *std::min_element(values.cbegin(), values.cend()));
    QVERIFY(axis.end() > *std::max_element(values.cbegin(), values.cend()));
    QList<int> counts(axis.bins), failing(axis.bins);
    for (const double value : values) {
        // Edges at whole hundredths, as the values are.
        const int bin = int(std::floor((value - axis.start) / axis.width + 1e-9));
        ++counts[bin];
        if (value < -25.0)
            ++failing[bin];
    }
    const int most = *std::max_element(counts.cbegin(), counts.cend());

    QList<double> drawn(axis.bins), drawnFailing(axis.bins);
    for (const RecordingEngine::Fill &fill : device.engine().fills) {
        if (!plot.contains(fill.rect.center()) || (fill.color != colours.pass && fill.color != colours.fail))
            continue;
        const int bin = int(std::floor((fill.rect.center().x() - plot.left()) / plot.width() * axis.bins));
        drawn[bin] += fill.rect.height();
        if (fill.color == colours.fail)
            drawnFailing[bin] += fill.rect.height();
        QVERIFY(qAbs(fill.rect.left() - std::round(plot.left() + plot.width() * bin / axis.bins)) <= 0.5);
        QVERIFY(qAbs(fill.rect.bottom() - plot.bottom()) <= 0.5 || fill.color == colours.pass);
    }
    for (int bin = 0; bin < axis.bins; ++bin) {
        const QString where = QStringLiteral("bin %1 from %2 dB").arg(bin).arg(axis.start + bin * axis.width);
        QVERIFY2(qAbs(drawn[bin] - plot.height() * counts[bin] / most) <= 1, qPrintable(where));
        QVERIFY2(qAbs(drawnFailing[bin] - plot.height() * failing[bin] / most) <= 1, qPrintable(where));
    }
    QVERIFY(std::count_if(failing.cbegin(), failing.cend(), [](int n) { return n > 0; }) > 1);

    // The threshold: a line across the plot where -25 dB stands.
    const RecordingEngine &engine = device.engine();
    const double x = plot.left() + (-25.0 - axis.start) / (axis.end() - axis.start) * plot.width();
    int thresholds = 0;
    for (qsizetype i = 0; i < engine.lines.size(); ++i) {
        const QLineF &line = engine.lines.at(i);
        if (engine.linePens.at(i).widthF() == 2 && plot.contains(line.center()))
            thresholds += qAbs(line.x1() - x) <= 1 && line.x1() == line.x2() && line.length() >= plot.height() - 1;
    }
    QCOMPARE(thresholds, 1);
}

void TestDistributionChart::oddFilesStayInTheirParts_data()
{
    QTest::addColumn<QByteArrayList>("powers"); // channel 01's
    QTest::addColumn<QString>("shown");          // a text channel 01's panel shows
    QTest::addColumn<bool>("hugeAxis");          // numbers on the axis in exponent form
    QTest::newRow("a power of 1e64 among tens of dB")
        << QByteArrayList{"-20.00", "-21.00", "1e64", "-19.50", "-20.25"} << QStringLiteral("1 above the axis")
        << false;
    QTest::newRow("one value") << QByteArrayList{"-19.87", "-120.00", "abc"} << QStringLiteral("1 Low") << false;
    QTest::newRow("all equal") << QByteArrayList{"-17.00", "-17.00", "-17.00"} << QStringLiteral("Cpk -") << false;
    QTest::newRow("no numeric power") << QByteArrayList{"-120.00", "abc"}
                                      << QStringLiteral("no numeric power: 1 Low, 1 without a number") << false;
    QTest::newRow("in some fibers only") << QByteArrayList{"-20.00", "-", "-21.00", "-"}
                                         << QStringLiteral("01  1271.0 nm") << false;
    QTest::newRow("powers near the largest double")
        << QByteArrayList{"1.7e308", "-1.7e308", "1e308", "-20.00"} << QStringLiteral("2 above the axis") << true;
}

// At sizes from a slide to the smallest --plot draws, with and without a
// band: every fill, line and text lies inside the heading, a panel or the
// Pareto, and channel 01's panel tells what it could not draw.
void TestDistributionChart::oddFilesStayInTheirParts()
{
    QFETCH(QByteArrayList, powers);
    QFETCH(QString, shown);
    QFETCH(bool, hugeAxis);
    for (const std::optional<double> band : {std::optional<double>(), std::optional<double>(1.5)}) {
        const DistributionChart chart(judged(powers, band));
        for (const QSize size : {QSize(1920, 1080), QSize(800, 1000), QSize(320, 240)}) {
            RecordingDevice device(size);
            QPainter painter(&device);
            chart.Draw(painter, QRectF(QPointF(0, 0), size));
            painter.end();
            const DistributionChart::Layout layout = chart.LayoutFor(QRectF(QPointF(0, 0), size));
            const QList<QRectF> parts = QList<QRectF>{layout.heading, layout.pareto} + layout.panels;
            const auto inSomePart = [&](const QRectF &item) {
                return std::any_of(parts.cbegin(), parts.cend(), [&](const QRectF &part) { return within(item, part); });
            };
            const QString at = QStringLiteral(" at %1x%2").arg(size.width()).arg(size.height());
            const auto shownRect = [](const QRectF &rect) {
                return QStringLiteral("(%1, %2, %3 x %4)").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
            };
            // The paper under the whole area, then the parts.
            QCOMPARE(device.engine().fills.value(0).rect, QRectF(QPointF(0, 0), size));
            for (const RecordingEngine::Fill &fill : device.engine().fills.mid(1))
                QVERIFY2(inSomePart(fill.rect), qPrintable(QStringLiteral("a fill ") + shownRect(fill.rect) + at));
            for (const QLineF &line : device.lines())
                QVERIFY2(inSomePart(QRectF(line.p1(), line.p2()).normalized()),
                         qPrintable(QStringLiteral("a line ") + shownRect(QRectF(line.p1(), line.p2())) + at));
            for (const RecordedText &text : device.texts()) {
                QVERIFY2(inSomePart(textRect(text)), qPrintable(text.text + shownRect(textRect(text)) + at));
                QVERIFY2(hugeAxis || !text.text.contains(QLatin1String("e+")), qPrintable(text.text + at));
            }
            if (size.width() < 1920)
                continue;
            // A text wrapped over lines comes in pieces.
            QStringList inPanel;
            for (const RecordedText &text : device.texts()) {
                if (within(textRect(text), layout.panels.at(0)))
                    inPanel.append(text.text);
            }
            QVERIFY2(inPanel.join(QLatin1Char(' ')).contains(shown), qPrintable(inPanel.join(QLatin1Char('|'))));
        }
    }
}

namespace {

// Channel 01: 2000 powers from -20.00 to -20.99 against -25.00, one failing
// just past the threshold (-25.10), two failing a little further (-25.40)
// and three far below (-60.00), five Low. The bulk reaches to -22.25, the
// threshold takes the axis to -25.00, and 5 % of the 5 dB beyond that to
// -25.25: -25.10 stands on the axis, 2 + 3 values lie below it.
QByteArrayList channelWithOutliers()
{
    QByteArrayList powers;
    for (int i = 0; i < 2000; ++i)
        powers.append(QByteArray::number(-20.0 - (i % 100) / 100.0, 'f', 2));
    powers += QByteArrayList{"-25.10", "-25.40", "-25.40", "-60.00", "-60.00", "-60.00"};
    for (int i = 0; i < 5; ++i)
        powers.append("-120.00");
    return powers;
}

} // namespace

void TestDistributionChart::failingValuesAndLeftOutRowsAreTold_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("common");
    for (const QSize size : {QSize(1920, 1080), QSize(1024, 768), QSize(640, 480)}) {
        for (const bool common : {false, true})
            QTest::addRow("%dx%d%s", size.width(), size.height(), common ? " common" : "") << size << common;
    }
}

// At every size: the one failing value on the axis is a hatched bar at
// least a pixel high, and the panel's note counts the ten rows no bar
// holds, the same ten whatever the number of bins.
void TestDistributionChart::failingValuesAndLeftOutRowsAreTold()
{
    QFETCH(QSize, size);
    QFETCH(bool, common);
    DistributionChart chart(judged(channelWithOutliers()));
    chart.SetCommonAxis(common);
    RecordingDevice device(size);
    QPainter painter(&device);
    chart.Draw(painter, QRectF(QPointF(0, 0), size));
    const DistributionChart::Layout layout = chart.LayoutFor(QRectF(QPointF(0, 0), size));
    QFont font = painter.font();
    font.setPixelSize(layout.fontPixels);
    const QRectF plot = DistributionChart::PlotArea(layout.panels.at(0), QFontMetricsF(font, &device));
    painter.end();

    const DistributionChart::Histogram histogram = chart.HistogramOf(0, DistributionChart::BinsFor(plot.width()));
    const DistributionChart::Axis &axis = histogram.axis;
    const double x = plot.left() + (-25.10 - axis.start) / (axis.end() - axis.start) * plot.width();
    const bool failingBar = std::any_of(device.engine().fills.cbegin(), device.engine().fills.cend(),
                                        [&](const RecordingEngine::Fill &fill) {
                                            return fill.color == chart.ColoursOf().fail && fill.rect.height() >= 1
                                                && within(fill.rect, plot) && fill.rect.left() <= x + 1
                                                && fill.rect.right() >= x - 1;
                                        });
    QVERIFY(failingBar);

    const QStringList forms{QStringLiteral("5 Low; 5 below the axis"), QStringLiteral("10 not in the histogram"),
                            QStringLiteral("10 not shown"), QStringLiteral("+10")};
    QStringList inPanel;
    for (const RecordedText &text : device.texts()) {
        if (within(textRect(text), layout.panels.at(0)))
            inPanel.append(text.text);
    }
    QVERIFY2(std::any_of(forms.cbegin(), forms.cend(), [&](const QString &form) { return inPanel.contains(form); }),
             qPrintable(inPanel.join(QLatin1Char('|'))));
    for (const int bins : {8, 13, 27, 60})
        QCOMPARE(chart.HistogramOf(0, bins).below, 5);
}

// On one axis every channel's histogram has the same bins, reaching down
// to where channel 01's failing value lies.
void TestDistributionChart::commonAxisHoldsEveryChannel()
{
    DistributionChart chart(judged(channelWithOutliers()));
    chart.SetCommonAxis(true);
    const DistributionChart::Axis first = chart.HistogramOf(0, 40).axis;
    QVERIFY(first.start <= -25.10);
    for (int i = 1; i < chart.ChannelCount(); ++i) {
        const DistributionChart::Axis axis = chart.HistogramOf(i, 40).axis;
        QCOMPARE(axis.start, first.start);
        QCOMPARE(axis.width, first.width);
        QCOMPARE(axis.bins, first.bins);
    }
    // On its own axis a channel whose powers all stand at -20.00 still
    // shows its threshold.
    chart.SetCommonAxis(false);
    QVERIFY(chart.HistogramOf(1, 40).thresholdOnAxis);
}

void TestDistributionChart::cpkClasses_data()
{
    QTest::addColumn<double>("cpk"); // NaN: none
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << qQNaN() << QStringLiteral("Cpk -");
    QTest::newRow("below 0") << -0.55 << QStringLiteral("Cpk -0.55 low");
    QTest::newRow("just below 1") << 0.999 << QStringLiteral("Cpk 1.00 low");
    QTest::newRow("1") << 1.0 << QStringLiteral("Cpk 1.00 fair");
    QTest::newRow("just below 1.33") << 1.3299 << QStringLiteral("Cpk 1.33 fair");
    QTest::newRow("1.33") << 1.33 << QStringLiteral("Cpk 1.33 good");
}

// The class is in the words, where rounding to two places would hide it
// in the number.
void TestDistributionChart::cpkClasses()
{
    QFETCH(double, cpk);
    QFETCH(QString, text);
    QCOMPARE(ChannelCapability::CpkText(qIsNaN(cpk) ? std::nullopt : std::optional<double>(cpk)), text);
}

void TestDistributionChart::capabilityCountsEveryRow_data()
{
    QTest::addColumn<double>("cpk");      // NaN: none
    QTest::addColumn<double>("observed"); // NaN: none
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing failed") << 1.52 << qQNaN() << QStringLiteral("Cpk 1.52 good");
    QTest::newRow("9 of 48 failed, Low") << 1.13 << 0.2964 << QStringLiteral("Cpk obs. 0.30 low (1.13)");
    QTest::newRow("every row Low") << qQNaN() << 0.0 << QStringLiteral("Cpk obs. 0.00 low (-)");
    QTest::newRow("the margins tell less") << 0.8 << 0.9 << QStringLiteral("Cpk 0.80 low");
    QTest::newRow("neither") << qQNaN() << qQNaN() << QStringLiteral("Cpk -");
}

// The panel's word is the lower of the two Cpk: a channel whose failing
// rows have no margin is not called fair for it.
void TestDistributionChart::capabilityCountsEveryRow()
{
    QFETCH(double, cpk);
    QFETCH(double, observed);
    QFETCH(QString, text);
    ThresholdJudge::ChannelFigures figures;
    const auto held = [](double value) { return qIsNaN(value) ? std::nullopt : std::optional<double>(value); };
    figures.cpk = held(cpk);
    figures.cpkObserved = held(observed);
    figures.capability = !figures.cpk ? figures.cpkObserved
        : !figures.cpkObserved        ? figures.cpk
                                      : std::optional<double>(qMin(cpk, observed));
    QCOMPARE(ChannelCapability::Text(figures), text);
}

QTEST_MAIN(TestDistributionChart)
#include "tst_distributionchart.moc"
