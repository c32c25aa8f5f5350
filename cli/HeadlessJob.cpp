#include "cli/HeadlessJob.h"

#include "cli/ClearCacheJob.h"
#include "cli/CompareJob.h"
#include "cli/ExportCsvJob.h"
#include "cli/ExportXlsxJob.h"
#include "cli/HelpJob.h"
#include "cli/Options.h"
#include "cli/PushJob.h"
#include "cli/SummaryJob.h"
#include "cli/SweepJob.h"
#include "cli/TrendJob.h"

namespace HeadlessJob {

ExitStatus Run(const Options &options, const Drawing &drawing)
{
    switch (options.job) {
    case Options::Job::ExportCsv:
        return ExportCsvJob::Run(options);
    case Options::Job::ExportXlsx:
        return ExportXlsxJob::Run(options);
    case Options::Job::PrintPdf:
        if (drawing.writePdf)
            return PrintPdfJob::Run(options, drawing.writePdf, drawing.writeLotPdf);
        break;
    case Options::Job::Plot:
        if (drawing.writePlot)
            return PlotJob::Run(options, drawing.writePlot);
        break;
    case Options::Job::Summary:
        return SummaryJob::Run(options);
    case Options::Job::Trend:
        return TrendJob::Run(options);
    case Options::Job::Sweep:
        return SweepJob::Run(options);
    case Options::Job::Compare:
        return CompareJob::Run(options);
    case Options::Job::Push:
        return PushJob::Run(options);
    case Options::Job::ClearCache:
        return ClearCacheJob::Run();
    case Options::Job::Help:
        return HelpJob::PrintHelp();
    case Options::Job::Version:
        return HelpJob::PrintVersion();
    case Options::Job::Window:
        break;
    }
    // The window, and drawing, are the window program's own: its callers
    // never bring them here.
    Q_ASSERT_X(false, "HeadlessJob::Run", "a job for the window program");
    return ExitStatus::Failure;
}

} // namespace HeadlessJob
