#include "TestSupport.h"

#include "data/LoadedFile.h"
#include "data/ThresholdJudge.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

// A row as the file gives it, cut as every table is cut.
MeasurementRow row(int channel, const char *power, const char *threshold)
{
    return ChannelTable::CutTable(TestSupport::thresholdLine("FIBER", channel, power, threshold))
        .At(0)
        .Record();
}

using Failures = ThresholdJudge::Failures;

// A number as a person reads it off the field, or none: what the file
// format calls numeric, with Low (below -99.9) left out for powers.
std::optional<long double> reading(const QByteArray &text, bool power)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || (power && value < -99.9))
        return std::nullopt;
    return value;
}

// Mean and sample standard deviation the textbook way: the mean first,
// then the squared deviations from it, in long double, where sums of
// values near the largest double still fit.
struct TwoPass
{
    std::optional<long double> mean;
    std::optional<long double> deviation;
};

TwoPass twoPass(const QList<long double> &values)
{
    TwoPass result;
    if (values.isEmpty())
        return result;
    long double sum = 0;
    for (const long double value : values)
        sum += value;
    result.mean = sum / values.size();
    if (values.size() < 2)
        return result;
    long double squares = 0;
    for (const long double value : values)
        squares += (value - *result.mean) * (value - *result.mean);
    result.deviation = std::sqrt(squares / (values.size() - 1));
    return result;
}

// Percentile p of the values, sorted, linear between the closest ranks.
std::optional<double> sortedPercentile(QList<long double> values, double p)
{
    if (values.isEmpty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    const long double position = (values.size() - 1) * p / 100.0L;
    const qsizetype below = qsizetype(std::floor(position));
    if (below + 1 >= values.size())
        return double(values.at(below));
    return double(values.at(below) + (position - below) * (values.at(below + 1) - values.at(below)));
}

// A figure against the textbook's: both none, or equal to a part in 1e12.
bool agrees(const std::optional<double> &actual, const std::optional<long double> &expected)
{
    if (!expected || !std::isfinite(double(*expected)))
        return !actual;
    return actual && std::fabs(*actual - double(*expected)) <= 1e-12 * std::fabs(double(*expected)) + 1e-12;
}

QByteArray text(const std::optional<double> &value)
{
    return value ? QByteArray::number(*value, 'g', 17) : QByteArray("none");
}

// Fibers of 18 rows at -20.00 against -25.00, channel 01's row taken from
// `powers` and `thresholds` (one threshold for all, or one a fiber); "-"
// for a power gives that fiber no channel 01, its first row naming 19.
MeasurementRows channelTable(const QByteArrayList &powers, const QByteArrayList &thresholds)
{
    QByteArray table;
    for (qsizetype fiber = 0; fiber < powers.size(); ++fiber) {
        const QByteArray threshold = thresholds.value(thresholds.size() == 1 ? 0 : fiber);
        const bool absent = powers.at(fiber) == "-";
        table += TestSupport::thresholdLine("FIBER", absent ? 19 : 1, absent ? "-20.00" : powers.at(fiber),
                                            threshold);
        for (int channel = 2; channel <= ChannelTable::FiberSize; ++channel)
            table += TestSupport::thresholdLine("FIBER", channel, "-20.00", "-25.00");
    }
    return ChannelTable::CutTable(table);
}

} // namespace

Q_DECLARE_METATYPE(ThresholdJudge::Failures)

class TestThresholdJudge : public QObject
{
    Q_OBJECT

private slots:
    void channels_data();
    void channels();
    void fibers_data();
    void fibers();
    void figuresOverRuns_data();
    void figuresOverRuns();
    void statistics_data();
    void statistics();
    void meansWhereValuesCancel_data();
    void meansWhereValuesCancel();
    void marginalBand_data();
    void marginalBand();
    void pareto();
    void farValuesCountAlikeInParts();
};

void TestThresholdJudge::channels_data()
{
    QTest::addColumn<QByteArray>("power");
    QTest::addColumn<QByteArray>("threshold");
    QTest::addColumn<Failures>("failures");
    QTest::addColumn<double>("margin"); // NaN: none
    const double none = qQNaN();
    QTest::newRow("above") << QByteArray("-12.34") << QByteArray("-25.00") << Failures() << 12.66;
    QTest::newRow("equal") << QByteArray("-25.00") << QByteArray("-25.0") << Failures() << 0.0;
    QTest::newRow("below by 0.01 dB") << QByteArray("-25.01") << QByteArray("-25.00")
                                      << Failures(ThresholdJudge::BelowThreshold) << -0.01;
    QTest::newRow("Low") << QByteArray("-120.00") << QByteArray("-25.00")
                         << Failures(ThresholdJudge::Low) << none;
    QTest::newRow("no number in the power") << QByteArray("abc") << QByteArray("-25.00")
                                            << Failures(ThresholdJudge::NoNumber) << none;
    QTest::newRow("no number in the threshold") << QByteArray("-12.34") << QByteArray("")
                                                << Failures(ThresholdJudge::NoNumber) << none;
}

void TestThresholdJudge::channels()
{
    QFETCH(QByteArray, power);
    QFETCH(QByteArray, threshold);
    QFETCH(Failures, failures);
    QFETCH(double, margin);
    const MeasurementRows rows =
        ChannelTable::CutTable(TestSupport::thresholdLine("FIBER", 1, power, threshold));
    const ThresholdJudge::Channel channel = ThresholdJudge::JudgeChannel(rows.At(0));
    QCOMPARE(channel.failures, failures);
    QCOMPARE(channel.margin.has_value(), !qIsNaN(margin));
    if (channel.margin)
        QVERIFY2(qAbs(*channel.margin - margin) < 1e-9, qPrintable(QString::number(*channel.margin)));
}

void TestThresholdJudge::fibers_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QByteArrayList>("odd"); // "channel:power:threshold" for a row each
    QTest::addColumn<Failures>("failures");
    QTest::addColumn<QByteArrayList>("failedChannels");
    QTest::addColumn<QByteArray>("worstChannel"); // empty: none
    QTest::addColumn<double>("worstMargin");      // NaN: none
    const double none = qQNaN();
    // Every other row: power -20.00 against -25.00, a margin of 5.
    QTest::newRow("all pass") << 18 << QByteArrayList{"03:-24.00:-25.00"} << Failures()
                              << QByteArrayList() << QByteArray("03") << 1.0;
    QTest::newRow("one fails against its own threshold")
        << 18 << QByteArrayList{"09:-20.00:-15.00"} << Failures(ThresholdJudge::BelowThreshold)
        << QByteArrayList{"09"} << QByteArray("09") << -5.0;
    QTest::newRow("incomplete") << 16 << QByteArrayList() << Failures(ThresholdJudge::Incomplete)
                                << QByteArrayList() << QByteArray("01") << 5.0;
    // A channel that cannot be measured is worse than any margin.
    QTest::newRow("Low only") << 18 << QByteArrayList{"07:-120.00:-25.00"} << Failures(ThresholdJudge::Low)
                              << QByteArrayList{"07"} << QByteArray("07") << none;
    QTest::newRow("no number only") << 18 << QByteArrayList{"12:abc:-25.00"} << Failures(ThresholdJudge::NoNumber)
                                    << QByteArrayList{"12"} << QByteArray("12") << none;
    QTest::newRow("Low after a negative margin")
        << 18 << QByteArrayList{"03:-30.00:-25.00", "09:-120.00:-25.00", "11:-121.00:-25.00"}
        << (ThresholdJudge::BelowThreshold | ThresholdJudge::Low) << QByteArrayList{"03", "09", "11"}
        << QByteArray("09") << none;
    QTest::newRow("no number in a threshold before a Low")
        << 18 << QByteArrayList{"02:-20.00:x", "05:-120.00:-25.00"} << (ThresholdJudge::NoNumber | ThresholdJudge::Low)
        << QByteArrayList{"02", "05"} << QByteArray("02") << none;
    QTest::newRow("one row, Low") << 1 << QByteArrayList{"01:-120.00:-25.00"}
                                  << (ThresholdJudge::Incomplete | ThresholdJudge::Low) << QByteArrayList{"01"}
                                  << QByteArray("01") << none;
}

void TestThresholdJudge::fibers()
{
    QFETCH(int, rows);
    QFETCH(QByteArrayList, odd);
    QFETCH(Failures, failures);
    QFETCH(QByteArrayList, failedChannels);
    QFETCH(QByteArray, worstChannel);
    QFETCH(double, worstMargin);
    MeasurementRows block;
    for (int channel = 1; channel <= rows; ++channel) {
        QByteArray power = "-20.00", threshold = "-25.00";
        for (const QByteArray &override : odd) {
            const QByteArrayList parts = override.split(':');
            if (parts.at(0).toInt() == channel) {
                power = parts.at(1);
                threshold = parts.at(2);
            }
        }
        block.Append(row(channel, power, threshold));
    }

    ThresholdJudge judge;
    const ThresholdJudge::Fiber fiber = judge.AddFiber(block, 0, rows);
    QCOMPARE(fiber.name.toByteArray(), QByteArray("FIBER   "));
    QCOMPARE(fiber.failures, failures);
    QByteArrayList failed;
    for (const QByteArrayView channel : fiber.failedChannels)
        failed.append(channel.toByteArray());
    QCOMPARE(failed, failedChannels);
    QCOMPARE(fiber.worstChannel.toByteArray(), worstChannel);
    QCOMPARE(fiber.worstMargin.has_value(), !qIsNaN(worstMargin));
    if (fiber.worstMargin)
        QVERIFY(qAbs(*fiber.worstMargin - worstMargin) < 1e-9);
    QCOMPARE(judge.FiberCount(), 1);
    QCOMPARE(judge.Passed(), failures == Failures());
}

void TestThresholdJudge::figuresOverRuns_data()
{
    QTest::addColumn<int>("fibers");
    QTest::addColumn<QByteArray>("high");
    QTest::addColumn<QByteArray>("low");
    QTest::addColumn<int>("stretch"); // fibers in a row at the same power
    const int run = int(ThresholdJudge::ChunkFibers);
    QTest::newRow("one run short") << run - 2 << QByteArray("-20.00") << QByteArray("-22.00") << 1;
    QTest::newRow("two runs and a bit") << 2 * run + 2 << QByteArray("-20.00") << QByteArray("-22.00") << 1;
    QTest::newRow("five runs and a bit") << 5 * run + 6 << QByteArray("-20.00") << QByteArray("-22.00") << 1;
    // Squares of deviations past the largest double, in every run, and
    // only where two runs come together.
    QTest::newRow("3e200 and 1e200 in every run") << 2 * run + 2 << QByteArray("3e200") << QByteArray("1e200") << 1;
    QTest::newRow("3e200 and 1e200 run by run") << 2 * run << QByteArray("3e200") << QByteArray("1e200") << run;
}

// Fibers at `high` and `low` in turn, against a threshold between them:
// half of them fail; the mean lies half way and the sample standard
// deviation is half the distance times sqrt(n / (n - 1)), however the
// fibers are split between threads; judged on two threads, the very
// numbers of one judge going through them all.
void TestThresholdJudge::figuresOverRuns()
{
    QFETCH(int, fibers);
    QFETCH(QByteArray, high);
    QFETCH(QByteArray, low);
    QFETCH(int, stretch);
    const double h = high.toDouble(), l = low.toDouble();
    const QByteArray threshold = QByteArray::number((h + l) / 2, 'g', 6);
    QByteArray table;
    for (int fiber = 0; fiber < fibers; ++fiber)
        for (int channel = 1; channel <= 18; ++channel)
            table += TestSupport::thresholdLine("FIBER", channel, fiber / stretch % 2 ? low : high, threshold);
    const MeasurementRows rows = ChannelTable::CutTable(table);

    // Margins of +-(h - l) / 2: the passing fibers lie in a band of 3 times that.
    const double band = 3 * (h - l) / 2;
    ThresholdJudge whole(ThresholdJudge::ChannelFiguresKept, band);
    for (qsizetype first = 0; first < rows.Count(); first += 18)
        whole.AddFiber(rows, first, 18);
    const ThresholdJudge::ChannelFigures &figures = whole.Channels().at(0);
    QCOMPARE(figures.powers, qsizetype(fibers));
    QCOMPARE(figures.failed, qsizetype(fibers / 2));
    QCOMPARE(figures.mean, (h + l) / 2);
    QCOMPARE(*figures.standardDeviation(), (h - l) / 2 * std::sqrt(double(fibers) / double(fibers - 1)));
    QCOMPARE(figures.min, l);
    QCOMPARE(figures.max, h);

    QCOMPARE(whole.MarginalCount(), qsizetype(fibers - fibers / 2));
    QCOMPARE(figures.marginal, whole.MarginalCount());

    LoadedFile::Verdicts judged;
    QVERIFY(LoadedFile::Judge(rows, &judged, nullptr, JudgeInputs{band, {}}));
    const ThresholdJudge &split = judged.judge;
    QCOMPARE(split.FiberCount(), whole.FiberCount());
    QCOMPARE(split.FailedCount(), whole.FailedCount());
    QCOMPARE(split.MarginalCount(), whole.MarginalCount());
    QCOMPARE(split.ParetoChannels().size(), whole.ParetoChannels().size());
    QCOMPARE(split.ParetoReasons().at(0).fibers, whole.ParetoReasons().at(0).fibers);
    const auto same = [](const std::optional<double> &a, const std::optional<double> &b) {
        return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
    };
    QCOMPARE(split.Channels().size(), whole.Channels().size());
    for (qsizetype i = 0; i < whole.Channels().size(); ++i) {
        const ThresholdJudge::ChannelFigures &a = whole.Channels().at(i);
        const ThresholdJudge::ChannelFigures &b = split.Channels().at(i);
        QCOMPARE(b.channel, a.channel);
        QCOMPARE(b.count, a.count);
        QCOMPARE(b.failed, a.failed);
        QVERIFY(std::memcmp(&b.mean, &a.mean, sizeof(double)) == 0);
        QVERIFY(std::memcmp(&b.squares, &a.squares, sizeof(double)) == 0);
        QVERIFY(same(b.marginMean, a.marginMean) && same(b.marginDeviation, a.marginDeviation));
        QVERIFY(same(b.cpk, a.cpk));
        QVERIFY(same(b.p01, a.p01) && same(b.p50, a.p50) && same(b.p99, a.p99));
        QCOMPARE(b.marginal, a.marginal);
        QCOMPARE(b.failedFibers, a.failedFibers);
    }
}

void TestThresholdJudge::statistics_data()
{
    QTest::addColumn<QByteArrayList>("powers");     // channel 01's, a fiber each
    QTest::addColumn<QByteArrayList>("thresholds"); // one for all, or one a fiber
    const QByteArrayList minus25{"-25.00"};
    QTest::newRow("spread") << QByteArrayList{"-20.00", "-21.50", "-19.25", "-22.75", "-20.10", "-18.05", "-23.40"}
                            << minus25;
    QTest::newRow("a threshold a row") << QByteArrayList{"-20.00", "-21.00", "-22.00", "-23.00"}
                                       << QByteArrayList{"-25.00", "-24.50", "-25.00", "-30.00"};
    QTest::newRow("failing and passing") << QByteArrayList{"-24.99", "-25.01", "-30.00"} << minus25;
    QTest::newRow("a single value among Low and text") << QByteArrayList{"-19.87", "-120.00", "abc"} << minus25;
    QTest::newRow("all equal") << QByteArrayList{"-20.00", "-20.00", "-20.00", "-20.00"} << minus25;
    // Half way between two hundredths: its bin's middle lies beyond it.
    QTest::newRow("all equal, between hundredths") << QByteArrayList{"-1.665", "-1.665"} << minus25;
    QTest::newRow("in some fibers only") << QByteArrayList{"-20.00", "-", "-21.00", "-", "-22.50"} << minus25;
    QTest::newRow("no numeric power") << QByteArrayList{"-120.00", "abc", ""} << minus25;
    QTest::newRow("thresholds without a number") << QByteArrayList{"-20.00", "-21.00", "-22.00"}
                                                 << QByteArrayList{"x", "-25.00", "-24.00"};
    QTest::newRow("powers of 1e64") << QByteArrayList{"1e64", "-20.00", "-21.00", "3e64"} << minus25;
    // Margins past the largest double, their deviation and Cpk numbers.
    QTest::newRow("margins past the largest double") << QByteArrayList{"1.7e308", "1.5e308", "1.6e308"}
                                                     << QByteArrayList{"-1.7e308"};
}

// Channel 01's figures against the textbook's, worked out from the texts.
void TestThresholdJudge::statistics()
{
    QFETCH(QByteArrayList, powers);
    QFETCH(QByteArrayList, thresholds);
    QList<long double> numeric, margins;
    for (qsizetype fiber = 0; fiber < powers.size(); ++fiber) {
        if (powers.at(fiber) == "-")
            continue;
        const std::optional<long double> power = reading(powers.at(fiber), true);
        const std::optional<long double> threshold =
            reading(thresholds.value(thresholds.size() == 1 ? 0 : fiber), false);
        if (power)
            numeric.append(*power);
        if (power && threshold)
            margins.append(*power - *threshold);
    }
    const TwoPass expectedPowers = twoPass(numeric);
    const TwoPass expectedMargins = twoPass(margins);

    ThresholdJudge judge;
    const MeasurementRows rows = channelTable(powers, thresholds);
    for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize)
        judge.AddFiber(rows, first, ChannelTable::FiberSize);
    const ThresholdJudge::ChannelFigures &figures = judge.Channels().at(0);
    QCOMPARE(figures.channel, QByteArray("01"));
    QCOMPARE(figures.powers, numeric.size());
    QCOMPARE(figures.margins, margins.size());
    if (!numeric.isEmpty())
        QVERIFY2(agrees(figures.mean, expectedPowers.mean), text(figures.mean));
    QVERIFY2(agrees(figures.standardDeviation(), expectedPowers.deviation), text(figures.standardDeviation()));
    QVERIFY2(agrees(figures.marginMean, expectedMargins.mean), text(figures.marginMean));
    QVERIFY2(agrees(figures.marginDeviation, expectedMargins.deviation), text(figures.marginDeviation));
    std::optional<long double> cpk;
    if (expectedMargins.deviation && *expectedMargins.deviation > 0)
        cpk = *expectedMargins.mean / (3 * *expectedMargins.deviation);
    QVERIFY2(agrees(figures.cpk, cpk), text(figures.cpk));
    const std::pair<double, std::optional<double>> percentiles[] = {
        {1, figures.p01}, {50, figures.p50}, {99, figures.p99}};
    for (const auto &[p, actual] : percentiles) {
        const std::optional<double> expected = sortedPercentile(numeric, p);
        QVERIFY2(agrees(actual, expected), qPrintable(QStringLiteral("p%1: %2, not %3")
                                                          .arg(p)
                                                          .arg(QString::fromLatin1(text(actual)),
                                                               QString::fromLatin1(text(expected)))));
    }
}

void TestThresholdJudge::meansWhereValuesCancel_data()
{
    QTest::addColumn<QByteArrayList>("powers");     // channel 01's, a fiber each
    QTest::addColumn<QByteArrayList>("thresholds"); // one for all, or one a fiber
    QTest::addColumn<double>("mean");               // of the powers
    QTest::addColumn<double>("marginMean");
    // Margins 10, 1e300 - 20 and -1e300 - 20: their sum is -30.
    const double third = 1e300 / 3; // (1e300 - 10) / 3, to a rounding
    QTest::newRow("10, 1e300 - 20, -1e300 - 20")
        << QByteArrayList{"10", "1e300", "-20"} << QByteArrayList{"0", "20", "1e300"} << third << -10.0;
    QTest::newRow("1e300 - 20, -1e300 - 20, 10")
        << QByteArrayList{"1e300", "-20", "10"} << QByteArrayList{"20", "1e300", "0"} << third << -10.0;
    QTest::newRow("-1e300 - 20, 10, 1e300 - 20")
        << QByteArrayList{"-20", "10", "1e300"} << QByteArrayList{"1e300", "0", "20"} << third << -10.0;
    // Margins 1.5e308, 3e200 and -1.5e308: their sum is 3e200.
    const double powersMean = 5e307; // (1.5e308 + 3e200) / 3, to a rounding
    QTest::newRow("1.5e308, 3e200, -1.5e308")
        << QByteArrayList{"1.5e308", "3e200", "0"} << QByteArrayList{"0", "0", "1.5e308"} << powersMean << 1e200;
    QTest::newRow("-1.5e308, 3e200, 1.5e308")
        << QByteArrayList{"0", "3e200", "1.5e308"} << QByteArrayList{"1.5e308", "0", "0"} << powersMean << 1e200;
    QTest::newRow("1.5e308, -1.5e308, 3e200")
        << QByteArrayList{"1.5e308", "0", "3e200"} << QByteArrayList{"0", "1.5e308", "0"} << powersMean << 1e200;
    // One threshold for all: margins 1e300 and 10 - 1e300, whose sum is 10.
    QTest::newRow("1e300 and 10 - 1e300, one threshold")
        << QByteArrayList{"2e300", "10"} << QByteArrayList{"1e300"} << 1e300 << 5.0;
    QTest::newRow("10 - 1e300 and 1e300, one threshold")
        << QByteArrayList{"10", "2e300"} << QByteArrayList{"1e300"} << 1e300 << 5.0;
}

// Means of values that cancel, worked out from the sums of the texts: the
// mean is right to a rounding, whatever order the rows come in.
void TestThresholdJudge::meansWhereValuesCancel()
{
    QFETCH(QByteArrayList, powers);
    QFETCH(QByteArrayList, thresholds);
    QFETCH(double, mean);
    QFETCH(double, marginMean);
    ThresholdJudge judge;
    const MeasurementRows rows = channelTable(powers, thresholds);
    for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize)
        judge.AddFiber(rows, first, ChannelTable::FiberSize);
    const ThresholdJudge::ChannelFigures &figures = judge.Channels().at(0);
    const auto near = [](double actual, double expected) {
        return std::fabs(actual - expected) <= 1e-15 * std::fabs(expected);
    };
    QVERIFY2(near(figures.mean, mean), text(figures.mean));
    QVERIFY2(figures.marginMean && near(*figures.marginMean, marginMean), text(figures.marginMean));
}

void TestThresholdJudge::marginalBand_data()
{
    QTest::addColumn<QByteArray>("power"); // channel 05's, against -25.00; the others pass by 5 dB
    QTest::addColumn<bool>("marginal");
    QTest::addColumn<bool>("channelMarginal");
    QTest::newRow("margin equal to the band") << QByteArray("-24.50") << false << false;
    QTest::newRow("just below the band") << QByteArray("-24.51") << true << true;
    QTest::newRow("on the threshold") << QByteArray("-25.00") << true << true;
    QTest::newRow("below the threshold") << QByteArray("-25.01") << false << false;
    QTest::newRow("Low") << QByteArray("-120.00") << false << false;
}

// A band of 0.5 dB, at its edges: the fiber's mark, the file's count and
// channel 05's, by a judge of verdicts only and by one that keeps figures.
void TestThresholdJudge::marginalBand()
{
    QFETCH(QByteArray, power);
    QFETCH(bool, marginal);
    QFETCH(bool, channelMarginal);
    QByteArray table;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel)
        table += TestSupport::thresholdLine("F", channel, channel == 5 ? power.constData() : "-20.00", "-25.00");
    const MeasurementRows rows = ChannelTable::CutTable(table);
    for (const ThresholdJudge::Keeping keeping : {ThresholdJudge::VerdictsOnly, ThresholdJudge::ChannelFiguresKept}) {
        ThresholdJudge judge(keeping, 0.5);
        const ThresholdJudge::Fiber fiber = judge.AddFiber(rows, 0, rows.Count());
        QCOMPARE(fiber.marginal, std::optional<bool>(marginal));
        QCOMPARE(ThresholdJudge::IsMarginal(fiber.passed(), fiber.worstMargin, 0.5), marginal);
        QCOMPARE(judge.MarginalCount(), qsizetype(marginal));
        if (keeping == ThresholdJudge::ChannelFiguresKept)
            QCOMPARE(judge.Channels().at(4).marginal, qsizetype(channelMarginal));
    }
    ThresholdJudge withoutBand;
    QCOMPARE(withoutBand.AddFiber(rows, 0, rows.Count()).marginal, std::optional<bool>());
}

// Failing fibers counted once at each channel where they failed (a channel
// named twice in a fiber too) and once for each reason; largest first,
// equals in the channels' order and the reasons'.
void TestThresholdJudge::pareto()
{
    const auto fiber = [](QList<std::pair<int, const char *>> odd, int rows = 18) {
        QByteArray lines;
        for (int place = 1; place <= rows; ++place) {
            int channel = place;
            const char *power = "-20.00";
            for (const auto &[at, value] : odd) {
                if (at == place)
                    power = value;
            }
            if (place == 8 && odd.contains({7, "-120.00"}) && odd.contains({8, "-120.00"}))
                channel = 7; // channel 07 named twice
            lines += TestSupport::thresholdLine("F", channel, power, "-25.00");
        }
        return lines;
    };
    const MeasurementRows rows = ChannelTable::CutTable(
        fiber({{3, "-26.00"}}) + fiber({{3, "-30.00"}, {7, "-120.00"}}) + fiber({{7, "-120.00"}, {8, "-120.00"}})
        + fiber({{12, "-25.50"}}) + fiber({}, 5));
    ThresholdJudge judge;
    for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize)
        judge.AddFiber(rows, first, qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - first));
    QStringList channels, reasons;
    for (const ThresholdJudge::ChannelCount &count : judge.ParetoChannels())
        channels.append(QStringLiteral("%1:%2").arg(QString::fromUtf8(count.channel)).arg(count.fibers));
    for (const ThresholdJudge::ReasonCount &count : judge.ParetoReasons())
        reasons.append(QStringLiteral("%1:%2").arg(int(count.reason)).arg(count.fibers));
    QCOMPARE(channels, (QStringList{"03:2", "07:2", "12:1"}));
    QCOMPARE(reasons, (QStringList{"2:3", "4:2", "1:1"})); // below threshold, Low, incomplete
}

// Values beyond the bins, more of them than are kept exactly, counted in
// one go and in three parts merged: every rank gives the same value, and
// a percentile among the values known only by their count gives none.
void TestThresholdJudge::farValuesCountAlikeInParts()
{
    QList<double> values;
    for (int i = 0; i < 3 * PowerBins::Kept; ++i)
        values.append((i * 7919) % 2 ? 400.0 + (i * 37 % 1000) : -400.0 - i);
    values.append({-20.0, -20.0, 1e64});
    PowerBins whole, parts[3];
    for (qsizetype i = 0; i < values.size(); ++i) {
        whole.Add(values.at(i));
        parts[i % 3].Add(values.at(i));
    }
    parts[0].Merge(parts[1]);
    parts[0].Merge(parts[2]);
    QCOMPARE(parts[0].Count(), whole.Count());
    QList<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    for (qint64 rank = 0; rank < whole.Count(); ++rank) {
        const PowerBins::Value a = whole.At(rank), b = parts[0].At(rank);
        QCOMPARE(b.held, a.held);
        if (a.held) {
            QCOMPARE(b.value, a.value);
            QCOMPARE(a.value, sorted.at(rank));
        }
    }
    QVERIFY(!whole.At(1).held); // among the far ones below
    QCOMPARE(whole.Percentile(0), std::optional<double>(sorted.first()));
    QCOMPARE(whole.Percentile(100), std::optional<double>(1e64));
    QCOMPARE(whole.Percentile(1), std::optional<double>());
    QCOMPARE(whole.MostCommon(), std::optional<double>(-20.0));
}

QTEST_GUILESS_MAIN(TestThresholdJudge)
#include "tst_thresholdjudge.moc"
