#pragma once

#include "data/ResultFileFinder.h"
#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Writes the verdicts of a run over many result files in one format, as
// they are made: each fiber's line leaves while its file is still being
// read, so the memory a run needs never grows with its fibers. What a
// format says of a whole file or of the run comes after the fibers it
// counts. Texts leave as UTF-8: fields decoded from code page 936, their
// padding blanks trimmed; numbers do not depend on the locale.
class SummaryWriter
{
    Q_DECLARE_TR_FUNCTIONS(SummaryWriter)
public:
    enum Format { Text, Json, JsonLines, Csv };

    // Takes the output piece by piece.
    using Sink = std::function<void(QByteArrayView text)>;

    struct Totals
    {
        qsizetype files = 0;
        qsizetype failedFiles = 0;
        qsizetype fibers = 0;
        qsizetype failedFibers = 0;
        qsizetype marginalFibers = 0;
    };

    // Paths are given as the program holds them (see NativePath): each
    // format shows them so that two different names never show alike.
    using PathError = ResultFileFinder::PathError;

    // What the run holds of a file once it has been judged: counts only.
    struct FileResult
    {
        QString path;
        qsizetype fibers = 0;
        qsizetype failed = 0;
        bool passed = false;
        qsizetype marginal = 0;
    };

    // What a run started with, for the words of its last lines.
    struct Run
    {
        qsizetype pathsGiven = 0;
        qsizetype pathsFound = 0; // in the folders given
        Totals totals;
        QList<FileResult> files; // judged to the end, in order
        QList<PathError> errors;
        bool filesWrote = false; // some file's report wrote output
        bool banded = false; // whether fibers were told marginal
    };

    // One file's output, made fiber by fiber on the thread that judges the
    // file and handed to `out` in pieces as they fill.
    class FileReport
    {
    public:
        explicit FileReport(Sink out) : m_out(std::move(out)) {}
        virtual ~FileReport() = default;
        virtual void AddFiber(const ThresholdJudge::Fiber &fiber) = 0;
        // Once every fiber of the file has been added.
        virtual void End(const ThresholdJudge &judge) = 0;
        // The file could not be read to its end: what went out is closed.
        virtual void Abandon(const QString &message) = 0;

    protected:
        // Hands on what the buffer holds once it is big enough to be worth
        // a write, and all of it when `all`.
        void Flush(bool all = false);
        QByteArray m_buffer;

    private:
        Sink m_out;
    };

    virtual ~SummaryWriter() = default;

    // What goes before the first file.
    virtual void Begin(const Sink &out) const = 0;
    // A report for the file at `path`. Safe on any thread.
    virtual std::unique_ptr<FileReport> ReportFile(const QString &path, Sink out) const = 0;
    // What stands between the output of two files that both wrote some.
    virtual QByteArrayView FileSeparator() const { return {}; }
    // What goes after the last file: the run's totals and errors.
    virtual void Finish(const Run &run, const Sink &out) const = 0;

    // What the files' limits came from (see Limits::Source), "file" unless
    // told.
    const QByteArray &LimitSource() const { return m_limitSource; }
    void SetLimitSource(const QString &source) { m_limitSource = source.toUtf8(); }

    // The run passes when every path was read and every file passes.
    static bool Passed(const Run &run);

    // A field's text as it leaves: decoded, without its padding blanks.
    static QString FieldText(QByteArrayView field);
    // The same as UTF-8 bytes: a view of the field itself, trimmed, when it
    // is plain ASCII (nearly always); otherwise of `decoded`, which gets them.
    static QByteArrayView FieldUtf8(QByteArrayView field, QByteArray &decoded);
    // Appends a finite number as the shortest decimal that holds it to six
    // places ("-12.34", "0.5", "0"), in the shortest exponent form that
    // reads back as the same number where the plain one would run past
    // fifteen significant digits ("1e+64", "6.150000000000005e+13");
    // appends nothing and returns false for infinity and NaN, which no
    // format can hold as a number.
    static bool AppendDecimal(QByteArray &out, double value);
    // The same with exactly `places` places in the plain form ("-0.50"),
    // as people read margins.
    static bool AppendPlaces(QByteArray &out, double value, int places);

private:
    QByteArray m_limitSource = "file";
};
