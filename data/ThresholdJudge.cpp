#include "data/ThresholdJudge.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"

#include <algorithm>
#include <cmath>

namespace {

QByteArrayView field(const MeasurementRows::Row &row, MeasurementRow::Field f)
{
    return row.text(f);
}

} // namespace

ThresholdJudge::Channel ThresholdJudge::JudgeChannel(const MeasurementRows::Row &row)
{
    const QByteArrayView power = field(row, MeasurementRow::Power);
    return judge(power, ChannelTable::PowerValue(power),
                 ChannelTable::PowerValue(field(row, MeasurementRow::Threshold)));
}

ThresholdJudge::Channel ThresholdJudge::judge(QByteArrayView powerText,
                                              const std::optional<double> &power,
                                              const std::optional<double> &threshold)
{
    Channel channel;
    if (!power)
        channel.failures |= ChannelTable::IsLow(powerText) ? Low : NoNumber;
    if (!threshold)
        channel.failures |= NoNumber;
    if (power && threshold) {
        channel.margin = *power - *threshold;
        if (*power < *threshold)
            channel.failures |= BelowThreshold;
    }
    return channel;
}

ThresholdJudge::Fiber ThresholdJudge::AddFiber(const MeasurementRows &block, qsizetype rows)
{
    return AddFiber(block, 0, rows);
}

ThresholdJudge::Fiber ThresholdJudge::AddFiber(const MeasurementRows &rows, qsizetype first,
                                               qsizetype count)
{
    Fiber fiber;
    fiber.rows = count;
    if (count > 0)
        fiber.name = field(rows.At(first), MeasurementRow::FiberName);
    if (count < ChannelTable::FiberSize)
        fiber.failures |= Incomplete;
    for (qsizetype i = 0; i < count; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const QByteArrayView powerText = field(row, MeasurementRow::Power);
        const std::optional<double> power = ChannelTable::PowerValue(powerText);
        const Channel channel = judge(powerText, power, thresholdValue(row));
        ChannelFigures &figures = figuresOf(row, i);
        ++figures.count;
        if (channel.failures != NoFailure) {
            ++figures.failed;
            fiber.failures |= channel.failures;
            fiber.failedChannels.append(field(row, MeasurementRow::Channel));
        }
        if (channel.margin && (fiber.worstRow < 0 || *channel.margin < fiber.worstMargin)) {
            fiber.worstRow = int(i);
            fiber.worstMargin = *channel.margin;
        }
        if (power) {
            // Welford's running mean and squares: one pass, no loss of
            // precision over a million rows.
            const double delta = *power - figures.mean;
            figures.min = figures.powers == 0 ? *power : qMin(figures.min, *power);
            figures.max = figures.powers == 0 ? *power : qMax(figures.max, *power);
            ++figures.powers;
            figures.mean += delta / double(figures.powers);
            figures.squares += delta * (*power - figures.mean);
        }
    }
    if (fiber.worstRow >= 0) {
        const MeasurementRows::Row worst = rows.At(first + fiber.worstRow);
        fiber.worstChannel = field(worst, MeasurementRow::Channel);
        fiber.worstPower = field(worst, MeasurementRow::Power);
        fiber.worstThreshold = field(worst, MeasurementRow::Threshold);
    }
    ++m_fibers;
    if (!fiber.passed())
        ++m_failed;
    return fiber;
}

// Thresholds repeat from row to row: the text read last is read only once.
std::optional<double> ThresholdJudge::thresholdValue(const MeasurementRows::Row &row)
{
    const QByteArrayView threshold = field(row, MeasurementRow::Threshold);
    if (threshold != m_lastThreshold) {
        m_lastThreshold = threshold.toByteArray();
        m_lastThresholdValue = ChannelTable::PowerValue(threshold);
    }
    return m_lastThresholdValue;
}

ThresholdJudge::ChannelFigures &ThresholdJudge::figuresOf(const MeasurementRows::Row &row,
                                                          qsizetype position)
{
    // Fibers list their channels in the same order: the figures that the
    // row at this place in the last block had are nearly always this row's.
    const QByteArrayView channel = field(row, MeasurementRow::Channel);
    if (position >= m_lastAt.size())
        m_lastAt.resize(position + 1);
    LastAt &last = m_lastAt[position];
    if (last.index >= 0 && last.field == channel)
        return m_channels[last.index];
    const QByteArray key = ShownText(channel);
    qsizetype index = m_channelIndex.value(key, -1);
    if (index < 0) {
        index = m_channels.size();
        m_channelIndex.insert(key, index);
        ChannelFigures &figures = m_channels.emplaceBack();
        figures.channel = key;
        figures.waveLength = field(row, MeasurementRow::WaveLength).toByteArray();
    }
    last.field = channel.toByteArray();
    last.index = index;
    return m_channels[index];
}

QByteArray ThresholdJudge::ShownText(QByteArrayView field)
{
    const QByteArrayView trimmed = field.trimmed();
    if (std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return quint8(c) < 0x80; }))
        return trimmed.toByteArray();
    // Code page 936 has blanks of its own (the ideographic space A1 A1).
    return CodePage936::Decode(field).trimmed().toUtf8();
}

std::optional<double> ThresholdJudge::ChannelFigures::standardDeviation() const
{
    if (powers < 2)
        return std::nullopt;
    return std::sqrt(squares / double(powers - 1));
}
