#pragma once

#include "data/ThresholdJudge.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

// A channel's capability as the charts and the report say it: a class
// (told apart by a word and a pattern as well as colour) and its words.
class ChannelCapability
{
    Q_DECLARE_TR_FUNCTIONS(DistributionChart)
public:
    enum class Class { None, Low, Fair, Good };
    static Class ClassOf(const std::optional<double> &cpk);
    // "Cpk 1.52 good", "Cpk 1.12 fair", "Cpk 0.85 low", "Cpk -".
    static QString CpkText(const std::optional<double> &cpk);
    // As a channel's panel says it: CpkText, or where the failing share
    // stands for less, "Cpk obs. 0.30 low (1.13)", the margins' Cpk last.
    static QString Text(const ThresholdJudge::ChannelFigures &figures);
    // Text and ever shorter forms of it for narrow panels, each keeping
    // the ruling figure's word: "obs. 0.30 low", "0.30 low", "low".
    static QStringList Texts(const ThresholdJudge::ChannelFigures &figures);

private:
    // Whether the observed Cpk is the lower, and so the one that is told.
    static bool observedRules(const ThresholdJudge::ChannelFigures &figures);
};
