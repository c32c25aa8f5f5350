#pragma once

#include "output/AxisTicks.h"

#include <QList>
#include <QPointF>
#include <QRectF>

// The across axis of a lot's trend: where each file stands, by its first
// row's time (a file without one is not placed) or by its place in the
// lot, and the span of it shown, which a zoom narrows and a pan moves.
// On a time axis a pause much longer than the station's usual pace
// between two files is a gap, which the chart leaves open.
class TrendAxis
{
public:
    TrendAxis() = default;
    static TrendAxis ByFile(qsizetype count);
    // `times` in seconds, RowTime::None where a file has none.
    static TrendAxis ByTime(const QList<qint64> &times);

    bool IsTime() const { return m_time; }
    qsizetype Count() const { return m_x.size(); }
    // The file's place, NaN where it is not placed.
    double At(qsizetype file) const { return m_x.value(file, NAN); }
    bool Placed(qsizetype file) const;
    // Whether the files `file` - 1 and `file` stand a gap apart.
    bool GapBefore(qsizetype file) const;

    double From() const { return m_from; }
    double To() const { return m_to; }
    bool Zoomed() const { return m_from > m_first || m_to < m_last; }
    // Shows [from, to], kept within the files' span and no narrower than
    // the least span (two files, or a minute); Reset shows every file.
    void Show(double from, double to);
    void Reset() { Show(m_first, m_last); }
    // Narrows (factor below 1) or widens the span about `at`.
    void ZoomAt(double at, double factor);
    void Pan(double by) { Show(m_from + by, m_to + by); }

    // Pixels across `plot` and back.
    qreal PixelOf(const QRectF &plot, double x) const;
    double ValueAt(const QRectF &plot, qreal pixel) const;
    // The placed file nearest `point` across, within half a file's step on
    // a file axis or `reach` pixels on a time axis; -1 where none is, or
    // the point is above or below the plot.
    qsizetype FileAt(const QRectF &plot, const QPointF &point, qreal reach = 12) const;
    // The placed file after (`step` 1) or before (-1) `file`, or `file`.
    qsizetype Next(qsizetype file, int step) const;

    // The marks of the span shown, at most `most`: round times, or the
    // files' numbers from 1.
    QList<AxisTicks::Tick> Ticks(int most) const;

private:
    QList<double> m_x;
    QList<bool> m_gapBefore;
    bool m_time = false;
    double m_first = 0, m_last = 1; // every file's span
    double m_from = 0, m_to = 1;    // the span shown
    double m_least = 1;             // the narrowest span shown
};
