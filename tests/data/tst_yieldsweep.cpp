#include "TestSupport.h"

#include "data/JudgePipeline.h"
#include "data/YieldSweep.h"

#include <QtTest>

namespace {

// A fiber measured at `time`: channel 07 at `power07`, channel 02 at
// `power02`, every other channel at -20.00, thresholds -25.00.
QByteArray fiberLines(const char *name, const char *time, const char *power07, const char *power02 = "-20.00")
{
    QByteArray lines;
    for (int c = 1; c <= ChannelTable::FiberSize; ++c) {
        const char *power = c == 7 ? power07 : c == 2 ? power02 : "-20.00";
        const QByteArray ch = QByteArray::number(c).rightJustified(2, '0');
        const QByteArray wave = QByteArray::number(1271 + 20 * (c - 1)) + ".0";
        lines += ChannelTable::FormatLine(MeasurementRow("F" + QByteArray(name), ch.constData(), wave.constData(),
                                                         QByteArray(power).rightJustified(8).constData(),
                                                         "  -25.00", "2026-12-01", time));
    }
    return lines;
}

// The files in the order given, each judged as the sweep wants them.
YieldSweep sweepOf(const QList<QByteArray> &files)
{
    YieldSweep sweep;
    for (const QByteArray &table : files) {
        JudgePipeline pipeline(JudgeInputs(), ThresholdJudge::VerdictsOnly);
        sweep.BeginFile();
        pipeline.JudgeRows(ChannelTable::CutTable(table),
                           [&](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows,
                               qsizetype first) {
                               sweep.AddFiber(fiber, rows, first);
                               return true;
                           });
    }
    return sweep;
}

// Fiber 1 at -20.00 at channel 07; 2 at -22.00, retested at -21.50; 3 at
// -25.50 (failing), retested at -24.00; 4 fails at channel 02 whatever
// channel 07's limit. The retests come in a file given first but measured
// later. By their latest measurements, at a lower limit L for channel 07:
// fibers 1, 2 and 3 pass for L up to -24.00, 1 and 2 up to -21.50, fiber 1
// alone up to -20.00. The retests differ by 0.50 and 1.50 at channel 07:
// a deviation of 0.7071, a repeatability of 0.5000; by 0 elsewhere.
YieldSweep smallLot()
{
    const QByteArray retests = fiberLines("2", "11:00:00", "-21.50") + fiberLines("3", "11:05:00", "-24.00");
    const QByteArray first = fiberLines("1", "09:00:00", "-20.00") + fiberLines("2", "09:01:00", "-22.00")
        + fiberLines("3", "09:02:00", "-25.50") + fiberLines("4", "09:03:00", "-19.00", "-26.00");
    return sweepOf({retests, first});
}

qsizetype passedAt(const YieldSweep::Curve &curve, double limit)
{
    for (const YieldSweep::Point &point : curve.points) {
        if (qAbs(point.limit - limit) < 1e-9)
            return point.passed;
    }
    return -1;
}

} // namespace

class TestYieldSweep : public QObject
{
    Q_OBJECT

private slots:
    void curve_data();
    void curve();
    void targetAndGuardband();
    void steps();
};

void TestYieldSweep::curve_data()
{
    QTest::addColumn<double>("limit");
    QTest::addColumn<qsizetype>("passed");
    QTest::newRow("least power") << -24.00 << qsizetype(3);
    QTest::newRow("just above it") << -23.99 << qsizetype(2);
    QTest::newRow("fiber 2's latest") << -21.50 << qsizetype(2);
    QTest::newRow("just above fiber 2") << -21.49 << qsizetype(1);
    QTest::newRow("greatest power") << -20.00 << qsizetype(1);
}

void TestYieldSweep::curve()
{
    QFETCH(double, limit);
    QFETCH(qsizetype, passed);
    const QList<YieldSweep::Curve> curves = smallLot().Curves(1, 50, "07");
    QCOMPARE(curves.size(), 1);
    const YieldSweep::Curve &curve = curves.first();
    QCOMPARE(curve.fibers, qsizetype(4));
    QCOMPARE(curve.points.size(), 401);
    QCOMPARE(curve.points.first().limit, -24.0);
    QCOMPARE(curve.points.last().limit, -20.0);
    QCOMPARE(passedAt(curve, limit), passed);
}

// Half the fibers pass up to -21.50; with the retests' guardband of 1.5
// the limit proposed is -20.00. No limit gives 99 %: fiber 4 fails anyway.
void TestYieldSweep::targetAndGuardband()
{
    const YieldSweep sweep = smallLot();
    const YieldSweep::Curve half = sweep.Curves(1, 50, "7").value(0);
    QCOMPARE(half.channel, QByteArray("07"));
    QCOMPARE(half.limitForTarget, std::optional<double>(-21.5));
    QCOMPARE(half.retests, qsizetype(2));
    QVERIFY(half.repeatability && qAbs(*half.repeatability - 0.5) < 1e-12);
    QVERIFY(half.guardband && qAbs(*half.guardband - 1.5) < 1e-12);
    QVERIFY(half.proposed && qAbs(*half.proposed - -20.0) < 1e-12);
    const YieldSweep::Curve strict = sweep.Curves(1, 99, "07").value(0);
    QCOMPARE(strict.limitForTarget, std::optional<double>());
    QCOMPARE(strict.proposed, std::optional<double>());
    const QList<YieldSweep::Curve> all = sweep.Curves();
    QCOMPARE(all.size(), ChannelTable::FiberSize);
    QCOMPARE(all.at(0).repeatability, std::optional<double>(0));
}

void TestYieldSweep::steps()
{
    const YieldSweep::Curve curve = smallLot().Curves(50, 50, "07").value(0);
    QCOMPARE(curve.points.size(), 9);
    QCOMPARE(curve.points.at(1).limit, -23.5);
    QCOMPARE(curve.points.at(1).passed, qsizetype(2));
}

QTEST_GUILESS_MAIN(TestYieldSweep)
#include "tst_yieldsweep.moc"
