#pragma once

#include "data/ThresholdJudge.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

#include <optional>

// The program's words for what it judged, the same in every output (the
// summaries, lots and trends, the workbook, the report, the window): the
// reasons a fiber failed and the yield, which is always rounded down, so
// that only a file or a lot where every fiber passed shows 100 %.
struct LotFigures;

class Wording
{
    Q_DECLARE_TR_FUNCTIONS(Wording)
public:
    // The reasons a fiber failed: "incomplete", "below threshold", "Low",
    // "no number", "misaligned", those that hold, joined by ", "; empty
    // when it passed.
    static QString Reasons(ThresholdJudge::Failures failures);
    // The same as UTF-8, made once for each set of reasons.
    static QByteArrayView ReasonsUtf8(ThresholdJudge::Failures failures);

    // A capability as its word: "good" from 1.33 on, "fair" from 1.0 on,
    // "low" below (see ThresholdJudge::ChannelFigures::capability).
    static QString Capability(double value);
    static QByteArray CapabilityUtf8(double value) { return Capability(value).toUtf8(); }
    static constexpr double CapableFrom = 1.33;
    static constexpr double FairFrom = 1.0;

    // The yield as a share of a million, rounded down; 0 without fibers.
    static qint64 YieldMillionths(qsizetype fibers, qsizetype failed);
    // The same as a fraction (0.998), for the formats that give numbers.
    static double YieldFraction(qsizetype fibers, qsizetype failed);
    // "99.8 %", to a tenth of a percent, rounded down; "-" without fibers.
    // In a table's column, `inColumn`: "99.8%".
    static QString YieldPercent(qsizetype fibers, qsizetype failed, bool inColumn = false);
    // "39 of 48 fibers pass (81.2 %)"; with a warning margin ", 5 marginal"
    // after it.
    static QString YieldLine(qsizetype fibers, qsizetype failed, std::optional<qsizetype> marginal = std::nullopt);
    // A lot's figures in a sentence or two: "200 files, 8871 of 8888 fibers
    // passed (99.8 %), each counted once; ...".
    static QString LotLine(const LotFigures &figures);
};
