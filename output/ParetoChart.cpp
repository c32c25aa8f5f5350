#include "output/ParetoChart.h"

#include "output/ChartPainting.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

using namespace ChartPainting;

ParetoChart::ParetoChart(const ThresholdJudge &judge, const ChartColours &colours)
    : m_channels(judge.ParetoChannels())
    , m_reasons(judge.ParetoReasons())
    , m_failed(judge.FailedCount())
    , m_colours(colours)
{
}

void ParetoChart::Draw(QPainter &painter, const QRectF &rect, int fontPixels) const
{
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(FontOf(painter, fontPixels));
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.setPen(Pen(m_colours.grid, 1));
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    const double pad = std::round(qMax(4.0, fontPixels * 0.6));
    const double line = std::ceil(metrics.height() * 1.2);
    QRectF inner = rect.adjusted(pad, pad, -pad, -pad);
    painter.setPen(m_colours.ink);
    if (m_failed == 0) {
        DrawFitted(painter, QRectF(inner.left(), inner.top(), inner.width(), line), tr("No fiber failed"),
                   Qt::AlignLeft);
        painter.restore();
        return;
    }
    struct Bar
    {
        QString label;
        qsizetype fibers;
    };
    QList<Bar> channels, reasons;
    for (const ThresholdJudge::ChannelCount &count : m_channels)
        channels.append({QString::fromUtf8(count.channel), count.fibers});
    for (const ThresholdJudge::ReasonCount &count : m_reasons)
        reasons.append({Wording::Reasons(count.reason), count.fibers});

    // Both lists share the height by their lengths, each with its heading.
    const double rows = double(channels.size() + reasons.size() + 4);
    const double share = (inner.height()) / rows;
    const double rowHeight = qMin(line, std::floor(share));
    double labelWidth = 0;
    for (const QList<Bar> *bars : {&channels, &reasons})
        for (const Bar &bar : *bars)
            labelWidth = qMax(labelWidth, metrics.horizontalAdvance(bar.label));
    // The counts whole where they fit, the labels as much as is left, the
    // bars at least a fifth of the width.
    const QString widest = QStringLiteral("%1 (100 %)").arg(m_failed);
    const double countWidth = qMin(std::ceil(metrics.horizontalAdvance(widest)) + pad, inner.width() * 0.45);
    labelWidth = qMin(std::ceil(labelWidth) + pad, qMax(0.0, inner.width() * 0.8 - countWidth));
    const double barWidth = qMax(0.0, inner.width() - labelWidth - countWidth);

    double y = inner.top();
    const auto list = [&](const QString &heading, const QList<Bar> &bars, double bottom) {
        DrawFitted(painter, QRectF(inner.left(), y, inner.width(), line), heading, Qt::AlignLeft);
        y += line;
        for (qsizetype i = 0; i < bars.size(); ++i) {
            if (y + rowHeight > bottom || rowHeight < 4) {
                DrawFitted(painter, QRectF(inner.left(), y - rowHeight, inner.width(), rowHeight),
                           tr("and %1 more").arg(bars.size() - i), Qt::AlignRight);
                break;
            }
            const Bar &bar = bars.at(i);
            painter.setPen(m_colours.ink);
            DrawFitted(painter, QRectF(inner.left(), y, labelWidth - pad, rowHeight), bar.label, Qt::AlignLeft);
            const double length = std::round(barWidth * double(bar.fibers) / double(m_failed));
            const QRectF shape(inner.left() + labelWidth, y + std::round(rowHeight * 0.15), length,
                               std::round(rowHeight * 0.7));
            painter.fillRect(shape, m_colours.fail);
            painter.fillRect(shape, QBrush(m_colours.ink, Qt::BDiagPattern));
            const qint64 percent = qint64(bar.fibers) * 100 / qMax<qint64>(1, m_failed);
            DrawFitted(painter, QRectF(inner.right() - countWidth, y, countWidth, rowHeight),
                       QStringLiteral("%1 (%2 %)").arg(bar.fibers).arg(percent), Qt::AlignRight);
            y += rowHeight;
        }
        y += line / 2;
    };
    // The channels' list takes the room it needs, unless the reasons would
    // then have too little: then each list its share.
    const double reasonsHeight = double(reasons.size() + 2) * rowHeight + line;
    const double channelsBottom =
        rowHeight >= line ? inner.bottom() - reasonsHeight
                          : inner.top() + std::floor(inner.height() * double(channels.size() + 2) / rows);
    list(tr("Failing fibers by channel"), channels, channelsBottom);
    list(tr("by reason"), reasons, inner.bottom());
    painter.restore();
}
