#include "cli/LotJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "lot/SummaryCache.h"

#include <QDir>
#include <QFileInfo>

namespace LotJob {

ExitStatus Run(const Options &options, const QString &suffix, const Writer &write)
{
    const QString folder = options.files.first();
    QString target = options.target;
    if (QFileInfo(target).isDir())
        target = QDir(target).filePath(QFileInfo(QDir::cleanPath(folder)).fileName() + suffix);
    std::unique_ptr<SummaryCache> cache = BatchJobs::OpenCache(options.cache);
    const LotScan::Runner run = [](qsizetype count, const LotScan::Work &work) {
        BatchJobs::RunEach(count, work, StopSignals::Requested);
    };
    CompareReader::Side lot;
    QString error;
    const bool read =
        CompareReader::Read(folder, options.Inputs(), cache.get(), run, &StopSignals::Flag(), &lot, &error);
    BatchJobs::PrintNotices(cache.get());
    if (!read) {
        BatchJobs::PrintError(error);
        return ExitStatus::Failure;
    }
    for (const QString &message : lot.errors + lot.misaligned)
        BatchJobs::PrintError(message);
    if (!write(lot, target, &error)) {
        BatchJobs::PrintError(error);
        return ExitStatus::Failure;
    }
    if (!error.isEmpty())
        BatchJobs::PrintError(error);
    if (!lot.errors.isEmpty())
        return ExitStatus::Failure;
    return lot.misaligned.isEmpty() ? ExitStatus::Success : ExitStatus::SomeFailed;
}

} // namespace LotJob
