#include "cli/SummaryJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OrderedOutput.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "cli/TerminalStatus.h"
#include "data/JudgePipeline.h"
#include "data/FileError.h"
#include "data/ResultFile.h"
#include "data/ResultFileFinder.h"
#include "output/SummaryWriters.h"

#include <new>
#include <unistd.h>

namespace {

// What each judging thread may hold of a file's output before its turn.
constexpr qsizetype kHeldOutput = qsizetype(1) << 20;

// What the run keeps of a file once it has been judged.
struct Outcome
{
    bool read = false;
    bool passed = false;
    qsizetype fibers = 0;
    qsizetype failed = 0;
    qsizetype marginal = 0;
    QString error;
};

// Judges one file, its report writing into its slot of `output`.
bool judgeFile(const SummaryWriter &writer, const ResultFileFinder::ResultFile &file,
               const JudgeInputs &inputs, qsizetype slot, OrderedOutput &output, Outcome *outcome)
{
    const std::unique_ptr<SummaryWriter::FileReport> report =
        writer.ReportFile(file.path, [&output, slot](QByteArrayView bytes) { output.Write(slot, bytes); });
    JudgePipeline pipeline(inputs);
    outcome->read = pipeline.ReadFile(
        file.path,
        [&](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &, qsizetype) {
            report->AddFiber(fiber);
            return true;
        },
        &outcome->error, &StopSignals::Flag(), file.found ? FileKinds::RegularOnly : FileKinds::Any);
    if (outcome->read) {
        pipeline.Finish();
        const ThresholdJudge &judge = pipeline.Judge();
        if (pipeline.Misaligned().Found())
            BatchJobs::PrintError(pipeline.Misaligned().Message(file.path));
        report->End(judge);
        outcome->passed = judge.Passed();
        outcome->fibers = judge.FiberCount();
        outcome->failed = judge.FailedCount();
        outcome->marginal = judge.MarginalCount();
    } else {
        report->Abandon(outcome->error);
    }
    output.Close(slot);
    return outcome->read;
}

// What the run's end tells of every file, in the files' order.
void tally(const QList<ResultFileFinder::ResultFile> &files, const std::vector<Outcome> &outcomes,
           SummaryWriter::Run *run)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Outcome &outcome = outcomes[size_t(i)];
        const ResultFileFinder::ResultFile &file = files.at(i);
        if (!outcome.read) {
            run->errors.append({file.path, outcome.error, file.found});
            continue;
        }
        run->files.append({file.path, outcome.fibers, outcome.failed, outcome.passed, outcome.marginal});
        ++run->totals.files;
        run->totals.fibers += outcome.fibers;
        run->totals.failedFibers += outcome.failed;
        run->totals.marginalFibers += outcome.marginal;
        if (!outcome.passed)
            ++run->totals.failedFiles;
    }
}

// Colour only where a person reads it.
bool colourWanted()
{
    const QByteArray term = qgetenv("TERM");
    return ::isatty(STDOUT_FILENO) && qEnvironmentVariableIsEmpty("NO_COLOR") && !term.isEmpty()
        && term != "dumb";
}

} // namespace

ExitStatus SummaryJob::Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    const bool colour = options.format == SummaryWriter::Text && colourWanted();
    const auto write = [&out](QByteArrayView text) { out.Write(text); };
    const ExitStatus status = judge(options.files, options.format, colour, options.Inputs(),
                                    [&write](QByteArrayView text) { TerminalStatus::Output(text, write); });
    const ExitStatus finished = out.Finish(status);
    TerminalStatus::Close();
    return finished;
}

ExitStatus SummaryJob::judge(const QStringList &paths, SummaryWriter::Format format, bool colour,
                             const JudgeInputs &inputs, const SummaryWriter::Sink &out)
{
    SummaryWriter::Run run;
    run.banded = inputs.Banded();
    const ResultFileFinder::ResultFiles list = ResultFileFinder::Find(paths, &run.errors, StopSignals::Requested);
    for (const SummaryWriter::PathError &error : std::as_const(run.errors))
        BatchJobs::PrintError(error.message);
    if (StopSignals::Requested())
        return ExitStatus::Failure;
    run.pathsGiven = list.given;
    run.pathsFound = list.found;

    const std::unique_ptr<SummaryWriter> writer = SummaryWriters::Create(format, colour);
    writer->SetLimitSource(inputs.limits.Source());
    writer->Begin(out);
    OrderedOutput output(out, list.files.size(), writer->FileSeparator(), kHeldOutput,
                         StopSignals::Requested);
    std::vector<Outcome> outcomes(size_t(list.files.size()));
    BatchJobs::RunEach(
        list.files.size(),
        [&](qsizetype i, QString *error) {
            Outcome &outcome = outcomes[size_t(i)];
            const bool read = judgeFile(*writer, list.files.at(i), inputs, i, output, &outcome);
            *error = outcome.error;
            return read;
        },
        StopSignals::Requested);
    if (StopSignals::Requested())
        return ExitStatus::Failure;

    tally(list.files, outcomes, &run);
    run.filesWrote = output.AnyWritten();
    writer->Finish(run, out);
    if (!run.errors.isEmpty())
        return ExitStatus::Failure;
    return run.totals.failedFiles > 0 ? ExitStatus::SomeFailed : ExitStatus::Success;
}
