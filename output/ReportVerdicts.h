#pragma once

#include "data/LoadedFile.h"
#include "data/MeasurementRows.h"
#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// What the report says of a file besides its rows, once its fibers are
// judged (see PrintReport::SetVerdicts): its name and header lines, when it
// was printed, the figures of its channels and the failing fibers. Numbers
// come from the judge, never from what a window shows.
class ReportVerdicts
{
public:
    // A failing fiber: its block of rows (rows 18 * block on) and verdict.
    struct Failing
    {
        qsizetype block = 0;
        LoadedFile::Verdict verdict;
    };

    ReportVerdicts(QString fileName, QByteArray header, QDateTime printed, ThresholdJudge figures,
                   QList<Failing> failing)
        : m_fileName(std::move(fileName)), m_header(std::move(header)), m_printed(std::move(printed)),
          m_figures(std::move(figures)), m_failing(std::move(failing))
    {
    }

    // Judges every fiber of `rows` in one pass, the channels' figures kept,
    // with `inputs`.
    static ReportVerdicts Judge(const MeasurementRows &rows, const JudgeInputs &inputs,
                                const QString &fileName, const QByteArray &header, const QDateTime &printed);
    // The same from verdicts judged already (the window's, block by block)
    // and the figures of the same rows (see LoadedFile::Figures).
    static ReportVerdicts FromVerdicts(const QList<LoadedFile::Verdict> &byBlock, ThresholdJudge figures,
                                       const QString &fileName, const QByteArray &header,
                                       const QDateTime &printed);

    const QString &FileName() const { return m_fileName; }
    const QByteArray &Header() const { return m_header; }
    const QDateTime &Printed() const { return m_printed; }
    const ThresholdJudge &Figures() const { return m_figures; }
    const QList<Failing> &FailingFibers() const { return m_failing; }

private:
    QString m_fileName;
    QByteArray m_header;
    QDateTime m_printed;
    ThresholdJudge m_figures;
    QList<Failing> m_failing;
};
