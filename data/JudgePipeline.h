#pragma once

#include "data/Limits.h"
#include "data/MeasurementRows.h"
#include "data/ResultFile.h"
#include "data/ThresholdJudge.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>

// What a file's fibers are judged with besides their rows.
struct JudgeInputs
{
    // The marginal band above each threshold, in dB (see ThresholdJudge).
    std::optional<double> warnMargin;
    // The user's limits, where given; else each row's threshold.
    Limits limits;

    // Whether fibers are told marginal (see ThresholdJudge::Banded).
    bool Banded() const { return warnMargin || limits.AnyWarn(); }
    bool operator==(const JudgeInputs &other) const
    {
        return warnMargin == other.warnMargin && limits == other.limits;
    }
    bool operator!=(const JudgeInputs &other) const { return !(*this == other); }
};

// Where a table's lines stop being cut where they begin: the first row
// whose 69th byte is no line feed (a blank line, a short or a long one
// before it shifts every row after it). The fibers from that row on fail
// as misaligned, and the file with them.
struct Misalignment
{
    Q_DECLARE_TR_FUNCTIONS(Misalignment)
public:
    qsizetype row = -1;    // counted from the table's first row; -1 where every row is aligned
    qsizetype line = 0;    // the line it begins, counted from the file's first line
    qsizetype length = -1; // that line's bytes, its line feed counted; -1 where more than `least`
    qsizetype least = 0;   // where the length is not known: it is more than this

    bool Found() const { return row >= 0; }
    // "line 442 is 1 byte long; rows after it are not aligned"
    QString Text() const;
    // The same after the file's name, as every job tells it.
    QString Message(const QString &path) const;
};

// The one way a result file's fibers are judged, whoever shows them: the
// command line's summaries, lots and workbooks, the window's document, its
// print and export. Rows go in, each fiber's verdict comes out in turn and
// the file's figures per channel at the end, judged with the inputs given;
// rows that are not aligned are found on the way. Nothing else judges.
class JudgePipeline
{
public:
    // A fiber just judged: its block (its place among the file's fibers,
    // from 0), its verdict, and the rows it is made of, `fiber.rows` of
    // `rows` from `first` on (they hold until the sink returns). False stops.
    using FiberSink = std::function<bool(qsizetype block, const ThresholdJudge::Fiber &fiber,
                                         const MeasurementRows &rows, qsizetype first)>;

    explicit JudgePipeline(const JudgeInputs &inputs = {},
                           ThresholdJudge::Keeping keeping = ThresholdJudge::ChannelFiguresKept);

    const JudgeInputs &Inputs() const { return m_inputs; }

    // Reads the file at `path` fiber by fiber, memory flat whatever its
    // size (FiberReader), and judges each in file order. False when it
    // cannot be read (with a message), when the sink stopped it, or once
    // `stop` is set. `contentHash` gets the hash of its bytes, `header` its
    // header text.
    bool ReadFile(const QString &path, const FiberSink &sink = {}, QString *error = nullptr,
                  const std::atomic<bool> *stop = nullptr, FileKinds kinds = FileKinds::Any,
                  quint64 *contentHash = nullptr, QByteArray *header = nullptr);

    // Judges every fiber of rows held whole. In order, one after the
    // other; or, where the order does not matter to the sink and the rows
    // are many, on two threads at once (the sink is then called from both,
    // for different blocks), the figures the very same. False once `stop`
    // is set or the sink stopped it.
    enum Order { InOrder, AnyOrder };
    bool JudgeRows(const MeasurementRows &rows, const FiberSink &sink = {}, const std::atomic<bool> *stop = nullptr,
                   Order order = InOrder);

    // The file's next fiber, of rows the caller cut itself: the `count` rows
    // of `rows` from `first` on.
    ThresholdJudge::Fiber Next(const MeasurementRows &rows, qsizetype first, qsizetype count);

    // A fiber of another file, judged there by that file's pipeline,
    // counted in this one's figures as it was judged there (misaligned
    // where that file's rows were): for the figures of fibers chosen from
    // many files, as a lot counts each fiber once.
    ThresholdJudge::Fiber Count(const MeasurementRows &rows, qsizetype first, qsizetype count, bool misaligned);

    // Once every fiber is in: the channels' figures are made here, not on
    // the thread that shows them.
    void Finish() { m_judge.Channels(); }

    const ThresholdJudge &Judge() const { return m_judge; }
    ThresholdJudge TakeJudge() { return std::move(m_judge); }
    const Misalignment &Misaligned() const { return m_misaligned; }

    // The first misaligned row of `rows` from `first` on, the table's row
    // `tableRow` being rows' `first`: where it is and how long its line.
    static Misalignment FindMisaligned(const MeasurementRows &rows, qsizetype first, qsizetype tableRow);

private:
    static ThresholdJudge::Fiber judge(ThresholdJudge &judge, const MeasurementRows &rows, qsizetype first,
                                       qsizetype count, bool misaligned);
    bool misalignedAt(qsizetype tableRow, qsizetype count) const;
    void look(const MeasurementRows &rows, qsizetype first, qsizetype count);
    bool judgeBlocks(ThresholdJudge &judge, const MeasurementRows &rows, qsizetype from, qsizetype to,
                     const FiberSink &sink, const std::atomic<bool> *stop) const;

    JudgeInputs m_inputs;
    ThresholdJudge m_judge;
    Misalignment m_misaligned;
    qsizetype m_rows = 0;   // the table's rows judged so far
    qsizetype m_blocks = 0; // and its fibers
};
