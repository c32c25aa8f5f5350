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

// The end of the classic decimal number that starts at p; null when none does.
const char *classicNumberEnd(const char *p, const char *end)
{
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    bool anyDigit = false;
    for (; p < end && isDigit(*p); ++p)
        anyDigit = true;
    if (p < end && *p == '.')
        for (++p; p < end && isDigit(*p); ++p)
            anyDigit = true;
    if (!anyDigit)
        return nullptr;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char *q = p + 1;
        if (q < end && (*q == '+' || *q == '-'))
            ++q;
        if (q < end && isDigit(*q)) {
            while (q < end && isDigit(*q))
                ++q;
            p = q;
        }
    }
    return p;
}

} // namespace

std::optional<double> ClassicNumber(const char *begin, const char *end)
{
    const char *start = begin;
    while (start < end && isSpace(*start))
        ++start;
    const char *numberEnd = classicNumberEnd(start, end);
    if (!numberEnd)
        return std::nullopt;
    // strtod sees only the classic prefix, so it never reads "inf", "nan"
    // or a hexadecimal form, and never reads past the field.
    const std::string prefix(start, numberEnd);
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
