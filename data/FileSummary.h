#pragma once

#include "data/JudgePipeline.h"
#include "data/ResultFile.h"
#include "data/RowTime.h"
#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <cmath>
#include <optional>

// What a lot keeps of one result file once it has been judged: the
// judge's figures (fibers, failed, marginal), each channel's statistics,
// the Pareto of failures, the first row's date and time, and each fiber's
// name, verdict and time; never its rows. Small enough that ten thousand
// files are held at once, and kept between runs as bytes (Encode, Decode).
class FileSummary
{
public:
    // A channel's figures as the judge gives them, one for each of
    // ChannelColumns::All(); a number that the judge has none of (too few
    // values, or beyond any number) is NaN here.
    struct Channel
    {
        QByteArray channel;    // as shown, UTF-8
        QByteArray waveLength; // the field of its first row, as in the file
        QList<double> values;

        double Value(qsizetype column) const
        {
            return column >= 0 && column < values.size() ? values.at(column) : NAN;
        }
        // The figure of the column with `key`.
        double Value(const char *key) const;
    };

    // A fiber's name (trimmed of blanks), verdict and the date and time of
    // its first row (RowTime::None where they cannot be read).
    struct Fiber
    {
        QByteArrayView name;
        bool passed = false;
        qint64 time = RowTime::None;
    };

    // Judges the file at `path` as --summary does (the judging pipeline,
    // one pass, with `inputs`). False with a message in `error` when it
    // cannot be read to its end, or once `stop` is set.
    static bool Read(const QString &path, const JudgeInputs &inputs, FileKinds kinds,
                     const std::atomic<bool> *stop, FileSummary *summary, QString *error,
                     const JudgePipeline::FiberSink &each = {});

    // Keeps a fiber just judged, whose first row is `rows`' `first`.
    void Take(const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first);
    // Takes the pipeline's figures once every fiber has been judged.
    void End(const JudgePipeline &pipeline);

    // Where the file's rows stop being aligned, if they do.
    const Misalignment &Misaligned() const { return m_misaligned; }

    std::optional<double> WarnMargin() const { return m_warnMargin; }
    // Whether its fibers were told marginal: by the warning margin, or a
    // band of the limits (a summary judged by limits is never cached).
    bool Banded() const { return m_banded; }
    qint64 Fibers() const { return m_fibers; }
    qint64 Failed() const { return m_failed; }
    qint64 Passed() const { return m_fibers - m_failed; }
    qint64 Marginal() const { return m_marginal; }
    // A file passes when it has a fiber and every fiber passes.
    bool FilePassed() const { return m_fibers > 0 && m_failed == 0; }
    // The first row's date and time; RowTime::None without rows or where
    // they cannot be read.
    qint64 FirstTime() const { return m_firstTime; }
    const QList<Channel> &Channels() const { return m_channels; }
    const QList<ThresholdJudge::ChannelCount> &ParetoChannels() const { return m_paretoChannels; }
    const QList<ThresholdJudge::ReasonCount> &ParetoReasons() const { return m_paretoReasons; }

    // The channel where most fibers failed (the Pareto's first); where none
    // failed, the one with the smallest margin mean, the channel closest to
    // failing; empty where no channel has a margin.
    const QByteArray &WorstChannel() const { return m_worstChannel; }
    // The least Cpk of any channel: the weakest channel's capability; none
    // where no channel has one.
    std::optional<double> MinCpk() const;

    qsizetype FiberCount() const { return m_fiberList.size(); }
    Fiber FiberAt(qsizetype index) const;

    // The hash of the file's bytes as they were read (see ContentHash).
    quint64 ContentHashValue() const { return m_contentHash; }
    // The hash, where the summary was kept apart from it (Encode leaves it
    // out: a store keeps it beside, as its key).
    void SetContentHash(quint64 hash) { m_contentHash = hash; }

    // What holds whatever the marginal band: the file's figures, channels,
    // Pareto and fibers.
    QByteArray Encode() const;
    // What the band gives: the band itself and the marginal counts.
    QByteArray EncodeBand() const;
    // The summary of Encode's and EncodeBand's bytes. False for bytes that
    // neither made (cut short, changed, of another layout, the two of
    // different files): nothing of them is trusted then.
    static bool Decode(QByteArrayView bytes, QByteArrayView band, FileSummary *summary);

    // What none of the judge's numbers is held as.
    static double Held(const std::optional<double> &value) { return value ? *value : NAN; }
    static std::optional<double> Held(double value)
    {
        return std::isnan(value) ? std::nullopt : std::optional<double>(value);
    }

private:
    struct StoredFiber
    {
        qint64 time = RowTime::None;
        quint32 nameEnd = 0; // in m_names
        bool passed = false;
    };
    void findWorstChannel();

    std::optional<double> m_warnMargin;
    bool m_banded = false;
    quint64 m_contentHash = 0;
    Misalignment m_misaligned;
    qint64 m_fibers = 0;
    qint64 m_failed = 0;
    qint64 m_marginal = 0;
    qint64 m_firstTime = RowTime::None;
    QList<Channel> m_channels;
    QList<ThresholdJudge::ChannelCount> m_paretoChannels;
    QList<ThresholdJudge::ReasonCount> m_paretoReasons;
    QByteArray m_worstChannel;
    QByteArray m_names; // every fiber's name, one after the other
    QList<StoredFiber> m_fiberList;
};
