#include "data/Statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Statistics {

double NormalQuantile(double p)
{
    if (std::isnan(p) || p < 0 || p > 1)
        return std::numeric_limits<double>::quiet_NaN();
    if (p == 0)
        return -std::numeric_limits<double>::infinity();
    if (p == 1)
        return std::numeric_limits<double>::infinity();
    static const double a[] = {-3.969683028665376e+01, 2.209460984245205e+02, -2.759285104469687e+02,
                               1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
    static const double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                               6.680131188771972e+01,  -1.328068155288572e+01};
    static const double c[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                               -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
    static const double d[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                               3.754408661907416e+00};
    constexpr double kLow = 0.02425;
    double x;
    if (p < kLow) {
        const double q = std::sqrt(-2 * std::log(p));
        x = (((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5])
            / ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    } else if (p <= 1 - kLow) {
        const double q = p - 0.5;
        const double r = q * q;
        x = (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) * q
            / (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
    } else {
        const double q = std::sqrt(-2 * std::log(1 - p));
        x = -(((((c[0] * q + c[1]) * q + c[2]) * q + c[3]) * q + c[4]) * q + c[5])
            / ((((d[0] * q + d[1]) * q + d[2]) * q + d[3]) * q + 1);
    }
    // One step of Halley's method on Phi(x) - p, Phi by erfc.
    const double e = 0.5 * std::erfc(-x / std::sqrt(2.0)) - p;
    const double u = e * std::sqrt(2 * M_PI) * std::exp(x * x / 2);
    return x - u / (1 + x * u / 2);
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The continued fraction of the incomplete beta (Numerical Recipes' betacf).
double betaFraction(double a, double b, double x)
{
    constexpr double kTiny = 1e-300, kEpsilon = 1e-15;
    const double qab = a + b, qap = a + 1, qam = a - 1;
    double c = 1, d = 1 - qab * x / qap;
    if (std::abs(d) < kTiny)
        d = kTiny;
    d = 1 / d;
    double h = d;
    for (int m = 1; m <= 300; ++m) {
        const double m2 = 2.0 * m;
        double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
        d = 1 + aa * d;
        d = std::abs(d) < kTiny ? kTiny : d;
        c = 1 + aa / c;
        c = std::abs(c) < kTiny ? kTiny : c;
        d = 1 / d;
        h *= d * c;
        aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
        d = 1 + aa * d;
        d = std::abs(d) < kTiny ? kTiny : d;
        c = 1 + aa / c;
        c = std::abs(c) < kTiny ? kTiny : c;
        d = 1 / d;
        const double step = d * c;
        h *= step;
        if (std::abs(step - 1) < kEpsilon)
            break;
    }
    return h;
}

} // namespace

double RegularizedBeta(double a, double b, double x)
{
    if (!(a > 0) || !(b > 0) || !(x >= 0) || !(x <= 1))
        return kNaN;
    if (x == 0 || x == 1)
        return x;
    const double front =
        std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2))
        return front * betaFraction(a, b, x) / a;
    return 1 - front * betaFraction(b, a, 1 - x) / b;
}

double StudentTCdf(double t, double df)
{
    if (std::isnan(t) || !(df > 0))
        return kNaN;
    if (std::isinf(t))
        return t > 0 ? 1 : 0;
    const double tail = 0.5 * RegularizedBeta(df / 2, 0.5, df / (df + t * t));
    return t > 0 ? 1 - tail : tail;
}

double StudentTQuantile(double p, double df)
{
    if (!(p > 0) || !(p < 1) || !(df > 0))
        return p == 0 ? -std::numeric_limits<double>::infinity()
                      : p == 1 ? std::numeric_limits<double>::infinity() : kNaN;
    double low = -1, high = 1;
    while (StudentTCdf(low, df) > p)
        low *= 2;
    while (StudentTCdf(high, df) < p)
        high *= 2;
    for (int i = 0; i < 200 && high - low > 1e-12 * std::max(1.0, std::abs(high)); ++i) {
        const double middle = (low + high) / 2;
        (StudentTCdf(middle, df) < p ? low : high) = middle;
    }
    return (low + high) / 2;
}

Welch WelchTest(double n1, double mean1, double deviation1, double n2, double mean2, double deviation2)
{
    Welch welch{kNaN, kNaN, kNaN, kNaN};
    if (!(n1 >= 2) || !(n2 >= 2))
        return welch;
    const double v1 = deviation1 * deviation1 / n1, v2 = deviation2 * deviation2 / n2;
    if (!(v1 + v2 > 0))
        return welch;
    welch.standardError = std::sqrt(v1 + v2);
    welch.t = (mean2 - mean1) / welch.standardError;
    welch.df = (v1 + v2) * (v1 + v2) / (v1 * v1 / (n1 - 1) + v2 * v2 / (n2 - 1));
    welch.p = std::min(1.0, 2 * StudentTCdf(-std::abs(welch.t), welch.df));
    return welch;
}

double KolmogorovQ(double lambda)
{
    if (std::isnan(lambda))
        return kNaN;
    // The series converges slowly near 0, where the tail is 1 anyway.
    if (lambda < 0.2)
        return 1;
    double sum = 0, sign = 1;
    for (int k = 1; k <= 100; ++k) {
        const double term = std::exp(-2.0 * k * k * lambda * lambda);
        sum += sign * term;
        sign = -sign;
        if (term < 1e-16)
            break;
    }
    return std::clamp(2 * sum, 0.0, 1.0);
}

double KolmogorovSmirnovDistance(const std::vector<Counted> &a, const std::vector<Counted> &b)
{
    double totalA = 0, totalB = 0;
    for (const Counted &c : a)
        totalA += c.count;
    for (const Counted &c : b)
        totalB += c.count;
    if (!(totalA > 0) || !(totalB > 0))
        return kNaN;
    double belowA = 0, belowB = 0, distance = 0;
    size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        const double value = j >= b.size() || (i < a.size() && a[i].value < b[j].value) ? a[i].value : b[j].value;
        if (i < a.size() && a[i].value == value)
            belowA += a[i++].count;
        if (j < b.size() && b[j].value == value)
            belowB += b[j++].count;
        distance = std::max(distance, std::abs(belowA / totalA - belowB / totalB));
    }
    return distance;
}

double KolmogorovSmirnovP(double distance, double n1, double n2)
{
    if (!(n1 > 0) || !(n2 > 0) || std::isnan(distance))
        return kNaN;
    const double root = std::sqrt(n1 * n2 / (n1 + n2));
    return KolmogorovQ((root + 0.12 + 0.11 / root) * distance);
}

double MeanHalfWidth95(double n, double deviation)
{
    if (!(n >= 2) || std::isnan(deviation))
        return kNaN;
    return StudentTQuantile(0.975, n - 1) * deviation / std::sqrt(n);
}

double CohenKappa(double pp, double pf, double fp, double ff)
{
    const double total = pp + pf + fp + ff;
    if (!(total > 0))
        return kNaN;
    const double observed = (pp + ff) / total;
    const double chance = ((pp + pf) * (pp + fp) + (fp + ff) * (pf + ff)) / (total * total);
    return chance < 1 ? (observed - chance) / (1 - chance) : kNaN;
}

} // namespace Statistics
