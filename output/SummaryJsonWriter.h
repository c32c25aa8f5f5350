#pragma once

#include "data/ChannelColumns.h"
#include "output/SummaryWriter.h"

class JsonObject;

// The verdicts for tools, as one JSON document:
// {"files": [{"path", "fiber_results": [...], "verdict", "fibers",
// "failed", "marginal", "yield", "channels": [...], "pareto"}], "verdict",
// "errors": [{"path", "message"}]}; "marginal" only with a warning margin. A path that is not UTF-8 also has "path_bytes". Written
// piece by piece, a fiber at a time, so that a file of a million rows
// never stands as a tree of values in memory; what sums up a file or the
// run comes after what it sums up.
class SummaryJsonWriter : public SummaryWriter
{
    Q_DECLARE_TR_FUNCTIONS(SummaryJsonWriter)

public:
    void Begin(const Sink &out) const override;
    std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const override;
    QByteArrayView FileSeparator() const override { return ","; }
    void Finish(const Run &run, const Sink &out) const override;

    // The members of a fiber's object, from "name" to "worst_margin", and
    // "marginal" where the judge had a warning margin.
    static void AppendFiber(JsonObject &object, const ThresholdJudge::Fiber &fiber);
    // The members that sum up a judged file, from "verdict" to "yield",
    // each led by `separator`.
    static void AppendFileFigures(QByteArray &out, const ThresholdJudge &judge, QByteArrayView separator);
    // A channel's figures as an object; "marginal" where `banded`.
    static void AppendChannel(QByteArray &out, const ThresholdJudge::ChannelFigures &figures, bool banded);
    // One of ChannelColumns' figures as a member: a count, a number or
    // null, a capability's word.
    static void AppendColumn(JsonObject &object, const ChannelColumns::Column &column,
                             const ThresholdJudge::ChannelFigures &figures);
    // The failing fibers per channel and per reason, as an object of two
    // lists, largest first.
    static void AppendPareto(QByteArray &out, const ThresholdJudge &judge);
    // "pass" or "fail", quoted.
    static QByteArrayView Verdict(bool passed);
};
