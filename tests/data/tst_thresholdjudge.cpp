#include "TestSupport.h"

#include "data/LoadedFile.h"
#include "data/ThresholdJudge.h"

#include <QtTest>

#include <cmath>
#include <cstring>

namespace {

// A row as the file gives it, cut as every table is cut.
MeasurementRow row(int channel, const char *power, const char *threshold)
{
    return ChannelTable::CutTable(TestSupport::thresholdLine("FIBER", channel, power, threshold))
        .At(0)
        .Record();
}

using Failures = ThresholdJudge::Failures;

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
    const ThresholdJudge::Fiber fiber = judge.AddFiber(block, rows);
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

    ThresholdJudge whole;
    for (qsizetype first = 0; first < rows.Count(); first += 18)
        whole.AddFiber(rows, first, 18);
    const ThresholdJudge::ChannelFigures &figures = whole.Channels().at(0);
    QCOMPARE(figures.powers, qsizetype(fibers));
    QCOMPARE(figures.failed, qsizetype(fibers / 2));
    QCOMPARE(figures.mean, (h + l) / 2);
    QCOMPARE(*figures.standardDeviation(), (h - l) / 2 * std::sqrt(double(fibers) / double(fibers - 1)));
    QCOMPARE(figures.min, l);
    QCOMPARE(figures.max, h);

    const ThresholdJudge split = LoadedFile::Figures(rows);
    QCOMPARE(split.FiberCount(), whole.FiberCount());
    QCOMPARE(split.FailedCount(), whole.FailedCount());
    QCOMPARE(split.Channels().size(), whole.Channels().size());
    for (qsizetype i = 0; i < whole.Channels().size(); ++i) {
        const ThresholdJudge::ChannelFigures &a = whole.Channels().at(i);
        const ThresholdJudge::ChannelFigures &b = split.Channels().at(i);
        QCOMPARE(b.channel, a.channel);
        QCOMPARE(b.count, a.count);
        QCOMPARE(b.failed, a.failed);
        QVERIFY(std::memcmp(&b.mean, &a.mean, sizeof(double)) == 0);
        QVERIFY(std::memcmp(&b.squares, &a.squares, sizeof(double)) == 0);
    }
}

QTEST_GUILESS_MAIN(TestThresholdJudge)
#include "tst_thresholdjudge.moc"
