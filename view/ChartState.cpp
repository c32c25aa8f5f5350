#include "view/ChartState.h"

#include "data/ChannelTable.h"
#include "document/ResultDocument.h"
#include "output/SummaryTextWriter.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"
#include "view/FormGeometry.h"

namespace {

// A channel's margin as the readout shows it: signed, with its unit, as the
// command line writes it; why there is none where it has none.
QString readoutMargin(const ThresholdJudge::Channel &channel)
{
    QByteArray text;
    if (channel.margin)
        SummaryTextWriter::AppendMargin(text, *channel.margin);
    else
        text = Wording::ReasonsUtf8(channel.failures & (ThresholdJudge::Low | ThresholdJudge::NoNumber)).toByteArray();
    return text.isEmpty() ? QString() : QLatin1Char(' ') + QString::fromUtf8(text);
}

} // namespace

void ChartState::Clear()
{
    *this = ChartState();
}

void ChartState::ShowFiber(const ResultDocument &document, qsizetype block)
{
    m_shown = true;
    m_powers = QList<ChannelChart::Power>(ChannelChart::BarCount);
    const qsizetype first = block * ChannelTable::FiberSize;
    for (int i = 0; i < document.FiberRows(block) && i < ChannelChart::BarCount; ++i)
        m_powers[i] = ChannelTable::PowerValue(document.Rows().At(first + i).text(MeasurementRow::Power));
    VerdictsChanged(document, block);
    m_markedBar = -1;
    m_threshold.clear();
    m_margin.clear();
}

// The channels of a marginal fiber that lie in the band are marked too.
void ChartState::VerdictsChanged(const ResultDocument &document, qsizetype block)
{
    m_verdicts = QList<ChannelChart::Verdict>(ChannelChart::BarCount);
    const QList<ThresholdJudge::Channel> channels = document.Channels(block);
    const qsizetype first = block * ChannelTable::FiberSize;
    const bool marginal = document.MarkOf(block) == ResultDocument::Mark::Marginal;
    for (int i = 0; i < channels.size() && i < ChannelChart::BarCount; ++i) {
        const std::optional<double> &margin = channels.at(i).margin;
        const ChannelLimit limit = document.LimitAt(first + i);
        const std::optional<double> band = limit.warn ? limit.warn : document.WarnMargin();
        const std::optional<double> threshold =
            limit.lower ? limit.lower
                        : ChannelTable::PowerValue(document.Rows().At(first + i).text(MeasurementRow::Threshold));
        m_verdicts[i] = {threshold, channels.at(i).failures != ThresholdJudge::NoFailure,
                         marginal && margin && band && *margin < *band};
    }
}

void ChartState::MarkRow(const ResultDocument &document, qsizetype block, int row, const QString &threshold)
{
    m_shown = true;
    m_markedBar = FormGeometry::MarkedBar(row);
    m_threshold = threshold;
    const QList<ThresholdJudge::Channel> channels = document.Channels(block);
    m_margin = row >= 0 && row < channels.size() ? readoutMargin(channels.at(row)) : QString();
}

void ChartState::Draw(QPainter &painter, const ChannelChart &chart, const QString &channel,
                      const QString &waveLength, const QString &power, bool verdicts) const
{
    chart.Draw(painter, m_powers, channel, waveLength, power);
    if (verdicts) {
        chart.DrawVerdicts(painter, m_powers, m_verdicts);
        chart.DrawVerdictReadout(painter, m_threshold, m_margin);
    }
    chart.DrawMarker(painter, m_markedBar);
}
