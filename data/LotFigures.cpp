#include "data/LotFigures.h"

#include "data/FileSummary.h"
#include "data/TextKey.h"

#include <QHash>

namespace {

// A result's place in the lot: its time, file and place in the file.
struct Place
{
    qint64 time = 0;
    qsizetype file = 0;
    qsizetype place = 0;
    bool passed = false;

    bool isBefore(const Place &other) const
    {
        if (time != other.time)
            return time < other.time;
        return file != other.file ? file < other.file : place < other.place;
    }
};

// A fiber's first and latest result so far, and how often it was measured.
struct Results
{
    Place first;
    Place latest;
    qsizetype results = 0;
};

// Every fiber known by name, and those without one each on their own.
struct Fibers
{
    QHash<TextKey, Results> named;
    QList<Place> blank;
};

Fibers fibersOf(const QList<const FileSummary *> &summaries)
{
    Fibers fibers;
    qsizetype results = 0;
    for (const FileSummary *summary : summaries)
        results += summary->FiberCount();
    fibers.named.reserve(results);
    for (qsizetype file = 0; file < summaries.size(); ++file) {
        const FileSummary &summary = *summaries.at(file);
        for (qsizetype place = 0; place < summary.FiberCount(); ++place) {
            const FileSummary::Fiber fiber = summary.FiberAt(place);
            const Place here{fiber.time, file, place, fiber.passed};
            if (fiber.name.isEmpty()) {
                fibers.blank.append(here);
                continue;
            }
            Results &entry = fibers.named[TextKey{fiber.name}];
            if (entry.results++ == 0) {
                entry.first = entry.latest = here;
                continue;
            }
            if (entry.latest.isBefore(here))
                entry.latest = here;
            if (here.isBefore(entry.first))
                entry.first = here;
        }
    }
    return fibers;
}

void countFibers(const QList<const FileSummary *> &summaries, LotFigures *figures)
{
    for (const FileSummary *summary : summaries)
        figures->results += summary->FiberCount();
    const Fibers fibers = fibersOf(summaries);
    for (const Place &blank : fibers.blank) {
        ++figures->fibers;
        figures->passed += blank.passed;
        figures->firstPassed += blank.passed;
    }
    for (const Results &entry : fibers.named) {
        ++figures->fibers;
        figures->passed += entry.latest.passed;
        figures->firstPassed += entry.first.passed;
        if (entry.results > 1) {
            ++figures->retested;
            figures->retestedPassed += entry.latest.passed;
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

QList<LotFigures::FileYield> LotFigures::FileYields(const QList<const FileSummary *> &summaries)
{
    QList<FileYield> yields(summaries.size());
    const Fibers fibers = fibersOf(summaries);
    const auto take = [&yields](const Place &first, bool finallyPassed) {
        FileYield &yield = yields[first.file];
        ++yield.fibers;
        yield.firstPassed += first.passed;
        yield.finalPassed += finallyPassed;
    };
    for (const Place &blank : fibers.blank)
        take(blank, blank.passed);
    for (const Results &entry : fibers.named)
        take(entry.first, entry.latest.passed);
    return yields;
}

QList<QBitArray> LotFigures::Latest(const QList<const FileSummary *> &summaries)
{
    QList<QBitArray> latest;
    latest.reserve(summaries.size());
    for (const FileSummary *summary : summaries)
        latest.append(QBitArray(summary->FiberCount()));
    const Fibers fibers = fibersOf(summaries);
    for (const Place &blank : fibers.blank)
        latest[blank.file].setBit(blank.place);
    for (const Results &entry : fibers.named)
        latest[entry.latest.file].setBit(entry.latest.place);
    return latest;
}
