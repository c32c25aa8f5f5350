#include "TestSupport.h"

#include "data/JudgePipeline.h"
#include "data/Limits.h"
#include "data/ThresholdJudge.h"

#include <QtTest>

#include <cmath>

namespace {

using Failures = ThresholdJudge::Failures;

// Channel 01 has a lower limit of its own, 02 an upper one, 03 both and a
// band, 04 a band above the rows' threshold; 05 none.
const QByteArray kLimits = "channel,lower,upper,warn\n"
                           "01,-22,,\n"
                           "2,,-18,\n"
                           "03,-30,-10,1\n"
                           "04,,,2\n";

Limits limits()
{
    Limits read;
    QString error;
    if (!Limits::Parse(kLimits, QStringLiteral("customer.csv"), &read, &error))
        qFatal("%s", qPrintable(error));
    return read;
}

// One fiber, every channel at -20.00 against a threshold of -25.00 but
// `channel`, at `power`.
MeasurementRows fiberWith(int channel, const char *power)
{
    QByteArray table;
    for (int c = 1; c <= ChannelTable::FiberSize; ++c)
        table += TestSupport::thresholdLine("F", c, c == channel ? power : "-20.00", "-25.00");
    return ChannelTable::CutTable(table);
}

} // namespace

class TestLimits : public QObject
{
    Q_OBJECT

private slots:
    void rejected_data();
    void rejected();
    void readBack();
    void judged_data();
    void judged();
    void upperSideCapability();
};

void TestLimits::rejected_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray header = "channel,lower,upper,warn\n";
    QTest::newRow("no header") << QByteArray("07,-28,,\n") << "l.csv: line 1: the header must be channel,lower,upper,warn";
    QTest::newRow("empty") << QByteArray() << "l.csv: line 1: the header must be channel,lower,upper,warn";
    QTest::newRow("unknown channel") << header + "19,-28,,\n" << "l.csv: line 2, column channel: \"19\" is not a channel (01 to 18)";
    QTest::newRow("text channel") << header + "x1,-28,,\n" << "l.csv: line 2, column channel: \"x1\" is not a channel (01 to 18)";
    QTest::newRow("lower above upper") << header + "07,-10,-20,\n" << "l.csv: line 2, column lower: lower -10 is above upper -20";
    QTest::newRow("text in a number") << header + "\n07,-28,abc,\n" << "l.csv: line 3, column upper: \"abc\" is not a number";
    QTest::newRow("infinity") << header + "07,inf,,\n" << "l.csv: line 2, column lower: \"inf\" is not a number";
    QTest::newRow("negative band") << header + "07,,,-1\n" << "l.csv: line 2, column warn: a band of -1 dB: it must be 0 or more";
    QTest::newRow("duplicate") << header + "07,-28,,\n7,-27,,\n" << "l.csv: line 3, column channel: channel 07 is listed again (first on line 2)";
    QTest::newRow("too few cells") << header + "07,-28\n" << "l.csv: line 2, column lower: 2 cells where there must be 4";
    QTest::newRow("not UTF-8") << header + "07,-28,\xb5\xcd,\n" << "l.csv: line 2, column upper: bytes that are not UTF-8";
}

// A file that cannot be used says where, and the limits held stay.
void TestLimits::rejected()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Limits held = limits();
    QString error;
    QVERIFY(!Limits::Parse(bytes, QStringLiteral("l.csv"), &held, &error));
    QCOMPARE(error, message);
    QVERIFY(held == limits());
}

// A spreadsheet's file: a byte-order mark, CRLF, quotes, blanks; what the
// limits write reads back as they are; extreme numbers are numbers.
void TestLimits::readBack()
{
    Limits read;
    QString error;
    QVERIFY2(Limits::Parse("\xEF\xBB\xBF" "Channel, Lower ,upper,warn\r\n\"7\", -28.5 ,,\r\n18,1e300,,0\r\n",
                           QStringLiteral("s.csv"), &read, &error),
             qPrintable(error));
    QCOMPARE(read.Source(), QStringLiteral("s.csv"));
    QVERIFY(read.Of("07") && read.Of("7"));
    QCOMPARE(read.Of("07")->lower, std::optional<double>(-28.5));
    QCOMPARE(read.Of("07")->upper, std::optional<double>());
    QCOMPARE(read.OfNumber(18)->lower, std::optional<double>(1e300));
    QCOMPARE(read.OfNumber(18)->warn, std::optional<double>(0));
    QVERIFY(!read.Of("08") && !read.Of("A7"));
    Limits again;
    QVERIFY(Limits::Parse(read.ToCsv(), QStringLiteral("s.csv"), &again, &error));
    QVERIFY(again == read);
    QCOMPARE(Limits().Source(), QStringLiteral("file"));
}

void TestLimits::judged_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QByteArray>("power");
    QTest::addColumn<int>("failures");
    QTest::addColumn<double>("margin");
    QTest::addColumn<bool>("marginal");
    const int pass = ThresholdJudge::NoFailure;
    QTest::newRow("own lower, above it") << 1 << QByteArray("-21.99") << pass << 0.01 << false;
    QTest::newRow("own lower, below it") << 1 << QByteArray("-22.01") << int(ThresholdJudge::BelowLimit) << -0.01 << false;
    QTest::newRow("on the upper limit") << 2 << QByteArray("-18.00") << pass << 0.0 << false;
    QTest::newRow("above the upper limit") << 2 << QByteArray("-17.99") << int(ThresholdJudge::AboveLimit) << -0.01 << false;
    QTest::newRow("looser lower than the file's") << 3 << QByteArray("-26.00") << pass << 4.0 << false;
    QTest::newRow("below the looser lower") << 3 << QByteArray("-31.00") << int(ThresholdJudge::BelowLimit) << -1.0 << false;
    QTest::newRow("in the band under the upper") << 3 << QByteArray("-10.50") << pass << 0.5 << true;
    QTest::newRow("in the band over the threshold") << 4 << QByteArray("-24.00") << pass << 1.0 << true;
    QTest::newRow("empty lower keeps the threshold") << 4 << QByteArray("-25.50") << int(ThresholdJudge::BelowThreshold) << -0.5 << false;
    QTest::newRow("no limits") << 5 << QByteArray("-25.01") << int(ThresholdJudge::BelowThreshold) << -0.01 << false;
}

// A row, its fiber and its channel's figures, judged by the limits.
void TestLimits::judged()
{
    QFETCH(int, channel);
    QFETCH(QByteArray, power);
    QFETCH(int, failures);
    QFETCH(double, margin);
    QFETCH(bool, marginal);
    const MeasurementRows rows = fiberWith(channel, power.constData());
    const ThresholdJudge::Channel row = ThresholdJudge::JudgeChannel(rows.At(channel - 1), limits());
    QCOMPARE(row.failures.toInt(), failures);
    QVERIFY(row.margin);
    QVERIFY2(std::fabs(*row.margin - margin) < 1e-9, qPrintable(QString::number(*row.margin)));

    JudgePipeline pipeline(JudgeInputs{std::nullopt, limits()});
    std::optional<ThresholdJudge::Fiber> fiber;
    pipeline.JudgeRows(rows, [&](qsizetype, const ThresholdJudge::Fiber &judged, const MeasurementRows &, qsizetype) {
        fiber = judged;
        return true;
    });
    pipeline.Finish();
    QVERIFY(fiber);
    QCOMPARE(fiber->failures.toInt(), failures);
    QCOMPARE(fiber->marginal, std::optional<bool>(marginal));
    const ThresholdJudge::ChannelFigures &figures = pipeline.Judge().Channels().at(channel - 1);
    const Limits set = limits();
    const ChannelLimit *limit = set.OfNumber(channel);
    QCOMPARE(figures.userLower, limit && limit->lower);
    QCOMPARE(figures.lower, limit && limit->lower ? limit->lower : std::optional<double>(-25));
    QCOMPARE(figures.upper, limit ? limit->upper : std::nullopt);
    QCOMPARE(figures.warn, limit ? limit->warn : std::nullopt);
    QCOMPARE(pipeline.Judge().LimitsOf().Source(), QStringLiteral("customer.csv"));
}

// Powers -19, -20, -21 at channel 02: 5 dB above the threshold on
// average, 2 dB under the upper limit; the capability is the upper side's,
// 2 / (3 * 1).
void TestLimits::upperSideCapability()
{
    QByteArray table;
    for (const char *power : {"-19.00", "-20.00", "-21.00"}) {
        for (int c = 1; c <= ChannelTable::FiberSize; ++c)
            table += TestSupport::thresholdLine("F", c, c == 2 ? power : "-20.00", "-25.00");
    }
    JudgePipeline pipeline(JudgeInputs{std::nullopt, limits()});
    pipeline.JudgeRows(ChannelTable::CutTable(table));
    pipeline.Finish();
    const ThresholdJudge::ChannelFigures &figures = pipeline.Judge().Channels().at(1);
    QVERIFY(figures.cpk);
    QCOMPARE(*figures.cpk, 2.0 / 3);
    QCOMPARE(*figures.marginMean, 5.0);
}

QTEST_GUILESS_MAIN(TestLimits)
#include "tst_limits.moc"
