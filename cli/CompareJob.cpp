#include "cli/CompareJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "lot/CompareReader.h"
#include "lot/SummaryCache.h"

#include <memory>

namespace CompareJob {

namespace {

void tellNotices(SummaryCache *cache)
{
    if (!cache)
        return;
    for (const QString &notice : cache->TakeNotices())
        BatchJobs::PrintError(notice);
}

std::unique_ptr<SummaryCache> openCache(const Options &options)
{
    std::unique_ptr<SummaryCache> cache;
    if (!options.cache)
        return cache;
    cache = std::make_unique<SummaryCache>();
    if (!cache->Open()) {
        tellNotices(cache.get());
        cache.reset();
    }
    tellNotices(cache.get());
    return cache;
}

} // namespace

ExitStatus Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    std::unique_ptr<SummaryCache> cache = openCache(options);
    const LotScan::Runner run = [](qsizetype count, const LotScan::Work &work) {
        BatchJobs::RunEach(count, work, StopSignals::Requested);
    };
    CompareReader::Side sides[2];
    bool partly = false, misaligned = false;
    for (int i = 0; i < 2; ++i) {
        QString error;
        if (!CompareReader::Read(options.files.at(i), options.Inputs(), cache.get(), run, &StopSignals::Flag(),
                                 &sides[i], &error)) {
            if (!StopSignals::Requested())
                BatchJobs::PrintError(error);
            return ExitStatus::Failure;
        }
        tellNotices(cache.get());
        for (const QString &message : std::as_const(sides[i].errors))
            BatchJobs::PrintError(message);
        for (const QString &message : std::as_const(sides[i].misaligned))
            BatchJobs::PrintError(message);
        partly = partly || !sides[i].errors.isEmpty();
        misaligned = misaligned || !sides[i].misaligned.isEmpty();
    }
    const Comparison comparison = Comparison::Of(*sides[0].side, *sides[1].side);
    switch (options.format) {
    case SummaryWriter::Json:
        out.Write(CompareWriter::Json(sides[0].about, sides[1].about, comparison, options.alpha));
        break;
    case SummaryWriter::Csv:
        out.Write(CompareWriter::Csv(comparison, options.alpha));
        break;
    default:
        out.Write(CompareWriter::Text(sides[0].about, sides[1].about, comparison, options.alpha));
        break;
    }
    const ExitStatus status = partly                                  ? ExitStatus::Failure
        : comparison.Shifted(options.alpha) || misaligned ? ExitStatus::SomeFailed
                                                                      : ExitStatus::Success;
    return out.Finish(status);
}

} // namespace CompareJob
