#include "output/CompareChart.h"

#include "output/ChartPainting.h"
#include "output/CompareWriter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace CompareChart {

namespace {

constexpr int kColumns = 6;
constexpr qreal kLegend = 20;  // the legend's line above the panels
constexpr qreal kTitle = 16;   // a panel's title above its plot
constexpr qreal kScale = 14;   // the axis' values under its plot
constexpr qreal kGap = 6;

QString tr(const char *text)
{
    return QCoreApplication::translate("CompareChart", text);
}

const Comparison::Channel *channelOf(const Comparison &comparison, const QByteArray &name)
{
    for (const Comparison::Channel &channel : comparison.channels) {
        if (channel.channel == name)
            return &channel;
    }
    return nullptr;
}

double shareOf(qint64 count, qint64 total)
{
    return total > 0 ? double(count) / double(total) : 0;
}

double tallestShare(const ChannelHistogram &histogram, qint64 total)
{
    qint64 tallest = 0;
    for (qint64 count : histogram.counts)
        tallest = std::max(tallest, count);
    return shareOf(tallest, total);
}

// The x of a value on the axis, in the plot.
qreal xOf(const ChannelHistogram::Axis &axis, const QRectF &plot, double value)
{
    return plot.left() + (value - axis.start) / (axis.end() - axis.start) * plot.width();
}

void drawFilled(QPainter &painter, const QRectF &plot, const ChannelHistogram &histogram, qint64 total,
                double top, const QColor &colour)
{
    const ChannelHistogram::Axis &axis = histogram.axis;
    for (int i = 0; i < histogram.counts.size(); ++i) {
        const double share = shareOf(histogram.counts.at(i), total);
        if (share <= 0)
            continue;
        const qreal left = xOf(axis, plot, axis.start + i * axis.width);
        const qreal right = xOf(axis, plot, axis.start + (i + 1) * axis.width);
        const qreal height = plot.height() * share / top;
        painter.fillRect(QRectF(left, plot.bottom() - height, right - left, height), colour);
    }
}

void drawOutline(QPainter &painter, const QRectF &plot, const ChannelHistogram &histogram, qint64 total,
                 double top, const QColor &colour)
{
    const ChannelHistogram::Axis &axis = histogram.axis;
    QPainterPath path(QPointF(plot.left(), plot.bottom()));
    for (int i = 0; i < histogram.counts.size(); ++i) {
        const qreal y = plot.bottom() - plot.height() * shareOf(histogram.counts.at(i), total) / top;
        path.lineTo(xOf(axis, plot, axis.start + i * axis.width), y);
        path.lineTo(xOf(axis, plot, axis.start + (i + 1) * axis.width), y);
    }
    path.lineTo(plot.right(), plot.bottom());
    painter.setBrush(Qt::NoBrush);
    painter.setPen(ChartPainting::Pen(colour, 1.5));
    painter.drawPath(path);
}

void drawScale(QPainter &painter, const QRectF &plot, const ChannelHistogram::Axis &axis, const QColor &ink)
{
    painter.setPen(ink);
    const QRectF scale(plot.left(), plot.bottom() + 1, plot.width(), kScale - 2);
    ChartPainting::DrawFitted(painter, scale, QString::number(axis.start, 'f', 1), Qt::AlignLeft);
    ChartPainting::DrawFitted(painter, scale, QString::number(axis.end(), 'f', 1), Qt::AlignRight);
}

void drawLegend(QPainter &painter, const QRectF &area, const ChartColours &colours)
{
    const qreal y = area.top() + kLegend / 2;
    qreal x = area.left() + 4;
    painter.setPen(ChartPainting::Pen(colours.ink, 1.5));
    painter.drawRect(QRectF(x, y - 5, 14, 10));
    x += 18;
    painter.setPen(colours.ink);
    const QString a = tr("A outlined");
    painter.drawText(QRectF(x, area.top(), 200, kLegend), Qt::AlignVCenter | Qt::AlignLeft, a);
    x += painter.fontMetrics().horizontalAdvance(a) + 16;
    QColor fill = colours.pass;
    fill.setAlpha(150);
    painter.fillRect(QRectF(x, y - 5, 14, 10), fill);
    x += 18;
    const QString rest = tr("B filled; bars are shares of each side's values; * a shift beyond chance");
    painter.drawText(QRectF(x, area.top(), area.right() - x, kLegend), Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(rest, Qt::ElideRight, int(area.right() - x)));
}

void drawPanel(QPainter &painter, const QRectF &rect, const Panel &panel, bool selected,
               const ChartColours &colours)
{
    painter.setPen(ChartPainting::Pen(selected ? colours.ink : colours.grid, selected ? 2 : 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    const QRectF title(rect.left() + 4, rect.top() + 1, rect.width() - 8, kTitle);
    QString text = QString::fromUtf8(panel.channel);
    if (panel.delta)
        text += QStringLiteral("  %1 dB").arg(CompareWriter::Shift(panel.delta));
    if (panel.shifted)
        text += QStringLiteral(" *");
    painter.setPen(panel.shifted ? colours.fail : colours.ink);
    ChartPainting::DrawFitted(painter, title, text, Qt::AlignLeft);
    const QRectF plot(rect.left() + 4, title.bottom() + 2, rect.width() - 8,
                      rect.height() - kTitle - kScale - 4);
    const ChannelHistogram &shown = panel.b.axis.bins > 0 ? panel.b : panel.a;
    if (shown.axis.bins <= 0 || plot.height() < 4) {
        painter.setPen(colours.ink);
        painter.drawText(plot, Qt::AlignCenter, tr("no powers"));
        return;
    }
    const double top = std::max(tallestShare(panel.a, panel.countA), tallestShare(panel.b, panel.countB));
    if (top <= 0)
        return;
    QColor fill = colours.pass;
    fill.setAlpha(150);
    painter.save();
    painter.setClipRect(plot);
    if (panel.b.axis.bins > 0)
        drawFilled(painter, plot, panel.b, panel.countB, top, fill);
    if (panel.a.axis.bins > 0)
        drawOutline(painter, plot, panel.a, panel.countA, top, colours.ink);
    painter.restore();
    drawScale(painter, plot, shown.axis, colours.ink);
}

} // namespace

QList<Panel> Panels(const Comparison &comparison, double alpha, int maxBins)
{
    QList<Panel> panels;
    for (const Comparison::Paired &paired : comparison.paired) {
        const Comparison::Channel *channel = channelOf(comparison, paired.channel);
        Panel panel;
        panel.channel = paired.channel;
        if (!channel) {
            panels.append(panel);
            continue;
        }
        panel.delta = channel->deltaMean;
        panel.shifted = channel->welchP && *channel->welchP < alpha;
        std::optional<ChannelHistogram::Range> range;
        for (const ThresholdJudge::ChannelFigures *figures : {channel->a, channel->b}) {
            if (!figures)
                continue;
            const std::optional<ChannelHistogram::Range> own = ChannelHistogram::RangeOf(*figures, std::nullopt);
            if (own)
                range = range ? range->united(*own) : *own;
        }
        if (channel->a) {
            panel.a = ChannelHistogram::Of(*channel->a, std::nullopt, maxBins, range);
            panel.countA = channel->a->powers;
        }
        if (channel->b) {
            panel.b = ChannelHistogram::Of(*channel->b, std::nullopt, maxBins, range);
            panel.countB = channel->b->powers;
        }
        panels.append(panel);
    }
    return panels;
}

QRectF PanelRect(const QRectF &area, int count, int index)
{
    const int columns = std::max(1, std::min(count, kColumns));
    const int rows = std::max(1, (count + columns - 1) / columns);
    const qreal width = (area.width() - kGap * (columns - 1)) / columns;
    const qreal height = (area.height() - kLegend - kGap * (rows - 1)) / rows;
    const int row = index / columns, column = index % columns;
    return QRectF(area.left() + column * (width + kGap), area.top() + kLegend + row * (height + kGap), width,
                  height);
}

int PanelAt(const QRectF &area, int count, const QPointF &point)
{
    for (int i = 0; i < count; ++i) {
        if (PanelRect(area, count, i).contains(point))
            return i;
    }
    return -1;
}

void Draw(QPainter &painter, const QRectF &area, const QList<Panel> &panels, int selected,
          const ChartColours &colours)
{
    painter.fillRect(area, colours.paper);
    painter.setFont(ChartPainting::FontOf(painter, 11));
    drawLegend(painter, area, colours);
    for (int i = 0; i < panels.size(); ++i)
        drawPanel(painter, PanelRect(area, int(panels.size()), i), panels.at(i), i == selected, colours);
}

ChannelHistogram HistogramOf(const QList<double> &values, int maxBins)
{
    ChannelHistogram histogram;
    if (values.isEmpty() || maxBins < 1)
        return histogram;
    const auto [least, greatest] = std::minmax_element(values.cbegin(), values.cend());
    // Zero on the axis, so that no shift shows as bars about its line.
    const double low = std::min(*least, 0.0), high = std::max(*greatest, 0.0);
    const double width = ChannelHistogram::NiceWidth(std::max((high - low) / maxBins, 0.01));
    histogram.axis.width = width;
    histogram.axis.start = std::floor(low / width) * width;
    histogram.axis.bins = std::max(1, int(std::floor((high - histogram.axis.start) / width)) + 1);
    histogram.counts.fill(0, histogram.axis.bins);
    for (double value : values) {
        const int bin = std::clamp(int(std::floor((value - histogram.axis.start) / width)), 0, histogram.axis.bins - 1);
        ++histogram.counts[bin];
    }
    return histogram;
}

void DrawDifferences(QPainter &painter, const QRectF &area, const Comparison::Paired &paired,
                     const QList<double> &differences, const ChartColours &colours)
{
    painter.fillRect(area, colours.paper);
    painter.setFont(ChartPainting::FontOf(painter, 11));
    painter.setPen(colours.ink);
    const QRectF title(area.left() + 4, area.top(), area.width() - 8, kLegend);
    const QString channel = QString::fromUtf8(paired.channel);
    if (differences.isEmpty() || !paired.mean) {
        ChartPainting::DrawFitted(painter, title, tr("%1: no fiber with a power on both sides").arg(channel),
                                  Qt::AlignLeft);
        return;
    }
    const double mean = *paired.mean;
    ChartPainting::DrawFitted(painter, title,
                              tr("%1: B - A fiber by fiber, %2 of them, mean %3 dB, 95 % interval %4")
                                  .arg(channel)
                                  .arg(paired.pairs)
                                  .arg(CompareWriter::Shift(paired.mean),
                                       CompareWriter::Interval(paired.low, paired.high)),
                              Qt::AlignLeft);
    const QRectF plot(area.left() + 4, title.bottom() + 2, area.width() - 8, area.height() - kLegend - kScale - 4);
    if (plot.height() < 4)
        return;
    const ChannelHistogram histogram = HistogramOf(differences, std::max(1, std::min(60, int(plot.width() / 6))));
    const ChannelHistogram::Axis &axis = histogram.axis;
    const double top = tallestShare(histogram, qint64(differences.size()));
    drawFilled(painter, plot, histogram, qint64(differences.size()), top, colours.pass);
    painter.setPen(ChartPainting::Pen(colours.ink, 1, Qt::DashLine));
    painter.drawLine(QPointF(xOf(axis, plot, 0), plot.top()), QPointF(xOf(axis, plot, 0), plot.bottom()));
    painter.setPen(ChartPainting::Pen(colours.fail, 2));
    painter.drawLine(QPointF(xOf(axis, plot, mean), plot.top()), QPointF(xOf(axis, plot, mean), plot.bottom()));
    drawScale(painter, plot, axis, colours.ink);
}

} // namespace CompareChart
