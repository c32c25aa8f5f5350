#pragma once

#include "data/JudgePipeline.h"
#include "output/SummaryWriter.h"

#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

class QCommandLineParser;

// What the command line asks for: one job and what it works on, read from
// the arguments in one go before anything runs. After "--" every argument
// is a file, whatever it looks like.
struct Options
{
    Q_DECLARE_TR_FUNCTIONS(Options)

public:
    enum class Job { Window, ExportCsv, PrintPdf, Summary, Trend, Plot, ExportXlsx, Sweep, Compare, Push, ClearCache, Help, Version };

    Job job = Job::Window;
    QString target; // --export-csv, --export-xlsx, --print-pdf, --plot: a file, a folder, or "-" for standard output
    QStringList files; // the result files (--summary, --trend: and folders), their bytes kept
    QString pageSize = QStringLiteral("A4");
    SummaryWriter::Format format = SummaryWriter::Text;
    // --trend, --compare: the summary cache used (not with --no-cache).
    bool cache = true;
    // --summary, --trend, --plot, --export-xlsx, --print-pdf --verdicts: the
    // marginal band above each threshold, in dB.
    std::optional<double> warnMargin;
    // The same jobs and --sweep: the limits of --limits FILE, read and
    // checked before anything is judged.
    Limits limits;
    // --sweep: the one channel swept (empty for every one), the limits'
    // step in hundredths of a dB, the yield aimed at in percent.
    QByteArray sweepChannel;
    int sweepStep = 1;
    double sweepTarget = 99;

    // --trend: the control charts' rules and their baseline in files of
    // the lot's start; --follow keeps watching and tells each alarm.
    bool rules = false;
    int baseline = 20;
    bool follow = false;
    // --push URL, --trend URL: the factory's database, the stations (the
    // one pushed; those read, every one where none), the first rows' time
    // from `since` to before `until` (RowTime seconds; None for no bound).
    QString databaseUrl;
    QStringList stations;
    bool pushRows = false; // --rows: each file's rows go with its summary
    qint64 since = std::numeric_limits<qint64>::min();
    qint64 until = std::numeric_limits<qint64>::min();
    // --export-xlsx --lot: the one folder given is written as a lot.
    bool lot = false;
    // --compare: the p-value below which a shift counts.
    double alpha = 0.001;

    JudgeInputs Inputs() const { return {warnMargin, limits}; }
    // --print-pdf: the report with each fiber's verdict.
    bool verdicts = false;
    // --plot: "png", "svg" or "pdf" from --format; empty for the target's own
    // extension. The image's size in pixels.
    QString imageFormat;
    QSize imageSize = DefaultImageSize();

    // True for the jobs that only the window program can do: the window and
    // the drawing of PDF reports and plots.
    bool NeedsWindowProgram() const;

    static QSize DefaultImageSize() { return QSize(1920, 1080); }
    static QSize SmallestImageSize() { return QSize(320, 240); }
    static QSize LargestImageSize() { return QSize(8192, 8192); }

    // Reads the whole argument list (program name first, each argument's
    // bytes kept, see NativePath), Qt's GUI options passed over. False with
    // a message naming the argument when the arguments cannot be used; the
    // program then does nothing and exits with UnusableArguments.
    static bool Parse(const QStringList &arguments, Options *options, QString *error);

    // Declares every option and argument, for parsing and for --help.
    static void Describe(QCommandLineParser &parser);
};
