#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <limits>

// The date and time fields of a row as one number: the seconds from
// 1970-01-01 00:00:00 to that moment, read as the station's own clock (the
// files name no time zone). Dates are YYYY-MM-DD (also with / or . between
// the parts), times HH:MM or HH:MM:SS; anything else, or a day that no
// calendar has, reads as no time at all.
class RowTime
{
public:
    // What a row whose fields cannot be read has: earlier than any time.
    static constexpr qint64 None = std::numeric_limits<qint64>::min();

    static qint64 Parse(QByteArrayView date, QByteArrayView time);

    // ISO 8601 without a zone, "2018-05-17T09:00:07"; empty for None.
    static QByteArray Iso(qint64 seconds);
};
