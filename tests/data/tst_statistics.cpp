// The tests and distributions a comparison of two samples stands on,
// against values from elsewhere: Student's t quantiles from the printed
// tables (to six places), Welch's test of two small samples worked by
// hand, its p-value by Simpson's rule over the t density (200,000 steps,
// in Python, once), the Kolmogorov distribution's critical values of
// Smirnov's table, and Cohen's kappa of the worked examples of its
// Wikipedia article.

#include "data/Statistics.h"

#include <QtTest>

#include <cmath>

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    void studentT_data();
    void studentT();
    void welch();
    void kolmogorov_data();
    void kolmogorov();
    void kappa_data();
    void kappa();
};

void TestStatistics::studentT_data()
{
    QTest::addColumn<double>("p");
    QTest::addColumn<double>("df");
    QTest::addColumn<double>("t");
    QTest::newRow("97.5 %, 1") << 0.975 << 1.0 << 12.706205;
    QTest::newRow("97.5 %, 10") << 0.975 << 10.0 << 2.228139;
    QTest::newRow("99.5 %, 30") << 0.995 << 30.0 << 2.749996;
    QTest::newRow("2.5 %, 10") << 0.025 << 10.0 << -2.228139;
    QTest::newRow("97.5 %, a million: the normal's") << 0.975 << 1e6 << 1.959966;
}

void TestStatistics::studentT()
{
    QFETCH(double, p);
    QFETCH(double, df);
    QFETCH(double, t);
    QVERIFY2(std::abs(Statistics::StudentTQuantile(p, df) - t) < 2e-6,
             qPrintable(QString::number(Statistics::StudentTQuantile(p, df), 'f', 8)));
    QVERIFY(std::abs(Statistics::StudentTCdf(t, df) - p) < 1e-6);
}

// A = 1..5 (mean 3, variance 2.5), B = 2, 4 .. 10 (mean 6, variance 10):
// se^2 = 2.5 / 5 + 10 / 5 = 2.5, t = 3 / sqrt 2.5 = 1.897367, df = 6.25 /
// (0.5^2 / 4 + 2^2 / 4) = 5.882353; two-sided p 0.107531.
void TestStatistics::welch()
{
    const Statistics::Welch welch = Statistics::WelchTest(5, 3, std::sqrt(2.5), 5, 6, std::sqrt(10.0));
    QVERIFY(std::abs(welch.t - 1.897367) < 1e-6);
    QVERIFY(std::abs(welch.df - 5.882353) < 1e-6);
    QVERIFY2(std::abs(welch.p - 0.107531) < 1e-6, qPrintable(QString::number(welch.p, 'f', 8)));
    QVERIFY(std::abs(welch.standardError - std::sqrt(2.5)) < 1e-12);
    // One value a side, or no spread on either: nothing to test.
    QVERIFY(std::isnan(Statistics::WelchTest(1, 3, 0, 5, 6, 1).p));
    QVERIFY(std::isnan(Statistics::WelchTest(5, 3, 0, 5, 6, 0).p));
}

void TestStatistics::kolmogorov_data()
{
    QTest::addColumn<double>("lambda");
    QTest::addColumn<double>("q");
    QTest::newRow("10 %") << 1.22385 << 0.10;
    QTest::newRow("5 %") << 1.35810 << 0.05;
    QTest::newRow("1 %") << 1.62762 << 0.01;
    QTest::newRow("0.1 %") << 1.94947 << 0.001;
    QTest::newRow("no distance") << 0.0 << 1.0;
}

void TestStatistics::kolmogorov()
{
    QFETCH(double, lambda);
    QFETCH(double, q);
    QVERIFY2(std::abs(Statistics::KolmogorovQ(lambda) - q) < 2e-5,
             qPrintable(QString::number(Statistics::KolmogorovQ(lambda), 'f', 8)));
}

void TestStatistics::kappa_data()
{
    QTest::addColumn<QList<double>>("table");
    QTest::addColumn<double>("kappa");
    QTest::newRow("20, 5, 10, 15") << QList<double>{20, 5, 10, 15} << 0.4;
    QTest::newRow("45, 15, 25, 15") << QList<double>{45, 15, 25, 15} << 0.130435;
    QTest::newRow("full agreement") << QList<double>{30, 0, 0, 20} << 1.0;
    QTest::newRow("all passed both times: chance agrees") << QList<double>{30, 0, 0, 0} << double(NAN);
    QTest::newRow("no fibers") << QList<double>{0, 0, 0, 0} << double(NAN);
}

void TestStatistics::kappa()
{
    QFETCH(QList<double>, table);
    QFETCH(double, kappa);
    const double got = Statistics::CohenKappa(table.at(0), table.at(1), table.at(2), table.at(3));
    if (std::isnan(kappa))
        QVERIFY(std::isnan(got));
    else
        QVERIFY2(std::abs(got - kappa) < 1e-6, qPrintable(QString::number(got, 'f', 8)));
}

QTEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
