#include "data/ClassicAtof.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

locale_t classicLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

// The classic decimal number that starts at p, read in one pass: where it
// ends (null when no number starts there) and, for a number of at most 15
// digits without an exponent, its exact value: its digits and a power of
// ten are both held exactly in a double, and one correctly rounded division
// gives the very value strtod gives, without its cost.
struct Scan
{
    const char *end = nullptr;
    std::optional<double> exact;
};

Scan scanNumber(const char *p, const char *end)
{
    static const double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMaxExactDigits = 15;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    unsigned long long digits = 0; // wraps past 19 digits, when it is not used
    int count = 0;
    int fraction = 0;
    for (; p < end && isDigit(*p); ++p, ++count)
        digits = digits * 10 + (*p - '0');
    if (p < end && *p == '.') {
        for (++p; p < end && isDigit(*p); ++p, ++count, ++fraction)
            digits = digits * 10 + (*p - '0');
    }
    if (count == 0)
        return {};
    Scan scan;
    scan.end = p;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q < end && isDigit(*q)) {
            while (q < end && isDigit(*q))
                ++q;
            scan.end = q;
            return scan; // an exponent: strtod's work
        }
    }
    if (count <= kMaxExactDigits) {
        const double value = double(digits) / powersOfTen[fraction];
        scan.exact = negative ? -value : value;
    }
    return scan;
}

} // namespace

std::optional<double> ClassicNumber(const char *begin, const char *end)
{
    const char *start = begin;
    while (start < end && isSpace(*start))
        ++start;
    const Scan scan = scanNumber(start, end);
    if (!scan.end)
        return std::nullopt;
    if (scan.exact)
        return scan.exact;
    // strtod sees only the classic prefix, so it never reads "inf", "nan"
    // or a hexadecimal form, and never reads past the field.
    const std::string prefix(start, scan.end);
    return strtod_l(prefix.c_str(), nullptr, classicLocale());
}

double ClassicAtof(const char *begin, const char *end)
{
    return ClassicNumber(begin, end).value_or(0.0);
}

double ClassicAtof(const char *text)
{
    return ClassicAtof(text, text + std::strlen(text));
}
