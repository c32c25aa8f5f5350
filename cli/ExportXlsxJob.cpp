#include "cli/ExportXlsxJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "cli/LotJob.h"
#include "lot/LotWorkbook.h"
#include "output/WorkbookExport.h"

namespace ExportXlsxJob {


ExitStatus Run(const Options &options)
{
    if (options.lot) {
        return LotJob::Run(options, QStringLiteral(".xlsx"), [](const CompareReader::Side &lot, const QString &target,
                                                                 QString *error) {
            return LotWorkbook::Write(lot, target, error, &StopSignals::Flag());
        });
    }
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
