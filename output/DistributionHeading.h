#pragma once

#include "data/ThresholdJudge.h"
#include "output/ChartColours.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class QPainter;
class QRectF;

// The line over the distributions: "NAME: 39 of 48 fibers pass (81.2 %)",
// the marginal fibers where a band is set, and the legend of the lines and
// fills at the right where the line leaves room for it.
class DistributionHeading
{
    Q_DECLARE_TR_FUNCTIONS(DistributionHeading)
public:
    DistributionHeading(const ThresholdJudge &judge, const ChartColours &colours);

    void SetTitle(const QString &title) { m_title = title; }
    void SetColours(const ChartColours &colours) { m_colours = colours; }

    void Draw(QPainter &painter, const QRectF &rect) const;

private:
    qsizetype m_fibers = 0;
    qsizetype m_failed = 0;
    qsizetype m_marginal = 0;
    std::optional<double> m_warnMargin;
    bool m_banded = false;
    QString m_limitsName; // of the user's limits, where the fibers were judged by them
    ChartColours m_colours;
    QString m_title;
};
