#include "cli/ExportXlsxJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "output/WorkbookExport.h"

namespace ExportXlsxJob {

ExitStatus Run(const Options &options)
{
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
