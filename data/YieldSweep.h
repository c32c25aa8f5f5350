#pragma once

#include "data/ChannelNames.h"
#include "data/JudgePipeline.h"
#include "data/MeasurementRows.h"
#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QVarLengthArray>

#include <optional>
#include <vector>

// The yield of fibers as one channel's lower limit moves, every other
// channel at its limits; and how far the station repeats itself, from the
// fibers it measured more than once.
//
// Fibers go in file by file, each as the pipeline judged it. A fiber that
// was measured again counts once, by its latest measurement (the files in
// the order of their first rows' times, then as given). At a lower limit L
// for channel c a fiber passes when it passes at every other channel, its
// rows at c fail for no reason but the lower limit, and its least power at
// c is L or more.
//
// Repeatability: for each fiber measured more than once, the differences
// between its successive measurements' powers at a channel, where both are
// numbers and the channel passed both times (a channel that failed was
// likely mended before it was measured again: its change is no error of
// the station's); its deviation is that of the differences over the square
// root of 2, for each of the two measurements holds the same error. A
// channel of fewer than LeastRetests differences of its own takes the
// station's: the deviation pooled over every channel's differences.
class YieldSweep
{
public:
    // How a fiber measured again counts: by its latest measurement, or
    // every measurement on its own (as one file's summary counts them).
    enum Counting { LatestOfEach, EveryFiber };
    explicit YieldSweep(const JudgeInputs &inputs = {}, Counting counting = LatestOfEach)
        : m_limits(inputs.limits), m_counting(counting)
    {
    }

    // A new file begins; its time is its first row's (see RowTime).
    void BeginFile();
    // A fiber of the file begun last, as judged, its `fiber.rows` rows of
    // `rows` from `first` on.
    void AddJudged(const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first);
    // A file of rows held whole, begun and judged by the sweep's limits.
    void AddRows(const MeasurementRows &rows);

    struct Point
    {
        double limit = 0;    // dBm
        qsizetype passed = 0; // fibers passing at that lower limit
    };
    struct Curve
    {
        QByteArray channel; // as shown, UTF-8
        qsizetype fibers = 0; // counted once each
        QList<Point> points;  // from the least power to the greatest, rising
        // The greatest limit on the curve at which the yield is the
        // target or more; none where it is less even at the least power.
        std::optional<double> limitForTarget;
        qsizetype retests = 0; // differences counted at this channel
        std::optional<double> repeatability; // dB; none without two differences anywhere
        bool stationRepeatability = false;   // pooled over the channels: too few here
        std::optional<double> guardband;     // three repeatabilities
        std::optional<double> proposed;      // limitForTarget plus the guardband
    };
    // A curve for each channel (or only for the one shown as `channel`
    // where it is not empty), in the order the channels came: limits
    // `stepHundredths` hundredths of a dB apart, the target a yield in
    // percent.
    QList<Curve> Curves(int stepHundredths = 1, double targetPercent = 99,
                        const QByteArray &channel = QByteArray()) const;

    static constexpr qsizetype LeastRetests = 10;

    qsizetype Measurements() const { return qsizetype(m_measurements.size()); }

    // The fibers of one channel as its lower limit moves: how many there
    // are, how many pass at any limit, and the least powers of those that
    // pass or fail by the limit alone, rising.
    struct Passing
    {
        qsizetype fibers = 0;
        qsizetype always = 0;
        std::vector<double> least;
        // Those that pass at the lower limit `limit`.
        qsizetype At(double limit) const;
    };
    // None where no channel shows as `channel` (or has its number).
    std::optional<Passing> PassingOf(const QByteArray &channel) const;

private:
    // A fiber's one measurement: for each channel, its least power where
    // nothing but that channel's lower limit could fail it (NaN where
    // something else fails it at any limit), and its first row's power
    // (NaN for none).
    struct Measurement
    {
        QByteArray name;
        int file = 0;
        bool passed = false; // as judged, at every channel's own limits
        QVarLengthArray<double, 18> least;
        QVarLengthArray<double, 18> power;
        QVarLengthArray<char, 18> failedAt;
    };
    std::vector<qsizetype> inTimeOrder() const;
    std::vector<qsizetype> latestMeasurements() const;
    void repeatability(QList<Curve> &curves, const QList<int> &channels) const;

    Passing passingOf(int channel, const std::vector<qsizetype> &counted) const;
    bool matches(int channel, const QByteArray &text) const;

    Limits m_limits;
    Counting m_counting;
    ChannelNames m_channels;
    QList<qint64> m_fileTimes; // RowTime::None until the file's first fiber
    QList<bool> m_fileTimed;
    std::vector<Measurement> m_measurements;
};
