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

QString fibersWord(qsizetype fibers)
{
    return fibers == 1 ? DistributionChart::tr("1 fiber") : DistributionChart::tr("%1 fibers").arg(fibers);
}

} // namespace

DistributionChart::DistributionChart(const ThresholdJudge &judge, const Colours &colours)
    : m_channels(judge.Channels())
    , m_pareto(judge, colours)
    , m_fibers(judge.FiberCount())
    , m_failed(judge.FailedCount())
    , m_marginal(judge.MarginalCount())
    , m_warnMargin(judge.WarnMargin())
    , m_colours(colours)
{
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
    drawHeading(painter, layout.heading);
    for (int i = 0; i < layout.panels.size(); ++i)
        drawPanel(painter, layout.panels.at(i), i, layout.fontPixels);
    m_pareto.Draw(painter, layout.pareto, layout.fontPixels);
    painter.restore();
}

// "NAME: 39 of 48 fibers pass (81.2 %), 5 marginal", and the legend.
void DistributionChart::drawHeading(QPainter &painter, const QRectF &rect) const
{
    painter.save();
    painter.setClipRect(rect);
    const int pixels = std::clamp(int(rect.height() / 2), 9, 18);
    painter.setFont(FontOf(painter, pixels));
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qint64 tenths = Wording::YieldMillionths(m_fibers, m_failed) / 1000;
    QString text = tr("%1 of %2 pass (%3.%4 %)")
                       .arg(m_fibers - m_failed)
                       .arg(fibersWord(m_fibers))
                       .arg(tenths / 10)
                       .arg(tenths % 10);
    if (m_warnMargin)
        text += tr(", %1 marginal (below %2 dB)").arg(m_marginal).arg(*m_warnMargin);
    if (!m_title.isEmpty())
        text = m_title + QLatin1String(": ") + text;

    // The legend from the right: threshold, mean, +-3 sigma, failing, band.
    const double unit = std::round(pixels * 1.6);
    const double gap = std::round(pixels * 0.6);
    struct Entry
    {
        QString text;
        int kind;
    };
    QList<Entry> entries{{tr("threshold"), 0}, {tr("mean"), 1}, {tr("\u00b13\u03c3"), 2}, {tr("failing"), 3}};
    if (m_warnMargin)
        entries.append({tr("marginal band"), 4});
    double legendWidth = 0;
    for (const Entry &entry : entries)
        legendWidth += unit + gap / 2 + metrics.horizontalAdvance(entry.text) + gap;
    const bool legend = legendWidth + metrics.horizontalAdvance(text) + gap < rect.width();
    painter.setPen(m_colours.ink);
    DrawFitted(painter, rect.adjusted(gap, 0, legend ? -legendWidth : -gap, 0), text, Qt::AlignLeft);
    if (!legend) {
        painter.restore();
        return;
    }
    double x = rect.right() - legendWidth;
    const double middle = std::round(rect.center().y());
    for (const Entry &entry : entries) {
        const QRectF glyph(x, middle - unit / 4, unit, std::round(unit / 2));
        switch (entry.kind) {
        case 0:
            painter.setPen(Pen(m_colours.ink, 2));
            painter.drawLine(QPointF(glyph.center().x(), glyph.top() - 2), QPointF(glyph.center().x(), glyph.bottom() + 2));
            break;
        case 1:
        case 2:
            painter.setPen(Pen(m_colours.ink, 1, entry.kind == 1 ? Qt::DashLine : Qt::DotLine));
            painter.drawLine(QPointF(glyph.left(), middle), QPointF(glyph.right(), middle));
            break;
        case 3:
            painter.fillRect(glyph, m_colours.fail);
            painter.fillRect(glyph, QBrush(m_colours.ink, Qt::BDiagPattern));
            break;
        default:
            painter.fillRect(glyph, m_colours.band);
        }
        painter.setPen(m_colours.ink);
        const double textLeft = x + unit + gap / 2;
        const double textWidth = metrics.horizontalAdvance(entry.text);
        DrawFitted(painter, QRectF(textLeft, rect.top(), textWidth + 1, rect.height()), entry.text, Qt::AlignLeft);
        x = textLeft + textWidth + gap;
    }
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
    double marginalWidth = 0;
    if (m_warnMargin) {
        const QString marginal = tr("%1 marginal").arg(figures.marginal);
        marginalWidth = qMin(metrics.horizontalAdvance(marginal) + 1, second.width() / 2);
        DrawFitted(painter, second.adjusted(second.width() - marginalWidth, 0, 0, 0), marginal, Qt::AlignRight);
    }
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
    DrawFitted(painter, second.adjusted(swatch + pad, 0, -marginalWidth - pad, 0), ChannelCapability::Text(figures),
               Qt::AlignLeft);

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
    drawHistogram(painter, plot, HistogramOf(index, BinsFor(plot.width())), figures, metrics);
    painter.restore();
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

    // The marginal band under everything else.
    if (m_warnMargin && histogram.threshold && histogram.thresholdOnAxis) {
        const double left = std::round(xOf(*histogram.threshold));
        const double right = std::round(qMin(xOf(*histogram.threshold + *m_warnMargin), plot.right()));
        if (right > left)
            painter.fillRect(QRectF(left, plot.top(), right - left, plot.height()), m_colours.band);
    }

    // Bars: the failing part at the bottom, hatched, the rest above it.
    const qint64 most = qMax<qint64>(1, *std::max_element(histogram.counts.cbegin(), histogram.counts.cend()));
    for (int bin = 0; bin < axis.bins; ++bin) {
        const qint64 count = histogram.counts.at(bin);
        if (count == 0)
            continue;
        const double left = std::round(plot.left() + plot.width() * bin / axis.bins);
        double right = std::round(plot.left() + plot.width() * (bin + 1) / axis.bins);
        if (right - left >= 4)
            right -= 1; // a gap between bars
        const double height = std::round(plot.height() * double(count) / double(most));
        const double failing = std::round(plot.height() * double(histogram.failing.at(bin)) / double(most));
        if (height > failing)
            painter.fillRect(QRectF(left, plot.bottom() - height, right - left, height - failing), m_colours.pass);
        if (failing > 0) {
            const QRectF part(left, plot.bottom() - failing, right - left, failing);
            painter.fillRect(part, m_colours.fail);
            painter.fillRect(part, QBrush(m_colours.ink, Qt::BDiagPattern));
        }
    }
    painter.setPen(Pen(m_colours.ink, 1));
    painter.drawLine(QPointF(plot.left(), plot.bottom() - 0.5), QPointF(plot.right(), plot.bottom() - 0.5));

    // Threshold, the others as ticks below the axis; the mean and +-3 sigma.
    const double tick = std::ceil(line * 0.4);
    painter.setPen(Pen(m_colours.ink, 1));
    for (const double other : histogram.otherThresholds) {
        const double x = std::round(xOf(other)) + 0.5;
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + tick));
    }
    if (histogram.threshold && histogram.thresholdOnAxis) {
        const double x = std::round(qBound(plot.left() + 1, xOf(*histogram.threshold), plot.right() - 1));
        painter.setPen(Pen(m_colours.ink, 2));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    // The count of the tallest bar, on the paper, over the lines under it.
    const QString mostText = QString::number(most);
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

    // What the axis leaves out, and the rows without a number.
    QStringList notes;
    QStringList outside;
    if (histogram.below > 0)
        outside.append(tr("%1 below").arg(histogram.below));
    if (histogram.above > 0)
        outside.append(tr("%1 above").arg(histogram.above));
    if (!outside.isEmpty())
        notes.append(outside.join(QLatin1String(", ")) + tr(" the axis"));
    if (histogram.threshold && !histogram.thresholdOnAxis)
        notes.append(tr("threshold %1 off the axis").arg(axisNumber(*histogram.threshold, 0.01)));
    notes += unmeasured(figures);
    if (!notes.isEmpty())
        DrawFitted(painter, labels.translated(0, line), notes.join(QLatin1String("; ")), Qt::AlignLeft);
}

