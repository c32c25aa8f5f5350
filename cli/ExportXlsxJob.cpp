#include "cli/ExportXlsxJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "data/NativePath.h"
#include "lot/CompareReader.h"
#include "lot/LotWorkbook.h"
#include "lot/SummaryCache.h"
#include "output/WorkbookExport.h"

#include <QDir>
#include <QFileInfo>

namespace ExportXlsxJob {

namespace {

// --lot: the folder read as a lot, through the summary cache, into the
// target, or into NAME.xlsx in the target where that is a folder. Files
// that cannot be read are told and listed on the Files sheet.
ExitStatus runLot(const Options &options)
{
    const QString folder = options.files.first();
    QString target = options.target;
    if (QFileInfo(target).isDir())
        target = QDir(target).filePath(QFileInfo(QDir::cleanPath(folder)).fileName() + QLatin1String(".xlsx"));
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
    if (!LotWorkbook::Write(lot, target, &error, &StopSignals::Flag())) {
        BatchJobs::PrintError(error);
        return ExitStatus::Failure;
    }
    if (!error.isEmpty())
        BatchJobs::PrintError(error);
    if (!lot.errors.isEmpty())
        return ExitStatus::Failure;
    return lot.misaligned.isEmpty() ? ExitStatus::Success : ExitStatus::SomeFailed;
}

} // namespace

ExitStatus Run(const Options &options)
{
    if (options.lot)
        return runLot(options);
    const JudgeInputs inputs = options.Inputs();
    // A file whose rows are not aligned fails, as --summary judges it.
    std::atomic<bool> misalignedSeen{false};
    const auto work = [&](const BatchJobs::Job &job, QString *error) {
        Misalignment misaligned;
        const bool written = WorkbookExport::ExportResultFile(job.input, job.output, inputs, error,
                                                              &StopSignals::Flag(), &misaligned);
        if (misaligned.Found()) {
            BatchJobs::PrintError(misaligned.Message(job.input));
            misalignedSeen = true;
        }
        return written;
    };
    const ExitStatus status =
        BatchJobs::PlanAndRun(options.target, options.files, QStringLiteral(".xlsx"), work, StopSignals::Requested);
    return status == ExitStatus::Success && misalignedSeen ? ExitStatus::SomeFailed : status;
}

} // namespace ExportXlsxJob
