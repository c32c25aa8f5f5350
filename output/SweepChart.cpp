#include "output/SweepChart.h"

#include "output/ChartPainting.h"
#include "output/Wording.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace ChartPainting;

QString SweepChart::FiguresText() const
{
    const QString channel = QString::fromUtf8(m_curve.channel);
    QString text = m_curve.limitForTarget
        ? tr("%1: %2 % down to %3 dBm").arg(channel).arg(m_target).arg(*m_curve.limitForTarget, 0, 'f', 2)
        : tr("%1: %2 % at no limit").arg(channel).arg(m_target);
    if (!m_curve.repeatability) {
        text += tr("; no retests");
        return text;
    }
    text += m_curve.stationRepeatability
        ? tr("; repeatability %1 dB (the station's; %2 retests here)").arg(*m_curve.repeatability, 0, 'f', 2).arg(m_curve.retests)
        : tr("; repeatability %1 dB from %2 retests").arg(*m_curve.repeatability, 0, 'f', 2).arg(m_curve.retests);
    text += tr(", guardband %1 dB").arg(*m_curve.guardband, 0, 'f', 2);
    if (m_curve.proposed)
        text += tr(", proposed %1 dBm").arg(*m_curve.proposed, 0, 'f', 2);
    return text;
}

std::optional<double> SweepChart::ShareOf(double limit) const
{
    if (m_curve.points.size() < 2)
        return std::nullopt;
    const double from = m_curve.points.first().limit, to = m_curve.points.last().limit;
    return (limit - from) / (to - from);
}

void SweepChart::Draw(QPainter &painter, const QRectF &area, const QColor &ink, const QColor &paper) const
{
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, paper);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = std::ceil(metrics.height());
    const QRectF plot = area.adjusted(metrics.horizontalAdvance(QStringLiteral("100 %")) + 6, line, -6, -2 * line - 4);
    painter.setPen(Pen(ink, 1));
    DrawFitted(painter, QRectF(area.left() + 4, area.bottom() - line - 2, area.width() - 8, line), FiguresText(),
               Qt::AlignLeft);
    if (plot.width() < 8 || plot.height() < 8 || m_curve.points.size() < 2 || m_curve.fibers == 0) {
        painter.restore();
        return;
    }
    const auto xOf = [&](double limit) { return plot.left() + *ShareOf(limit) * plot.width(); };
    const auto yOf = [&](double percent) { return plot.bottom() - percent / 100 * plot.height(); };
    painter.drawLine(QPointF(plot.left(), plot.bottom()), QPointF(plot.right(), plot.bottom()));
    painter.drawLine(QPointF(plot.left(), plot.top()), QPointF(plot.left(), plot.bottom()));
    for (const int percent : {0, 50, 100}) {
        painter.drawText(QRectF(area.left(), yOf(percent) - line / 2, plot.left() - area.left() - 4, line),
                         int(Qt::AlignRight | Qt::AlignVCenter), QStringLiteral("%1 %").arg(percent));
    }
    const double from = m_curve.points.first().limit, to = m_curve.points.last().limit;
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), line), int(Qt::AlignLeft | Qt::AlignTop),
                     QString::number(from, 'f', 2));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 2, plot.width(), line), int(Qt::AlignRight | Qt::AlignTop),
                     tr("%1 dBm").arg(to, 0, 'f', 2));
    // The target.
    painter.setPen(Pen(ink, 1, Qt::DotLine));
    painter.drawLine(QPointF(plot.left(), yOf(m_target)), QPointF(plot.right(), yOf(m_target)));
    // The curve: one point per pixel column at most.
    QPainterPath path;
    const qsizetype step = qMax<qsizetype>(1, m_curve.points.size() / qMax(1, int(plot.width())));
    for (qsizetype i = 0; i < m_curve.points.size(); i += step) {
        const YieldSweep::Point &point = m_curve.points.at(i);
        const QPointF at(xOf(point.limit), yOf(100.0 * double(point.passed) / double(m_curve.fibers)));
        i == 0 ? path.moveTo(at) : path.lineTo(at);
    }
    const YieldSweep::Point &last = m_curve.points.last();
    path.lineTo(xOf(last.limit), yOf(100.0 * double(last.passed) / double(m_curve.fibers)));
    painter.setPen(Pen(ink, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    // The limits, each named at its top.
    const struct
    {
        std::optional<double> limit;
        QString name;
        Qt::PenStyle style;
    } marks[] = {{m_curve.limitForTarget, tr("%1 %").arg(m_target), Qt::SolidLine},
                 {m_curve.proposed, tr("proposed"), Qt::DashLine},
                 {m_inUse, tr("in use"), Qt::DashDotLine}};
    for (const auto &mark : marks) {
        if (!mark.limit || *mark.limit < from || *mark.limit > to)
            continue;
        const double x = std::round(xOf(*mark.limit)) + 0.5;
        painter.setPen(Pen(ink, 1, mark.style));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(ink);
        painter.drawText(QRectF(x + 2, area.top(), plot.right() - x, line), int(Qt::AlignLeft | Qt::AlignVCenter),
                         mark.name);
    }
    painter.restore();
}
