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

const double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

double ClassicAtof(const char *begin, const char *end)
{
    const char *p = begin;
    while (p < end && isSpace(*p))
        ++p;
    const char *numberStart = p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';

    // Mantissa: exact while it stays below 2^53; otherwise left to strtod.
    unsigned long long mantissa = 0;
    int significant = 0;
    int fractionDigits = 0;
    bool anyDigit = false;
    for (; p < end && isDigit(*p); ++p) {
        anyDigit = true;
        if (mantissa != 0 || *p != '0')
            ++significant;
        if (significant <= 18)
            mantissa = mantissa * 10 + unsigned(*p - '0');
    }
    if (p < end && *p == '.') {
        ++p;
        for (; p < end && isDigit(*p); ++p) {
            anyDigit = true;
            if (mantissa != 0 || *p != '0')
                ++significant;
            if (significant <= 18) {
                mantissa = mantissa * 10 + unsigned(*p - '0');
                ++fractionDigits;
            }
        }
    }
    if (!anyDigit)
        return 0.0;

    bool hasExponent = false;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q < end && isDigit(*q)) {
            hasExponent = true;
            while (q < end && isDigit(*q))
                ++q;
            p = q;
        }
    }

    // A quotient of two exactly held doubles is rounded once, as strtod
    // rounds, so this path gives the same value.
    if (!hasExponent && significant <= 15 && fractionDigits <= 22) {
        const double value = double(mantissa) / kPowersOfTen[fractionDigits];
        return negative ? -value : value;
    }
    const std::string prefix(numberStart, p);
    return strtod_l(prefix.c_str(), nullptr, classicLocale());
}

double ClassicAtof(const char *text)
{
    return ClassicAtof(text, text + std::strlen(text));
}
