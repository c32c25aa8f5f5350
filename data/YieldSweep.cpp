#include "data/YieldSweep.h"

#include "data/ChannelTable.h"
#include "data/RowTime.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kAlways = std::numeric_limits<double>::infinity(); // no row there to fail

// Only the lower limit failed the row: it would pass at a lower one.
bool failsBelowOnly(ThresholdJudge::Failures failures)
{
    return failures == ThresholdJudge::BelowThreshold || failures == ThresholdJudge::BelowLimit;
}

} // namespace

void YieldSweep::BeginFile()
{
    m_fileTimes.append(RowTime::None);
    m_fileTimed.append(false);
}

void YieldSweep::AddJudged(const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first)
{
    if (m_fileTimes.isEmpty())
        BeginFile();
    if (!m_fileTimed.last() && fiber.rows > 0) {
        const MeasurementRows::Row row = rows.At(first);
        m_fileTimes.last() = RowTime::Parse(row.text(MeasurementRow::Date), row.text(MeasurementRow::Time));
        m_fileTimed.last() = true;
    }
    Measurement measurement;
    measurement.name = fiber.name.trimmed().toByteArray();
    measurement.file = int(m_fileTimes.size() - 1);
    measurement.passed = fiber.passed();
    QVarLengthArray<char, 18> present, failing, cannot;
    const auto grow = [&](int size) {
        if (measurement.least.size() >= size)
            return;
        measurement.least.resize(size, kAlways);
        measurement.power.resize(size, kNaN);
        present.resize(size, 0);
        failing.resize(size, 0);
        cannot.resize(size, 0);
    };
    const bool misaligned = fiber.failures & ThresholdJudge::Misaligned;
    for (qsizetype i = 0; i < fiber.rows && !misaligned; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const int index = m_channels.Of(row.text(MeasurementRow::Channel), i);
        grow(index + 1);
        double power = 0;
        const bool numeric = ChannelTable::ReadPower(row.text(MeasurementRow::Power), power);
        if (numeric) {
            measurement.least[index] = qMin(measurement.least[index], power);
            if (!present[index])
                measurement.power[index] = power;
        }
        present[index] = 1;
        if (fiber.failedRows & (quint32(1) << i)) {
            failing[index] = 1;
            if (!numeric || !failsBelowOnly(ThresholdJudge::JudgeChannel(row, m_limits).failures))
                cannot[index] = 1;
        } else if (!numeric) {
            cannot[index] = 1;
        }
    }
    grow(m_channels.Count());
    measurement.failedAt = failing;
    const int failingChannels = int(std::count(failing.begin(), failing.end(), 1));
    const bool incomplete = fiber.failures & (ThresholdJudge::Incomplete | ThresholdJudge::Misaligned);
    for (int c = 0; c < measurement.least.size(); ++c) {
        const bool elsewhere = failingChannels - failing[c] > 0;
        if (incomplete || elsewhere || cannot[c])
            measurement.least[c] = kNaN;
    }
    m_measurements.push_back(std::move(measurement));
}

void YieldSweep::AddRows(const MeasurementRows &rows)
{
    BeginFile();
    // The fibers' verdicts are all a sweep needs of the judge.
    JudgePipeline pipeline(JudgeInputs{std::nullopt, m_limits}, ThresholdJudge::VerdictsOnly);
    pipeline.JudgeRows(rows, [this](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &held,
                                    qsizetype first) {
        AddJudged(fiber, held, first);
        return true;
    });
}

// The measurements in time order: by their files' first times (a file
// without one first), then as they came.
std::vector<qsizetype> YieldSweep::inTimeOrder() const
{
    std::vector<qsizetype> order(m_measurements.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
        return m_fileTimes.at(m_measurements[size_t(a)].file) < m_fileTimes.at(m_measurements[size_t(b)].file);
    });
    return order;
}

// Each fiber's latest measurement, in the order the fibers first came;
// counting every fiber, all of them as they came.
std::vector<qsizetype> YieldSweep::latestMeasurements() const
{
    if (m_counting == EveryFiber) {
        std::vector<qsizetype> all(m_measurements.size());
        std::iota(all.begin(), all.end(), 0);
        return all;
    }
    const std::vector<qsizetype> order = inTimeOrder();
    QHash<QByteArray, qsizetype> latestOf;
    std::vector<qsizetype> latest;
    latest.reserve(order.size());
    for (const qsizetype index : order) {
        const QByteArray &name = m_measurements[size_t(index)].name;
        if (name.isEmpty()) { // a fiber without a name is no other's retest
            latest.push_back(index);
            continue;
        }
        const auto found = latestOf.constFind(name);
        if (found == latestOf.cend()) {
            latestOf.insert(name, qsizetype(latest.size()));
            latest.push_back(index);
        } else {
            latest[size_t(*found)] = index;
        }
    }
    return latest;
}

bool YieldSweep::matches(int channel, const QByteArray &text) const
{
    const QByteArray &shown = m_channels.At(channel);
    const int number = Limits::ChannelNumber(text);
    return shown == text || (number != 0 && number == Limits::ChannelNumber(shown));
}

YieldSweep::Passing YieldSweep::passingOf(int c, const std::vector<qsizetype> &counted) const
{
    Passing passing;
    passing.fibers = qsizetype(counted.size());
    for (const qsizetype index : counted) {
        const Measurement &measurement = m_measurements[size_t(index)];
        const double value = c < measurement.least.size() ? measurement.least[c] : measurement.passed ? kAlways : kNaN;
        if (std::isinf(value))
            ++passing.always;
        else if (!std::isnan(value))
            passing.least.push_back(value);
    }
    std::sort(passing.least.begin(), passing.least.end());
    return passing;
}

qsizetype YieldSweep::Passing::At(double limit) const
{
    return qsizetype(least.end() - std::lower_bound(least.begin(), least.end(), limit)) + always;
}

std::optional<YieldSweep::Passing> YieldSweep::PassingOf(const QByteArray &channel) const
{
    for (int c = 0; c < m_channels.Count(); ++c) {
        if (matches(c, channel))
            return passingOf(c, latestMeasurements());
    }
    return std::nullopt;
}

QList<YieldSweep::Curve> YieldSweep::Curves(int stepHundredths, double targetPercent,
                                           const QByteArray &channel) const
{
    stepHundredths = qMax(1, stepHundredths);
    const std::vector<qsizetype> counted = latestMeasurements();
    QList<Curve> curves;
    QList<int> indexes;
    for (int c = 0; c < m_channels.Count(); ++c) {
        if (!channel.isEmpty() && !matches(c, channel))
            continue;
        const Passing passing = passingOf(c, counted);
        Curve curve;
        curve.channel = m_channels.At(c);
        curve.fibers = passing.fibers;
        if (!passing.least.empty()) {
            const qint64 from = qint64(std::floor(passing.least.front() * 100 + 1e-6));
            const qint64 to = qint64(std::ceil(passing.least.back() * 100 - 1e-6));
            for (qint64 key = from;; key += stepHundredths) {
                const double limit = double(key) / 100;
                const qsizetype passed = passing.At(limit);
                curve.points.append({limit, passed});
                if (double(passed) * 100 >= targetPercent * double(curve.fibers))
                    curve.limitForTarget = limit;
                if (key >= to)
                    break;
            }
        }
        curves.append(std::move(curve));
        indexes.append(c);
    }
    repeatability(curves, indexes);
    return curves;
}

void YieldSweep::repeatability(QList<Curve> &curves, const QList<int> &channels) const
{
    const std::vector<qsizetype> order = inTimeOrder();
    QHash<QByteArray, qsizetype> previousOf;
    const size_t count = size_t(m_channels.Count());
    std::vector<std::vector<double>> differences(count);
    for (const qsizetype index : order) {
        const Measurement &now = m_measurements[size_t(index)];
        if (now.name.isEmpty())
            continue;
        const auto found = previousOf.find(now.name);
        if (found == previousOf.end()) {
            previousOf.insert(now.name, index);
            continue;
        }
        const Measurement &before = m_measurements[size_t(*found)];
        for (int c = 0; c < int(count); ++c) {
            if (c < now.power.size() && c < before.power.size() && !std::isnan(now.power[c])
                && !std::isnan(before.power[c]) && !now.failedAt[c] && !before.failedAt[c])
                differences[size_t(c)].push_back(now.power[c] - before.power[c]);
        }
        *found = index;
    }
    // Each channel's squares about its own mean, and their degrees of
    // freedom; pooled, the station's.
    std::vector<double> squares(count, 0);
    double pooledSquares = 0;
    qsizetype pooledFreedom = 0;
    for (size_t c = 0; c < count; ++c) {
        const std::vector<double> &d = differences[c];
        if (d.size() < 2)
            continue;
        const double mean = std::accumulate(d.begin(), d.end(), 0.0) / double(d.size());
        for (const double value : d)
            squares[c] += (value - mean) * (value - mean);
        pooledSquares += squares[c];
        pooledFreedom += qsizetype(d.size()) - 1;
    }
    for (qsizetype k = 0; k < curves.size(); ++k) {
        const size_t c = size_t(channels.at(k));
        Curve &curve = curves[k];
        curve.retests = qsizetype(differences[c].size());
        double variance = 0;
        if (curve.retests >= LeastRetests) {
            variance = squares[c] / double(curve.retests - 1);
        } else if (pooledFreedom > 0) {
            variance = pooledSquares / double(pooledFreedom);
            curve.stationRepeatability = true;
        } else {
            continue;
        }
        const double deviation = std::sqrt(variance) / std::sqrt(2.0);
        if (!std::isfinite(deviation))
            continue;
        curve.repeatability = deviation;
        curve.guardband = 3 * deviation;
        if (curve.limitForTarget)
            curve.proposed = *curve.limitForTarget + *curve.guardband;
    }
}
