// The summary writers fed straight from the judge: every number they write
// is one a strict JSON parser reads back as the margin, or null; channel
// texts are the texts shown; a yield never rounds up to all.

#include "TestSupport.h"

#include "data/ThresholdJudge.h"
#include "output/SummaryWriter.h"
#include "output/SummaryWriters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

// The whole output of one writer over one file of the given table lines.
QByteArray summary(SummaryWriter::Format format, const QByteArray &lines)
{
    const std::unique_ptr<SummaryWriter> writer = SummaryWriters::Create(format);
    QByteArray out;
    const SummaryWriter::Sink sink = [&out](QByteArrayView text) { out += text; };
    writer->Begin(sink);
    const std::unique_ptr<SummaryWriter::FileReport> report = writer->ReportFile(QStringLiteral("f.fib"), sink);
    ThresholdJudge judge;
    const MeasurementRows rows = ChannelTable::CutTable(lines);
    for (qsizetype first = 0; first < rows.Count(); first += ChannelTable::FiberSize) {
        MeasurementRows block;
        for (qsizetype i = first; i < qMin(first + ChannelTable::FiberSize, rows.Count()); ++i)
            block.Append(rows.At(i));
        report->AddFiber(judge.AddFiber(block, 0, block.Count()));
    }
    report->End(judge);
    SummaryWriter::Run run;
    run.filesWrote = true;
    writer->Finish(run, sink);
    return out;
}

QJsonObject parsedJson(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("%s at %d in %s", qPrintable(error.errorString()), error.offset, json.constData());
    return document.object();
}

QJsonObject firstFile(const QByteArray &json)
{
    return parsedJson(json).value(QLatin1String("files")).toArray().at(0).toObject();
}

} // namespace

class TestSummaryWriter : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void textMarginKeepsItsSign_data();
    void textMarginKeepsItsSign();
    void channelTexts();
    void yieldRoundsDown();
    void totalSaysWhyItFails();
};

void TestSummaryWriter::numbers_data()
{
    QTest::addColumn<QByteArray>("power");
    QTest::addColumn<QByteArray>("threshold");
    QTest::addColumn<double>("margin"); // NaN: null in JSON
    QTest::addColumn<QByteArray>("csv");
    // A second power on the same channel, whose margin is no smaller, and
    // the sample standard deviation of the two (NaN: null).
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<double>("stddev");
    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("zero") << QByteArray("-25.00") << QByteArray("-25.00") << 0.0 << QByteArray("0")
                          << QByteArray() << none;
    QTest::newRow("negative zero") << QByteArray("-0") << QByteArray("0") << 0.0 << QByteArray("0")
                                   << QByteArray() << none;
    QTest::newRow("below six places") << QByteArray("1e-7") << QByteArray("0") << 0.0 << QByteArray("0")
                                      << QByteArray() << none;
    QTest::newRow("below six places, negative")
        << QByteArray("-1e-7") << QByteArray("0") << 0.0 << QByteArray("0") << QByteArray() << none;
    QTest::newRow("0.1 + 0.2") << QByteArray("0.1") << QByteArray("-0.2") << 0.3 << QByteArray("0.3")
                               << QByteArray() << none;
    QTest::newRow("two places") << QByteArray("-12.34") << QByteArray("-25") << 12.66 << QByteArray("12.66")
                                << QByteArray("-10.34") << std::sqrt(2.0);
    // Sixteen and seventeen significant digits are more than a double
    // holds faithfully: the exponent form that reads back as the number.
    QTest::newRow("fifteen digits")
        << QByteArray("1e12") << QByteArray("-0.01") << 1e12 + 0.01 << QByteArray("1000000000000.01")
        << QByteArray() << none;
    QTest::newRow("fourteen digits and a tenth")
        << QByteArray("1e14") << QByteArray("-0.1") << 1e14 + 0.1 << QByteArray("1.000000000000001e+14")
        << QByteArray() << none;
    QTest::newRow("sixteen digits below 1e15")
        << QByteArray("6.15e13") << QByteArray("-0.05") << 6.15e13 + 0.05 << QByteArray("6.150000000000005e+13")
        << QByteArray() << none;
    QTest::newRow("1e15") << QByteArray("1e15") << QByteArray("0") << 1e15 << QByteArray("1e+15")
                          << QByteArray() << none;
    QTest::newRow("1e17") << QByteArray("1e17") << QByteArray("0") << 1e17 << QByteArray("1e+17")
                          << QByteArray() << none;
    QTest::newRow("1e64") << QByteArray("0") << QByteArray("-1e64") << 1e64 << QByteArray("1e+64")
                          << QByteArray() << none;
    QTest::newRow("-1e64") << QByteArray("1e17") << QByteArray("1e64") << -1e64 << QByteArray("-1e+64")
                           << QByteArray() << none;
    // Squares of deviations past the largest double, of a deviation that is
    // a number all the same.
    QTest::newRow("1e200 and 3e200") << QByteArray("1e200") << QByteArray("0") << 1e200 << QByteArray("1e+200")
                                     << QByteArray("3e200") << std::sqrt(2.0) * 1e200;
    QTest::newRow("1e303 against -1e303")
        << QByteArray("1e303") << QByteArray("-1e303") << 2e303 << QByteArray("2e+303")
        << QByteArray("3e303") << std::sqrt(2.0) * 1e303;
    QTest::newRow("1.7e308 against -1.7e308: no number holds it")
        << QByteArray("1.7e308") << QByteArray("-1.7e308") << none << QByteArray()
        << QByteArray() << none;
}

void TestSummaryWriter::numbers()
{
    QFETCH(QByteArray, power);
    QFETCH(QByteArray, threshold);
    QFETCH(double, margin);
    QFETCH(QByteArray, csv);
    QFETCH(QByteArray, other);
    QFETCH(double, stddev);
    QByteArray lines = TestSupport::thresholdLine("F", 1, power, threshold);
    if (!other.isEmpty())
        lines += TestSupport::thresholdLine("F", 1, other, threshold);

    const QByteArray json = summary(SummaryWriter::Json, lines);
    const QJsonObject file = firstFile(json);
    QVERIFY2(!file.isEmpty(), json.constData());
    const QJsonValue worst = file.value(QLatin1String("fiber_results")).toArray().at(0)
                                 .toObject().value(QLatin1String("worst_margin"));
    if (qIsNaN(margin))
        QVERIFY2(worst.isNull(), json.constData());
    else
        QCOMPARE(worst.toDouble(), margin);
    // One threshold for both rows: the margins spread as the powers do.
    const QJsonObject channel = file.value(QLatin1String("channels")).toArray().at(0).toObject();
    for (const char *key : {"stddev", "margin_stddev"}) {
        const QJsonValue deviation = channel.value(QLatin1String(key));
        if (qIsNaN(stddev))
            QVERIFY2(deviation.isNull(), json.constData());
        else
            QVERIFY2(qAbs(deviation.toDouble() - stddev) <= 1e-6 * stddev, json.constData());
    }

    // worst_margin, the field before the failed channels (the reason
    // before it may hold a comma), path_bytes and marginal.
    const QList<QByteArray> fields = summary(SummaryWriter::Csv, lines).split('\n').at(1).split(',');
    QCOMPARE(fields.at(fields.size() - 5), csv);
}

void TestSummaryWriter::textMarginKeepsItsSign_data()
{
    QTest::addColumn<QByteArray>("power"); // against -25.00
    QTest::addColumn<QByteArray>("margin");
    QTest::newRow("a thousandth below") << QByteArray("-25.001") << QByteArray("margin -0.00 dB");
    QTest::newRow("a ten-thousandth below") << QByteArray("-25.0001") << QByteArray("margin -0.00 dB");
    QTest::newRow("a hundredth below") << QByteArray("-25.01") << QByteArray("margin -0.01 dB");
    QTest::newRow("on the threshold") << QByteArray("-25.00") << QByteArray("margin 0.00 dB");
    QTest::newRow("a thousandth above") << QByteArray("-24.999") << QByteArray("margin 0.00 dB");
    QTest::newRow("a hundredth above") << QByteArray("-24.99") << QByteArray("margin +0.01 dB");
}

// A margin below 0 fails, and the text never shows it as one that passes.
// A fiber of one row is incomplete, so its line is written whatever the
// margin.
void TestSummaryWriter::textMarginKeepsItsSign()
{
    QFETCH(QByteArray, power);
    QFETCH(QByteArray, margin);
    const QByteArray text = summary(SummaryWriter::Text, TestSupport::thresholdLine("F", 1, power, "-25.00"));
    QVERIFY2(text.contains(", " + margin + "\n"), text.constData());
}

// Channels are told apart as they are shown: a field of blanks and one of
// the wide blank (A1 A1) are both "", and stay in the lists as "".
void TestSummaryWriter::channelTexts()
{
    QByteArray lines = TestSupport::thresholdLine("F", 1, "-30.00", "-25.00");
    lines += TestSupport::thresholdLine("F", 2, "-20.00", "-25.00");
    lines += TestSupport::thresholdLine("F", 3, "-30.00", "-25.00");
    lines.replace(10, 2, "  ");
    lines.replace(69 + 10, 2, "\xa1\xa1");

    const QJsonObject file = firstFile(summary(SummaryWriter::Json, lines));
    const QJsonArray channels = file.value(QLatin1String("channels")).toArray();
    QCOMPARE(channels.size(), 2);
    QCOMPARE(channels.at(0).toObject().value(QLatin1String("channel")).toString(), QString());
    QCOMPARE(channels.at(0).toObject().value(QLatin1String("count")).toInt(), 2);
    const QJsonArray failed = file.value(QLatin1String("fiber_results")).toArray().at(0)
                                  .toObject().value(QLatin1String("failed_channels")).toArray();
    QCOMPARE(failed, (QJsonArray{QLatin1String(""), QLatin1String("03")}));

    const QList<QByteArray> csvLines = summary(SummaryWriter::Csv, lines).split('\n');
    const QList<QByteArray> fields = csvLines.at(1).split(',');
    QCOMPARE(fields.at(fields.size() - 4), QByteArray(" 03"));
}

void TestSummaryWriter::yieldRoundsDown()
{
    SummaryWriter::Run run;
    run.files = {{QStringLiteral("a.fib"), 166667, 1, false}, {QStringLiteral("b.fib"), 1, 0, true}};
    run.totals = {2, 1, 166668, 1};
    QByteArray text;
    SummaryWriters::Create(SummaryWriter::Text)->Finish(run, [&text](QByteArrayView t) { text += t; });
    QCOMPARE(text, QByteArray("a.fib        FAIL  166666/166667 fibers   99.9%\n"
                              "b.fib        PASS            1/1 fiber   100.0%\n"
                              "all 2 files  FAIL  166667/166668 fibers   99.9%\n"));
}

// Every file passes, but two paths could not be read: the line for all
// files fails, and says why.
void TestSummaryWriter::totalSaysWhyItFails()
{
    SummaryWriter::Run run;
    run.pathsGiven = 4;
    run.files = {{QStringLiteral("a.fib"), 2, 0, true}, {QStringLiteral("b.fib"), 2, 0, true}};
    run.totals = {2, 0, 4, 0};
    run.errors = {{QStringLiteral("c.fib"), QStringLiteral("Cannot read"), false},
                  {QStringLiteral("d.fib"), QStringLiteral("Cannot read"), false}};
    QByteArray text;
    SummaryWriters::Create(SummaryWriter::Text)->Finish(run, [&text](QByteArrayView t) { text += t; });
    QCOMPARE(text, QByteArray("a.fib        PASS  2/2 fibers  100.0%\n"
                              "b.fib        PASS  2/2 fibers  100.0%\n"
                              "all 2 files  FAIL  4/4 fibers  100.0%  (2 paths could not be read)\n"
                              "2 of the 4 paths given could not be read\n"));
}

QTEST_GUILESS_MAIN(TestSummaryWriter)
#include "tst_summarywriter.moc"
