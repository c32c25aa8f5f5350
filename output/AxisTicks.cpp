#include "output/AxisTicks.h"

#include <QDateTime>

#include <cmath>

namespace {

constexpr qint64 kMinute = 60, kHour = 3600, kDay = 86400, kMonth = 30 * kDay;

QDateTime dateTimeOf(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

} // namespace

double AxisTicks::ValueStep(double low, double high, int most)
{
    const double span = high - low;
    if (!(span > 0) || !std::isfinite(span) || most < 2)
        return 0;
    const double rough = span / double(most - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double nice : {1.0, 2.0, 5.0, 10.0}) {
        if (nice * power >= rough * (1 - 1e-9))
            return nice * power;
    }
    return 10 * power;
}

QList<AxisTicks::Tick> AxisTicks::Values(double low, double high, int most)
{
    QList<Tick> ticks;
    const double step = ValueStep(low, high, most);
    if (step <= 0)
        return ticks;
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; ++k) {
        const double at = k * step;
        // -0.0 reads as 0.
        ticks.append({at, QString::number(std::abs(at) < step * 1e-9 ? 0.0 : at, 'f', decimals)});
    }
    return ticks;
}

qint64 AxisTicks::TimeStep(qint64 from, qint64 to, int most)
{
    static const qint64 steps[] = {1,          2,          5,          10,         15,        30,
                                   kMinute,    2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
                                   kHour,      2 * kHour,  3 * kHour,  6 * kHour,  12 * kHour, kDay,
                                   2 * kDay,   7 * kDay,   kMonth,     3 * kMonth, 6 * kMonth, 12 * kMonth};
    const qint64 span = to - from;
    if (span <= 0 || most < 2)
        return 0;
    for (const qint64 step : steps) {
        if (span / step < most)
            return step;
    }
    return 12 * kMonth * ((span / (12 * kMonth)) / most + 1);
}

QList<AxisTicks::Tick> AxisTicks::Times(qint64 from, qint64 to, int most)
{
    QList<Tick> ticks;
    const qint64 step = TimeStep(from, to, most);
    if (step <= 0)
        return ticks;
    if (step >= kMonth) {
        // Months from the first of a month: their lengths differ.
        const int months = int(step / kMonth);
        const QDateTime start = dateTimeOf(from);
        QDateTime at(QDate(start.date().year(), 1, 1), QTime(0, 0), Qt::UTC);
        while (at.toSecsSinceEpoch() < from || (at.date().month() - 1) % months != 0)
            at = at.addMonths(1);
        for (; at.toSecsSinceEpoch() <= to; at = at.addMonths(months))
            ticks.append({double(at.toSecsSinceEpoch()), at.toString(QStringLiteral("yyyy-MM"))});
        return ticks;
    }
    // Steps of a week start on a Monday; the others at a multiple of the
    // step since midnight.
    const qint64 origin = step == 7 * kDay ? 4 * kDay : 0; // 1970-01-05 was a Monday
    const qint64 offset = from - origin;
    qint64 k = offset / step;
    if (k * step < offset)
        ++k;
    for (qint64 at = origin + k * step; at <= to; at += step) {
        const QDateTime time = dateTimeOf(at);
        QString label;
        if (step >= kDay || (at % kDay == 0 && step >= kMinute))
            label = time.toString(QStringLiteral("MM-dd"));
        else if (step < kMinute)
            label = time.toString(QStringLiteral("HH:mm:ss"));
        else
            label = time.toString(QStringLiteral("HH:mm"));
        ticks.append({double(at), label});
    }
    return ticks;
}
