// The tests and distributions a comparison of two samples stands on,
// against values from elsewhere: Student's t quantiles from the printed
// tables (to six places), Welch's test of two small samples worked by
// hand, its p-value by Simpson's rule over the t density (200,000 steps,
// in Python, once), the Kolmogorov distribution's critical values of
// Smirnov's table, and Cohen's kappa of the worked examples of its
// Wikipedia article. The two-sample Kolmogorov-Smirnov distances and exact
// p-values, and the t intervals, are SciPy 1.10.1's (Debian 12's
// python3-scipy): stats.ks_2samp(a, b, method='exact'), stats.t.ppf.

#include "data/Statistics.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

class TestStatistics : public QObject
{
    Q_OBJECT

private slots:
    void studentT_data();
    void studentT();
    void welch();
    void kolmogorov_data();
    void kolmogorov();
    void kolmogorovSmirnov_data();
    void kolmogorovSmirnov();
    void meanInterval();
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

namespace {

double frac(double x)
{
    return x - std::floor(x);
}

// Values as counted ones, each distinct value once with its count.
std::vector<Statistics::Counted> countedOf(QList<double> values)
{
    std::sort(values.begin(), values.end());
    std::vector<Statistics::Counted> counted;
    for (double value : values) {
        if (!counted.empty() && counted.back().value == value)
            ++counted.back().count;
        else
            counted.push_back({value, 1});
    }
    return counted;
}

QList<double> spread(int n, double step, double scale, double offset)
{
    QList<double> values;
    for (int i = 1; i <= n; ++i)
        values.append(frac(i * step) * scale + offset);
    return values;
}

} // namespace

void TestStatistics::kolmogorovSmirnov_data()
{
    QTest::addColumn<QList<double>>("a");
    QTest::addColumn<QList<double>>("b");
    QTest::addColumn<double>("distance");
    QTest::addColumn<double>("p");  // exact; NaN where not checked
    QTest::addColumn<double>("tolerance"); // of Stephens' p against it
    QTest::newRow("8 against 9") << QList<double>{0.1, 0.4, 0.7, 1.2, 1.5, 2.0, 2.2, 3.1}
                                 << QList<double>{0.9, 1.6, 2.5, 2.8, 3.3, 3.9, 4.4, 5.0, 5.2} << 0.6527777777777778
                                 << double(NAN) << 0.0;
    QTest::newRow("ties within and across") << QList<double>{1, 2, 2, 3, 3, 3, 4} << QList<double>{2, 3, 3, 4, 4, 5}
                                            << 0.35714285714285715 << double(NAN) << 0.0;
    QTest::newRow("60 against 80") << spread(60, 0.618034, 1, 0) << spread(80, 0.414214, 1, 0.1) << 0.125
                                   << 0.6192373945393428 << 0.01;
    QTest::newRow("200 against 300") << spread(200, 0.618034, 1, 0) << spread(300, 0.414214, 1.1, 0)
                                     << 0.09333333333333334 << 0.23649002151756407 << 0.002;
}

void TestStatistics::kolmogorovSmirnov()
{
    QFETCH(QList<double>, a);
    QFETCH(QList<double>, b);
    QFETCH(double, distance);
    QFETCH(double, p);
    QFETCH(double, tolerance);
    const double got = Statistics::KolmogorovSmirnovDistance(countedOf(a), countedOf(b));
    QVERIFY2(std::abs(got - distance) < 1e-12, qPrintable(QString::number(got, 'f', 12)));
    QVERIFY(std::abs(Statistics::KolmogorovSmirnovDistance(countedOf(b), countedOf(a)) - distance) < 1e-12);
    if (!std::isnan(p)) {
        const double stephens = Statistics::KolmogorovSmirnovP(got, double(a.size()), double(b.size()));
        QVERIFY2(std::abs(stephens - p) < tolerance, qPrintable(QString::number(stephens, 'f', 6)));
    }
    QVERIFY(std::isnan(Statistics::KolmogorovSmirnovDistance(countedOf(a), {})));
}

// stats.t.ppf(0.975, n - 1) * sd / sqrt(n)
void TestStatistics::meanInterval()
{
    QVERIFY(std::abs(Statistics::MeanHalfWidth95(5, 2) - 2.483327996407533) < 1e-9);
    QVERIFY(std::abs(Statistics::MeanHalfWidth95(30, 0.5) - 0.18670306837904996) < 1e-9);
    QVERIFY(std::isnan(Statistics::MeanHalfWidth95(1, 2)));
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
