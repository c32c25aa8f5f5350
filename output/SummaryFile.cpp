#include "output/SummaryFile.h"

#include "data/JudgePipeline.h"
#include "data/FileError.h"
#include "output/StagedFile.h"
#include "output/SummaryWriters.h"

#include <QIODevice>

namespace SummaryFile {

SummaryWriter::Format FormatOfName(const QString &name)
{
    if (name.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return SummaryWriter::Json;
    if (name.endsWith(QLatin1String(".jsonl"), Qt::CaseInsensitive))
        return SummaryWriter::JsonLines;
    return SummaryWriter::Csv;
}

namespace {

// The summary's whole output for the one file, handed to `out`.
void summarise(const QString &resultPath, const MeasurementRows &rows, const JudgeInputs &inputs,
               SummaryWriter::Format format, const SummaryWriter::Sink &out)
{
    const std::unique_ptr<SummaryWriter> writer = SummaryWriters::Create(format);
    writer->SetLimitSource(inputs.limits.Source());
    writer->Begin(out);
    JudgePipeline pipeline(inputs);
    bool wrote = false;
    const SummaryWriter::Sink fileOut = [&](QByteArrayView text) {
        wrote = wrote || !text.isEmpty();
        out(text);
    };
    {
        const std::unique_ptr<SummaryWriter::FileReport> report = writer->ReportFile(resultPath, fileOut);
        pipeline.JudgeRows(rows, [&](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &,
                                     qsizetype) {
            report->AddFiber(fiber);
            return true;
        });
        pipeline.Finish();
        report->End(pipeline.Judge());
    }
    const ThresholdJudge &judge = pipeline.Judge();
    SummaryWriter::Run run;
    run.pathsGiven = 1;
    run.banded = inputs.Banded();
    run.filesWrote = wrote;
    run.files.append({resultPath, judge.FiberCount(), judge.FailedCount(), judge.Passed(), judge.MarginalCount()});
    run.totals = {1, judge.Passed() ? 0 : 1, judge.FiberCount(), judge.FailedCount(), judge.MarginalCount()};
    writer->Finish(run, out);
}

} // namespace

bool WriteFile(const QString &resultPath, const MeasurementRows &rows, const JudgeInputs &inputs,
               const QString &path, QString *error)
{
    QString fileError;
    QString notice;
    bool complete = true;
    const bool written = StagedFile::Write(
        path,
        [&](QIODevice &file) {
            summarise(resultPath, rows, inputs, FormatOfName(path), [&](QByteArrayView text) {
                complete = complete && file.write(text.data(), text.size()) == text.size();
            });
            return complete;
        },
        &fileError, &notice);
    if (!written)
        return FileError::WriteFailed(path, fileError, error);
    if (error)
        *error = notice;
    return true;
}

} // namespace SummaryFile
