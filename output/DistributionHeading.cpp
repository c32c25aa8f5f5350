#include "output/DistributionHeading.h"

#include "output/ChartPainting.h"
#include "output/Wording.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

using namespace ChartPainting;

namespace {

QString fibersWord(qsizetype fibers)
{
    return fibers == 1 ? DistributionHeading::tr("1 fiber") : DistributionHeading::tr("%1 fibers").arg(fibers);
}

} // namespace

DistributionHeading::DistributionHeading(const ThresholdJudge &judge, const ChartColours &colours)
    : m_fibers(judge.FiberCount())
    , m_failed(judge.FailedCount())
    , m_marginal(judge.MarginalCount())
    , m_warnMargin(judge.WarnMargin())
    , m_banded(judge.Banded())
    , m_limitsName(judge.LimitsOf().Name())
    , m_colours(colours)
{
}

// "NAME: 39 of 48 fibers pass (81.2 %), 5 marginal", and the legend.
void DistributionHeading::Draw(QPainter &painter, const QRectF &rect) const
{
    painter.save();
    painter.setClipRect(rect);
    const int pixels = std::clamp(int(rect.height() / 2), 9, 18);
    painter.setFont(FontOf(painter, pixels));
    const QFontMetricsF metrics(painter.font(), painter.device());
    QString text = tr("%1 of %2 pass (%3)")
                       .arg(m_fibers - m_failed)
                       .arg(fibersWord(m_fibers), Wording::YieldPercent(m_fibers, m_failed));
    if (m_banded && !m_limitsName.isEmpty())
        text += tr(", %1 marginal").arg(m_marginal);
    else if (m_warnMargin)
        text += tr(", %1 marginal (below %2 dB)").arg(m_marginal).arg(*m_warnMargin);
    if (!m_limitsName.isEmpty())
        text += tr(", limits: %1").arg(m_limitsName);
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
    QList<Entry> entries{{tr("threshold"), 0}, {tr("mean"), 1}, {tr("±3σ"), 2}, {tr("failing"), 3}};
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
