#include "cli/CompareJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "lot/CompareReader.h"
#include "lot/SummaryCache.h"

#include <QFileInfo>

#include <memory>
#include <thread>

namespace CompareJob {

ExitStatus Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    std::unique_ptr<SummaryCache> cache = BatchJobs::OpenCache(options.cache);
    const LotScan::Runner run = [](qsizetype count, const LotScan::Work &work) {
        BatchJobs::RunEach(count, work, StopSignals::Requested);
    };
    CompareReader::Side sides[2];
    QString errors[2];
    bool read[2] = {false, false};
    const auto readSide = [&](int i) {
        read[i] = CompareReader::Read(options.files.at(i), options.Inputs(), cache.get(), run, &StopSignals::Flag(),
                                      &sides[i], &errors[i]);
    };
    // A file needs no cache: it is read beside the other side, on a thread
    // of its own. Two folders share the cache, one after the other.
    if (QFileInfo(options.files.at(0)).isDir() && QFileInfo(options.files.at(1)).isDir()) {
        readSide(0);
        if (read[0])
            readSide(1);
    } else {
        std::thread other(readSide, 1);
        readSide(0);
        other.join();
    }
    BatchJobs::PrintNotices(cache.get());
    bool partly = false, misaligned = false;
    for (int i = 0; i < 2; ++i) {
        if (!read[i]) {
            if (!StopSignals::Requested())
                BatchJobs::PrintError(errors[i]);
            return ExitStatus::Failure;
        }
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
