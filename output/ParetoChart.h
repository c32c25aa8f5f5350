#pragma once

#include "data/ThresholdJudge.h"
#include "output/ChartColours.h"

#include <QCoreApplication>
#include <QList>

class QPainter;
class QRectF;

// The failing fibers of a file counted by the channel where they failed and
// by why they failed, largest first, as bars with their counts and shares;
// "No fiber failed" where none did. What does not fit is counted in an
// "and N more" line.
class ParetoChart
{
    Q_DECLARE_TR_FUNCTIONS(ParetoChart)
public:
    ParetoChart(const ThresholdJudge &judge, const ChartColours &colours);

    // Draws into `rect`, framed, with text of `fontPixels` pixels.
    void Draw(QPainter &painter, const QRectF &rect, int fontPixels) const;

private:
    QList<ThresholdJudge::ChannelCount> m_channels;
    QList<ThresholdJudge::ReasonCount> m_reasons;
    qsizetype m_failed = 0;
    ChartColours m_colours;
};
