#include "cli/LotJob.h"

#include "cli/BatchJobs.h"
#include "cli/OptionReader.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "lot/SummaryCache.h"

#include <QDir>
#include <QFileInfo>

namespace LotJob {

bool Check(const Options &options, QString *error)
{
    using OptionReader::Fail;
    using OptionReader::Name;
    if (options.job != Options::Job::ExportXlsx && options.job != Options::Job::PrintPdf)
        return Fail(error, Options::tr("--%1 is only for --%2 and --%3")
                               .arg(Name("lot"), Name("export-xlsx"), Name("print-pdf")));
    if (options.verdicts)
        return Fail(error, Options::tr("--%1 --%2 is a report of its own: it takes no --%3")
                               .arg(Name("print-pdf"), Name("lot"), Name("verdicts")));
    if (options.files.size() != 1 || !QFileInfo(options.files.first()).isDir())
        return Fail(error, Options::tr("--%1 takes one folder").arg(Name("lot")));
    return true;
}

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
