#pragma once

#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

class CompareSide;

// Two sides compared: for each channel, how far B's powers stand from
// A's and whether that is more than chance; for the fibers both sides
// measured (the same name), the differences fiber by fiber and how far
// their verdicts agree.
//
// The mean's shift is B's mean less A's, its interval of 95 % confidence
// and its p-value Welch's (the sides' deviations are not taken as equal);
// the distributions' distance is the two-sample Kolmogorov-Smirnov one,
// over the powers as counted at each 0.01 dB (as the histograms count
// them), with Stephens' approximation of its p-value. Fiber by fiber, the
// mean of B's power less A's where both are numbers, with Student's
// interval; the verdicts' agreement is Cohen's kappa.
struct Comparison
{
    Q_DECLARE_TR_FUNCTIONS(Comparison)
public:
    struct Channel
    {
        QByteArray channel; // as shown, UTF-8
        // Each side's figures; none where that side has no such channel.
        // They stay valid as long as the sides.
        const ThresholdJudge::ChannelFigures *a = nullptr;
        const ThresholdJudge::ChannelFigures *b = nullptr;
        std::optional<double> deltaMean; // dB, B - A
        std::optional<double> deltaLow;
        std::optional<double> deltaHigh;
        std::optional<double> welchP;
        std::optional<double> ks;
        std::optional<double> ksP;
    };
    struct Paired
    {
        QByteArray channel;
        qsizetype pairs = 0; // matched fibers with a number on both sides
        std::optional<double> mean; // dB, B - A
        std::optional<double> low;
        std::optional<double> high;
    };
    // The verdicts of the matched fibers: A's first, B's second.
    struct Agreement
    {
        qsizetype pp = 0;
        qsizetype pf = 0;
        qsizetype fp = 0;
        qsizetype ff = 0;
    };

    // The channels by the size of their shift, largest first (equals in
    // the order the channels came, A's then B's); those without a shift
    // last.
    QList<Channel> channels;
    qsizetype matched = 0;
    Agreement agreement;
    std::optional<double> kappa;
    QList<Paired> paired; // in the order the channels came
    // What cannot be told, in words: a side without fibers, a channel on
    // one side only, too few values for a test, no fibers matched.
    QStringList notes;

    static Comparison Of(const CompareSide &a, const CompareSide &b);
    // Whether any channel's shift has a p-value below `alpha`.
    bool Shifted(double alpha) const;
    // B's power less A's at `channel`, of each matched fiber where both
    // are numbers, in A's order.
    static QList<double> PairedDifferences(const CompareSide &a, const CompareSide &b, const QByteArray &channel);
};
