#pragma once

#include "data/Comparison.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <optional>

// A comparison in the command line's formats: text for a person, JSON and
// CSV for tools. Numbers that cannot be told are null (JSON) or empty
// (CSV), never NaN.
class CompareWriter
{
    Q_DECLARE_TR_FUNCTIONS(CompareWriter)
public:
    // What a side was made of.
    struct Side
    {
        QString path;
        bool lot = false;     // a folder, its fibers counted once
        qsizetype files = 0;  // read
        qsizetype unread = 0; // that could not be read
        qsizetype fibers = 0; // counted
    };

    // {"a", "b", "alpha", "channels": [{"channel", "a": {...}, "b": {...},
    // "delta_mean", "delta_ci95", "welch_p", "ks", "ks_p", "shifted"}],
    // "matched": {...}, "notes"}
    static QByteArray Json(const Side &a, const Side &b, const Comparison &comparison, double alpha);
    // A line per channel, in the order of the shifts.
    static QByteArray Csv(const Comparison &comparison, double alpha);
    static QByteArray Text(const Side &a, const Side &b, const Comparison &comparison, double alpha);

    // A p-value as every output gives it: six significant digits, for a
    // small one is told by its exponent.
    static QByteArray PValue(double p);
    // A shift of a mean (dB), as the text and the window show it.
    static QString Shift(const std::optional<double> &delta);
    static constexpr int ShiftDecimals = 3;
    // "[-0.412, -0.388]"; "-" where there is none.
    static QString Interval(const std::optional<double> &low, const std::optional<double> &high);
    // "A: day/ (200 files, 8888 fibers)"
    static QString SideLine(const char *letter, const Side &side);
};
