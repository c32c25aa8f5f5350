#pragma once

#include "data/ChannelNames.h"
#include "data/JudgePipeline.h"
#include "data/ResultFile.h"

#include <QBitArray>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVarLengthArray>

#include <atomic>
#include <vector>

// One side of a comparison: a result file, or a lot's files with each
// fiber counted once. It holds its channels' figures as the one judge
// gives them for the fibers it counts, and each counted fiber's verdict
// and numeric powers, found by name, so that the fibers two sides share
// can be set side by side.
class CompareSide
{
public:
    explicit CompareSide(const JudgeInputs &inputs = {}) : m_pipeline(inputs) {}

    // A fiber as the side keeps it: its verdict, and its numeric power at
    // each channel (by the index of Names(); NaN where it has none there).
    struct Fiber
    {
        bool passed = false;
        QVarLengthArray<double, 18> powers;

        double PowerAt(int channel) const;
    };

    // Reads a file of its own: every fiber is counted, as its summary
    // counts them; a name met twice in it is found by its later result.
    // False with a message in `error` where it cannot be read to its end
    // or once `stop` is set.
    bool ReadFile(const QString &path, FileKinds kinds, const std::atomic<bool> *stop, QString *error);
    // Reads one of a lot's files, judged on its own, and counts the fibers
    // whose bits are set in `counted` (the lot's latest results, see
    // LotFigures::Latest). `misaligned` gets where its rows stop being
    // aligned.
    bool ReadLotFile(const QString &path, FileKinds kinds, const QBitArray &counted, const std::atomic<bool> *stop,
                     Misalignment *misaligned, QString *error);
    // Once every file is in.
    void Finish() { m_pipeline.Finish(); }

    const JudgePipeline &Pipeline() const { return m_pipeline; }
    // The counted fibers' figures per channel, in the order channels came.
    const QList<ThresholdJudge::ChannelFigures> &Channels() const { return m_pipeline.Judge().Channels(); }
    // The channel shown as `channel`; none where the side has none.
    const ThresholdJudge::ChannelFigures *ChannelOf(const QByteArray &channel) const;
    qsizetype FiberCount() const { return m_pipeline.Judge().FiberCount(); }

    // The channels the fibers' powers are kept by.
    const ChannelNames &Names() const { return m_names; }
    // The fibers known by name, in the order they were first counted.
    const QList<QByteArray> &Named() const { return m_named; }
    // The fiber named `name` (trimmed of blanks); none where it has none.
    const Fiber *Find(const QByteArray &name) const;

private:
    void take(const ThresholdJudge::Fiber &fiber, const MeasurementRows &rows, qsizetype first);

    JudgePipeline m_pipeline;
    ChannelNames m_names;
    QHash<QByteArray, qsizetype> m_byName;
    QList<QByteArray> m_named;
    std::vector<Fiber> m_fibers;
};
