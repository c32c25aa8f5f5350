#include "output/TrendChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// The panel's value range: its values and lines, with room around them.
QPair<double, double> rangeOf(const TrendChart::Panel &panel)
{
    double low = INFINITY, high = -INFINITY;
    const auto take = [&](double value) {
        if (std::isfinite(value)) {
            low = std::min(low, value);
            high = std::max(high, value);
        }
    };
    for (double value : panel.values)
        take(value);
    for (const std::optional<double> &line : {panel.lot, panel.warn, panel.fail}) {
        if (line)
            take(*line);
    }
    if (!std::isfinite(low))
        return {0.0, 1.0};
    const double room = high - low < 1e-9 ? std::max(std::abs(low) * 0.05, 0.5) : (high - low) * 0.08;
    const double top = panel.ceiling ? std::min(high + room, std::max(*panel.ceiling, high)) : high + room;
    return {low - room, top > low - room ? top : high + room};
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
    return colours;
}

QRectF TrendChart::PlotArea(const QRectF &area, int panels, qreal fontHeight)
{
    Q_UNUSED(panels);
    const qreal left = fontHeight * 4.0, right = fontHeight * 6.0, bottom = fontHeight * 1.6;
    return QRectF(area.left() + left, area.top(), std::max<qreal>(area.width() - left - right, 1.0),
                  std::max<qreal>(area.height() - bottom, 1.0));
}

qreal TrendChart::XOf(const QRectF &plot, qsizetype count, qsizetype index)
{
    if (count <= 1)
        return plot.center().x();
    return plot.left() + plot.width() * qreal(index) / qreal(count - 1);
}

qsizetype TrendChart::FileAt(const QRectF &plot, qsizetype count, const QPointF &point)
{
    if (count <= 0 || point.y() < plot.top() || point.y() > plot.bottom())
        return -1;
    const qreal step = count > 1 ? plot.width() / qreal(count - 1) : plot.width();
    if (point.x() < plot.left() - step / 2 || point.x() > plot.right() + step / 2)
        return -1;
    if (count == 1)
        return std::abs(point.x() - plot.center().x()) <= step / 2 ? 0 : -1;
    const qsizetype index = qsizetype(std::lround((point.x() - plot.left()) / step));
    return std::clamp<qsizetype>(index, 0, count - 1);
}

void TrendChart::Draw(QPainter &painter, const QRectF &area, const QList<Panel> &panels, qsizetype selected,
                      const QString &first, const QString &last, const Colours &colours)
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
    const qsizetype count = panels.first().values.size();
    const qreal panelHeight = plot.height() / qreal(panels.size());
    const qreal titleHeight = fontHeight * 1.3;
    painter.setRenderHint(QPainter::Antialiasing, true);

    for (qsizetype p = 0; p < panels.size(); ++p) {
        const Panel &panel = panels.at(p);
        const qreal top = plot.top() + panelHeight * qreal(p);
        const QRectF box(plot.left(), top + titleHeight, plot.width(), std::max<qreal>(panelHeight - titleHeight - fontHeight * 0.4, 1.0));
        painter.setPen(colours.ink);
        painter.drawText(QRectF(plot.left(), top, plot.width(), titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         panel.unit.isEmpty() ? panel.title : QStringLiteral("%1 (%2)").arg(panel.title, panel.unit));
        painter.setPen(QPen(colours.grid, 1.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);

        const auto [low, high] = rangeOf(panel);
        // Values keep a few pixels from the frame, so that a point at the
        // axis' end (a yield of 100 %) stands clear of it.
        const QRectF inner = box.adjusted(0, 5, 0, -5);
        const auto yOf = [&, low = low, high = high](double value) {
            return inner.bottom() - (value - low) / (high - low) * inner.height();
        };
        // The axis: its ends' values.
        painter.setPen(colours.ink);
        for (const double value : {low, high}) {
            const qreal y = yOf(value);
            painter.drawText(QRectF(area.left(), y - fontHeight / 2, plot.left() - area.left() - fontHeight * 0.3,
                                    fontHeight),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(value, 'f', panel.decimals));
        }
        // The levels, each named at its right end.
        const auto level = [&](const std::optional<double> &value, const QColor &colour, Qt::PenStyle style,
                               const QString &name) {
            if (!value || !std::isfinite(*value))
                return;
            const qreal y = yOf(*value);
            painter.setPen(QPen(colour, 1.5, style));
            painter.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
            painter.drawText(QRectF(box.right() + fontHeight * 0.3, y - fontHeight / 2, area.right() - box.right(),
                                    fontHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, name);
        };
        level(panel.fail, colours.fail, Qt::SolidLine, tr("fail %1").arg(panel.fail.value_or(0), 0, 'f', panel.decimals));
        level(panel.warn, colours.warn, Qt::DashDotLine, tr("warn %1").arg(panel.warn.value_or(0), 0, 'f', panel.decimals));
        level(panel.lot, colours.ink, Qt::DashLine, panel.lotLabel);

        // The values, a gap where a file has none.
        painter.save();
        painter.setClipRect(box.adjusted(-3, -3, 3, 3));
        // More files than pixels across: each column of pixels draws the
        // files that fall in it as one stroke from their least to their
        // greatest value, joined to the next, so that the line costs the
        // width of the chart, not the number of files, and no peak is lost.
        const bool dense = qreal(count) > box.width() * 2;
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
        for (qsizetype i = 0; i < count && i < panel.values.size(); ++i) {
            const double value = panel.values.at(i);
            if (!std::isfinite(value)) {
                flush();
                open = false;
                continue;
            }
            const qreal x = XOf(box, count, i);
            if (dense) {
                const qsizetype at = qsizetype(x - box.left());
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
        if (count > 1 && box.width() / qreal(count - 1) >= 4.0) {
            painter.setBrush(colours.ink);
            for (qsizetype i = 0; i < count && i < panel.values.size(); ++i) {
                if (std::isfinite(panel.values.at(i)))
                    painter.drawEllipse(QPointF(XOf(box, count, i), yOf(panel.values.at(i))), 1.8, 1.8);
            }
        }
        if (selected >= 0 && selected < count) {
            const qreal x = XOf(box, count, selected);
            painter.setPen(QPen(colours.mark, 1.0, Qt::DotLine));
            painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
            if (selected < panel.values.size() && std::isfinite(panel.values.at(selected))) {
                painter.setPen(QPen(colours.mark, 2.0));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(QPointF(x, yOf(panel.values.at(selected))), 4.5, 4.5);
            }
        }
        painter.restore();
    }
    // The files' axis: its first and last file.
    painter.setPen(colours.ink);
    const QRectF axis(plot.left(), plot.bottom(), plot.width(), area.bottom() - plot.bottom());
    painter.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter, first);
    painter.drawText(axis, Qt::AlignRight | Qt::AlignVCenter, last);
    painter.restore();
}
