#include "data/RowTime.h"

#include <cstdio>

namespace {

// Reads 1 to `most` digits from `text` at `*at`.
bool digits(QByteArrayView text, qsizetype *at, int least, int most, int *value)
{
    int count = 0;
    *value = 0;
    while (*at < text.size() && count < most && text[*at] >= '0' && text[*at] <= '9') {
        *value = *value * 10 + (text[*at] - '0');
        ++*at;
        ++count;
    }
    return count >= least;
}

bool separator(QByteArrayView text, qsizetype *at, const char *allowed)
{
    if (*at >= text.size())
        return false;
    for (const char *c = allowed; *c; ++c) {
        if (text[*at] == *c) {
            ++*at;
            return true;
        }
    }
    return false;
}

bool leapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the date of the proleptic Gregorian calendar.
qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(qint64 days, int *year, int *month, int *day)
{
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shifted = (5 * dayOfYear + 2) / 153;
    *day = int(dayOfYear - (153 * shifted + 2) / 5 + 1);
    *month = int(shifted < 10 ? shifted + 3 : shifted - 9);
    *year = int(yearOfEra + era * 400 + (*month <= 2));
}

} // namespace

qint64 RowTime::Parse(QByteArrayView date, QByteArrayView time)
{
    date = date.trimmed();
    time = time.trimmed();
    qsizetype at = 0;
    int year = 0, month = 0, day = 0;
    if (!digits(date, &at, 4, 4, &year) || !separator(date, &at, "-/.") || !digits(date, &at, 1, 2, &month)
        || !separator(date, &at, "-/.") || !digits(date, &at, 1, 2, &day) || at != date.size())
        return None;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return None;
    at = 0;
    int hour = 0, minute = 0, second = 0;
    if (!digits(time, &at, 1, 2, &hour) || !separator(time, &at, ":") || !digits(time, &at, 2, 2, &minute))
        return None;
    if (at < time.size() && (!separator(time, &at, ":") || !digits(time, &at, 2, 2, &second)))
        return None;
    // 60 is a leap second, which some clocks show.
    if (at != time.size() || hour > 23 || minute > 59 || second > 60)
        return None;
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

QByteArray RowTime::Iso(qint64 seconds)
{
    if (seconds == None)
        return QByteArray();
    qint64 days = seconds / 86400;
    qint64 rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int year = 0, month = 0, day = 0;
    civilFromDays(days, &year, &month, &day);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", year, month, day,
                                     int(rest / 3600), int(rest / 60 % 60), int(rest % 60));
    return QByteArray(text, length);
}
