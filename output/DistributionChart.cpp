#include "output/DistributionChart.h"

#include "output/ChannelCapability.h"
#include "output/ChartPainting.h"
#include "output/ParetoChart.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

using namespace ChartPainting;

namespace {

// The panels' shape the grid aims at, width over height.
constexpr double kPanelAspect = 1.4;

// A number on an axis whose ticks lie `step` apart, with the places the
// step needs.
QString axisNumber(double value, double step)
{
    if (value == 0)
        value = 0; // no "-0"
    if (std::fabs(value) >= 1e6 || step >= 1e6)
        return QString::number(value, 'g', 4);
    const int places = step >= 1 ? 0 : step >= 0.1 ? 1 : 2;
    return QString::number(value, 'f', places);
}

// The rows of a channel that no bar shows: "9 Low", "2 without a number".
QStringList unmeasured(const ThresholdJudge::ChannelFigures &figures)
{
    QStringList notes;
    if (figures.lows > 0)
        notes.append(DistributionChart::tr("%1 Low").arg(figures.lows));
    if (const qsizetype others = figures.count - figures.powers - figures.lows; others > 0)
        notes.append(DistributionChart::tr("%1 without a number").arg(others));
    return notes;
}

} // namespace

DistributionChart::DistributionChart(const ThresholdJudge &judge, const Colours &colours)
    : m_channels(judge.Channels())
    , m_heading(judge, colours)
    , m_pareto(judge, colours)
    , m_warnMargin(judge.WarnMargin())
    , m_colours(colours)
{
}

void DistributionChart::SetColours(const Colours &colours)
{
    m_colours = colours;
    m_heading.SetColours(colours);
}

void DistributionChart::SetCommonAxis(bool common)
{
    m_common.reset();
    if (!common)
        return;
    for (const ThresholdJudge::ChannelFigures &figures : std::as_const(m_channels)) {
        if (const std::optional<Histogram::Range> range = ChannelHistogram::RangeOf(figures, m_warnMargin))
            m_common = m_common ? m_common->united(*range) : *range;
    }
}

QStringList DistributionChart::NotShownNotes(int index, const Histogram &histogram) const
{
    const ThresholdJudge::ChannelFigures &figures = m_channels.at(index);
    const qint64 notShown = histogram.NotShown(figures);
    if (notShown == 0)
        return {};
    QStringList parts = unmeasured(figures);
    QStringList outside;
    if (histogram.below > 0)
        outside.append(tr("%1 below").arg(histogram.below));
    if (histogram.above > 0)
        outside.append(tr("%1 above").arg(histogram.above));
    if (!outside.isEmpty())
        parts.append(outside.join(QLatin1String(", ")) + tr(" the axis"));
    return {parts.join(QLatin1String("; ")), tr("%1 not in the histogram").arg(notShown),
            tr("%1 not shown").arg(notShown), QStringLiteral("+%1").arg(notShown)};
}

DistributionChart::Layout DistributionChart::LayoutFor(const QRectF &area) const
{
    Layout layout;
    const int count = qMax(1, int(m_channels.size()));
    layout.fontPixels = std::clamp(int(std::min(area.width(), area.height()) / 60), 9, 16);
    const double headingHeight = std::round(layout.fontPixels * 2.0);
    layout.heading = QRectF(area.left(), area.top(), area.width(), headingHeight);
    QRectF rest = area.adjusted(0, headingHeight, 0, 0);
    // The Pareto beside the grid where the area is wide, else under it.
    if (rest.width() >= 1.2 * rest.height() && rest.width() >= 640) {
        const double width = std::round(std::clamp(rest.width() * 0.2, 180.0, 360.0));
        layout.pareto = QRectF(rest.right() - width, rest.top(), width, rest.height());
        rest.setRight(layout.pareto.left());
    } else {
        const double height = std::round(std::clamp(rest.height() * 0.25, 110.0, 300.0));
        layout.pareto = QRectF(rest.left(), rest.bottom() - height, rest.width(), height);
        rest.setBottom(layout.pareto.top());
    }
    // As many columns as make the panels nearest to their shape, an empty
    // cell counting against a grid.
    int columns = 1;
    double best = 1e300;
    for (int c = 1; c <= count; ++c) {
        const int rows = (count + c - 1) / c;
        const double aspect = (rest.width() / c) / qMax(1.0, rest.height() / rows);
        const double score = std::fabs(std::log(qMax(aspect, 1e-9) / kPanelAspect)) + 0.1 * (c * rows - count);
        if (score < best) {
            best = score;
            columns = c;
        }
    }
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns, column = i % columns;
        const double left = std::round(rest.left() + rest.width() * column / columns);
        const double right = std::round(rest.left() + rest.width() * (column + 1) / columns);
        const double top = std::round(rest.top() + rest.height() * row / rows);
        const double bottom = std::round(rest.top() + rest.height() * (row + 1) / rows);
        layout.panels.append(QRectF(left, top, right - left, bottom - top));
    }
    return layout;
}

QRectF DistributionChart::PlotArea(const QRectF &panel, const QFontMetricsF &metrics)
{
    const double pad = std::round(qMax(3.0, std::min(panel.width(), panel.height()) * 0.03));
    const double line = std::ceil(metrics.height());
    const double top = panel.top() + pad + 2 * line + pad / 2;
    const double bottom = panel.bottom() - pad - std::ceil(line * 0.4) - 2 * line;
    return QRectF(panel.left() + pad, top, qMax(0.0, panel.width() - 2 * pad), qMax(0.0, bottom - top));
}

void DistributionChart::Draw(QPainter &painter, const QRectF &area) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, m_colours.paper);
    const Layout layout = LayoutFor(area);
    m_heading.Draw(painter, layout.heading);
    for (int i = 0; i < layout.panels.size(); ++i)
        drawPanel(painter, layout.panels.at(i), i, layout.fontPixels);
    m_pareto.Draw(painter, layout.pareto, layout.fontPixels);
    painter.restore();
}

void DistributionChart::drawPanel(QPainter &painter, const QRectF &panel, int index, int fontPixels) const
{
    painter.save();
    painter.setClipRect(panel);
    painter.setFont(FontOf(painter, fontPixels));
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.setPen(Pen(m_colours.grid, 1));
    painter.drawRect(panel.adjusted(0.5, 0.5, -0.5, -0.5));
    const QRectF plot = PlotArea(panel, metrics);
    const double pad = plot.left() - panel.left();
    const double line = std::ceil(metrics.height());
    const QRectF first(plot.left(), panel.top() + pad, plot.width(), line);
    const QRectF second = first.translated(0, line);
    painter.setPen(m_colours.ink);
    if (index >= m_channels.size()) {
        DrawFitted(painter, first, tr("no rows"), Qt::AlignLeft);
        painter.restore();
        return;
    }
    const ThresholdJudge::ChannelFigures &figures = m_channels.at(index);

    // Channel and wavelength, failed fibers; Cpk with its pattern, marginal
    // fibers.
    const QString failed = tr("%1 failed").arg(figures.failedFibers);
    const double failedWidth = qMin(metrics.horizontalAdvance(failed) + 1, first.width() / 2);
    const QString name = QString::fromUtf8(figures.channel) + QLatin1String("  ")
        + SummaryWriter::FieldText(figures.waveLength) + tr(" nm");
    DrawFitted(painter, first.adjusted(0, 0, -failedWidth - pad, 0), name, Qt::AlignLeft);
    DrawFitted(painter, first.adjusted(first.width() - failedWidth, 0, 0, 0), failed, Qt::AlignRight);
    const ChannelCapability::Class cpkClass = ChannelCapability::ClassOf(figures.capability);
    const double swatch = std::round(line * 0.7);
    const QRectF box(second.left(), std::round(second.center().y() - swatch / 2), swatch, swatch);
    if (cpkClass != ChannelCapability::Class::None) {
        const QColor colour = cpkClass == ChannelCapability::Class::Low ? m_colours.fail
            : cpkClass == ChannelCapability::Class::Fair                ? m_colours.fair
                                                        : m_colours.pass;
        const Qt::BrushStyle pattern = cpkClass == ChannelCapability::Class::Low ? Qt::DiagCrossPattern
            : cpkClass == ChannelCapability::Class::Fair                          ? Qt::BDiagPattern
                                                                  : Qt::SolidPattern;
        painter.fillRect(box, Qt::white);
        painter.fillRect(box, QBrush(colour, pattern));
        painter.setPen(Pen(m_colours.ink, 1));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
    painter.setPen(m_colours.ink);
    drawCapability(painter, second.adjusted(swatch + pad, 0, 0, 0), figures, pad);

    const Histogram histogram = figures.powers > 0 ? HistogramOf(index, BinsFor(plot.width())) : Histogram();
    QStringList notes = NotShownNotes(index, histogram);
    if (histogram.upper && !histogram.upperOnAxis) {
        const QString off = tr("upper limit %1 off the axis").arg(axisNumber(*histogram.upper, 0.01));
        notes.prepend(notes.isEmpty() ? off : notes.first() + QLatin1String("; ") + off);
    }
    if (histogram.threshold && !histogram.thresholdOnAxis) {
        const QString off = figures.userLower ? tr("lower limit %1 off the axis").arg(axisNumber(*histogram.threshold, 0.01))
                                              : tr("threshold %1 off the axis").arg(axisNumber(*histogram.threshold, 0.01));
        notes.prepend(notes.isEmpty() ? off : notes.first() + QLatin1String("; ") + off);
    }
    const QRectF noteRect(plot.left(), panel.bottom() - pad - line, plot.width(), line);
    if (!notes.isEmpty() && noteRect.top() >= second.bottom())
        DrawFirstFitting(painter, noteRect, notes, Qt::AlignLeft);

    if (plot.height() < 4 || plot.width() < 8) {
        painter.restore();
        return;
    }
    if (figures.powers == 0) {
        const QStringList rows = unmeasured(figures);
        const QString why = rows.isEmpty() ? tr("no numeric power")
                                           : tr("no numeric power: %1").arg(rows.join(QLatin1String(", ")));
        painter.drawText(plot, int(Qt::AlignCenter | Qt::TextWordWrap), why);
        painter.restore();
        return;
    }
    drawHistogram(painter, plot, histogram, figures, metrics);
    painter.restore();
}

// The capability's words and the marginal fibers on one line: the words
// shortened first, then the marginal fibers left out, so that the class of
// the channel is always read.
void DistributionChart::drawCapability(QPainter &painter, const QRectF &line,
                                       const ThresholdJudge::ChannelFigures &figures, double gap) const
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QStringList texts = ChannelCapability::Texts(figures);
    const QString marginal = figures.warn ? tr("%1 marginal").arg(figures.marginal) : QString();
    const double marginalWidth = marginal.isEmpty() ? 0 : metrics.horizontalAdvance(marginal) + 1;
    const auto fits = [&](const QString &text, double room) { return metrics.horizontalAdvance(text) <= room; };
    for (int i = 0; !marginal.isEmpty() && i + 1 < texts.size(); ++i) {
        if (fits(texts.at(i), line.width() - marginalWidth - gap)) {
            DrawFitted(painter, line.adjusted(0, 0, -marginalWidth - gap, 0), texts.at(i), Qt::AlignLeft);
            DrawFitted(painter, line.adjusted(line.width() - marginalWidth, 0, 0, 0), marginal, Qt::AlignRight);
            return;
        }
    }
    DrawFirstFitting(painter, line, texts, Qt::AlignLeft);
}

void DistributionChart::drawHistogram(QPainter &painter, const QRectF &plot, const Histogram &histogram,
                                      const ThresholdJudge::ChannelFigures &figures,
                                      const QFontMetricsF &metrics) const
{
    const Axis &axis = histogram.axis;
    const auto xOf = [&](double value) {
        return plot.left() + (value - axis.start) / (axis.end() - axis.start) * plot.width();
    };
    const auto onAxis = [&](double value) { return value >= axis.start && value <= axis.end(); };
    const double line = std::ceil(metrics.height());

    // The marginal bands under everything else: above the lower limit,
    // below the upper.
    if (figures.warn && histogram.threshold && histogram.thresholdOnAxis) {
        const double left = std::round(xOf(*histogram.threshold));
        const double right = std::round(qMin(xOf(*histogram.threshold + *figures.warn), plot.right()));
        if (right > left)
            painter.fillRect(QRectF(left, plot.top(), right - left, plot.height()), m_colours.band);
    }
    if (figures.warn && histogram.upper && histogram.upperOnAxis) {
        const double left = std::round(qMax(xOf(*histogram.upper - *figures.warn), plot.left()));
        const double right = std::round(xOf(*histogram.upper));
        if (right > left)
            painter.fillRect(QRectF(left, plot.top(), right - left, plot.height()), m_colours.band);
    }

    drawBars(painter, plot, histogram);
    painter.setPen(Pen(m_colours.ink, 1));
    painter.drawLine(QPointF(plot.left(), plot.bottom() - 0.5), QPointF(plot.right(), plot.bottom() - 0.5));

    // Threshold, the others as ticks below the axis; the mean and +-3 sigma.
    const double tick = std::ceil(line * 0.4);
    painter.setPen(Pen(m_colours.ink, 1));
    for (const double other : histogram.otherThresholds) {
        const double x = std::round(xOf(other)) + 0.5;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
    }
    for (const auto &[limit, onIt] : {std::pair(histogram.threshold, histogram.thresholdOnAxis),
                                      std::pair(histogram.upper, histogram.upperOnAxis)}) {
        if (!limit || !onIt)
            continue;
        const double x = std::round(qBound(plot.left() + 1, xOf(*limit), plot.right() - 1));
        painter.setPen(Pen(m_colours.ink, 2));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    // The count of the tallest bar, on the paper, over the lines under it.
    const QString mostText = QString::number(histogram.Tallest());
    const QRectF mostRect(plot.left(), plot.top(), qMin(plot.width(), metrics.horizontalAdvance(mostText) + 4), line);
    painter.fillRect(mostRect, m_colours.paper);
    painter.setPen(m_colours.ink);
    painter.drawText(mostRect, int(Qt::AlignCenter | Qt::TextSingleLine), mostText);
    const std::optional<double> sigma = figures.standardDeviation();
    const struct
    {
        double value;
        Qt::PenStyle style;
    } marks[] = {{figures.mean, Qt::DashLine},
                 {sigma ? figures.mean - 3 * *sigma : qQNaN(), Qt::DotLine},
                 {sigma ? figures.mean + 3 * *sigma : qQNaN(), Qt::DotLine}};
    for (const auto &mark : marks) {
        if (!onAxis(mark.value))
            continue;
        const double x = std::round(xOf(mark.value)) + 0.5;
        painter.setPen(Pen(m_colours.ink, 1, mark.style));
        painter.drawLine(QPointF(x, plot.top() + line), QPointF(x, plot.bottom()));
    }
    drawFiberMark(painter, plot, figures.channel, onAxis, xOf, line);

    // Numbers under the axis at round steps, kept inside the plot's width.
    painter.setPen(m_colours.ink);
    const double labelWidth = metrics.horizontalAdvance(axisNumber(axis.end(), axis.width)) + line;
    const double step = ChannelHistogram::NiceWidth((axis.end() - axis.start) / qMax(1.0, std::floor(plot.width() / (labelWidth * 1.5))));
    const QRectF labels(plot.left(), plot.bottom() + tick, plot.width(), line);
    for (double value = std::ceil(axis.start / step) * step; value <= axis.end() + step * 1e-9; value += step) {
        const QString label = axisNumber(value, step);
        const double width = metrics.horizontalAdvance(label) + 2;
        const double left = qBound(plot.left(), xOf(value) - width / 2, plot.right() - width);
        painter.drawText(QRectF(left, labels.top(), width, line), int(Qt::AlignCenter | Qt::TextSingleLine), label);
        if (value + step == value)
            break;
    }
}

// The chosen fiber's power: a line over the bars, and a triangle pointing
// down at it from the top, a shape that no other mark has.
void DistributionChart::drawFiberMark(QPainter &painter, const QRectF &plot, const QByteArray &channel,
                                      const std::function<bool(double)> &onAxis,
                                      const std::function<double(double)> &xOf, double size) const
{
    const auto power = m_fiberMarks.constFind(channel);
    if (power == m_fiberMarks.constEnd() || !onAxis(*power))
        return;
    const double x = std::round(xOf(*power)) + 0.5;
    painter.setPen(Pen(m_colours.fair, 2, Qt::SolidLine));
    painter.drawLine(QPointF(x, plot.top() + size * 0.6), QPointF(x, plot.bottom()));
    const double half = qMax(3.0, size * 0.35);
    const QPointF triangle[] = {{x - half, plot.top()}, {x + half, plot.top()}, {x, plot.top() + size * 0.6}};
    painter.setPen(Pen(m_colours.ink, 1, Qt::SolidLine));
    painter.setBrush(m_colours.fair);
    painter.drawPolygon(triangle, 3);
    painter.setBrush(Qt::NoBrush);
}

// Bars: the failing part at the bottom, hatched, the rest above it. A bin
// that holds anything stands a pixel high at least, and its failing part
// too: one failing value among a million is seen.
void DistributionChart::drawBars(QPainter &painter, const QRectF &plot, const Histogram &histogram) const
{
    const Axis &axis = histogram.axis;
    const qint64 most = histogram.Tallest();
    for (int bin = 0; bin < axis.bins; ++bin) {
        const qint64 count = histogram.counts.at(bin);
        if (count == 0)
            continue;
        const double left = std::round(plot.left() + plot.width() * bin / axis.bins);
        double right = std::round(plot.left() + plot.width() * (bin + 1) / axis.bins);
        if (right - left >= 4)
            right -= 1; // a gap between bars
        right = qMax(right, left + 1);
        const qint64 failingCount = histogram.failing.at(bin);
        const double failing =
            failingCount > 0 ? qMax(1.0, std::round(plot.height() * double(failingCount) / double(most))) : 0.0;
        const double height = std::max({1.0, failing, std::round(plot.height() * double(count) / double(most))});
        if (height > failing)
            painter.fillRect(QRectF(left, plot.bottom() - height, right - left, height - failing), m_colours.pass);
        if (failing > 0) {
            const QRectF part(left, plot.bottom() - failing, right - left, failing);
            painter.fillRect(part, m_colours.fail);
            painter.fillRect(part, QBrush(m_colours.ink, Qt::BDiagPattern));
        }
    }
}
