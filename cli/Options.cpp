#include "cli/Options.h"

#include "cli/DatabaseOptions.h"
#include "cli/GuiOptions.h"
#include "cli/HelpText.h"
#include "cli/LotJob.h"
#include "cli/OptionReader.h"
#include "cli/OptionValues.h"
#include "cli/OutputStream.h"
#include "data/Limits.h"
#include "data/NativePath.h"
#include "output/ReportPdf.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cmath>
#include <functional>

namespace {

using namespace OptionReader;

const char kExportCsv[] = "export-csv";
const char kPrintPdf[] = "print-pdf";
const char kPageSize[] = "page-size";
const char kSummary[] = "summary";
const char kFormat[] = "format";
const char kWarnMargin[] = "warn-margin";
const char kPlot[] = "plot";
const char kSize[] = "size";
const char kExportXlsx[] = "export-xlsx";
const char kVerdicts[] = "verdicts";
const char kTrend[] = "trend";
const char kNoCache[] = "no-cache";
const char kClearCache[] = "clear-cache";
const char kLimits[] = "limits";
const char kSweep[] = "sweep";
const char kChannel[] = "channel";
const char kStep[] = "step";
const char kTarget[] = "target";
const char kRules[] = "rules";
const char kBaseline[] = "baseline";
const char kFollow[] = "follow";
const char kCompare[] = "compare";
const char kAlpha[] = "alpha";
const char kLot[] = "lot";

// The options that name a job, in the order messages list them.
const struct
{
    Options::Job job;
    const char *name;
} kJobs[] = {{Options::Job::ExportCsv, kExportCsv},
             {Options::Job::PrintPdf, kPrintPdf},
             {Options::Job::Summary, kSummary},
             {Options::Job::Trend, kTrend},
             {Options::Job::Plot, kPlot},
             {Options::Job::ExportXlsx, kExportXlsx},
             {Options::Job::Sweep, kSweep},
             {Options::Job::Compare, kCompare},
             {Options::Job::Push, "push"},
             {Options::Job::ClearCache, kClearCache}};

// The job options given, as the user wrote them, and the job they name
// (the window when there is none).
QStringList jobsGiven(const QCommandLineParser &parser, Options::Job *job, const char **name)
{
    QStringList given;
    for (const auto &known : kJobs) {
        if (!parser.isSet(Name(known.name)))
            continue;
        given.append(QLatin1String("--") + Name(known.name));
        *job = known.job;
        *name = known.name;
    }
    return given;
}

// --limits FILE, read and checked here, before anything is judged.
bool checkLimits(const QCommandLineParser &parser, bool jobGiven, Options *options, QString *error)
{
    if (!parser.isSet(Name(kLimits)))
        return true;
    QString path;
    if (!SingleValue(parser, kLimits, &path, error))
        return false;
    if (!jobGiven)
        return Fail(error, Options::tr("--%1 is only for --summary, --trend, --sweep, --compare, --plot, "
                                       "--export-xlsx or --print-pdf --verdicts")
                               .arg(Name(kLimits)));
    return Limits::Read(path, &options->limits, error);
}

// --channel, --step and --target of --sweep.
bool checkSweep(const QCommandLineParser &parser, bool sweep, Options *options, QString *error)
{
    QString value;
    const auto isChannel = [options](const QString &text) {
        options->sweepChannel = text.trimmed().toUtf8();
        return !options->sweepChannel.isEmpty();
    };
    if (!JobValue(parser, {kChannel, "--sweep", sweep, "a channel's text, 07", isChannel}, &value, error))
        return false;
    const auto isStep = [options](const QString &text) {
        return OptionValues::ParseStep(text, &options->sweepStep);
    };
    if (!JobValue(parser, {kStep, "--sweep", sweep, "a number of dB, a whole number of hundredths from 0.01 to 1000",
                           isStep},
                  &value, error))
        return false;
    const auto isTarget = [options](const QString &text) {
        return OptionValues::ParseTarget(text, &options->sweepTarget);
    };
    return JobValue(parser, {kTarget, "--sweep", sweep, "a yield in percent, above 0 and up to 100", isTarget},
                    &value, error);
}

// --alpha and the two sides of --compare.
bool checkCompare(const QCommandLineParser &parser, bool compare, Options *options, QString *error)
{
    QString value;
    const auto isAlpha = [options](const QString &text) {
        bool ok = false;
        options->alpha = text.toDouble(&ok);
        return ok && options->alpha > 0 && options->alpha < 1;
    };
    if (!JobValue(parser, {kAlpha, "--compare", compare, "a p-value above 0 and below 1, 0.001", isAlpha}, &value,
                  error))
        return false;
    if (compare && parser.positionalArguments().size() != 2)
        return Fail(error, Options::tr("--%1 compares two paths, A and B (%2 given)")
                               .arg(Name(kCompare))
                               .arg(parser.positionalArguments().size()));
    return true;
}

// --rules, --baseline and --follow of --trend; --baseline and --follow
// bring the rules along.
bool checkRules(const QCommandLineParser &parser, bool trend, Options *options, QString *error)
{
    if (parser.isSet(Name(kRules)) && !trend)
        return Fail(error, Options::tr("--%1 is only for --%2").arg(Name(kRules), Name(kTrend)));
    const bool push = options->job == Options::Job::Push;
    if (parser.isSet(Name(kFollow)) && !trend && !push)
        return Fail(error, Options::tr("--%1 is only for --%2 and --push").arg(Name(kFollow), Name(kTrend)));
    QString value;
    const auto isBaseline = [options](const QString &text) {
        return OptionValues::ParseCount(text, 2, 100000, &options->baseline);
    };
    if (!JobValue(parser, {kBaseline, "--trend", trend, "a number of files, from 2 to 100000", isBaseline}, &value,
                  error))
        return false;
    options->follow = parser.isSet(Name(kFollow));
    options->rules = parser.isSet(Name(kRules)) || !value.isEmpty() || (options->follow && trend);
    if (options->follow && options->format != SummaryWriter::Text && options->format != SummaryWriter::JsonLines)
        return Fail(error, Options::tr("--%1 writes JSON lines; --format is jsonl or not given").arg(Name(kFollow)));
    return true;
}

// Every rule between the options, in the order their messages come: one
// job at a time, each value given once and not empty, the options that
// belong to a job only beside it, a job's files.
bool check(const QCommandLineParser &parser, Options *options, QString *error)
{
    using Job = Options::Job;
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        options->job = Job::Help;
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        options->job = Job::Version;
        return true;
    }
    const char *job = nullptr;
    const QStringList jobs = jobsGiven(parser, &options->job, &job);
    if (jobs.size() > 1)
        return Fail(error, Options::tr("%1 cannot be given together: one job at a time")
                               .arg(jobs.join(QLatin1String(" and "))));
    for (const char *flag : {kSummary, kTrend, kSweep, kCompare, kNoCache, kClearCache}) {
        if (parser.optionNames().count(Name(flag)) > 1)
            return Fail(error, Options::tr("--%1 is given more than once").arg(Name(flag)));
    }
    const bool trend = options->job == Job::Trend;
    const bool compare = options->job == Job::Compare;
    if (parser.isSet(Name(kNoCache)) && !trend && !compare && !parser.isSet(Name(kLot)))
        return Fail(error, Options::tr("--%1 is only for --%2 and --%3").arg(Name(kNoCache), Name(kTrend), Name(kCompare)));
    options->cache = !parser.isSet(Name(kNoCache));
    const bool writesTarget =
        options->job == Job::ExportCsv || options->job == Job::PrintPdf
        || options->job == Job::Plot || options->job == Job::ExportXlsx;
    if (writesTarget && !SingleValue(parser, job, &options->target, error))
        return false;
    QString pageSize;
    if (!JobValue(parser, {kPageSize, "--print-pdf", options->job == Job::PrintPdf, "A4 or Letter",
                           ReportPdf::IsPageSizeName},
                  &pageSize, error))
        return false;
    if (!pageSize.isEmpty())
        options->pageSize = pageSize;
    QString value;
    const bool plot = options->job == Job::Plot;
    const auto isFormat = [options, plot](const QString &name) {
        return plot ? OptionValues::ParseImageFormat(name, &options->imageFormat)
                    : OptionValues::ParseFormat(name, &options->format);
    };
    const bool sweep = options->job == Job::Sweep;
    const bool judging = options->job == Job::Summary || trend;
    const auto isSweepFormat = [options](const QString &name) {
        return OptionValues::ParseFormat(name, &options->format)
            && (options->format == SummaryWriter::Csv || options->format == SummaryWriter::Json);
    };
    const auto isCompareFormat = [options](const QString &name) {
        return OptionValues::ParseFormat(name, &options->format) && options->format != SummaryWriter::JsonLines;
    };
    if (sweep) {
        options->format = SummaryWriter::Csv;
        if (!JobValue(parser, {kFormat, "--summary, --trend, --sweep or --plot", true, "csv or json", isSweepFormat},
                      &value, error))
            return false;
    } else if (compare) {
        if (!JobValue(parser, {kFormat, "--summary, --trend, --sweep, --compare or --plot", true, "text, json or csv",
                               isCompareFormat},
                      &value, error))
            return false;
    } else if (!JobValue(parser, {kFormat, "--summary, --trend, --sweep or --plot", judging || plot,
                                  plot ? "png, svg or pdf" : "text, json, jsonl or csv", isFormat},
                         &value, error)) {
        return false;
    }
    options->verdicts = parser.isSet(Name(kVerdicts));
    if (options->verdicts && options->job != Job::PrintPdf)
        return Fail(error, Options::tr("--%1 is only for --print-pdf").arg(Name(kVerdicts)));
    const auto isMargin = [options](const QString &text) {
        return OptionValues::ParseMargin(text, &options->warnMargin);
    };
    const bool banded = judging || plot || options->job == Job::ExportXlsx
        || (options->job == Job::PrintPdf && (options->verdicts || parser.isSet(Name(kLot))));
    if (!JobValue(parser, {kWarnMargin, "--summary, --trend, --plot, --export-xlsx or --print-pdf --verdicts", banded,
                           "a number of dB, 0 or more", isMargin},
                  &value, error))
        return false;
    if (!checkLimits(parser, banded || sweep || compare, options, error)
        || !checkSweep(parser, sweep, options, error) || !checkRules(parser, trend, options, error)
        || !checkCompare(parser, compare, options, error))
        return false;
    const auto isSize = [options](const QString &text) { return OptionValues::ParseSize(text, &options->imageSize); };
    if (!JobValue(parser, {kSize, "--plot", plot, "WxH in pixels, from 320x240 to 8192x8192", isSize}, &value,
                  error))
        return false;
    options->files = parser.positionalArguments();
    if (options->job == Job::ClearCache)
        return options->files.isEmpty()
            || Fail(error, Options::tr("--%1 takes no files (%2)")
                               .arg(Name(job), NativePath::Display(options->files.first())));
    if (options->job != Job::Window && options->files.isEmpty())
        return Fail(error, judging || sweep || compare || options->job == Job::Push
                               ? Options::tr("--%1 needs at least one result file or folder").arg(Name(job))
                               : Options::tr("--%1 needs at least one result file").arg(Name(job)));
    if (!DatabaseOptions::Check(parser, options, error))
        return false;
    if (options->follow && (options->files.size() != 1 || !QFileInfo(options->files.first()).isDir()))
        return Fail(error, Options::tr("--%1 watches one folder").arg(Name(kFollow)));
    options->lot = parser.isSet(Name(kLot));
    if (options->lot && !LotJob::Check(*options, error))
        return false;
    if ((options->job == Job::PrintPdf || plot || options->job == Job::ExportXlsx)
        && OutputStream::IsStandardOutput(options->target))
        return Fail(error, Options::tr("--%1 writes files only; name a file or a folder").arg(Name(job)));
    return true;
}

} // namespace

bool Options::NeedsWindowProgram() const
{
    return job == Job::Window || job == Job::PrintPdf || job == Job::Plot;
}

bool Options::Parse(const QStringList &arguments, Options *options, QString *error)
{
    QCommandLineParser parser;
    Describe(parser);
    const QStringList ours = GuiOptions::Without(arguments);
    if (!parser.parse(ours))
        return Fail(error, ParserError(parser, ours));
    Options parsed;
    if (!check(parser, &parsed, error))
        return false;
    *options = parsed;
    return true;
}

void Options::Describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(HelpText::Description());
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        Name(kExportCsv),
        tr("Write the CSV export of the result files to OUT: a file (one result file), an "
           "existing folder, or - for standard output; then exit."),
        tr("OUT")));
    parser.addOption(QCommandLineOption(
        Name(kPrintPdf),
        tr("Write the printed report of the result files as PDF to OUT: a file (one result "
           "file) or an existing folder; then exit."),
        tr("OUT")));
    parser.addOption(QCommandLineOption(
        Name(kVerdicts),
        tr("With --print-pdf: the report with each fiber's verdict, the yield, the channels' "
           "statistics and distributions, and the failing fibers.")));
    parser.addOption(QCommandLineOption(Name(kPageSize),
                                        tr("Paper of the PDF report: A4 (default) or Letter. "
                                           "A page too short for the report is scaled to fit."),
                                        tr("A4|Letter"), QStringLiteral("A4")));
    parser.addOption(QCommandLineOption(
        Name(kSummary),
        tr("Judge every fiber of the result files and folders given against its thresholds "
           "and write the verdicts to standard output; then exit.")));
    parser.addOption(QCommandLineOption(
        Name(kTrend),
        tr("Take the result files and folders given together as a lot: a line per file in time "
           "order and the lot's yield with retests counted once, to standard output; then exit.")));
    parser.addOption(QCommandLineOption(Name(kLot), tr("With --export-xlsx or --print-pdf: take the folder given as a lot, its workbook or "
                                                       "report a row per file, the channels' figures and a row per fiber, retests counted once.")));
    parser.addOption(QCommandLineOption(
        Name(kNoCache),
        tr("Read every file of --trend, --compare or --export-xlsx --lot again, neither using nor "
           "changing the summary cache.")));
    parser.addOption(QCommandLineOption(
        Name(kClearCache),
        tr("Remove the summary cache (and what was set aside beside it); then exit.")));
    parser.addOption(QCommandLineOption(Name(kFormat),
                                        tr("Format of --summary and --trend: text (default), json, jsonl or csv; "
                                           "of --plot: png, svg or pdf (default: OUT's extension, "
                                           "png in a folder)."),
                                        tr("FORMAT")));
    parser.addOption(QCommandLineOption(
        Name(kWarnMargin),
        tr("Marginal band of --summary, --trend, --plot, --export-xlsx and --print-pdf --verdicts: a "
           "fiber that passes with a worst margin below DB dB is marginal (it still passes)."),
        tr("DB")));
    parser.addOption(QCommandLineOption(
        Name(kLimits),
        tr("Judge by the limits in FILE (CSV: channel,lower,upper,warn) instead of each row's threshold, "
           "for --summary, --trend, --sweep, --compare, --plot, --export-xlsx and --print-pdf --verdicts."),
        tr("FILE")));
    parser.addOption(QCommandLineOption(
        Name(kSweep),
        tr("For each channel of the result files and folders given, the fiber yield as that channel's "
           "lower limit moves from its least power to its greatest, the limit that gives the target "
           "yield, and a guardband from the fibers measured more than once, to standard output; then exit.")));
    DatabaseOptions::Describe(parser);
    parser.addOption(QCommandLineOption(
        Name(kCompare),
        tr("Compare two result files or folders, A and B: each channel's shift of the mean with its interval and "
           "tests, and how far the verdicts of the fibers on both sides agree, to standard output; then exit.")));
    parser.addOption(QCommandLineOption(
        Name(kAlpha), tr("The p-value below which --compare calls a shift significant: 0.001 by default."),
        tr("P")));
    parser.addOption(QCommandLineOption(
        Name(kRules),
        tr("With --trend: control limits of each channel's margin mean, of the yield and of Cpk, and the alarms of "
           "the run rules; exit status 3 when any is raised.")));
    parser.addOption(QCommandLineOption(
        Name(kBaseline), tr("The files at the lot's start that the control limits of --trend --rules are taken "
                              "from: 20 by default."),
        tr("N")));
    parser.addOption(QCommandLineOption(
        Name(kFollow), tr("With --trend --rules: keep watching the folders and write each alarm as a JSON line as "
                            "it is raised, until stopped.")));
    parser.addOption(QCommandLineOption(Name(kChannel), tr("The one channel --sweep sweeps."), tr("CH")));
    parser.addOption(QCommandLineOption(Name(kStep), tr("The step of --sweep's limits: 0.01 dB by default."),
                                        tr("DB")));
    parser.addOption(QCommandLineOption(Name(kTarget),
                                        tr("The yield --sweep looks for a limit of, in percent: 99 by default."),
                                        tr("PCT")));
    parser.addOption(QCommandLineOption(
        Name(kPlot),
        tr("Draw the distribution of every channel's powers and the Pareto of failures of the result "
           "files as images to OUT: a file (one result file; .png, .svg or .pdf) or an existing "
           "folder; then exit."),
        tr("OUT")));
    parser.addOption(QCommandLineOption(
        Name(kExportXlsx),
        tr("Write the workbook (XLSX) of the result files to OUT: a file (one result file) or an "
           "existing folder; then exit."),
        tr("OUT")));
    parser.addOption(QCommandLineOption(Name(kSize),
                                        tr("Size of --plot's image in pixels (default 1920x1080)."),
                                        tr("WxH")));
    parser.addPositionalArgument(
        tr("files"),
        tr("Result files (.fib): opened in the window (a folder as a lot of its files), or read by "
           "--export-csv, --export-xlsx, --print-pdf or --plot."),
        tr("[FILE.fib...]"));
}
