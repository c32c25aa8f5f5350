#include "output/ReportVerdicts.h"

#include "data/JudgePipeline.h"

ReportVerdicts ReportVerdicts::Judge(const MeasurementRows &rows, const JudgeInputs &inputs,
                                     const QString &fileName, const QByteArray &header,
                                     const QDateTime &printed)
{
    JudgePipeline pipeline(inputs);
    QList<Failing> failing;
    pipeline.JudgeRows(rows, [&](qsizetype block, const ThresholdJudge::Fiber &fiber, const MeasurementRows &,
                                 qsizetype) {
        if (!fiber.passed())
            failing.append({block, LoadedFile::VerdictOf(fiber)});
        return true;
    });
    pipeline.Finish();
    return ReportVerdicts(fileName, header, printed, pipeline.TakeJudge(), std::move(failing));
}

ReportVerdicts ReportVerdicts::FromVerdicts(const QList<LoadedFile::Verdict> &byBlock, ThresholdJudge figures,
                                            const QString &fileName, const QByteArray &header,
                                            const QDateTime &printed)
{
    QList<Failing> failing;
    for (qsizetype block = 0; block < byBlock.size(); ++block) {
        if (!byBlock.at(block).passed())
            failing.append({block, byBlock.at(block)});
    }
    figures.Channels();
    return ReportVerdicts(fileName, header, printed, std::move(figures), std::move(failing));
}
