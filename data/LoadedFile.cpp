#include "data/LoadedFile.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/FileError.h"
#include "data/Texts.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

bool LoadedFile::Load(const QString &path, LoadedFile *file, QString *error,
                      const std::atomic<bool> *stop, const ReadProgress &progress)
{
    ResultFileText text;
    if (!ReadResultFile(path, text, error, stop, progress) || stopped(stop))
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
        if (stopped(stop))
            return false;
        loaded.verdicts.reserve(loaded.names.size());
        for (qsizetype first = 0; first < loaded.rows.Count(); first += ChannelTable::FiberSize) {
            const qsizetype count = qMin<qsizetype>(ChannelTable::FiberSize, loaded.rows.Count() - first);
            const ThresholdJudge::Fiber fiber = loaded.judge.AddFiber(loaded.rows, first, count);
            loaded.verdicts.append({fiber.failures, fiber.worstRow, fiber.worstMargin});
        }
        *file = std::move(loaded);
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(path, Texts::tr("it is too big for the memory of this computer"),
                                     error);
    }
    return true;
}

QList<qsizetype> LoadedFile::BoxOrder(const QList<QByteArray> &names)
{
    QList<qsizetype> order(names.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return BoxLess(names[a], names[b]); });
    return order;
}
