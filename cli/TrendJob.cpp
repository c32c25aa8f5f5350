#include "cli/TrendJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "cli/TerminalStatus.h"
#include "lot/LotModel.h"
#include "lot/LotScan.h"
#include "lot/SummaryCache.h"
#include "lot/TrendWriter.h"

#include <memory>
#include <unistd.h>

namespace TrendJob {

namespace {

void tellNotices(SummaryCache *cache)
{
    if (!cache)
        return;
    for (const QString &notice : cache->TakeNotices())
        BatchJobs::PrintError(notice);
}

bool colourWanted()
{
    const QByteArray term = qgetenv("TERM");
    return ::isatty(STDOUT_FILENO) && qEnvironmentVariableIsEmpty("NO_COLOR") && !term.isEmpty()
        && term != "dumb";
}

ExitStatus statusOf(const LotModel &lot)
{
    bool failed = false;
    for (int row = 0; row < lot.FileCount(); ++row) {
        const LotFile &file = lot.FileAt(row);
        if (!file.summary)
            return ExitStatus::Failure;
        failed = failed || !file.summary->FilePassed();
    }
    return failed || lot.FileCount() == 0 ? ExitStatus::SomeFailed : ExitStatus::Success;
}

} // namespace

ExitStatus Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    std::unique_ptr<SummaryCache> cache;
    if (options.cache) {
        cache = std::make_unique<SummaryCache>();
        if (!cache->Open())
            tellNotices(cache.get()), cache.reset();
        tellNotices(cache.get());
    }
    const LotScan::Result scan = LotScan::Scan(
        options.files, options.Inputs(), cache.get(),
        [](qsizetype count, const LotScan::Work &work) { BatchJobs::RunEach(count, work, StopSignals::Requested); },
        &StopSignals::Flag(), BatchJobs::PrintError);
    tellNotices(cache.get());
    if (StopSignals::Requested())
        return ExitStatus::Failure;
    for (const LotFile &file : scan.files) {
        if (file.summary && file.summary->Misaligned().Found())
            BatchJobs::PrintError(file.summary->Misaligned().Message(file.path));
    }

    LotModel lot;
    lot.Reset(scan.files);
    const bool colour = options.format == SummaryWriter::Text && colourWanted();
    const QByteArray text = TrendWriter::Write(options.format, lot, options.Inputs(), colour);
    TerminalStatus::Output(text, [&out](QByteArrayView bytes) { out.Write(bytes); });
    const ExitStatus finished = out.Finish(statusOf(lot));
    TerminalStatus::Close();
    return finished;
}

} // namespace TrendJob
