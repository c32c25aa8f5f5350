// The one judging pipeline: a small table of files, each judged as it is
// read and again from its rows held whole, against counts worked out by
// hand from the rules.

#include "TestSupport.h"

#include "data/ChannelTable.h"
#include "data/JudgePipeline.h"

#include <QtTest>

#include <optional>

using namespace TestSupport;

namespace {

using Reasons = QList<QPair<int, qsizetype>>; // reason, fibers

// F1's lines as given, the others' as standard: the fibers F0, F1 and F2.
QByteArray threeFibers(const QByteArray &f1)
{
    return fiber("F0") + f1 + fiber("F2");
}

// The 18 lines of F1 with `extra` put after its line `after` (from 0), or
// its line `after` given `tail` before the line feed.
QByteArray f1With(int after, const QByteArray &extra, const QByteArray &tail = QByteArray())
{
    QByteArray lines;
    for (int channel = 1; channel <= ChannelTable::FiberSize; ++channel) {
        QByteArray one = line("F1", channel);
        if (channel - 1 == after && !tail.isEmpty())
            one.insert(one.size() - 1, tail);
        lines += one;
        if (channel - 1 == after)
            lines += extra;
    }
    return lines;
}

Reasons reasonsOf(const ThresholdJudge &judge)
{
    Reasons reasons;
    for (const ThresholdJudge::ReasonCount &count : judge.ParetoReasons())
        reasons.append({int(count.reason), count.fibers});
    return reasons;
}

} // namespace

class TestJudgePipeline : public QObject
{
    Q_OBJECT

private slots:
    void judgesByTheRules_data();
    void judgesByTheRules();
};

void TestJudgePipeline::judgesByTheRules_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<std::optional<double>>("band");
    QTest::addColumn<qsizetype>("failed");
    QTest::addColumn<qsizetype>("marginal");
    QTest::addColumn<Reasons>("reasons");
    QTest::addColumn<qsizetype>("misalignedRow"); // -1: none
    QTest::addColumn<qsizetype>("line");
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<qsizetype>("rowsCounted"); // in the channels' figures

    const std::optional<double> none;
    const int misaligned = ThresholdJudge::Misaligned;
    QTest::newRow("aligned") << threeFibers(fiber("F1")) << none << qsizetype(0) << qsizetype(0) << Reasons()
                             << qsizetype(-1) << qsizetype(0) << qsizetype(-1) << qsizetype(54);
    // F1's fourth line (table row 21, line 27 of the file) comes after a
    // blank line: F1 and F2 are not where their columns are.
    QTest::newRow("a blank line") << threeFibers(f1With(2, "\n")) << none << qsizetype(2) << qsizetype(0)
                                  << Reasons{{misaligned, 2}} << qsizetype(21) << qsizetype(27) << qsizetype(1)
                                  << qsizetype(18);
    // F1's first line (row 18, line 24) has two bytes too many.
    QTest::newRow("a long line") << threeFibers(f1With(0, QByteArray(), "XY")) << none << qsizetype(2)
                                 << qsizetype(0) << Reasons{{misaligned, 2}} << qsizetype(18) << qsizetype(24)
                                 << qsizetype(71) << qsizetype(18);
    // F2's last line, cut to 40 bytes with its line feed: past it only a
    // part of a line, which is no row; F2 is short of a row.
    QByteArray shortLast = threeFibers(fiber("F1"));
    shortLast.chop(29);
    shortLast[shortLast.size() - 1] = '\n';
    QTest::newRow("a short last line") << shortLast << none << qsizetype(1) << qsizetype(0)
                                       << Reasons{{ThresholdJudge::Incomplete, 1}} << qsizetype(-1) << qsizetype(0)
                                       << qsizetype(-1) << qsizetype(53);
    QTest::newRow("Low") << threeFibers(fiber("F1", "-120.00")) << none << qsizetype(1) << qsizetype(0)
                         << Reasons{{ThresholdJudge::Low, 1}} << qsizetype(-1) << qsizetype(0) << qsizetype(-1)
                         << qsizetype(54);
    // Margins 12.66 dB (F0, F2) and 15.00 dB (F1): below a band of 13,
    // F0 and F2 are marginal.
    QTest::newRow("band") << threeFibers(fiber("F1", "-10.00")) << std::optional<double>(13.0) << qsizetype(0)
                          << qsizetype(2) << Reasons() << qsizetype(-1) << qsizetype(0) << qsizetype(-1)
                          << qsizetype(54);
}

void TestJudgePipeline::judgesByTheRules()
{
    QFETCH(QByteArray, table);
    QFETCH(std::optional<double>, band);
    QFETCH(qsizetype, failed);
    QFETCH(qsizetype, marginal);
    QFETCH(Reasons, reasons);
    QFETCH(qsizetype, misalignedRow);
    QFETCH(qsizetype, line);
    QFETCH(qsizetype, length);
    QFETCH(qsizetype, rowsCounted);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.fib"));
    QVERIFY(writeFile(path, standardHeader() + table));
    JudgePipeline streamed(JudgeInputs{band, {}});
    QList<qsizetype> blocks;
    QVERIFY(streamed.ReadFile(path, [&](qsizetype block, const ThresholdJudge::Fiber &, const MeasurementRows &,
                                        qsizetype) {
        blocks.append(block);
        return true;
    }));
    QCOMPARE(blocks, (QList<qsizetype>{0, 1, 2}));
    JudgePipeline held(JudgeInputs{band, {}});
    QVERIFY(held.JudgeRows(ChannelTable::CutTable(table), {}, nullptr, JudgePipeline::AnyOrder));

    for (const JudgePipeline *pipeline : {&streamed, &held}) {
        const ThresholdJudge &judge = pipeline->Judge();
        QCOMPARE(judge.FiberCount(), 3);
        QCOMPARE(judge.FailedCount(), failed);
        QCOMPARE(judge.MarginalCount(), marginal);
        QCOMPARE(reasonsOf(judge), reasons);
        const Misalignment &found = pipeline->Misaligned();
        QCOMPARE(found.row, misalignedRow);
        if (found.Found()) {
            QCOMPARE(found.line, line);
            QCOMPARE(found.length, length);
            QVERIFY(found.Text().startsWith(QStringLiteral("line %1 is ").arg(line)));
        }
    }
    // The misaligned rows count in no channel's figures.
    for (const JudgePipeline *pipeline : {&streamed, &held}) {
        qsizetype rows = 0;
        for (const ThresholdJudge::ChannelFigures &figures : pipeline->Judge().Channels())
            rows += figures.count;
        QCOMPARE(rows, rowsCounted);
    }
}

QTEST_GUILESS_MAIN(TestJudgePipeline)
#include "tst_judgepipeline.moc"
