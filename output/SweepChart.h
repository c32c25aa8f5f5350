#pragma once

#include "data/YieldSweep.h"

#include <QColor>
#include <QCoreApplication>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// A channel's yield against its lower limit, drawn into any painter: the
// curve as a line, from the least power to the greatest, yield 0 to 100 %;
// the target yield a dotted line; the limit that gives it, the limit
// proposed with the guardband, and the limit in use (where given) as
// vertical lines, each named. Under it one line of figures.
class SweepChart
{
    Q_DECLARE_TR_FUNCTIONS(SweepChart)
public:
    SweepChart(YieldSweep::Curve curve, double targetPercent, std::optional<double> limitInUse = std::nullopt)
        : m_curve(std::move(curve)), m_target(targetPercent), m_inUse(limitInUse)
    {
    }

    // "07: 99 % down to -29.56 dBm; repeatability 0.21 dB from 710 retests,
    // guardband 0.63 dB, proposed -28.93 dBm"
    QString FiguresText() const;
    void Draw(QPainter &painter, const QRectF &area, const QColor &ink, const QColor &paper) const;

    // Where a limit stands across the plot of `area`: 0 at its left, 1 at
    // its right; none without a curve.
    std::optional<double> ShareOf(double limit) const;

private:
    YieldSweep::Curve m_curve;
    double m_target;
    std::optional<double> m_inUse;
};
