#include "data/LotFigures.h"

#include "data/FileSummary.h"

#include <QHash>

namespace {

// The latest result of a fiber so far, and how often it was measured.
struct Latest
{
    qint64 time = 0;
    qsizetype file = 0;
    qsizetype place = 0;
    bool passed = false;
    qsizetype results = 0;

    bool isBefore(qint64 otherTime, qsizetype otherFile, qsizetype otherPlace) const
    {
        if (time != otherTime)
            return time < otherTime;
        return file != otherFile ? file < otherFile : place < otherPlace;
    }
};

void countFibers(const QList<const FileSummary *> &summaries, LotFigures *figures)
{
    qsizetype results = 0;
    for (const FileSummary *summary : summaries)
        results += summary->FiberCount();
    QHash<QByteArrayView, Latest> latest;
    latest.reserve(results);
    for (qsizetype file = 0; file < summaries.size(); ++file) {
        const FileSummary &summary = *summaries.at(file);
        figures->results += summary.FiberCount();
        for (qsizetype place = 0; place < summary.FiberCount(); ++place) {
            const FileSummary::Fiber fiber = summary.FiberAt(place);
            if (fiber.name.isEmpty()) {
                ++figures->fibers;
                figures->passed += fiber.passed;
                continue;
            }
            Latest &entry = latest[fiber.name];
            if (entry.results++ == 0 || entry.isBefore(fiber.time, file, place)) {
                entry.time = fiber.time;
                entry.file = file;
                entry.place = place;
                entry.passed = fiber.passed;
            }
        }
    }
    for (const Latest &entry : std::as_const(latest)) {
        ++figures->fibers;
        figures->passed += entry.passed;
        if (entry.results > 1) {
            ++figures->retested;
            figures->retestedPassed += entry.passed;
        }
    }
}

void findFailingChannel(const QList<const FileSummary *> &summaries, LotFigures *figures)
{
    QHash<QByteArray, qsizetype> counts;
    QList<QByteArray> order;
    for (const FileSummary *summary : summaries) {
        for (const ThresholdJudge::ChannelCount &count : summary->ParetoChannels()) {
            qsizetype &fibers = counts[count.channel];
            if (fibers == 0)
                order.append(count.channel);
            fibers += count.fibers;
        }
    }
    for (const QByteArray &channel : std::as_const(order)) {
        if (counts.value(channel) > figures->failingChannelFibers) {
            figures->failingChannel = channel;
            figures->failingChannelFibers = counts.value(channel);
        }
    }
}

} // namespace

LotFigures LotFigures::Of(const QList<const FileSummary *> &summaries, qsizetype unread)
{
    LotFigures figures;
    figures.files = summaries.size();
    figures.unread = unread;
    countFibers(summaries, &figures);
    findFailingChannel(summaries, &figures);
    return figures;
}
