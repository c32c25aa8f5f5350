#pragma once

#include <vector>

// Functions of statistics that the figures of a lot or a channel need,
// with the standard library alone.
namespace Statistics {

// The quantile of the standard normal distribution: the z with
// P(Z <= z) = p, for 0 < p < 1 (infinite at 0 and 1, NaN outside).
// Acklam's rational approximation (relative error below 1.2e-9), then one
// Halley step on erfc, which leaves it within a few units in the last
// place.
double NormalQuantile(double p);

// The regularized incomplete beta function I_x(a, b), for a, b > 0 and
// 0 <= x <= 1: its continued fraction by the modified Lentz method, which
// converges within 1e-14 in a few dozen terms on the side of x < (a + 1)
// / (a + b + 2), taken through I_x(a, b) = 1 - I_1-x(b, a) on the other.
double RegularizedBeta(double a, double b, double x);

// Student's t distribution of `df` degrees of freedom (any df > 0, whole
// or not, as Welch's test gives): P(T <= t), through the incomplete beta,
// and the t with P(T <= t) = p, by bisection on it to 1e-12.
double StudentTCdf(double t, double df);
double StudentTQuantile(double p, double df);

// Welch's test of two means from each sample's count, mean and sample
// deviation: the statistic, its degrees of freedom (Welch-Satterthwaite)
// and the two-sided p-value. NaN throughout where a side has fewer than
// two values or both have no spread.
struct Welch
{
    double t = 0;
    double df = 0;
    double p = 0;
    double standardError = 0; // of the difference of the means
};
Welch WelchTest(double n1, double mean1, double deviation1, double n2, double mean2, double deviation2);

// The Kolmogorov distribution's tail, Q(lambda) = 2 sum (-1)^(k-1)
// exp(-2 k^2 lambda^2), and the two-sample test's p-value for a distance
// D between the samples' distribution functions, through Stephens'
// effective count: lambda = (sqrt(n) + 0.12 + 0.11 / sqrt(n)) D, n = n1 n2
// / (n1 + n2). Within 0.01 of the exact p-value from sixty values a side,
// closer with more (0.002 at two and three hundred).
double KolmogorovQ(double lambda);
// The two-sample statistic: the greatest distance between the samples'
// distribution functions, of samples given as their distinct values,
// rising, each with its count (values equal in both samples step both
// functions at once). NaN where a sample is empty.
struct Counted
{
    double value = 0;
    double count = 0;
};
double KolmogorovSmirnovDistance(const std::vector<Counted> &a, const std::vector<Counted> &b);
double KolmogorovSmirnovP(double distance, double n1, double n2);

// Cohen's kappa of a 2x2 table of two judgements (pass/pass, pass/fail,
// fail/pass, fail/fail): the agreement beyond what chance gives. NaN
// without any count, or where chance alone agrees always.
// The interval of 95 % confidence about a mean of `n` values of sample
// deviation `deviation` (Student's t of n - 1 degrees of freedom): its
// half width; NaN below two values.
double MeanHalfWidth95(double n, double deviation);

double CohenKappa(double pp, double pf, double fp, double ff);

} // namespace Statistics
