// The control limits of an individuals chart and the run rules over them:
// each rule on a short series built to break it and one that keeps it
// just, the moving range's sigma against a worked example, and a
// baseline without spread. Expected values are worked out by hand.

#include "data/ControlLimits.h"
#include "data/RunRules.h"

#include <QtTest>

#include <cmath>

namespace {

// Centre 0, one deviation 1.
ControlLimits unit()
{
    ControlLimits limits;
    limits.sigma = 1;
    limits.lower = -3;
    limits.upper = 3;
    return limits;
}

QList<double> alternating(int count, double size)
{
    QList<double> values;
    for (int i = 0; i < count; ++i)
        values.append(i % 2 ? -size : size);
    return values;
}

// The alarms of one rule, as "first-raised" pairs.
QStringList alarmsOf(int rule, const QList<double> &values, const ControlLimits &limits)
{
    QStringList alarms;
    for (const RunRules::Alarm &alarm : RunRules::Check(values, 0, limits)) {
        if (alarm.rule == rule)
            alarms.append(QStringLiteral("%1-%2").arg(alarm.first).arg(alarm.raised));
    }
    return alarms;
}

} // namespace

class TestRunRules : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void movingRangeSigma();
    void baselineWithoutSpread();
    void cpkFalls();
};

void TestRunRules::rules_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QStringList>("alarms");
    const QList<double> nineAbove(9, 0.5);
    QList<double> eightAboveThenBelow(8, 0.5);
    eightAboveThenBelow.append(-0.5);
    QList<double> nineWithAGap = nineAbove;
    nineWithAGap.insert(4, NAN); // a file without the figure is passed over
    QList<double> fifteenWithin = alternating(15, 0.5);
    QList<double> fourteenWithinAndOut = alternating(14, 0.5);
    fourteenWithinAndOut.append(1.5);

    QTest::newRow("1: beyond 3 sigma") << 1 << QList<double>{0, 3.01} << QStringList{"1-1"};
    QTest::newRow("1: on 3 sigma") << 1 << QList<double>{0, 3.0, -3.0} << QStringList{};
    QTest::newRow("1: below, twice apart") << 1 << QList<double>{-3.5, 0, -4} << QStringList{"0-0", "2-2"};
    QTest::newRow("2: nine on one side") << 2 << nineAbove << QStringList{"0-8"};
    QTest::newRow("2: eight, then across") << 2 << eightAboveThenBelow << QStringList{};
    QTest::newRow("2: nine, a gap among them") << 2 << nineWithAGap << QStringList{"0-9"};
    QTest::newRow("2: nine on the centre") << 2 << QList<double>(9, 0.0) << QStringList{};
    QTest::newRow("3: six rising") << 3 << QList<double>{0, 0.1, 0.2, 0.3, 0.4, 0.5} << QStringList{"0-5"};
    QTest::newRow("3: six falling") << 3 << QList<double>{0.5, 0.4, 0.3, 0.2, 0.1, 0} << QStringList{"0-5"};
    QTest::newRow("3: five rising, then level") << 3 << QList<double>{0, 0.1, 0.2, 0.3, 0.4, 0.4} << QStringList{};
    QTest::newRow("4: fourteen alternating") << 4 << alternating(14, 0.5) << QStringList{"0-13"};
    QTest::newRow("4: thirteen alternating") << 4 << alternating(13, 0.5) << QStringList{};
    QTest::newRow("5: two of three beyond 2 sigma") << 5 << QList<double>{2.1, 0, 2.2} << QStringList{"0-2"};
    QTest::newRow("5: two beyond 2 sigma, either side") << 5 << QList<double>{2.1, 0, -2.2} << QStringList{};
    QTest::newRow("5: two of four") << 5 << QList<double>{2.1, 0, 0, 2.2} << QStringList{};
    QTest::newRow("6: four of five beyond 1 sigma") << 6 << QList<double>{1.1, 1.2, 0, 1.3, 1.4} << QStringList{"0-4"};
    QTest::newRow("6: three of five") << 6 << QList<double>{1.1, 1.2, 0, 0, 1.4} << QStringList{};
    QTest::newRow("7: fifteen within 1 sigma") << 7 << fifteenWithin << QStringList{"0-14"};
    QTest::newRow("7: fourteen, then out") << 7 << fourteenWithinAndOut << QStringList{};
    QTest::newRow("8: eight beyond 1 sigma, either side") << 8 << alternating(8, 1.5) << QStringList{"0-7"};
    QTest::newRow("8: seven") << 8 << alternating(7, 1.5) << QStringList{};
}

void TestRunRules::rules()
{
    QFETCH(int, rule);
    QFETCH(QList<double>, values);
    QFETCH(QStringList, alarms);
    QCOMPARE(alarmsOf(rule, values, unit()), alarms);
}

// 10, 12, 11, 14, 13: mean 12; moving ranges 2, 1, 3, 1, mean 1.75;
// sigma 1.75 / 1.128 = 1.551418; limits 12 -+ 4.654255.
void TestRunRules::movingRangeSigma()
{
    const std::optional<ControlLimits> limits = ControlLimits::Of({99, 10, 12, NAN, 11, 14, 13, 99}, 1, 7);
    QVERIFY(limits);
    QCOMPARE(limits->baselineValues, 5);
    QCOMPARE(limits->centre, 12.0);
    QVERIFY(std::abs(limits->sigma - 1.551418) < 1e-6);
    QVERIFY(std::abs(limits->lower - 7.345745) < 1e-6);
    QVERIFY(std::abs(limits->upper - 16.654255) < 1e-6);
    QVERIFY(!ControlLimits::Of({10, NAN, NAN}, 0, 3)); // one value: no spread to measure
}

// All equal: the limits stand on the centre, and the next value off it
// breaks rule 1, with no division by the deviation.
void TestRunRules::baselineWithoutSpread()
{
    const std::optional<ControlLimits> limits = ControlLimits::Of({5, 5, 5, 5.01}, 0, 3);
    QVERIFY(limits && limits->flat());
    QCOMPARE(limits->lower, 5.0);
    QCOMPARE(limits->upper, 5.0);
    QCOMPARE(alarmsOf(1, {5, 5, 5, 5.01}, *limits), QStringList{"3-3"});
    // Fifteen on the centre are within no spread: nothing to tell.
    QCOMPARE(alarmsOf(7, QList<double>(15, 5.0), *limits), QStringList{});
}

void TestRunRules::cpkFalls()
{
    QCOMPARE(RunRules::Falls({1.5, 1.4, 1.2, 1.3, 1.4, 1.33, 1.32}, 0, 1.33), (QList<qsizetype>{2, 6}));
    QCOMPARE(RunRules::Falls({1.0, NAN, 1.5}, 0, 1.33), QList<qsizetype>{0});
}

QTEST_MAIN(TestRunRules)
#include "tst_runrules.moc"
