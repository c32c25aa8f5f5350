#include "data/RunRules.h"

#include <cmath>

namespace {

// The side of the centre a value stands on, 0 on it.
int sideOf(double value, double centre)
{
    return value > centre ? 1 : value < centre ? -1 : 0;
}

// How far from the centre, in whole zones: 0 within one deviation, 1
// beyond one, 2 beyond two, 3 beyond three; beyond means strictly.
int zoneOf(double value, const ControlLimits &limits)
{
    const double distance = std::abs(value - limits.centre);
    int zone = 0;
    for (int sigmas = 1; sigmas <= 3; ++sigmas) {
        if (distance > sigmas * limits.sigma)
            zone = sigmas;
    }
    return zone;
}

// Whether the rule holds for the last values of `window` (oldest first,
// as many as the rule's span, fewer at the start of a series).
bool holds(int rule, const double *window, qsizetype n, const ControlLimits &limits)
{
    if (n < RunRules::Span(rule))
        return false;
    const auto side = [&](qsizetype i) { return sideOf(window[i], limits.centre); };
    const auto zone = [&](qsizetype i) { return zoneOf(window[i], limits); };
    switch (rule) {
    case 1:
        return zone(n - 1) >= 3;
    case 2:
        for (qsizetype i = 1; i < n; ++i) {
            if (side(i) == 0 || side(i) != side(0))
                return false;
        }
        return side(0) != 0;
    case 3: {
        const int direction = sideOf(window[1], window[0]);
        for (qsizetype i = 1; i < n; ++i) {
            if (direction == 0 || sideOf(window[i], window[i - 1]) != direction)
                return false;
        }
        return true;
    }
    case 4:
        for (qsizetype i = 1; i < n; ++i) {
            const int step = sideOf(window[i], window[i - 1]);
            if (step == 0 || (i > 1 && step == sideOf(window[i - 1], window[i - 2])))
                return false;
        }
        return true;
    case 5:
    case 6: {
        // Of the last three (five), two (four) beyond two (one) deviations
        // on one side, the last of them among them.
        const int beyond = rule == 5 ? 2 : 1, needed = rule == 5 ? 2 : 4;
        if (zone(n - 1) < beyond || side(n - 1) == 0)
            return false;
        int count = 0;
        for (qsizetype i = 0; i < n; ++i)
            count += zone(i) >= beyond && side(i) == side(n - 1);
        return count >= needed;
    }
    case 7:
        // Within no spread at all says nothing of a process.
        if (limits.sigma <= 0)
            return false;
        for (qsizetype i = 0; i < n; ++i) {
            if (zone(i) != 0)
                return false;
        }
        return true;
    case 8:
        for (qsizetype i = 0; i < n; ++i) {
            if (zone(i) == 0)
                return false;
        }
        return true;
    }
    return false;
}

} // namespace

int RunRules::Span(int rule)
{
    static const int spans[Count] = {1, 9, 6, 14, 3, 5, 15, 8};
    return rule >= 1 && rule <= Count ? spans[rule - 1] : 0;
}

QString RunRules::Name(int rule)
{
    switch (rule) {
    case 1:
        return tr("one beyond 3 sigma");
    case 2:
        return tr("nine in a row on one side of the centre");
    case 3:
        return tr("six in a row rising or falling");
    case 4:
        return tr("fourteen in a row alternating up and down");
    case 5:
        return tr("two of three beyond 2 sigma on one side");
    case 6:
        return tr("four of five beyond 1 sigma on one side");
    case 7:
        return tr("fifteen in a row within 1 sigma");
    case 8:
        return tr("eight in a row beyond 1 sigma on either side");
    }
    return QString();
}

QList<RunRules::Alarm> RunRules::Check(const QList<double> &values, qsizetype from, const ControlLimits &limits,
                                       QList<qsizetype> *breaking)
{
    // The series' values and where they stand, NaN passed over.
    QList<double> series;
    QList<qsizetype> places;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < values.size(); ++i) {
        if (std::isfinite(values.at(i)))
            series.append(values.at(i)), places.append(i);
    }
    QList<Alarm> alarms;
    bool holding[Count] = {};
    for (qsizetype end = 0; end < series.size(); ++end) {
        bool broken = false;
        for (int rule = 1; rule <= Count; ++rule) {
            const qsizetype span = Span(rule);
            const qsizetype start = std::max<qsizetype>(0, end + 1 - span);
            const bool now = holds(rule, series.constData() + start, end + 1 - start, limits);
            if (now && !holding[rule - 1])
                alarms.append({rule, places.at(start), places.at(end)});
            holding[rule - 1] = now;
            broken = broken || now;
        }
        if (broken && breaking)
            breaking->append(places.at(end));
    }
    return alarms;
}

QList<qsizetype> RunRules::Falls(const QList<double> &values, qsizetype from, double level)
{
    QList<qsizetype> falls;
    bool below = false;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < values.size(); ++i) {
        const double value = values.at(i);
        if (!std::isfinite(value))
            continue;
        if (value < level && !below)
            falls.append(i);
        below = value < level;
    }
    return falls;
}
