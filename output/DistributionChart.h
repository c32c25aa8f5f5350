#pragma once

#include "data/ThresholdJudge.h"
#include "output/ChannelHistogram.h"
#include "output/ChartColours.h"
#include "output/DistributionHeading.h"
#include "output/ParetoChart.h"

#include <QHash>

#include <functional>

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QRectF>
#include <QString>

#include <optional>

class QFontMetricsF;
class QPainter;

// The population of a result file at a glance, drawn into any painter: a
// histogram of each channel's powers in a grid that fills the area given,
// and beside it (below it, in a narrow area) the Pareto of failing fibers
// by channel and by reason. The window, the images of --plot and the
// printed report draw it alike; it takes the judge's numbers, never texts
// of widgets.
//
// Each histogram shows its channel, wavelength, Cpk (below 1.0, from 1.0 to
// 1.33, from 1.33: told apart by a word and a pattern as well as colour)
// and failed fibers above it; the threshold as a line (where rows differ,
// the most common one, the others as ticks under the axis); the mean and
// mean +-3 sigma as dashed and dotted lines; the bins of failing values
// hatched, never less than a pixel high. The axis follows the bulk of the
// values: values far outside it (a power of 1e64 among tens of dB) are
// counted in a note, never drawn. The note under each panel says how many
// rows no bar holds, shortened as the panel narrows but never left out.
// On a common axis every panel shows the same range. Nothing is drawn
// outside a panel.
class DistributionChart
{
    Q_DECLARE_TR_FUNCTIONS(DistributionChart)
public:
    using Colours = ChartColours;

    using Axis = ChannelHistogram::Axis;
    using Histogram = ChannelHistogram;

    explicit DistributionChart(const ThresholdJudge &judge, const Colours &colours = Colours::Light());

    // A name shown before the counts in the heading line, such as the file's.
    void SetTitle(const QString &title) { m_heading.SetTitle(title); }
    void SetColours(const Colours &colours);
    const Colours &ColoursOf() const { return m_colours; }
    // One axis for every channel, reaching over all their values.
    void SetCommonAxis(bool common);
    // One fiber's power at each channel (by the channel as shown), marked
    // on its histogram with a triangle over a line; none for no fiber.
    void SetFiberMarks(const QHash<QByteArray, double> &powers) { m_fiberMarks = powers; }
    const QHash<QByteArray, double> &FiberMarks() const { return m_fiberMarks; }
    bool CommonAxis() const { return m_common.has_value(); }

    int ChannelCount() const { return int(m_channels.size()); }
    const ThresholdJudge::ChannelFigures &Channel(int index) const { return m_channels.at(index); }

    // Where the parts go in `area`, for text of `metrics`' font and size
    // (see FontPixels): the heading, a panel per channel in the judge's
    // order (one empty panel for a file without channels), the Pareto.
    struct Layout
    {
        QRectF heading;
        QList<QRectF> panels;
        QRectF pareto;
        int fontPixels = 0;
    };
    Layout LayoutFor(const QRectF &area) const;
    // The part of a panel where the bars stand.
    static QRectF PlotArea(const QRectF &panel, const QFontMetricsF &metrics);
    // The histogram of channel `index` with at most `maxBins` bins.
    Histogram HistogramOf(int index, int maxBins) const
    {
        return ChannelHistogram::Of(m_channels.at(index), m_warnMargin, maxBins, m_common);
    }
    // What the note under a panel says of the rows its bars leave out,
    // longest first: the first that fits is drawn. Empty where the bars hold
    // every row.
    QStringList NotShownNotes(int index, const Histogram &histogram) const;
    // The most bins a plot of that width shows.
    static int BinsFor(double plotWidth) { return ChannelHistogram::BinsFor(plotWidth); }

    // Draws everything into `area`, on the colour of paper.
    void Draw(QPainter &painter, const QRectF &area) const;

private:
    void drawPanel(QPainter &painter, const QRectF &panel, int index, int fontPixels) const;
    void drawFiberMark(QPainter &painter, const QRectF &plot, const QByteArray &channel,
                       const std::function<bool(double)> &onAxis, const std::function<double(double)> &xOf,
                       double size) const;
    void drawHistogram(QPainter &painter, const QRectF &plot, const Histogram &histogram,
                       const ThresholdJudge::ChannelFigures &figures, const QFontMetricsF &metrics) const;
    void drawCapability(QPainter &painter, const QRectF &line, const ThresholdJudge::ChannelFigures &figures,
                        double gap) const;
    void drawBars(QPainter &painter, const QRectF &plot, const Histogram &histogram) const;

    QList<ThresholdJudge::ChannelFigures> m_channels;
    DistributionHeading m_heading;
    ParetoChart m_pareto;
    std::optional<double> m_warnMargin;
    std::optional<ChannelHistogram::Range> m_common;
    QHash<QByteArray, double> m_fiberMarks;
    Colours m_colours;
};
