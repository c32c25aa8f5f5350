#pragma once

#include "data/Limits.h"
#include "data/MeasurementRows.h"
#include "data/MarginRun.h"
#include "data/PowerBins.h"
#include "data/RunningMoments.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QVarLengthArray>

#include <limits>
#include <optional>

// Judges the fibers of one result file against the threshold that every
// row carries, block of 18 rows after block, and keeps the file's figures
// per channel. Rows in, verdicts and statistics out; nothing is shown.
//
// A channel passes when its power and its threshold both hold a number and
// the power is at or above the threshold; its margin is power minus
// threshold in dB. A fiber passes when it has 18 rows and every one of them
// passes. The file passes when it has a fiber and every fiber passes.
//
// A warning margin, when one is given, marks a band above each threshold:
// a fiber that passes, but whose worst margin is below the warning margin,
// is marginal. It still passes.
//
// Limits, where given, judge the channels they set instead: a lower limit
// takes the place of the rows' threshold, a power above an upper limit
// fails, and the margin is then the nearer of power minus lower and upper
// minus power; a channel's own band takes the place of the warning margin.
class ThresholdJudge
{
public:
    // Why a channel, or a fiber, failed; several may hold at once.
    enum Failure {
        NoFailure = 0,
        Incomplete = 1,     // a fiber of fewer than 18 rows
        BelowThreshold = 2, // the power is below the threshold
        Low = 4,            // the power reads "Low"
        NoNumber = 8,       // the power or the threshold holds no number
        Misaligned = 16,    // the fiber's rows are not where the table's lines begin
        BelowLimit = 32,    // the power is below the user's lower limit
        AboveLimit = 64,    // the power is above the user's upper limit
    };
    // How many kinds of failure there are, each a bit.
    static constexpr int FailureKinds = 7;
    Q_DECLARE_FLAGS(Failures, Failure)

    // What a judge keeps besides the counts of fibers: the figures of every
    // channel, or nothing more (the verdicts alone come quicker).
    enum Keeping { ChannelFiguresKept, VerdictsOnly };
    explicit ThresholdJudge(Keeping keeping = ChannelFiguresKept,
                            std::optional<double> warnMargin = std::nullopt, const Limits &limits = {})
        : m_keeping(keeping), m_warnMargin(warnMargin), m_limits(limits), m_banded(warnMargin || limits.AnyWarn())
    {
    }
    Keeping KeepingOf() const { return m_keeping; }
    std::optional<double> WarnMargin() const { return m_warnMargin; }
    const Limits &LimitsOf() const { return m_limits; }
    // Whether fibers are told marginal: with a warning margin, or a band
    // of any channel's limits.
    bool Banded() const { return m_banded; }

    // The marginal band's rule: a fiber that passed is marginal when its
    // worst margin lies below the warning margin. A margin equal to the
    // warning margin is not marginal; a fiber that failed never is.
    static bool IsMarginal(bool passed, const std::optional<double> &worstMargin, double warnMargin)
    {
        return passed && worstMargin && *worstMargin < warnMargin;
    }

    struct Channel
    {
        Failures failures;
        std::optional<double> margin;
    };
    static Channel JudgeChannel(const MeasurementRows::Row &row, const Limits &limits = {});

    // A fiber's verdict. Its texts are views into the block's rows: they
    // hold until the block is cut into again.
    struct Fiber
    {
        QByteArrayView name; // the field's bytes, as in the file
        qsizetype rows = 0;
        Failures failures;
        // Their channel fields, in row order; a fiber has at most 18 rows.
        QVarLengthArray<QByteArrayView, 18> failedChannels;
        // The rows that failed: bit i for the fiber's row i.
        quint32 failedRows = 0;
        // The worst channel: the first whose power is Low or whose power or
        // threshold holds no number, for nothing is worse than a channel that
        // cannot be measured; where every channel has a margin, the one with
        // the smallest (the first of equals). -1 for a fiber of no rows. Its
        // fields, what failed there, and its margin where it has one.
        int worstRow = -1;
        QByteArrayView worstChannel;
        QByteArrayView worstPower;
        QByteArrayView worstThreshold;
        Failures worstFailures;
        std::optional<double> worstMargin;
        // The user's limit that margin is taken from, where it is one, and
        // whether it is the upper one.
        std::optional<double> worstLimit;
        bool worstUpper = false;
        // Whether it is marginal; none where the judge has no band.
        std::optional<bool> marginal;

        bool passed() const { return failures == NoFailure; }
    };

    // The figures of one channel over the file: rows, failed rows, and the
    // numeric powers ("Low" is none). Channels are told apart by the text
    // a person reads, so two fields that show the same are one channel.
    //
    // The means and the squares are summed up in runs of ChunkFibers
    // fibers, each run on its own, and the runs are then combined in their
    // order; the bins count the same whatever the order. A file judged in
    // parts, on several threads, gives the very numbers of the file judged
    // from its start to its end.
    struct ChannelFigures
    {
        QByteArray channel;    // as shown: decoded, without blanks around it, UTF-8
        QByteArray waveLength; // the field of the channel's first row, as in the file
        qsizetype count = 0;
        qsizetype failed = 0;
        qsizetype lows = 0; // rows whose power reads Low
        qsizetype powers = 0;
        double min = 0;
        double max = 0;
        double mean = 0;
        // Of the deviations from the mean, summed; scaled down by
        // 2^(2 * ScaleExponent) when `scaled`, because the plain sum would
        // have overflowed.
        double squares = 0;
        bool scaled = false;

        // The margins (power minus threshold, of the rows where both hold a
        // number): their count, mean and sample standard deviation, none
        // where too few or where no number holds them.
        qsizetype margins = 0;
        std::optional<double> marginMean;
        std::optional<double> marginDeviation;
        // The one-sided capability against the threshold, margin mean over
        // three margin deviations; none below two margins, for a deviation
        // of 0 or where no number holds it.
        std::optional<double> cpk;
        // Over every row, Low and no-number rows too: the share that
        // failed, and the capability that share stands for where the
        // margins were normal, Phi^-1(1 - share) / 3; none where no row
        // failed. Where every row failed, the share is taken as
        // 1 - 1/(2 rows), so that it stays a number.
        std::optional<double> failingShare;
        std::optional<double> cpkObserved;
        // The lower of cpk and cpkObserved, what the channel's capability
        // is judged by (see Wording::Capability); none where neither is.
        std::optional<double> capability;
        // The limits the channel was judged by: the user's lower limit, or
        // the rows' threshold where they all carry the same one (none where
        // they differ); the upper limit and the band, where there are.
        std::optional<double> lower;
        std::optional<double> upper;
        std::optional<double> warn;
        bool userLower = false; // whether `lower` is the user's
        // The 1st, 50th, 95th and 99th percentiles of the numeric powers,
        // linear between the closest ranks (see PowerBins::Percentile).
        std::optional<double> p01;
        std::optional<double> p50;
        std::optional<double> p95;
        std::optional<double> p99;
        // Fibers that failed at this channel; fibers whose worst margin on
        // this channel is in the marginal band (0 without a warning margin).
        qsizetype failedFibers = 0;
        qsizetype marginal = 0;
        // The numeric powers, those of the rows that failed, and the
        // numeric thresholds, counted at each 0.01 dB: what the channel's
        // histogram is drawn from.
        PowerBins powerBins;
        PowerBins failingBins;
        PowerBins thresholdBins;

        // The sample standard deviation; none below two powers, or where no
        // number holds it.
        std::optional<double> standardDeviation() const;
    };

    // The failing fibers counted at each channel where they failed, and
    // for each reason they failed; largest first, equals in the channels'
    // order or the reasons' (Incomplete, BelowThreshold, Low, NoNumber).
    struct ChannelCount
    {
        QByteArray channel; // as shown, UTF-8
        qsizetype fibers = 0;
    };
    struct ReasonCount
    {
        Failure reason = NoFailure;
        qsizetype fibers = 0;
    };
    QList<ChannelCount> ParetoChannels() const;
    QList<ReasonCount> ParetoReasons() const;

    // A field as a person reads it: decoded from code page 936, without the
    // blanks around it, as UTF-8. A view of the field's own bytes is not
    // enough where it holds wide blanks.
    static QByteArray ShownText(QByteArrayView field);

    static constexpr qsizetype ChunkFibers = 4096;

    // Judges the `count` rows of `rows` from `first` on as one fiber, in
    // place, and counts it in. The fiber's worstRow counts from `first`.
    // A fiber whose rows are Misaligned fails for that alone: its fields
    // are not where their columns are, so none of them is judged or
    // counted in a channel's figures.
    Fiber AddFiber(const MeasurementRows &rows, qsizetype first, qsizetype count, bool misaligned = false);

    // Counts in what another judge made of the fibers that follow this
    // judge's, as if this judge had gone on to judge them. This judge's
    // fibers must fill whole runs of ChunkFibers.
    void Append(const ThresholdJudge &later);

    qsizetype FiberCount() const { return m_fibers; }
    qsizetype FailedCount() const { return m_failed; }
    // Fibers that are marginal; 0 without a warning margin.
    qsizetype MarginalCount() const { return m_marginal; }
    bool Passed() const { return m_fibers > 0 && m_failed == 0; }
    // In the order their texts first came; none for a judge of verdicts only.
    const QList<ChannelFigures> &Channels() const;

    // See RunningMoments: sums that would overflow are scaled by this.
    static constexpr int ScaleExponent = RunningMoments::ScaleExponent;

private:
    // What a channel's rows in the fiber being judged came to.
    struct InFiber
    {
        qsizetype fiber = -1; // the fiber it is of, counted by this judge
        bool failed = false;
        double worstMargin = 0; // of its rows that passed, which all have one
    };
    struct Tally
    {
        QByteArray channel;
        QByteArray waveLength;
        qsizetype count = 0;
        qsizetype failed = 0;
        qsizetype lows = 0;
        qsizetype failedFibers = 0;
        qsizetype marginal = 0;
        QList<RunningMoments> runs; // finished ones, in order
        RunningMoments run;         // the one under way
        QList<RunningMoments> marginRuns;
        MarginRun marginRun;
        PowerBins powers;
        PowerBins failing;
        PowerBins thresholds;
        InFiber inFiber;
        std::optional<ChannelLimit> limit;
        double leastThreshold = std::numeric_limits<double>::infinity();
        double greatestThreshold = -std::numeric_limits<double>::infinity();
    };

    // A field's number, or none; plainer to hand about than an optional in
    // the loop over every row.
    struct Number
    {
        double value = 0;
        bool held = false;
    };
    static Failures judge(QByteArrayView powerText, Number power, Number threshold,
                          const ChannelLimit *limit);
    // The lower limit a row is judged by: the user's, or its threshold.
    static Number lowerOf(Number threshold, const ChannelLimit *limit);
    // The row's margin, of a row whose power and lower limit hold numbers.
    static double marginOf(double power, double lower, const ChannelLimit *limit);
    const ChannelLimit *limitAt(QByteArrayView channel, qsizetype position);
    std::optional<double> bandOf(const ChannelLimit *limit) const;
    void tallyRow(Tally &tally, qsizetype index, Failures failures, Number power, Number threshold, Number lower);
    void endFiber(Fiber &fiber, bool marginalRow);
    void addLimits(ChannelFigures &figures, const Tally &tally) const;
    qsizetype tallyOf(const MeasurementRows::Row &row, qsizetype position);
    qsizetype indexOf(const QByteArray &key, QByteArrayView waveLength);
    Number thresholdValue(const MeasurementRows::Row &row);
    void endRun();

    Keeping m_keeping;
    std::optional<double> m_warnMargin;
    Limits m_limits;
    bool m_banded;
    qsizetype m_fibers = 0;
    qsizetype m_failed = 0;
    qsizetype m_marginal = 0;
    qsizetype m_reasons[FailureKinds] = {}; // failing fibers for each reason, in the order of the flags
    qsizetype m_fibersInRun = 0;
    QList<Tally> m_tallies;
    QVarLengthArray<qsizetype, 18> m_touched; // the tallies of the fiber being judged
    QHash<QByteArray, qsizetype> m_channelIndex;
    mutable QList<ChannelFigures> m_channels; // made from the tallies when asked
    mutable bool m_channelsMade = false;
    // The channel field of the row at each place in the last block, and
    // its figures.
    struct LastAt
    {
        QByteArray field;
        qsizetype index = -1;
    };
    QList<LastAt> m_lastAt;
    struct LimitAt
    {
        QByteArray field;
        std::optional<ChannelLimit> limit;
        bool known = false;
    };
    QList<LimitAt> m_limitAt;
    QByteArray m_lastThreshold;
    Number m_lastThresholdValue;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ThresholdJudge::Failures)
