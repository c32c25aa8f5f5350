#include "cli/PrintPdfJob.h"

#include "cli/BatchJobs.h"
#include "cli/LotJob.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"

namespace PrintPdfJob {

ExitStatus Run(const Options &options, const Writer &writePdf, const LotWriter &writeLotPdf)
{
    if (options.lot) {
        return LotJob::Run(options, QStringLiteral(".pdf"),
                           [&](const CompareReader::Side &lot, const QString &target, QString *error) {
                               return writeLotPdf(lot, target, options.pageSize, error, &StopSignals::Flag());
                           });
    }
    const ReportPdf::Request request{options.pageSize, options.verdicts, options.Inputs()};
    const auto work = [&writePdf, request](const BatchJobs::Job &job, QString *error) {
        return writePdf(job.input, job.output, request, error, &StopSignals::Flag());
    };
    return BatchJobs::PlanAndRun(options.target, options.files, QStringLiteral(".pdf"), work,
                                 StopSignals::Requested);
}

} // namespace PrintPdfJob
