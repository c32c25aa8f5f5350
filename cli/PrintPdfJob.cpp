#include "cli/PrintPdfJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"

namespace PrintPdfJob {

ExitStatus Run(const Options &options, const Writer &writePdf)
{
    const QString pageSize = options.pageSize;
    const auto work = [&writePdf, pageSize](const BatchJobs::Job &job, QString *error) {
        return writePdf(job.input, job.output, pageSize, error, &StopSignals::Flag());
    };
    return BatchJobs::PlanAndRun(options.target, options.files, QStringLiteral(".pdf"), work,
                                 StopSignals::Requested);
}

} // namespace PrintPdfJob
