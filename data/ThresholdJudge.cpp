#include "data/ThresholdJudge.h"

#include "data/CapabilityFigures.h"
#include "data/ChannelTable.h"
#include "data/CodePage936.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
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

ThresholdJudge::Channel ThresholdJudge::JudgeChannel(const MeasurementRows::Row &row, const Limits &limits)
{
    const QByteArrayView powerText = field(row, MeasurementRow::Power);
    const ChannelLimit *limit = limits.SetsAny() ? limits.Of(ShownText(field(row, MeasurementRow::Channel))) : nullptr;
    Number power, threshold;
    power.held = ChannelTable::ReadPower(powerText, power.value);
    threshold.held = ChannelTable::ReadPower(field(row, MeasurementRow::Threshold), threshold.value);
    Channel channel;
    channel.failures = judge(powerText, power, threshold, limit);
    if (const Number lower = lowerOf(threshold, limit); power.held && lower.held)
        channel.margin = marginOf(power.value, lower.value, limit);
    return channel;
}

ThresholdJudge::Number ThresholdJudge::lowerOf(Number threshold, const ChannelLimit *limit)
{
    return limit && limit->lower ? Number{*limit->lower, true} : threshold;
}

double ThresholdJudge::marginOf(double power, double lower, const ChannelLimit *limit)
{
    const double margin = power - lower;
    return limit && limit->upper ? qMin(margin, *limit->upper - power) : margin;
}

ThresholdJudge::Failures ThresholdJudge::judge(QByteArrayView powerText, Number power, Number threshold,
                                               const ChannelLimit *limit)
{
    Failures failures;
    if (!power.held)
        failures |= ChannelTable::IsLow(powerText) ? Low : NoNumber;
    const Number lower = lowerOf(threshold, limit);
    if (!lower.held)
        failures |= NoNumber;
    else if (power.held && power.value < lower.value)
        failures |= limit && limit->lower ? BelowLimit : BelowThreshold;
    if (limit && limit->upper && power.held && power.value > *limit->upper)
        failures |= AboveLimit;
    return failures;
}

const ChannelLimit *ThresholdJudge::limitAt(QByteArrayView channel, qsizetype position)
{
    if (!m_limits.SetsAny())
        return nullptr;
    if (position >= m_limitAt.size())
        m_limitAt.resize(position + 1);
    LimitAt &at = m_limitAt[position];
    if (!at.known || !sameBytes(at.field, channel)) {
        at.field = channel.toByteArray();
        const ChannelLimit *limit = m_limits.Of(ShownText(channel));
        at.limit = limit ? std::optional<ChannelLimit>(*limit) : std::nullopt;
        at.known = true;
    }
    return at.limit ? &*at.limit : nullptr;
}

std::optional<double> ThresholdJudge::bandOf(const ChannelLimit *limit) const
{
    return limit && limit->warn ? limit->warn : m_warnMargin;
}

ThresholdJudge::Fiber ThresholdJudge::AddFiber(const MeasurementRows &rows, qsizetype first,
                                               qsizetype count, bool misaligned)
{
    Fiber fiber;
    fiber.rows = count;
    if (count > 0)
        fiber.name = field(rows.At(first), MeasurementRow::FiberName);
    if (count < ChannelTable::FiberSize)
        fiber.failures |= Incomplete;
    if (misaligned) {
        fiber.failures |= Misaligned;
        endFiber(fiber, false);
        return fiber;
    }
    bool unmeasured = false; // the worst channel is one that cannot be measured
    bool marginalRow = false; // a row that passed lies within its band
    for (qsizetype i = 0; i < count; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const QByteArrayView powerText = field(row, MeasurementRow::Power);
        Number power;
        power.held = ChannelTable::ReadPower(powerText, power.value);
        const Number threshold = thresholdValue(row);
        const ChannelLimit *limit = limitAt(field(row, MeasurementRow::Channel), i);
        const Number lower = lowerOf(threshold, limit);
        const Failures failures = judge(powerText, power, threshold, limit);
        if (failures != NoFailure) {
            fiber.failures |= failures;
            fiber.failedChannels.append(field(row, MeasurementRow::Channel));
            fiber.failedRows |= quint32(1) << i;
        }
        if (failures & (Low | NoNumber)) {
            if (!unmeasured) {
                unmeasured = true;
                fiber.worstRow = int(i);
                fiber.worstFailures = failures;
                fiber.worstMargin.reset();
                fiber.worstLimit.reset();
            }
        } else {
            const double margin = marginOf(power.value, lower.value, limit);
            if (failures == NoFailure && m_banded) {
                if (const std::optional<double> band = bandOf(limit); band && margin < *band)
                    marginalRow = true;
            }
            if (!unmeasured && (fiber.worstRow < 0 || margin < *fiber.worstMargin)) {
                fiber.worstRow = int(i);
                fiber.worstFailures = failures;
                fiber.worstMargin = margin;
                fiber.worstUpper = limit && limit->upper && *limit->upper - power.value < power.value - lower.value;
                fiber.worstLimit = fiber.worstUpper ? limit->upper : limit ? limit->lower : std::nullopt;
            }
        }
        if (m_keeping == VerdictsOnly)
            continue;
        const qsizetype index = tallyOf(row, i);
        tallyRow(m_tallies[index], index, failures, power, threshold, lower);
    }
    if (fiber.worstRow >= 0) {
        const MeasurementRows::Row worst = rows.At(first + fiber.worstRow);
        fiber.worstChannel = field(worst, MeasurementRow::Channel);
        fiber.worstPower = field(worst, MeasurementRow::Power);
        fiber.worstThreshold = field(worst, MeasurementRow::Threshold);
    }
    endFiber(fiber, marginalRow);
    return fiber;
}

// One row into its channel's figures.
void ThresholdJudge::tallyRow(Tally &tally, qsizetype index, Failures failures, Number power,
                              Number threshold, Number lower)
{
    ++tally.count;
    if (failures != NoFailure)
        ++tally.failed;
    if (failures & Low)
        ++tally.lows;
    if (power.held) {
        tally.marginRun.Add(power.value, lower.held ? std::optional<double>(lower.value) : std::nullopt,
                            tally.run);
        tally.run.Add(power.value);
        tally.powers.Add(power.value);
        if (failures != NoFailure)
            tally.failing.Add(power.value);
    }
    if (threshold.held) {
        tally.thresholds.Add(threshold.value);
        tally.leastThreshold = qMin(tally.leastThreshold, threshold.value);
        tally.greatestThreshold = qMax(tally.greatestThreshold, threshold.value);
    }
    // A fiber counts once at a channel, however many of its rows name it.
    InFiber &in = tally.inFiber;
    if (in.fiber != m_fibers) {
        in = {m_fibers, false, std::numeric_limits<double>::infinity()};
        m_touched.append(index);
    }
    if (failures != NoFailure)
        in.failed = true;
    else
        in.worstMargin = qMin(in.worstMargin, marginOf(power.value, lower.value, tally.limit ? &*tally.limit : nullptr));
}

// What the fiber just judged adds to the file's counts.
void ThresholdJudge::endFiber(Fiber &fiber, bool marginalRow)
{
    if (m_banded) {
        fiber.marginal = fiber.passed() && marginalRow;
        if (*fiber.marginal)
            ++m_marginal;
    }
    if (!fiber.passed()) {
        ++m_failed;
        for (int reason = 0; reason < FailureKinds; ++reason) {
            if (fiber.failures.toInt() & (1 << reason))
                ++m_reasons[reason];
        }
    }
    for (const qsizetype index : std::as_const(m_touched)) {
        Tally &tally = m_tallies[index];
        if (tally.inFiber.failed) {
            ++tally.failedFibers;
        } else if (const std::optional<double> band = bandOf(tally.limit ? &*tally.limit : nullptr);
                   band && tally.inFiber.worstMargin < *band) {
            ++tally.marginal;
        }
    }
    m_touched.clear();
    ++m_fibers;
    m_channelsMade = false;
    if (++m_fibersInRun == ChunkFibers)
        endRun();
}

void ThresholdJudge::endRun()
{
    for (Tally &tally : m_tallies) {
        if (const RunningMoments margins = tally.marginRun.Of(tally.run); margins.powers > 0)
            tally.marginRuns.append(margins);
        tally.marginRun = MarginRun();
        if (tally.run.powers > 0)
            tally.runs.append(std::exchange(tally.run, RunningMoments()));
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
        ours.lows += theirs.lows;
        ours.failedFibers += theirs.failedFibers;
        ours.marginal += theirs.marginal;
        ours.runs += theirs.runs;
        ours.run = theirs.run;
        ours.marginRuns += theirs.marginRuns;
        ours.marginRun = theirs.marginRun;
        ours.powers.Merge(theirs.powers);
        ours.failing.Merge(theirs.failing);
        ours.thresholds.Merge(theirs.thresholds);
        ours.leastThreshold = qMin(ours.leastThreshold, theirs.leastThreshold);
        ours.greatestThreshold = qMax(ours.greatestThreshold, theirs.greatestThreshold);
    }
    m_fibers += later.m_fibers;
    m_failed += later.m_failed;
    m_marginal += later.m_marginal;
    for (int reason = 0; reason < FailureKinds; ++reason)
        m_reasons[reason] += later.m_reasons[reason];
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
        const RunningMoments total = RunningMoments::Total(tally.runs, tally.run);
        ChannelFigures figures;
        figures.channel = tally.channel;
        figures.waveLength = tally.waveLength;
        figures.count = tally.count;
        figures.failed = tally.failed;
        figures.lows = tally.lows;
        figures.powers = total.powers;
        figures.min = total.min;
        figures.max = total.max;
        figures.mean = total.Mean();
        figures.squares = total.squares;
        figures.scaled = total.scaled;
        CapabilityFigures::AddMargins(figures, RunningMoments::Total(tally.marginRuns, tally.marginRun.Of(tally.run)));
        addLimits(figures, tally);
        CapabilityFigures::AddUpperSide(figures);
        CapabilityFigures::AddCapability(figures);
        // A bin's middle may lie a rounding beyond the least or greatest
        // power in it; no percentile does.
        const auto percentile = [&](double p) -> std::optional<double> {
            const std::optional<double> value = tally.powers.Percentile(p);
            return value ? std::optional<double>(qBound(total.min, *value, total.max)) : std::nullopt;
        };
        figures.p01 = percentile(1);
        figures.p50 = percentile(50);
        figures.p95 = percentile(95);
        figures.p99 = percentile(99);
        figures.failedFibers = tally.failedFibers;
        figures.marginal = tally.marginal;
        figures.powerBins = tally.powers;
        figures.failingBins = tally.failing;
        figures.thresholdBins = tally.thresholds;
        m_channels.append(std::move(figures));
    }
    m_channelsMade = true;
    return m_channels;
}

QList<ThresholdJudge::ChannelCount> ThresholdJudge::ParetoChannels() const
{
    QList<ChannelCount> counts;
    for (const Tally &tally : m_tallies) {
        if (tally.failedFibers > 0)
            counts.append({tally.channel, tally.failedFibers});
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const ChannelCount &a, const ChannelCount &b) { return a.fibers > b.fibers; });
    return counts;
}

QList<ThresholdJudge::ReasonCount> ThresholdJudge::ParetoReasons() const
{
    QList<ReasonCount> counts;
    for (int reason = 0; reason < FailureKinds; ++reason) {
        if (m_reasons[reason] > 0)
            counts.append({Failure(1 << reason), m_reasons[reason]});
    }
    std::stable_sort(counts.begin(), counts.end(),
                     [](const ReasonCount &a, const ReasonCount &b) { return a.fibers > b.fibers; });
    return counts;
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

qsizetype ThresholdJudge::tallyOf(const MeasurementRows::Row &row, qsizetype position)
{
    // Fibers list their channels in the same order: the tally that the row
    // at this place in the last block had is nearly always this row's.
    const QByteArrayView channel = field(row, MeasurementRow::Channel);
    if (position >= m_lastAt.size())
        m_lastAt.resize(position + 1);
    LastAt &last = m_lastAt[position];
    if (last.index >= 0 && sameBytes(last.field, channel))
        return last.index;
    last.field = channel.toByteArray();
    last.index = indexOf(ShownText(channel), field(row, MeasurementRow::WaveLength));
    return last.index;
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
        if (const ChannelLimit *limit = m_limits.Of(key))
            tally.limit = *limit;
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

void ThresholdJudge::addLimits(ChannelFigures &figures, const Tally &tally) const
{
    const ChannelLimit *limit = tally.limit ? &*tally.limit : nullptr;
    figures.userLower = limit && limit->lower;
    if (figures.userLower)
        figures.lower = limit->lower;
    else if (tally.leastThreshold == tally.greatestThreshold)
        figures.lower = tally.leastThreshold;
    if (limit)
        figures.upper = limit->upper;
    figures.warn = bandOf(limit);
}
