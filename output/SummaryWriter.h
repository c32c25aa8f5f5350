#pragma once

#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Writes the verdicts of a run over many result files in one format. Each
// file is reported on its own (on the thread that judges it), and the
// reports are then handed over in the files' order, with the run's totals
// and the paths that could not be read at the end. Texts leave as UTF-8:
// fields decoded from code page 936, their padding blanks trimmed; numbers
// do not depend on the locale.
class SummaryWriter
{
    Q_DECLARE_TR_FUNCTIONS(SummaryWriter)
public:
    enum Format { Text, Json, Csv };

    struct Totals
    {
        qsizetype files = 0;
        qsizetype failedFiles = 0;
        qsizetype fibers = 0;
        qsizetype failedFibers = 0;
    };

    struct PathError
    {
        QString path; // as it is shown
        QString message;
    };

    // One file's report, built fiber by fiber on the thread that judges
    // the file; only the writer that made it reads it.
    class FileReport
    {
    public:
        virtual ~FileReport() = default;
        virtual void AddFiber(const ThresholdJudge::Fiber &fiber) = 0;
        // Once every fiber of the file has been added.
        virtual void End(const ThresholdJudge &judge) = 0;
    };
    using FileReports = std::vector<std::unique_ptr<FileReport>>;

    // The writer of `format`; a text is coloured when `colour` is set.
    static std::unique_ptr<SummaryWriter> Create(Format format, bool colour = false);
    virtual ~SummaryWriter() = default;

    // Takes the output piece by piece.
    using Sink = std::function<void(QByteArrayView text)>;

    // A report for the file shown as `path`, of `size` bytes. Safe on any
    // thread.
    virtual std::unique_ptr<FileReport> ReportFile(const QString &path, qint64 size) const = 0;
    // The whole output: the reports this writer made, ended, in the files'
    // order, then the totals and the errors.
    virtual void Write(const FileReports &reports, const Totals &totals,
                       const QList<PathError> &errors, const Sink &out) const = 0;

    // The run passes when every path was read and every file passes.
    static bool Passed(const Totals &totals, const QList<PathError> &errors);

    // A field's text as it leaves: decoded, without its padding blanks.
    static QString FieldText(QByteArrayView field);
    // The same as UTF-8 bytes: a view of the field itself, trimmed, when it
    // is plain ASCII (nearly always); otherwise of `decoded`, which gets them.
    static QByteArrayView FieldUtf8(QByteArrayView field, QByteArray &decoded);
    // Appends a number as a plain decimal, rounded to six places: "-12.34",
    // "0.5".
    static void AppendDecimal(QByteArray &out, double value);
    // The reasons a fiber failed: "incomplete", "below threshold", "Low",
    // "no number", those that hold, joined by ", "; empty when it passed.
    static QString Reasons(ThresholdJudge::Failures failures);
};
