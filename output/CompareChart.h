#pragma once

#include "data/Comparison.h"
#include "output/ChannelHistogram.h"
#include "output/ChartColours.h"

#include <QByteArray>
#include <QList>
#include <QRectF>

class CompareSide;
class QPainter;

// The two sides of a comparison drawn over each other, a panel for each
// channel: A's histogram as an outline, B's filled, each side's bars as a
// share of its own values (the sides may hold very different numbers of
// fibers), both over one axis. Told apart by their form, not their colour
// alone. Above each panel: the channel, its shift and, where it is
// significant, a mark. A second drawing gives one channel's paired
// differences, fiber by fiber, as a histogram about zero.
namespace CompareChart {

struct Panel
{
    QByteArray channel;
    ChannelHistogram a; // no bins where the side has no such channel
    ChannelHistogram b;
    qint64 countA = 0;  // the values each side's shares are of
    qint64 countB = 0;
    std::optional<double> delta;
    bool shifted = false;
};

// A panel for each channel, in the order the channels came.
QList<Panel> Panels(const Comparison &comparison, double alpha, int maxBins = 40);

// The panels in `area`: as many columns as fit six to a row.
void Draw(QPainter &painter, const QRectF &area, const QList<Panel> &panels, int selected,
          const ChartColours &colours = ChartColours::Light());
// The place of panel `index` of `count` in `area`, and the panel at a
// point (-1 for none).
QRectF PanelRect(const QRectF &area, int count, int index);
int PanelAt(const QRectF &area, int count, const QPointF &point);

// The bins of a list of values: as many as fit `maxBins`, of a round
// width, reaching over every value and zero.
ChannelHistogram HistogramOf(const QList<double> &values, int maxBins);
// A channel's paired differences (B - A, dB, see
// Comparison::PairedDifferences) with zero and their mean marked.
void DrawDifferences(QPainter &painter, const QRectF &area, const Comparison::Paired &paired,
                     const QList<double> &differences, const ChartColours &colours = ChartColours::Light());

} // namespace CompareChart
