#pragma once

#include "data/JudgePipeline.h"
#include "data/MeasurementRows.h"
#include "data/ResultFile.h"
#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>

// All the window shows of a result file, made on a thread of its own while
// the window goes on: the header text, the rows and the fiber names in the
// fiber box's order, decoded for showing; then, while the window shows
// them, every fiber judged against its thresholds by the judge that
// --summary uses.
struct LoadedFile
{
    // A fiber's verdict, kept without its texts: they are its block's rows.
    struct Verdict
    {
        ThresholdJudge::Failures failures;
        int worstRow = -1; // in the block (see ThresholdJudge::Fiber)
        ThresholdJudge::Failures worstFailures;
        std::optional<double> worstMargin; // none where the worst channel has none
        quint32 failedRows = 0; // bit i: row i of the block fails
        std::optional<bool> marginal; // as the judge told it (see ThresholdJudge::Fiber)

        bool passed() const { return failures == ThresholdJudge::NoFailure; }
    };
    // A fiber's verdict as the judge gave it, without its texts.
    static Verdict VerdictOf(const ThresholdJudge::Fiber &fiber)
    {
        return {fiber.failures, fiber.worstRow, fiber.worstFailures, fiber.worstMargin, fiber.failedRows,
                fiber.marginal};
    }
    // The fiber of the verdict again, its texts views of the `count` rows
    // of `rows` from `first` on, which it was judged from.
    static ThresholdJudge::Fiber FiberOf(const Verdict &verdict, const MeasurementRows &rows, qsizetype first,
                                         qsizetype count);

    QByteArray header;
    MeasurementRows rows;
    QList<QByteArray> names;   // each block's name, its first row's, in file order
    QStringList shownNames;    // the same decoded from code page 936
    QList<qsizetype> boxOrder; // the blocks in the fiber box's order

    // The verdicts on a file's fibers, and the file's counts and figures
    // per channel.
    struct Verdicts
    {
        QList<Verdict> byBlock;
        ThresholdJudge judge;
        Misalignment misaligned;
    };

    // Reads and cuts the file at `path`. False with a message when it
    // cannot be read; false without one once `stop` is set. `progress`
    // hears of the bytes read so far and the file's size; `wait` decides
    // when a FIFO or a device is read (see ReadResultFile).
    static bool Load(const QString &path, LoadedFile *file, QString *error = nullptr,
                     const std::atomic<bool> *stop = nullptr, const ReadProgress &progress = {},
                     const StreamWait &wait = {});

    // Every fiber of `rows` judged by the pipeline with `inputs`, the
    // figures of each channel kept (and made), on two threads where they
    // are many. False once `stop` is set.
    static bool Judge(const MeasurementRows &rows, Verdicts *verdicts, const std::atomic<bool> *stop = nullptr,
                      const JudgeInputs &inputs = {});

    // The fiber that fares worst at the channel shown as `channel` (see
    // ThresholdJudge::ChannelFigures): the first whose row there cannot be
    // measured (Low, or a power or threshold without a number), for nothing
    // is worse; else the one with the least margin there, the first of
    // equals. -1 where no fiber has that channel.
    static qsizetype WorstFiber(const MeasurementRows &rows, const QByteArray &channel, const Limits &limits = {});
    // The fibers, in file order, with a row at the channel shown as
    // `channel` whose power is a number that `keep` keeps.
    static QList<qsizetype> FibersWhere(const MeasurementRows &rows, const QByteArray &channel,
                                        const std::function<bool(double power)> &keep);

    // The fiber box's order of names: by their bytes, unsigned, a name
    // before the longer names it starts; equal names in file order. The
    // fibers of `rows` with a misaligned row come after all others, in
    // file order.
    static QList<qsizetype> BoxOrder(const QList<QByteArray> &names, const MeasurementRows *rows = nullptr);
    static bool BoxLess(const QByteArray &a, const QByteArray &b) { return a < b; }
};
