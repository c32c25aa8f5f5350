#include "output/ReportVerdicts.h"

#include "data/ChannelTable.h"

ReportVerdicts ReportVerdicts::Judge(const MeasurementRows &rows, std::optional<double> warnMargin,
                                     const QString &fileName, const QByteArray &header,
                                     const QDateTime &printed)
{
    ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, warnMargin);
    QList<Failing> failing;
    for (qsizetype first = 0, block = 0; first < rows.Count(); first += ChannelTable::FiberSize, ++block) {
        const qsizetype count = qMin<qsizetype>(ChannelTable::FiberSize, rows.Count() - first);
        const ThresholdJudge::Fiber fiber = judge.AddFiber(rows, first, count);
        if (!fiber.passed())
            failing.append({block, {fiber.failures, fiber.worstRow, fiber.worstFailures, fiber.worstMargin}});
    }
    judge.Channels();
    return ReportVerdicts(fileName, header, printed, std::move(judge), std::move(failing));
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
