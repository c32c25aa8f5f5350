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
    for (const QByteArray &table : files)
        sweep.AddRows(ChannelTable::CutTable(table));
    return sweep;
}

// At channel 07: fiber 1 at -20.00; 2 at -22.00, retested at -21.50; 3 at
// -23.00, retested at -24.00; 4 fails at channel 02 whatever channel 07's
// limit; 5 fails at -26.00 and reads -20.00 when retested. The retests come
// in a file given first but measured later. By their latest measurements,
// at a lower limit L for channel 07: fibers 1, 2, 3 and 5 pass for L up to
// -24.00, 1, 2 and 5 up to -21.50, 1 and 5 up to -20.00. Fibers 2 and 3
// differ by +0.50 and -1.00 at channel 07 (5 failed there first, and
// counts not): too few for channel 07's own, which takes the station's,
// pooled over every channel: squares of 1.125 over 35 degrees of freedom
// (2 differences at 07, 3 at each other channel, all 0 there), a deviation
// of 0.179284, a repeatability of 0.126773.
YieldSweep smallLot()
{
    const QByteArray retests = fiberLines("2", "11:00:00", "-21.50") + fiberLines("3", "11:05:00", "-24.00")
        + fiberLines("5", "11:06:00", "-20.00");
    const QByteArray first = fiberLines("1", "09:00:00", "-20.00") + fiberLines("2", "09:01:00", "-22.00")
        + fiberLines("3", "09:02:00", "-23.00") + fiberLines("4", "09:03:00", "-19.00", "-26.00")
        + fiberLines("5", "09:04:00", "-26.00");
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
    void ownRetests();
};

void TestYieldSweep::curve_data()
{
    QTest::addColumn<double>("limit");
    QTest::addColumn<qsizetype>("passed");
    QTest::newRow("least power") << -24.00 << qsizetype(4);
    QTest::newRow("just above it") << -23.99 << qsizetype(3);
    QTest::newRow("fiber 2's latest") << -21.50 << qsizetype(3);
    QTest::newRow("just above fiber 2") << -21.49 << qsizetype(2);
    QTest::newRow("greatest power") << -20.00 << qsizetype(2);
}

void TestYieldSweep::curve()
{
    QFETCH(double, limit);
    QFETCH(qsizetype, passed);
    const QList<YieldSweep::Curve> curves = smallLot().Curves(1, 50, "07");
    QCOMPARE(curves.size(), 1);
    const YieldSweep::Curve &curve = curves.first();
    QCOMPARE(curve.fibers, qsizetype(5));
    QCOMPARE(curve.points.size(), 401);
    QCOMPARE(curve.points.first().limit, -24.0);
    QCOMPARE(curve.points.last().limit, -20.0);
    QCOMPARE(passedAt(curve, limit), passed);
}

// Half the fibers pass up to -21.50; with the station's guardband of
// 0.380319 the limit proposed is -21.119681. No limit gives 99 %: fiber 4
// fails anyway.
void TestYieldSweep::targetAndGuardband()
{
    const YieldSweep sweep = smallLot();
    const YieldSweep::Curve half = sweep.Curves(1, 50, "7").value(0);
    QCOMPARE(half.channel, QByteArray("07"));
    QCOMPARE(half.limitForTarget, std::optional<double>(-21.5));
    QCOMPARE(half.retests, qsizetype(2));
    QVERIFY(half.stationRepeatability);
    QVERIFY(half.repeatability && qAbs(*half.repeatability - 0.126773) < 1e-6);
    QVERIFY(half.guardband && qAbs(*half.guardband - 0.380319) < 1e-6);
    QVERIFY(half.proposed && qAbs(*half.proposed - -21.119681) < 1e-6);
    const YieldSweep::Curve strict = sweep.Curves(1, 99, "07").value(0);
    QCOMPARE(strict.limitForTarget, std::optional<double>());
    QCOMPARE(strict.proposed, std::optional<double>());
    const QList<YieldSweep::Curve> all = sweep.Curves();
    QCOMPARE(all.size(), ChannelTable::FiberSize);
    QCOMPARE(all.at(0).retests, qsizetype(3));
}

void TestYieldSweep::steps()
{
    const YieldSweep::Curve curve = smallLot().Curves(50, 50, "07").value(0);
    QCOMPARE(curve.points.size(), 9);
    QCOMPARE(curve.points.at(1).limit, -23.5);
    QCOMPARE(curve.points.at(1).passed, qsizetype(3));
}

// Ten fibers measured twice, channel 07 reading 0.10 dB higher and lower
// by turns: a deviation of sqrt(0.1 / 9), a repeatability of 0.074536, the
// channel's own; every other channel repeats exactly.
void TestYieldSweep::ownRetests()
{
    QByteArray first, again;
    for (int i = 0; i < 10; ++i) {
        const QByteArray name = QByteArray::number(i);
        first += fiberLines(name.constData(), "09:00:00", "-20.00");
        again += fiberLines(name.constData(), "10:00:00", i % 2 ? "-19.90" : "-20.10");
    }
    const QList<YieldSweep::Curve> curves = sweepOf({first, again}).Curves();
    const YieldSweep::Curve &seven = curves.at(6);
    QCOMPARE(seven.retests, qsizetype(10));
    QVERIFY(!seven.stationRepeatability);
    QVERIFY(seven.repeatability && qAbs(*seven.repeatability - 0.074536) < 1e-6);
    QCOMPARE(curves.at(0).repeatability, std::optional<double>(0));
}

QTEST_GUILESS_MAIN(TestYieldSweep)
#include "tst_yieldsweep.moc"
