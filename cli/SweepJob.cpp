#include "cli/SweepJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "data/ResultFileFinder.h"
#include "data/YieldSweep.h"
#include "output/SweepWriter.h"

namespace SweepJob {

ExitStatus Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    QList<ResultFileFinder::PathError> errors;
    const ResultFileFinder::ResultFiles list = ResultFileFinder::Find(options.files, &errors, StopSignals::Requested);
    ExitStatus status = errors.isEmpty() ? ExitStatus::Success : ExitStatus::Failure;
    for (const ResultFileFinder::PathError &error : std::as_const(errors))
        BatchJobs::PrintError(error.message);
    YieldSweep sweep(options.Inputs());
    bool misaligned = false;
    for (const ResultFileFinder::ResultFile &file : list.files) {
        if (StopSignals::Requested())
            return ExitStatus::Failure;
        // The fibers' verdicts are all a sweep needs of the judge.
        JudgePipeline pipeline(options.Inputs(), ThresholdJudge::VerdictsOnly);
        sweep.BeginFile();
        QString error;
        const bool read = pipeline.ReadFile(
            file.path,
            [&sweep](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first) {
                sweep.AddJudged(fiber, rows, first);
                return true;
            },
            &error, &StopSignals::Flag(), file.found ? FileKinds::RegularOnly : FileKinds::Any);
        if (!read) {
            if (StopSignals::Requested())
                return ExitStatus::Failure;
            BatchJobs::PrintError(error);
            status = ExitStatus::Failure;
            continue;
        }
        if (pipeline.Misaligned().Found()) {
            BatchJobs::PrintError(pipeline.Misaligned().Message(file.path));
            misaligned = true;
        }
    }
    const QList<YieldSweep::Curve> curves = sweep.Curves(options.sweepStep, options.sweepTarget, options.sweepChannel);
    if (!options.sweepChannel.isEmpty() && curves.isEmpty()) {
        BatchJobs::PrintError(Options::tr("no channel %1 in the result files")
                                  .arg(QString::fromUtf8(options.sweepChannel)));
        status = ExitStatus::Failure;
    }
    out.Write(options.format == SummaryWriter::Json ? SweepWriter::Json(curves, options.sweepTarget)
                                                    : SweepWriter::Csv(curves, options.sweepTarget));
    if (status == ExitStatus::Success && misaligned)
        status = ExitStatus::SomeFailed;
    return out.Finish(status);
}

} // namespace SweepJob
