#include "output/TrendAxis.h"

#include "data/RowTime.h"

#include <algorithm>
#include <cmath>

namespace {

// A pause this many times the station's usual pace, and at least this
// long, is a gap.
constexpr double kGapPaces = 4;
constexpr double kGapSeconds = 600;

} // namespace

TrendAxis TrendAxis::ByFile(qsizetype count)
{
    TrendAxis axis;
    for (qsizetype i = 0; i < count; ++i)
        axis.m_x.append(double(i));
    axis.m_gapBefore = QList<bool>(count, false);
    axis.m_first = count > 1 ? 0.0 : -0.5;
    axis.m_last = count > 1 ? double(count - 1) : 0.5;
    axis.m_least = std::min(axis.m_last - axis.m_first, 2.0);
    axis.Reset();
    return axis;
}

TrendAxis TrendAxis::ByTime(const QList<qint64> &times)
{
    TrendAxis axis;
    axis.m_time = true;
    double first = INFINITY, last = -INFINITY;
    QList<double> steps;
    double previous = NAN;
    for (const qint64 time : times) {
        const double x = time == RowTime::None ? NAN : double(time);
        axis.m_x.append(x);
        if (std::isnan(x))
            continue;
        first = std::min(first, x);
        last = std::max(last, x);
        if (!std::isnan(previous) && x > previous)
            steps.append(x - previous);
        previous = x;
    }
    if (!std::isfinite(first))
        first = 0, last = 1;
    if (last - first < 60) // one time, or files a few seconds apart
        first -= 30, last += 30;
    axis.m_first = first;
    axis.m_last = last;
    axis.m_least = std::min(last - first, 60.0);
    // The usual pace: the median of the steps between files.
    double pace = 0;
    if (!steps.isEmpty()) {
        std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
        pace = steps.at(steps.size() / 2);
    }
    axis.m_gapBefore = QList<bool>(times.size(), false);
    previous = NAN;
    for (qsizetype i = 0; i < axis.m_x.size(); ++i) {
        const double x = axis.m_x.at(i);
        if (std::isnan(x))
            continue;
        if (!std::isnan(previous) && pace > 0)
            axis.m_gapBefore[i] = x - previous > std::max(kGapPaces * pace, kGapSeconds);
        previous = x;
    }
    axis.Reset();
    return axis;
}

bool TrendAxis::Placed(qsizetype file) const
{
    return file >= 0 && file < m_x.size() && !std::isnan(m_x.at(file));
}

bool TrendAxis::GapBefore(qsizetype file) const
{
    return m_gapBefore.value(file, false);
}

void TrendAxis::Show(double from, double to)
{
    if (to < from)
        std::swap(from, to);
    if (to - from < m_least) {
        const double centre = (from + to) / 2;
        from = centre - m_least / 2;
        to = centre + m_least / 2;
    }
    const double span = std::min(to - from, m_last - m_first);
    from = std::clamp(from, m_first, m_last - span);
    m_from = from;
    m_to = from + span;
}

void TrendAxis::ZoomAt(double at, double factor)
{
    Show(at - (at - m_from) * factor, at + (m_to - at) * factor);
}

qreal TrendAxis::PixelOf(const QRectF &plot, double x) const
{
    return plot.left() + plot.width() * (x - m_from) / (m_to - m_from);
}

double TrendAxis::ValueAt(const QRectF &plot, qreal pixel) const
{
    return m_from + (pixel - plot.left()) / plot.width() * (m_to - m_from);
}

qsizetype TrendAxis::FileAt(const QRectF &plot, const QPointF &point, qreal reach) const
{
    if (point.y() < plot.top() || point.y() > plot.bottom())
        return -1;
    if (!m_time)
        reach = plot.width() / (m_to - m_from) / 2;
    // The files stand in order across: the nearest is beside where the
    // point falls.
    const double x = ValueAt(plot, point.x());
    const auto at = std::lower_bound(m_x.cbegin(), m_x.cend(), x, [](double a, double b) {
        return !std::isnan(a) && a < b;
    });
    qsizetype best = -1;
    qreal bestDistance = reach;
    const qsizetype middle = at - m_x.cbegin();
    for (qsizetype i = std::max<qsizetype>(middle - 1, 0); i < std::min(middle + 1, m_x.size()); ++i) {
        if (!Placed(i))
            continue;
        const qreal distance = std::abs(PixelOf(plot, m_x.at(i)) - point.x());
        if (distance <= bestDistance)
            best = i, bestDistance = distance;
    }
    return best;
}

qsizetype TrendAxis::Next(qsizetype file, int step) const
{
    for (qsizetype i = file + step; i >= 0 && i < m_x.size(); i += step) {
        if (Placed(i))
            return i;
    }
    return file;
}

QList<AxisTicks::Tick> TrendAxis::Ticks(int most) const
{
    if (m_time)
        return AxisTicks::Times(qint64(std::ceil(m_from)), qint64(std::floor(m_to)), most);
    // Files are counted from 1, in whole numbers.
    QList<AxisTicks::Tick> ticks;
    const double step = std::max(1.0, AxisTicks::ValueStep(m_from + 1, m_to + 1, most));
    for (double number = std::ceil((m_from + 1) / step) * step; number <= m_to + 1 + 1e-9; number += step)
        ticks.append({number - 1, QString::number(qint64(number))});
    return ticks;
}
