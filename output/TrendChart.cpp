#include "output/TrendChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSet>
#include <QStringList>

#include <cmath>
#include <functional>

namespace {

// The panel's value range: its values among the files shown and its
// lines, with room around them.
QPair<double, double> rangeOf(const TrendChart::Panel &panel, const TrendAxis &axis)
{
    double low = INFINITY, high = -INFINITY;
    const auto take = [&](double value) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    };
    for (qsizetype i = 0; i < panel.values.size(); ++i) {
        const double x = axis.At(i);
        if (x >= axis.From() && x <= axis.To())
            take(panel.values.at(i));
    }
    for (const std::optional<double> &line : {panel.lot, panel.warn, panel.fail})
        take(line.value_or(NAN));
    for (const TrendChart::Panel::Control &control : panel.control)
        take(control.lower), take(control.upper);
    if (!std::isfinite(low))
        return {0.0, 1.0};
    const double room = high - low < 1e-9 ? std::max(std::abs(low) * 0.05, 0.5) : (high - low) * 0.08;
    const double top = panel.ceiling ? std::min(high + room, std::max(*panel.ceiling, high)) : high + room;
    return {low - room, top > low - room ? top : high + room};
}

// Across the files [from, to]: from the first's point to the last's, or
// the plot's edge where the axis has no place for them.
QPair<qreal, qreal> acrossOf(const TrendAxis &axis, const QRectF &box, qsizetype from, qsizetype to)
{
    qreal left = box.left(), right = box.right();
    for (qsizetype i = from; i <= to; ++i) {
        if (axis.Placed(i)) {
            left = axis.PixelOf(box, axis.At(i));
            break;
        }
    }
    for (qsizetype i = to; i >= from; --i) {
        if (axis.Placed(i)) {
            right = axis.PixelOf(box, axis.At(i));
            break;
        }
    }
    return {left, right};
}

} // namespace

TrendChart::Colours TrendChart::Colours::On(const QColor &ink, const QColor &paper)
{
    Colours colours;
    colours.ink = ink;
    colours.paper = paper;
    const bool dark = paper.lightness() < 128;
    colours.grid = QColor::fromRgbF((ink.redF() + 3 * paper.redF()) / 4, (ink.greenF() + 3 * paper.greenF()) / 4,
                                    (ink.blueF() + 3 * paper.blueF()) / 4);
    colours.warn = dark ? QColor(240, 190, 60) : QColor(176, 112, 0);
    colours.fail = dark ? QColor(255, 110, 110) : QColor(192, 0, 0);
    colours.mark = dark ? QColor(110, 170, 255) : QColor(0, 90, 200);
    colours.control = dark ? QColor(120, 210, 160) : QColor(0, 120, 70);
    colours.shade = QColor::fromRgbF((ink.redF() + 11 * paper.redF()) / 12, (ink.greenF() + 11 * paper.greenF()) / 12,
                                     (ink.blueF() + 11 * paper.blueF()) / 12);
    return colours;
}

QRectF TrendChart::PlotArea(const QRectF &area, int panels, qreal fontHeight)
{
    Q_UNUSED(panels);
    const qreal left = fontHeight * 4.0, right = fontHeight * 6.0, bottom = fontHeight * 1.6;
    return QRectF(area.left() + left, area.top(), std::max<qreal>(area.width() - left - right, 1.0),
                  std::max<qreal>(area.height() - bottom, 1.0));
}

namespace {

// The values of one panel across the axis, a gap where a file has none or
// stands a gap in time from the one before.
void drawValues(QPainter &painter, const TrendChart::Panel &panel, const TrendAxis &axis, const QRectF &box,
                const std::function<qreal(double)> &yOf, const TrendChart::Colours &colours)
{
    const qsizetype count = std::min(axis.Count(), panel.values.size());
    qsizetype shown = 0;
    for (qsizetype i = 0; i < count; ++i)
        shown += axis.At(i) >= axis.From() && axis.At(i) <= axis.To();
    // More files than pixels across: each column of pixels draws the
    // files that fall in it as one stroke from their least to their
    // greatest value, joined to the next, so that the line costs the
    // width of the chart, not the number of files, and no peak is lost.
    const bool dense = qreal(shown) > box.width() * 2;
    QPainterPath path;
    bool open = false;
    qsizetype column = -1;
    double firstValue = 0, least = 0, most = 0, lastValue = 0;
    const auto flush = [&] {
        if (column < 0)
            return;
        const qreal x = box.left() + qreal(column);
        const QPointF start(x, yOf(firstValue));
        if (open)
            path.lineTo(start);
        else
            path.moveTo(start);
        path.lineTo(x, yOf(least));
        path.lineTo(x, yOf(most));
        path.lineTo(x, yOf(lastValue));
        open = true;
        column = -1;
    };
    // A line runs from the last file before the span shown to the first after it.
    qsizetype begin = 0, end = count;
    while (begin + 1 < count && !(axis.At(begin + 1) >= axis.From()))
        ++begin;
    while (end - 1 > begin && !(axis.At(end - 2) <= axis.To()))
        --end;
    for (qsizetype i = begin; i < end; ++i) {
        const double value = panel.values.at(i);
        if (!std::isfinite(value) || !axis.Placed(i) || axis.GapBefore(i)) {
            flush();
            open = false;
            if (!std::isfinite(value) || !axis.Placed(i))
                continue;
        }
        const qreal x = axis.PixelOf(box, axis.At(i));
        if (dense) {
            const qsizetype at = qsizetype(std::floor(x - box.left()));
            if (at != column) {
                flush();
                column = at;
                firstValue = least = most = value;
            }
            least = std::min(least, value);
            most = std::max(most, value);
            lastValue = value;
            continue;
        }
        const QPointF point(x, yOf(value));
        if (open)
            path.lineTo(point);
        else
            path.moveTo(point);
        open = true;
    }
    flush();
    painter.setRenderHint(QPainter::Antialiasing, !dense);
    painter.setPen(QPen(colours.ink, dense ? 1.0 : 1.2));
    painter.drawPath(path);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Points where they stand apart enough to be seen.
    if (shown > 0 && box.width() / qreal(shown) >= 4.0) {
        painter.setBrush(colours.ink);
        for (qsizetype i = begin; i < end; ++i) {
            if (std::isfinite(panel.values.at(i)) && axis.Placed(i))
                painter.drawEllipse(QPointF(axis.PixelOf(box, axis.At(i)), yOf(panel.values.at(i))), 1.8, 1.8);
        }
    }
    // Broken rules: a diamond, told apart from a point by its shape as
    // well; one to a pixel, however many files stand there.
    painter.setPen(QPen(colours.fail, 1.2));
    painter.setBrush(colours.fail);
    QSet<quint64> drawn;
    for (const qsizetype file : panel.alarms) {
        if (file < begin || file >= end || !axis.Placed(file) || !std::isfinite(panel.values.at(file)))
            continue;
        const QPointF at(axis.PixelOf(box, axis.At(file)), yOf(panel.values.at(file)));
        const quint64 pixel = (quint64(quint32(qRound(at.x()))) << 32) | quint32(qRound(at.y()));
        if (drawn.contains(pixel))
            continue;
        drawn.insert(pixel);
        painter.drawPolygon(QPolygonF{at + QPointF(0, -4.5), at + QPointF(4.5, 0), at + QPointF(0, 4.5),
                                      at + QPointF(-4.5, 0)});
    }
}

// A line's name at its right end.
struct Label
{
    qreal y = 0;
    QString text;
    QColor colour;
};

// The names beside their lines, moved apart where they would overlap,
// kept within `column`.
void drawLabels(QPainter &painter, QList<Label> labels, const QRectF &column, qreal fontHeight)
{
    std::stable_sort(labels.begin(), labels.end(), [](const Label &a, const Label &b) { return a.y < b.y; });
    const qreal least = fontHeight * 0.95;
    for (qsizetype i = 1; i < labels.size(); ++i)
        labels[i].y = std::max(labels.at(i).y, labels.at(i - 1).y + least);
    // Those pushed past the bottom come back up together.
    qreal bottom = column.bottom() - fontHeight / 2;
    for (qsizetype i = labels.size() - 1; i >= 0; --i) {
        labels[i].y = std::min(labels.at(i).y, bottom);
        bottom = labels.at(i).y - least;
    }
    for (const Label &label : labels) {
        painter.setPen(label.colour);
        painter.drawText(QRectF(column.left(), label.y - fontHeight / 2, column.width(), fontHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, label.text);
    }
}

} // namespace

void TrendChart::Draw(QPainter &painter, const QRectF &area, const QList<Panel> &panels, const TrendAxis &axis,
                      qsizetype selected, const Colours &colours)
{
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, colours.paper);
    const QFontMetricsF metrics(painter.font());
    const qreal fontHeight = metrics.height();
    const QRectF plot = PlotArea(area, int(panels.size()), fontHeight);
    if (panels.isEmpty()) {
        painter.restore();
        return;
    }
    const qreal panelHeight = plot.height() / qreal(panels.size());
    const qreal titleHeight = fontHeight * 1.3;
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QList<AxisTicks::Tick> across =
        axis.Ticks(std::max(2, int(plot.width() / (metrics.horizontalAdvance(QStringLiteral("00-00 00:00")) * 1.6))));

    for (qsizetype p = 0; p < panels.size(); ++p) {
        const Panel &panel = panels.at(p);
        const qreal top = plot.top() + panelHeight * qreal(p);
        const QRectF box(plot.left(), top + titleHeight, plot.width(),
                         std::max<qreal>(panelHeight - titleHeight - fontHeight * 0.4, 1.0));
        painter.setPen(colours.ink);
        painter.drawText(QRectF(plot.left(), top, plot.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         panel.unit.isEmpty() ? panel.title : QStringLiteral("%1 (%2)").arg(panel.title, panel.unit));

        const auto [low, high] = rangeOf(panel, axis);
        // Values keep a few pixels from the frame, so that a point at the
        // axis' end (a yield of 100 %) stands clear of it.
        const QRectF inner = box.adjusted(0, 5, 0, -5);
        const std::function<qreal(double)> yOf = [&, low = low, high = high](double value) {
            return inner.bottom() - (value - low) / (high - low) * inner.height();
        };
        painter.save();
        painter.setClipRect(box);
        // Baselines and gaps, shaded behind everything.
        for (const Panel::Control &control : panel.control) {
            const auto [left, right] = acrossOf(axis, box, control.baselineFrom, control.baselineTo - 1);
            painter.fillRect(QRectF(QPointF(left, box.top()), QPointF(std::max(right, left + 1), box.bottom())),
                             colours.shade);
        }
        for (qsizetype i = 1; i < axis.Count(); ++i) {
            if (axis.GapBefore(i)) {
                const qreal left = axis.PixelOf(box, axis.At(axis.Next(i, -1)));
                painter.fillRect(QRectF(QPointF(left, box.top()), QPointF(axis.PixelOf(box, axis.At(i)), box.bottom())),
                                 QBrush(colours.grid, Qt::BDiagPattern));
            }
        }
        // The grid: round values up, round times or file numbers across.
        painter.setPen(QPen(colours.shade.darker(110), 1.0));
        const QList<AxisTicks::Tick> up = AxisTicks::Values(low, high, std::max(2, int(box.height() / (fontHeight * 1.6))));
        for (const AxisTicks::Tick &tick : up)
            painter.drawLine(QPointF(box.left(), yOf(tick.at)), QPointF(box.right(), yOf(tick.at)));
        for (const AxisTicks::Tick &tick : across) {
            const qreal x = axis.PixelOf(box, tick.at);
            painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        }
        painter.restore();
        painter.setPen(QPen(colours.grid, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        painter.setPen(colours.ink);
        for (const AxisTicks::Tick &tick : up) {
            const qreal y = yOf(tick.at);
            if (y < box.top() - 1 || y > box.bottom() + 1)
                continue;
            painter.drawText(QRectF(area.left(), y - fontHeight / 2, plot.left() - area.left() - fontHeight * 0.3,
                                    fontHeight),
                             Qt::AlignRight | Qt::AlignVCenter, tick.label);
        }
        // The levels, each named at its right end.
        QList<Label> labels;
        const auto level = [&](const std::optional<double> &value, const QColor &colour, Qt::PenStyle style,
                               const QString &name) {
            if (!value || !std::isfinite(*value))
                return;
            const qreal y = yOf(*value);
            painter.setPen(QPen(colour, 1.5, style));
            painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
            labels.append({y, name, colour});
        };
        level(panel.fail, colours.fail, Qt::SolidLine, tr("fail %1").arg(panel.fail.value_or(0), 0, 'f', panel.decimals));
        level(panel.warn, colours.warn, Qt::DashDotLine, tr("warn %1").arg(panel.warn.value_or(0), 0, 'f', panel.decimals));
        level(panel.lot, colours.ink, Qt::DashLine, panel.lotLabel);

        painter.save();
        painter.setClipRect(box.adjusted(-3, -3, 3, 3));
        // Control limits over their files: the centre solid, the limits dotted.
        for (const Panel::Control &control : panel.control) {
            const auto [left, right] = acrossOf(axis, box, control.from, control.to - 1);
            painter.setPen(QPen(colours.control, 1.0));
            painter.drawLine(QPointF(left, yOf(control.centre)), QPointF(right, yOf(control.centre)));
            painter.setPen(QPen(colours.control, 1.3, Qt::DotLine));
            for (const double limit : {control.lower, control.upper})
                painter.drawLine(QPointF(left, yOf(limit)), QPointF(right, yOf(limit)));
            if (control.from > 0) { // a change: the limits start again
                painter.setPen(QPen(colours.control, 1.0, Qt::DashLine));
                painter.drawLine(QPointF(left, box.top()), QPointF(left, box.bottom()));
            }
        }
        drawValues(painter, panel, axis, box, yOf, colours);
        if (axis.Placed(selected)) {
            const qreal x = axis.PixelOf(box, axis.At(selected));
            painter.setPen(QPen(colours.mark, 1.0, Qt::DotLine));
            painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
            if (selected < panel.values.size() && std::isfinite(panel.values.at(selected))) {
                painter.setPen(QPen(colours.mark, 2.0));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(QPointF(x, yOf(panel.values.at(selected))), 4.5, 4.5);
            }
        }
        painter.restore();
        if (!panel.control.isEmpty() && panel.control.last().to >= axis.Count()) {
            const Panel::Control &last = panel.control.last();
            labels.append({yOf(last.upper), tr("UCL %1").arg(last.upper, 0, 'f', panel.decimals), colours.control});
            if (last.lower != last.upper)
                labels.append({yOf(last.lower), tr("LCL %1").arg(last.lower, 0, 'f', panel.decimals), colours.control});
        }
        drawLabels(painter, labels, QRectF(box.right() + fontHeight * 0.3, top, area.right() - box.right(),
                                           panelHeight), fontHeight);
    }
    // The across axis' marks under the last panel.
    painter.setPen(colours.ink);
    const QRectF axisBand(plot.left(), plot.bottom(), plot.width(), area.bottom() - plot.bottom());
    for (const AxisTicks::Tick &tick : across) {
        const qreal x = axis.PixelOf(plot, tick.at);
        const qreal width = metrics.horizontalAdvance(tick.label) + fontHeight;
        painter.drawText(QRectF(x - width / 2, axisBand.top(), width, axisBand.height()), Qt::AlignCenter, tick.label);
    }
    painter.restore();
}

void TrendChart::DrawReadout(QPainter &painter, const QRectF &area, const QPointF &anchor, const QStringList &lines,
                             const Colours &colours)
{
    if (lines.isEmpty())
        return;
    painter.save();
    const QFontMetricsF metrics(painter.font());
    qreal width = 0;
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const qreal pad = metrics.height() * 0.4;
    QRectF box(0, 0, width + 2 * pad, metrics.height() * qreal(lines.size()) + 2 * pad);
    // Right of and below the pointer, else where it fits.
    box.moveTopLeft(anchor + QPointF(14, 14));
    if (box.right() > area.right())
        box.moveRight(anchor.x() - 14);
    if (box.bottom() > area.bottom())
        box.moveBottom(anchor.y() - 14);
    box.moveLeft(std::max(box.left(), area.left()));
    box.moveTop(std::max(box.top(), area.top()));
    painter.setPen(QPen(colours.grid, 1.0));
    painter.setBrush(colours.paper);
    painter.drawRect(box);
    painter.setPen(colours.ink);
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(QRectF(box.left() + pad, box.top() + pad + metrics.height() * qreal(i), width,
                                metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, lines.at(i));
    painter.restore();
}
