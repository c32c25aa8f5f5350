#include "data/LoadedFile.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/FileError.h"
#include "data/Texts.h"

#include <QHash>

#include <algorithm>
#include <new>
#include <numeric>
#include <system_error>
#include <thread>

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

bool LoadedFile::Load(const QString &path, LoadedFile *file, QString *error,
                      const std::atomic<bool> *stop, const ReadProgress &progress,
                      const StreamWait &wait)
{
    ResultFileText text;
    if (!ReadResultFile(path, text, error, stop, progress, wait) || stopped(stop))
        return false;
    try {
        LoadedFile loaded;
        loaded.header = std::move(text.header);
        loaded.rows = ChannelTable::CutTable(std::move(text.table));
        loaded.names = ChannelTable::FiberNames(loaded.rows);
        if (stopped(stop))
            return false;
        loaded.shownNames.reserve(loaded.names.size());
        for (const QByteArray &name : std::as_const(loaded.names))
            loaded.shownNames.append(CodePage936::Decode(name));
        loaded.boxOrder = BoxOrder(loaded.names, &loaded.rows);
        *file = std::move(loaded);
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(path, Texts::tr("it is too big for the memory of this computer"),
                                     error);
    }
    return true;
}

bool LoadedFile::Judge(const MeasurementRows &rows, Verdicts *verdicts, const std::atomic<bool> *stop,
                       const JudgeInputs &inputs)
{
    Verdicts judged;
    JudgePipeline pipeline(inputs);
    judged.byBlock.resize(ChannelTable::FiberCount(rows.Count()));
    // Both threads write their own blocks' verdicts.
    const bool whole = pipeline.JudgeRows(
        rows,
        [&judged](qsizetype block, const ThresholdJudge::Fiber &fiber, const MeasurementRows &, qsizetype) {
            judged.byBlock[block] = VerdictOf(fiber);
            return true;
        },
        stop, JudgePipeline::AnyOrder);
    if (!whole || stopped(stop))
        return false;
    pipeline.Finish();
    judged.misaligned = pipeline.Misaligned();
    judged.judge = pipeline.TakeJudge();
    *verdicts = std::move(judged);
    return true;
}

ThresholdJudge::Fiber LoadedFile::FiberOf(const Verdict &verdict, const MeasurementRows &rows, qsizetype first,
                                          qsizetype count)
{
    ThresholdJudge::Fiber fiber;
    fiber.rows = count;
    if (count > 0)
        fiber.name = rows.At(first).text(MeasurementRow::FiberName);
    fiber.failures = verdict.failures;
    fiber.failedRows = verdict.failedRows;
    for (qsizetype i = 0; i < count; ++i) {
        if (verdict.failedRows & (quint32(1) << i))
            fiber.failedChannels.append(rows.At(first + i).text(MeasurementRow::Channel));
    }
    fiber.worstRow = verdict.worstRow;
    fiber.worstFailures = verdict.worstFailures;
    fiber.worstMargin = verdict.worstMargin;
    if (verdict.worstRow >= 0 && verdict.worstRow < count) {
        const MeasurementRows::Row worst = rows.At(first + verdict.worstRow);
        fiber.worstChannel = worst.text(MeasurementRow::Channel);
        fiber.worstPower = worst.text(MeasurementRow::Power);
        fiber.worstThreshold = worst.text(MeasurementRow::Threshold);
    }
    fiber.marginal = verdict.marginal;
    return fiber;
}

qsizetype LoadedFile::WorstFiber(const MeasurementRows &rows, const QByteArray &channel, const Limits &limits)
{
    // Each distinct field is decoded once, and fibers list their channels
    // in the same order: the field at a row's place in the block before is
    // nearly always the row's own.
    QHash<QByteArray, bool> isChannel;
    QList<QPair<QByteArray, bool>> lastAt(ChannelTable::FiberSize);
    qsizetype worst = -1;
    double least = 0;
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        const MeasurementRows::Row row = rows.At(i);
        const QByteArrayView field = row.text(MeasurementRow::Channel);
        QPair<QByteArray, bool> &last = lastAt[i % ChannelTable::FiberSize];
        if (QByteArrayView(last.first) != field) {
            last.first = field.toByteArray();
            auto known = isChannel.constFind(last.first);
            if (known == isChannel.cend())
                known = isChannel.insert(last.first, ThresholdJudge::ShownText(field) == channel);
            last.second = *known;
        }
        if (!last.second)
            continue;
        const ThresholdJudge::Channel judged = ThresholdJudge::JudgeChannel(row, limits);
        if (!judged.margin)
            return i / ChannelTable::FiberSize;
        if (worst < 0 || *judged.margin < least) {
            worst = i / ChannelTable::FiberSize;
            least = *judged.margin;
        }
    }
    return worst;
}

QList<qsizetype> LoadedFile::FibersWhere(const MeasurementRows &rows, const QByteArray &channel,
                                         const std::function<bool(double power)> &keep)
{
    QList<qsizetype> fibers;
    QHash<QByteArray, bool> isChannel;
    for (qsizetype i = 0; i < rows.Count(); ++i) {
        const qsizetype block = i / ChannelTable::FiberSize;
        if (!fibers.isEmpty() && fibers.last() == block)
            continue;
        const MeasurementRows::Row row = rows.At(i);
        const QByteArray field = row.text(MeasurementRow::Channel).toByteArray();
        auto known = isChannel.constFind(field);
        if (known == isChannel.cend())
            known = isChannel.insert(field, ThresholdJudge::ShownText(field) == channel);
        double power = 0;
        if (*known && ChannelTable::ReadPower(row.text(MeasurementRow::Power), power) && keep(power))
            fibers.append(block);
    }
    return fibers;
}

QList<qsizetype> LoadedFile::BoxOrder(const QList<QByteArray> &names, const MeasurementRows *rows)
{
    QList<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    // A fiber cut out of a misaligned table has a name cut at random: those
    // come last, in the file's order, never sorted among the real names.
    const auto misaligned = [rows](qsizetype block) {
        if (!rows)
            return false;
        const qsizetype first = block * ChannelTable::FiberSize;
        const qsizetype end = qMin(rows->Count(), first + ChannelTable::FiberSize);
        for (qsizetype i = first; i < end; ++i) {
            if (rows->At(i).IsMisaligned())
                return true;
        }
        return false;
    };
    QList<qsizetype> aligned, cut;
    for (const qsizetype block : std::as_const(order))
        (misaligned(block) ? cut : aligned).append(block);
    std::stable_sort(aligned.begin(), aligned.end(),
                     [&](qsizetype a, qsizetype b) { return BoxLess(names[a], names[b]); });
    return aligned + cut;
}
