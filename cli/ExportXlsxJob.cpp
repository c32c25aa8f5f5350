#include "cli/ExportXlsxJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "output/WorkbookExport.h"

namespace ExportXlsxJob {

ExitStatus Run(const Options &options)
{
    const std::optional<double> warnMargin = options.warnMargin;
    const auto work = [warnMargin](const BatchJobs::Job &job, QString *error) {
        return WorkbookExport::ExportResultFile(job.input, job.output, warnMargin, error, &StopSignals::Flag());
    };
    return BatchJobs::PlanAndRun(options.target, options.files, QStringLiteral(".xlsx"), work,
                                 StopSignals::Requested);
}

} // namespace ExportXlsxJob
