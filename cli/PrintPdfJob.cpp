#include "cli/PrintPdfJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"

namespace PrintPdfJob {

ExitStatus Run(const Options &options, const Writer &writePdf)
{
    const ReportPdf::Request request{options.pageSize, options.verdicts, options.Inputs()};
    const auto work = [&writePdf, request](const BatchJobs::Job &job, QString *error) {
        return writePdf(job.input, job.output, request, error, &StopSignals::Flag());
    };
    return BatchJobs::PlanAndRun(options.target, options.files, QStringLiteral(".pdf"), work,
                                 StopSignals::Requested);
}

} // namespace PrintPdfJob
