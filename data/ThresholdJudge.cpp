#include "data/ThresholdJudge.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

QByteArrayView field(const MeasurementRows::Row &row, MeasurementRow::Field f)
{
    return row.text(f);
}

// Compared in line: the texts are a few bytes, and every row compares two.
bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), size_t(a.size())) == 0;
}

} // namespace

ThresholdJudge::Channel ThresholdJudge::JudgeChannel(const MeasurementRows::Row &row)
{
    const QByteArrayView powerText = field(row, MeasurementRow::Power);
    Number power, threshold;
    power.held = ChannelTable::ReadPower(powerText, power.value);
    threshold.held = ChannelTable::ReadPower(field(row, MeasurementRow::Threshold), threshold.value);
    Channel channel;
    channel.failures = judge(powerText, power, threshold);
    if (power.held && threshold.held)
        channel.margin = power.value - threshold.value;
    return channel;
}

ThresholdJudge::Failures ThresholdJudge::judge(QByteArrayView powerText, Number power, Number threshold)
{
    Failures failures;
    if (!power.held)
        failures |= ChannelTable::IsLow(powerText) ? Low : NoNumber;
    if (!threshold.held)
        failures |= NoNumber;
    else if (power.held && power.value < threshold.value)
        failures |= BelowThreshold;
    return failures;
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
    bool unmeasured = false; // the worst channel is one that cannot be measured
    for (qsizetype i = 0; i < count; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const QByteArrayView powerText = field(row, MeasurementRow::Power);
        Number power;
        power.held = ChannelTable::ReadPower(powerText, power.value);
        const Number threshold = thresholdValue(row);
        const Failures failures = judge(powerText, power, threshold);
        if (failures != NoFailure) {
            fiber.failures |= failures;
            fiber.failedChannels.append(field(row, MeasurementRow::Channel));
        }
        if (failures & (Low | NoNumber)) {
            if (!unmeasured) {
                unmeasured = true;
                fiber.worstRow = int(i);
                fiber.worstFailures = failures;
                fiber.worstMargin.reset();
            }
        } else if (!unmeasured) {
            const double margin = power.value - threshold.value;
            if (fiber.worstRow < 0 || margin < *fiber.worstMargin) {
                fiber.worstRow = int(i);
                fiber.worstFailures = failures;
                fiber.worstMargin = margin;
            }
        }
        if (m_keeping == VerdictsOnly)
            continue;
        Tally &tally = tallyOf(row, i);
        ++tally.count;
        if (failures != NoFailure)
            ++tally.failed;
        if (power.held)
            tally.run.Add(power.value);
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
    m_channelsMade = false;
    if (++m_fibersInRun == ChunkFibers)
        endRun();
    return fiber;
}

void ThresholdJudge::endRun()
{
    for (Tally &tally : m_tallies) {
        if (tally.run.powers > 0)
            tally.runs.append(std::exchange(tally.run, Moments()));
    }
    m_fibersInRun = 0;
}

void ThresholdJudge::Append(const ThresholdJudge &later)
{
    Q_ASSERT(m_fibersInRun == 0);
    for (const Tally &theirs : later.m_tallies) {
        Tally &ours = m_tallies[indexOf(theirs.channel, theirs.waveLength)];
        ours.count += theirs.count;
        ours.failed += theirs.failed;
        ours.runs += theirs.runs;
        ours.run = theirs.run;
    }
    m_fibers += later.m_fibers;
    m_failed += later.m_failed;
    m_fibersInRun = later.m_fibersInRun;
    m_lastAt.clear();
    m_channelsMade = false;
}

const QList<ThresholdJudge::ChannelFigures> &ThresholdJudge::Channels() const
{
    if (m_channelsMade)
        return m_channels;
    m_channels.clear();
    for (const Tally &tally : m_tallies) {
        Moments total;
        for (const Moments &run : tally.runs)
            total = Moments::Combine(total, run);
        total = Moments::Combine(total, tally.run);
        ChannelFigures figures{tally.channel, tally.waveLength, tally.count, tally.failed, total.powers,
                               total.min, total.max, total.mean, total.squares, total.scaled};
        if (total.scaled)
            figures.mean = std::ldexp(total.mean, ScaleExponent);
        m_channels.append(figures);
    }
    m_channelsMade = true;
    return m_channels;
}

// Welford's running mean and squares: one pass, no loss of precision over
// a run of many rows.
void ThresholdJudge::Moments::Add(double power)
{
    min = powers == 0 ? power : qMin(min, power);
    max = powers == 0 ? power : qMax(max, power);
    if (!scaled) {
        const double delta = power - mean;
        const double nextMean = mean + delta / double(powers + 1);
        const double nextSquares = squares + delta * (power - nextMean);
        if (std::isfinite(nextSquares)) {
            ++powers;
            mean = nextMean;
            squares = nextSquares;
            return;
        }
        *this = scaledDown();
    }
    addScaled(power);
}

void ThresholdJudge::Moments::addScaled(double power)
{
    const double value = std::ldexp(power, -ScaleExponent);
    const double delta = value - mean;
    ++powers;
    mean += delta / double(powers);
    squares += delta * (value - mean);
}

// The same moments in the scaled form; exact but for squares so small
// beside the ones that made the scaling needed that they do not count.
ThresholdJudge::Moments ThresholdJudge::Moments::scaledDown() const
{
    if (scaled)
        return *this;
    Moments down = *this;
    down.mean = std::ldexp(mean, -ScaleExponent);
    down.squares = std::ldexp(squares, -2 * ScaleExponent);
    down.scaled = true;
    return down;
}

// Two runs as one (Chan, Golub and LeVeque); a run with nothing in it
// leaves the other exactly as it is.
ThresholdJudge::Moments ThresholdJudge::Moments::Combine(const Moments &a, const Moments &b)
{
    if (a.powers == 0)
        return b;
    if (b.powers == 0)
        return a;
    if (!a.scaled && !b.scaled) {
        const Moments both = combine(a, b);
        if (std::isfinite(both.mean) && std::isfinite(both.squares))
            return both;
    }
    return combine(a.scaledDown(), b.scaledDown());
}

ThresholdJudge::Moments ThresholdJudge::Moments::combine(const Moments &a, const Moments &b)
{
    Moments both;
    both.scaled = a.scaled;
    both.powers = a.powers + b.powers;
    const double n = double(both.powers);
    const double delta = b.mean - a.mean;
    both.mean = a.mean + delta * (double(b.powers) / n);
    both.squares = a.squares + b.squares + delta * delta * (double(a.powers) * double(b.powers) / n);
    both.min = qMin(a.min, b.min);
    both.max = qMax(a.max, b.max);
    return both;
}

// Thresholds repeat from row to row: the text read last is read only once.
ThresholdJudge::Number ThresholdJudge::thresholdValue(const MeasurementRows::Row &row)
{
    const QByteArrayView threshold = field(row, MeasurementRow::Threshold);
    if (!sameBytes(threshold, m_lastThreshold)) {
        m_lastThreshold = threshold.toByteArray();
        m_lastThresholdValue.held = ChannelTable::ReadPower(threshold, m_lastThresholdValue.value);
    }
    return m_lastThresholdValue;
}

ThresholdJudge::Tally &ThresholdJudge::tallyOf(const MeasurementRows::Row &row, qsizetype position)
{
    // Fibers list their channels in the same order: the tally that the row
    // at this place in the last block had is nearly always this row's.
    const QByteArrayView channel = field(row, MeasurementRow::Channel);
    if (position >= m_lastAt.size())
        m_lastAt.resize(position + 1);
    LastAt &last = m_lastAt[position];
    if (last.index >= 0 && sameBytes(last.field, channel))
        return m_tallies[last.index];
    last.field = channel.toByteArray();
    last.index = indexOf(ShownText(channel), field(row, MeasurementRow::WaveLength));
    return m_tallies[last.index];
}

qsizetype ThresholdJudge::indexOf(const QByteArray &key, QByteArrayView waveLength)
{
    qsizetype index = m_channelIndex.value(key, -1);
    if (index < 0) {
        index = m_tallies.size();
        m_channelIndex.insert(key, index);
        Tally &tally = m_tallies.emplaceBack();
        tally.channel = key;
        tally.waveLength = waveLength.toByteArray();
    }
    return index;
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
    double deviation = std::sqrt(squares / double(powers - 1));
    if (scaled)
        deviation = std::ldexp(deviation, ScaleExponent);
    if (!std::isfinite(deviation))
        return std::nullopt;
    return deviation;
}
