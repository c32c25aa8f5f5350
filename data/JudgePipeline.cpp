#include "data/JudgePipeline.h"

#include "data/ChannelTable.h"
#include "data/FiberReader.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/Texts.h"

#include <cstring>
#include <new>
#include <system_error>
#include <thread>

namespace {

// The lines before the table.
constexpr qsizetype kHeaderLines = 5;
constexpr qsizetype kLine = ChannelTable::LineLength;

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

QString Misalignment::Text() const
{
    const QString size = length == 1 ? tr("1 byte long")
        : length >= 0                ? tr("%1 bytes long").arg(length)
                                     : tr("more than %1 bytes long").arg(least);
    return tr("line %1 is %2; rows after it are not aligned").arg(line).arg(size);
}

QString Misalignment::Message(const QString &path) const
{
    return NativePath::Display(path) + QLatin1String(": ") + Text();
}

JudgePipeline::JudgePipeline(const JudgeInputs &inputs, ThresholdJudge::Keeping keeping)
    : m_inputs(inputs), m_judge(keeping, inputs.warnMargin, inputs.limits)
{
}

Misalignment JudgePipeline::FindMisaligned(const MeasurementRows &rows, qsizetype first, qsizetype tableRow)
{
    Misalignment found;
    qsizetype at = first;
    while (at < rows.Count() && !rows.At(at).IsMisaligned())
        ++at;
    if (at == rows.Count())
        return found;
    found.row = tableRow + (at - first);
    found.line = kHeaderLines + found.row + 1;
    // The line begins where the row does, and ends at its line feed, in
    // this row or in the rows after it.
    qsizetype length = 0;
    for (; at < rows.Count(); ++at) {
        const MeasurementRows::Row row = rows.At(at);
        const char *line = row.Line();
        if (!line)
            break;
        if (const void *feed = std::memchr(line, '\n', size_t(kLine - 1))) {
            found.length = length + (static_cast<const char *>(feed) - line) + 1;
            return found;
        }
        length += kLine;
        if (!row.IsMisaligned()) { // its 69th byte is the line feed
            found.length = length;
            return found;
        }
    }
    found.least = length;
    return found;
}

// The one place where a fiber is judged.
ThresholdJudge::Fiber JudgePipeline::judge(ThresholdJudge &judge, const MeasurementRows &rows, qsizetype first,
                                           qsizetype count, bool misaligned)
{
    return judge.AddFiber(rows, first, count, misaligned);
}

// Whether the `count` rows from the table's row `tableRow` on reach past
// where the rows stop being aligned.
bool JudgePipeline::misalignedAt(qsizetype tableRow, qsizetype count) const
{
    return m_misaligned.Found() && tableRow + count > m_misaligned.row;
}

// Finds the first misaligned row among the fiber's, where none was found.
void JudgePipeline::look(const MeasurementRows &rows, qsizetype first, qsizetype count)
{
    if (m_misaligned.Found())
        return;
    for (qsizetype i = first; i < first + count; ++i) {
        if (rows.At(i).IsMisaligned()) {
            m_misaligned = FindMisaligned(rows, i, m_rows + (i - first));
            return;
        }
    }
}

ThresholdJudge::Fiber JudgePipeline::Next(const MeasurementRows &rows, qsizetype first, qsizetype count)
{
    look(rows, first, count);
    return Count(rows, first, count, misalignedAt(m_rows, count));
}

ThresholdJudge::Fiber JudgePipeline::Count(const MeasurementRows &rows, qsizetype first, qsizetype count,
                                           bool misaligned)
{
    const ThresholdJudge::Fiber fiber = judge(m_judge, rows, first, count, misaligned);
    m_rows += count;
    ++m_blocks;
    return fiber;
}

bool JudgePipeline::ReadFile(const QString &path, const FiberSink &sink, QString *error,
                             const std::atomic<bool> *stop, FileKinds kinds, quint64 *contentHash,
                             QByteArray *header)
{
    try {
        return FiberReader::Read(
            path,
            [&](const MeasurementRows &rows, qsizetype first, qsizetype count) {
                const ThresholdJudge::Fiber fiber = Next(rows, first, count);
                return !sink || sink(m_blocks - 1, fiber, rows, first);
            },
            error, stop, kinds, contentHash, header);
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(path, Texts::tr("not enough memory"), error);
    }
}

bool JudgePipeline::judgeBlocks(ThresholdJudge &judge, const MeasurementRows &rows, qsizetype from, qsizetype to,
                                const FiberSink &sink, const std::atomic<bool> *stop) const
{
    for (qsizetype block = from; block < to; ++block) {
        if (block % 1024 == 0 && stopped(stop))
            return false;
        const qsizetype first = block * ChannelTable::FiberSize;
        const qsizetype count = qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - first);
        const ThresholdJudge::Fiber fiber = this->judge(judge, rows, first, count, misalignedAt(first, count));
        if (sink && !sink(block, fiber, rows, first))
            return false;
    }
    return true;
}

bool JudgePipeline::JudgeRows(const MeasurementRows &rows, const FiberSink &sink, const std::atomic<bool> *stop,
                              Order order)
{
    Q_ASSERT(m_rows == 0);
    m_misaligned = FindMisaligned(rows, 0, 0);
    const qsizetype blocks = ChannelTable::FiberCount(rows.Count());
    m_rows = rows.Count();
    m_blocks = blocks;
    // The later fibers by a judge of their own, counted in afterwards,
    // while this thread judges the first ones; the first judge's fibers
    // fill whole runs, so that the figures are those of one judge.
    constexpr qsizetype kRun = ThresholdJudge::ChunkFibers;
    const qsizetype half = order == AnyOrder ? blocks / 2 / kRun * kRun : 0;
    ThresholdJudge later(m_judge.KeepingOf(), m_judge.WarnMargin());
    bool laterJudged = true;
    bool laterFailed = false;
    std::thread helper;
    if (half > 0) {
        try {
            helper = std::thread([&] {
                try {
                    laterJudged = judgeBlocks(later, rows, half, blocks, sink, stop);
                } catch (const std::bad_alloc &) {
                    laterFailed = true;
                }
            });
        } catch (const std::system_error &) {
        }
    }
    bool judged = false;
    try {
        judged = judgeBlocks(m_judge, rows, 0, helper.joinable() ? half : blocks, sink, stop);
    } catch (...) {
        if (helper.joinable())
            helper.join();
        throw;
    }
    if (!helper.joinable())
        return judged && !stopped(stop);
    helper.join();
    if (laterFailed)
        throw std::bad_alloc();
    if (!judged || !laterJudged || stopped(stop))
        return false;
    m_judge.Append(later);
    return true;
}
