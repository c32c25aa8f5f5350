#include "data/CompareSide.h"

#include "data/ChannelTable.h"

#include <limits>

double CompareSide::Fiber::PowerAt(int channel) const
{
    return channel >= 0 && channel < powers.size() ? powers.at(channel) : std::numeric_limits<double>::quiet_NaN();
}

bool CompareSide::ReadFile(const QString &path, FileKinds kinds, const std::atomic<bool> *stop, QString *error)
{
    return m_pipeline.ReadFile(
        path,
        [this](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first) {
            take(fiber, rows, first);
            return true;
        },
        error, stop, kinds);
}

bool CompareSide::ReadLotFile(const QString &path, FileKinds kinds, const QBitArray &counted,
                              const std::atomic<bool> *stop, Misalignment *misaligned, QString *error)
{
    // The file's own pipeline finds its misaligned rows; only its verdicts
    // are needed of it.
    JudgePipeline file(m_pipeline.Inputs(), ThresholdJudge::VerdictsOnly);
    const bool read = file.ReadFile(
        path,
        [&](qsizetype block, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first) {
            if (block < counted.size() && counted.testBit(block)) {
                const bool rowsMisaligned = fiber.failures.testFlag(ThresholdJudge::Misaligned);
                take(m_pipeline.Count(rows, first, fiber.rows, rowsMisaligned), rows, first);
            }
            return true;
        },
        error, stop, kinds);
    if (misaligned)
        *misaligned = file.Misaligned();
    return read;
}

void CompareSide::take(const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first)
{
    // A misaligned fiber's fields are not where their columns are: its
    // name and powers are not known, as it counts in no channel's figures.
    const QByteArray name = fiber.name.trimmed().toByteArray();
    if (name.isEmpty() || fiber.failures.testFlag(ThresholdJudge::Misaligned))
        return;
    Fiber kept;
    kept.passed = fiber.passed();
    for (qsizetype i = 0; i < fiber.rows; ++i) {
        const MeasurementRows::Row row = rows.At(first + i);
        const int channel = m_names.Of(row.text(MeasurementRow::Channel), i);
        if (kept.powers.size() <= channel)
            kept.powers.resize(channel + 1, std::numeric_limits<double>::quiet_NaN());
        double power = 0;
        if (ChannelTable::ReadPower(row.text(MeasurementRow::Power), power))
            kept.powers[channel] = power;
    }
    const auto found = m_byName.constFind(name);
    if (found != m_byName.constEnd()) {
        m_fibers[size_t(*found)] = std::move(kept);
        return;
    }
    m_byName.insert(name, qsizetype(m_fibers.size()));
    m_named.append(name);
    m_fibers.push_back(std::move(kept));
}

const ThresholdJudge::ChannelFigures *CompareSide::ChannelOf(const QByteArray &channel) const
{
    for (const ThresholdJudge::ChannelFigures &figures : Channels()) {
        if (figures.channel == channel)
            return &figures;
    }
    return nullptr;
}

const CompareSide::Fiber *CompareSide::Find(const QByteArray &name) const
{
    const auto found = m_byName.constFind(name);
    return found == m_byName.constEnd() ? nullptr : &m_fibers[size_t(*found)];
}
