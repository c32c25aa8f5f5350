#pragma once

#include <optional>

// The C library's atof in the "C" locale, limited to the classic decimal
// form: optional white space and sign, digits with an optional point, and an
// optional exponent. The longest such prefix is converted; no prefix gives
// 0.0. "inf", "nan" and hexadecimal forms are not numbers here, so the
// result is finite or, for an overflowing exponent, plus or minus HUGE_VAL.
double ClassicAtof(const char *begin, const char *end);
double ClassicAtof(const char *text); // up to the terminating zero

// The classic decimal number that the text starts with (after white space),
// as ClassicAtof reads it; none when the text starts with no such number.
std::optional<double> ClassicNumber(const char *begin, const char *end);
// The same, false for none: for loops over many fields, where a plain
// double and flag cost less to hand back than an optional.
bool ReadClassicNumber(const char *begin, const char *end, double &value);
