#include "data/LoadedFile.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/FileError.h"
#include "data/Texts.h"

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

// Judges the fibers of blocks [first, end) of `rows`, each into `verdicts`,
// until `stop` is set.
void judgeBlocks(const MeasurementRows &rows, qsizetype first, qsizetype end, ThresholdJudge &judge,
                 QList<LoadedFile::Verdict> &verdicts, const std::atomic<bool> *stop)
{
    verdicts.reserve(verdicts.size() + (end - first));
    for (qsizetype block = first; block < end; ++block) {
        if (block % 1024 == 0 && stopped(stop))
            return;
        const qsizetype row = block * ChannelTable::FiberSize;
        const qsizetype count = qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - row);
        const ThresholdJudge::Fiber fiber = judge.AddFiber(rows, row, count);
        quint32 failedRows = 0;
        // Which rows failed, for a failing fiber: the judge names their
        // channels, which two rows may share.
        for (qsizetype i = 0; !fiber.failedChannels.isEmpty() && i < count; ++i) {
            if (ThresholdJudge::JudgeChannel(rows.At(row + i)).failures != ThresholdJudge::NoFailure)
                failedRows |= quint32(1) << i;
        }
        verdicts.append({fiber.failures, fiber.worstRow, fiber.worstFailures, fiber.worstMargin, failedRows});
    }
}

// Fibers [0, blocks) of `rows` judged into `judge` and `verdicts`, on two
// threads where the file is big enough for that to pay: the later fibers
// by a judge of their own, counted in afterwards, while this thread judges
// the first ones.
void judgeAll(const MeasurementRows &rows, qsizetype blocks, ThresholdJudge &judge,
              QList<LoadedFile::Verdict> &verdicts, const std::atomic<bool> *stop)
{
    constexpr qsizetype kRun = ThresholdJudge::ChunkFibers;
    const qsizetype half = blocks / 2 / kRun * kRun; // where a run of the judge ends
    ThresholdJudge later(judge.KeepingOf(), judge.WarnMargin());
    QList<LoadedFile::Verdict> laterVerdicts;
    bool laterFailed = false;
    std::thread helper;
    if (half > 0) {
        try {
            helper = std::thread([&] {
                try {
                    judgeBlocks(rows, half, blocks, later, laterVerdicts, stop);
                } catch (const std::bad_alloc &) {
                    laterFailed = true;
                }
            });
        } catch (const std::system_error &) {
        }
    }
    judgeBlocks(rows, 0, helper.joinable() ? half : blocks, judge, verdicts, stop);
    if (!helper.joinable())
        return;
    helper.join();
    if (laterFailed)
        throw std::bad_alloc();
    judge.Append(later);
    verdicts += laterVerdicts;
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
        loaded.boxOrder = BoxOrder(loaded.names);
        *file = std::move(loaded);
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(path, Texts::tr("it is too big for the memory of this computer"),
                                     error);
    }
    return true;
}

bool LoadedFile::Judge(const MeasurementRows &rows, Verdicts *verdicts, const std::atomic<bool> *stop)
{
    Verdicts judged;
    judgeAll(rows, ChannelTable::FiberCount(rows.Count()), judged.judge, judged.byBlock, stop);
    if (stopped(stop))
        return false;
    *verdicts = std::move(judged);
    return true;
}

ThresholdJudge LoadedFile::Figures(const MeasurementRows &rows, std::optional<double> warnMargin)
{
    ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, warnMargin);
    QList<Verdict> verdicts;
    judgeAll(rows, ChannelTable::FiberCount(rows.Count()), judge, verdicts, nullptr);
    return judge;
}

QList<qsizetype> LoadedFile::BoxOrder(const QList<QByteArray> &names)
{
    QList<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return BoxLess(names[a], names[b]); });
    return order;
}
