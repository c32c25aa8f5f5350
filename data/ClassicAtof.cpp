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
// digits without an exponent, its exact value in `exact`: its digits and a
// power of ten are both held exactly in a double, and one correctly rounded
// division gives the very value strtod gives, without its cost. Results go
// out in plain variables: a structure handed back through memory stalls
// the reads that follow, a cost a million rows feel.
inline const char *scanNumber(const char *p, const char *end, double &exact, bool &isExact)
{
    static const double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMaxExactDigits = 15;
    isExact = false;
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
        return nullptr;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q < end && isDigit(*q)) {
            while (q < end && isDigit(*q))
                ++q;
            return q; // an exponent: strtod's work
        }
    }
    if (count <= kMaxExactDigits) {
        const double value = double(digits) / powersOfTen[fraction];
        exact = negative ? -value : value;
        isExact = true;
    }
    return p;
}

} // namespace

bool ReadClassicNumber(const char *begin, const char *end, double &value)
{
    const char *start = begin;
    while (start < end && isSpace(*start))
        ++start;
    bool isExact = false;
    const char *numberEnd = scanNumber(start, end, value, isExact);
    if (!numberEnd)
        return false;
    if (isExact)
        return true;
    // strtod sees only the classic prefix, so it never reads "inf", "nan"
    // or a hexadecimal form, and never reads past the field.
    const std::string prefix(start, numberEnd);
    value = strtod_l(prefix.c_str(), nullptr, classicLocale());
    return true;
}

std::optional<double> ClassicNumber(const char *begin, const char *end)
{
    double value = 0;
    if (!ReadClassicNumber(begin, end, value))
        return std::nullopt;
    return value;
}

double ClassicAtof(const char *begin, const char *end)
{
    return ClassicNumber(begin, end).value_or(0.0);
}

double ClassicAtof(const char *text)
{
    return ClassicAtof(text, text + std::strlen(text));
}
