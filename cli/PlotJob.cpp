#include "cli/PlotJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/StopSignals.h"
#include "data/NativePath.h"

namespace PlotJob {

QString Format(const Options &options, QString *error)
{
    if (!options.imageFormat.isEmpty())
        return options.imageFormat;
    if (options.files.size() > 1 || BatchJobs::IsFolder(options.target))
        return QStringLiteral("png");
    const QString format = DistributionImage::FormatOfName(options.target);
    if (format.isEmpty())
        *error = Options::tr("--plot %1: name a file ending in .png, .svg or .pdf, or give --format")
                     .arg(NativePath::Display(options.target));
    return format;
}

ExitStatus Run(const Options &options, const Writer &writePlot)
{
    QString error;
    const QString format = Format(options, &error);
    if (format.isEmpty()) {
        BatchJobs::PrintError(error);
        return ExitStatus::UnusableArguments;
    }
    const DistributionImage::Plot plot{format, options.imageSize, options.Inputs()};
    const auto work = [&writePlot, &plot](const BatchJobs::Job &job, QString *jobError) {
        return writePlot(job.input, job.output, plot, jobError, &StopSignals::Flag());
    };
    return BatchJobs::PlanAndRun(options.target, options.files, QLatin1Char('.') + format, work,
                                 StopSignals::Requested);
}

} // namespace PlotJob
