#include "cli/CommandLine.h"

#include "cli/BatchJobs.h"
#include "cli/StopSignals.h"
#include "cli/SummaryJob.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/DescriptorDevice.h"
#include "output/ReportPdf.h"
#include "output/StagedFile.h"
#include "output/StringTable.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace CommandLine {

namespace {

const char kExportCsv[] = "export-csv";
const char kPrintPdf[] = "print-pdf";
const char kPageSize[] = "page-size";
const char kSummary[] = "summary";
const char kFormat[] = "format";
const char kStandardOutput[] = "-";

bool standardOutputClosed = false;

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

bool hasOption(int argc, char **argv, const char *const *names)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *const *name = names; *name; ++name) {
            const size_t length = std::strlen(*name);
            if (std::strncmp(argv[i], *name, length) == 0
                && (argv[i][length] == '\0' || argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

const std::atomic<bool> &stopFlag()
{
    return StopSignals::Flag();
}

bool stopRequested()
{
    return StopSignals::Requested();
}

// Qt's own options for every GUI application (QGuiApplication,
// QApplication and the X11 platform), with one dash or two. Qt takes them
// out of the arguments itself; the program's parser must pass over them.
const char *const kGuiOptionsWithValue[] = {
    "display", "geometry", "icon", "name", "platform", "platformpluginpath",
    "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "style", "stylesheet", "title", "visual"};
const char *const kGuiOptionsWithJoinedValue[] = {"qmljsdebugger", "session", "style",
                                                  "stylesheet"};
const char *const kGuiFlags[] = {"dograb", "nograb", "reverse", "testability", "widgetcount"};

template <size_t N>
bool isOneOf(QStringView name, const char *const (&names)[N])
{
    for (const char *candidate : names) {
        if (name == QLatin1String(candidate))
            return true;
    }
    return false;
}

// What the command line asks for, once it has been found usable.
struct Request
{
    enum Job { Window, ExportCsv, PrintPdf, Summary, Help, Version };
    Job job = Window;
    QString target;
    QStringList files;
    QString pageSize = QStringLiteral("A4");
    SummaryWriter::Format format = SummaryWriter::Text;
};

QString option(const char *name)
{
    return QString::fromLatin1(name);
}

// The parser's complaint, in the program's own words: the argument as the
// user wrote it, no capital, no full stop.
QString parserError(const QCommandLineParser &parser, const QStringList &arguments)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString &name = unknown.first();
        for (const QString &argument : arguments) {
            const QString bare = argument.section(QLatin1Char('='), 0, 0);
            if (bare == QLatin1Char('-') + name || bare == QLatin1String("--") + name)
                return tr("unknown option '%1'").arg(bare);
        }
        return tr("unknown option '%1'").arg(name);
    }
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

// The value of an option that takes one: given once, not empty, and not
// another option taken for a value.
bool singleValue(const QCommandLineParser &parser, const char *name, QString *value,
                 QString *error)
{
    const QStringList values = parser.values(option(name));
    if (values.size() > 1) {
        *error = tr("--%1 is given more than once").arg(option(name));
        return false;
    }
    *value = values.value(0);
    if (value->isEmpty()) {
        *error = tr("--%1 needs a value, not an empty text").arg(option(name));
        return false;
    }
    if (value->startsWith(QLatin1String("--"))) {
        *error = tr("--%1 needs a value, but '%2' follows it (write ./%2 for a file of that name)")
                     .arg(option(name), NativePath::Display(*value));
        return false;
    }
    return true;
}

// An option that belongs to one job, and the values it takes.
struct JobOption
{
    const char *name;
    const char *job;
    bool jobGiven;
    const char *values; // as the message lists them
};

// The value of such an option when it is given: once, not empty, beside
// its job, one of its values; empty when it is not given.
bool jobValue(const QCommandLineParser &parser, const JobOption &jobOption,
              const std::function<bool(const QString &)> &accepted, QString *value,
              QString *error)
{
    value->clear();
    if (!parser.isSet(option(jobOption.name)))
        return true;
    if (!singleValue(parser, jobOption.name, value, error))
        return false;
    if (!jobOption.jobGiven) {
        *error = tr("--%1 is only for --%2").arg(option(jobOption.name), option(jobOption.job));
        return false;
    }
    if (!accepted(*value)) {
        *error = tr("--%1 %2: unknown value, use %3")
                     .arg(option(jobOption.name), NativePath::Display(*value),
                          QLatin1String(jobOption.values));
        return false;
    }
    return true;
}

// Reads the arguments into `request`; false with a message naming the
// argument when they cannot be used. --help and --version end the program.
bool parse(const QStringList &arguments, Request *request, QString *error)
{
    QCommandLineParser parser;
    Describe(parser);
    const QStringList ours = WithoutGuiOptions(arguments);
    if (!parser.parse(ours)) {
        *error = parserError(parser, ours);
        return false;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        request->job = Request::Help;
        return true;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        request->job = Request::Version;
        return true;
    }

    const bool exportCsv = parser.isSet(option(kExportCsv));
    const bool printPdf = parser.isSet(option(kPrintPdf));
    const bool summary = parser.isSet(option(kSummary));
    QStringList jobs;
    for (const char *name : {kExportCsv, kPrintPdf, kSummary}) {
        if (parser.isSet(option(name)))
            jobs.append(QLatin1String("--") + option(name));
    }
    if (jobs.size() > 1) {
        *error = tr("%1 cannot be given together: one job at a time").arg(jobs.join(QLatin1String(" and ")));
        return false;
    }
    if (parser.optionNames().count(option(kSummary)) > 1) {
        *error = tr("--%1 is given more than once").arg(option(kSummary));
        return false;
    }
    request->job = exportCsv ? Request::ExportCsv
        : printPdf           ? Request::PrintPdf
        : summary            ? Request::Summary
                             : Request::Window;
    const char *const job = exportCsv ? kExportCsv : printPdf ? kPrintPdf : kSummary;
    if ((exportCsv || printPdf) && !singleValue(parser, job, &request->target, error))
        return false;
    QString size;
    if (!jobValue(parser, {kPageSize, kPrintPdf, printPdf, "A4 or Letter"}, ReportPdf::IsPageSizeName,
                  &size, error))
        return false;
    if (!size.isEmpty())
        request->pageSize = size;
    QString format;
    const auto isFormat = [request](const QString &name) { return ParseFormat(name, &request->format); };
    if (!jobValue(parser, {kFormat, kSummary, summary, "text, json or csv"}, isFormat, &format, error))
        return false;
    request->files = parser.positionalArguments();
    if (request->job != Request::Window && request->files.isEmpty()) {
        *error = summary ? tr("--%1 needs at least one result file or folder").arg(option(job))
                         : tr("--%1 needs at least one result file").arg(option(job));
        return false;
    }
    return true;
}

// Tells why `target` ("-": standard output) could not be written.
int streamFailed(const QString &target, const QString &reason)
{
    QString message = tr("Cannot write to standard output: %1").arg(reason);
    if (target != QLatin1String(kStandardOutput))
        FileError::WriteFailed(target, reason, &message);
    BatchJobs::PrintError(message);
    return Failure;
}

// The CSV of every file in turn into one stream that is written in place:
// standard output for "-", or a device, a FIFO or a socket. A reader that
// closes the pipe has taken what it wanted: the job ends quietly.
int exportToStream(const QString &target, const QStringList &files)
{
    const bool standardOutput = target == QLatin1String(kStandardOutput);
    auto writeFailed = [&](const QString &reason) { return streamFailed(target, reason); };
    if (standardOutput && standardOutputClosed)
        return writeFailed(tr("it is closed"));
    StagedFile stream(standardOutput ? QStringLiteral("/dev/stdout") : target);
    if (!stream.Open())
        return writeFailed(stream.ErrorString());
    DescriptorDevice device(stream.Handle());
    auto sink = [&device](QByteArrayView csv) {
        return device.write(csv.data(), csv.size()) == csv.size();
    };

    int failures = 0;
    for (const QString &file : files) {
        QString error;
        if (stopRequested())
            break;
        if (CsvExport::StreamResultFile(file, sink, &error, &stopFlag()))
            continue;
        if (device.Failure() == EPIPE || stopRequested())
            break;
        if (device.Failure() != 0)
            return writeFailed(qt_error_string(device.Failure()));
        BatchJobs::PrintError(error);
        ++failures;
    }
    if (!stream.Commit() && device.Failure() != EPIPE && !stopRequested())
        return writeFailed(stream.ErrorString());
    return failures > 0 ? Failure : Success;
}

int exportCsv(const Request &request)
{
    if (request.target == QLatin1String(kStandardOutput)
        || StagedFile::WritesInPlace(request.target))
        return exportToStream(request.target, request.files);
    QList<BatchJobs::Job> jobs;
    QString error;
    if (!BatchJobs::Plan(request.target, request.files, QStringLiteral(".csv"), &jobs, &error)) {
        BatchJobs::PrintError(error);
        return UnusableArguments;
    }
    const auto work = [](const BatchJobs::Job &job, QString *jobError) {
        return CsvExport::ExportResultFile(job.input, job.output, jobError, &stopFlag());
    };
    return BatchJobs::Run(jobs, work, stopRequested) > 0 ? Failure : Success;
}

int printPdf(const Request &request, const PdfJob &writePdf)
{
    if (request.target == QLatin1String(kStandardOutput)) {
        BatchJobs::PrintError(tr("--%1 writes files only; name a file or a folder")
                                  .arg(option(kPrintPdf)));
        return UnusableArguments;
    }
    QList<BatchJobs::Job> jobs;
    QString error;
    if (!BatchJobs::Plan(request.target, request.files, QStringLiteral(".pdf"), &jobs, &error)) {
        BatchJobs::PrintError(error);
        return UnusableArguments;
    }
    const QString pageSize = request.pageSize;
    const auto work = [&writePdf, pageSize](const BatchJobs::Job &job, QString *jobError) {
        return writePdf(job.input, job.output, pageSize, jobError, &stopFlag());
    };
    return BatchJobs::Run(jobs, work, stopRequested) > 0 ? Failure : Success;
}

// Colour only where a person reads it.
bool colourWanted()
{
    const QByteArray term = qgetenv("TERM");
    return ::isatty(STDOUT_FILENO) && qEnvironmentVariableIsEmpty("NO_COLOR") && !term.isEmpty()
        && term != "dumb";
}

// Writes `text` whole to standard output; a failure (a closed or full
// output) is told, and is the job's failure.
int writeOut(const QString &text)
{
    const QString standardOutput = QLatin1String(kStandardOutput);
    if (standardOutputClosed)
        return streamFailed(standardOutput, tr("it is closed"));
    DescriptorDevice device(STDOUT_FILENO);
    const QByteArray bytes = text.toUtf8();
    if (device.write(bytes) != bytes.size() && device.Failure() != EPIPE)
        return streamFailed(standardOutput, qt_error_string(device.Failure()));
    return Success;
}

QString helpText()
{
    QCommandLineParser parser;
    Describe(parser);
    return parser.helpText();
}

int summarize(const Request &request)
{
    const QString standardOutput = QLatin1String(kStandardOutput);
    if (standardOutputClosed)
        return streamFailed(standardOutput, tr("it is closed"));
    DescriptorDevice device(STDOUT_FILENO);
    const auto out = [&device](QByteArrayView text) { device.write(text.data(), text.size()); };
    const int status = SummaryJob::Run(request.files, request.format,
                                       request.format == SummaryWriter::Text && colourWanted(), out);
    if (stopRequested())
        return Failure; // ended by the signal
    if (device.Failure() != 0 && device.Failure() != EPIPE)
        return streamFailed(standardOutput, qt_error_string(device.Failure()));
    return status;
}

} // namespace

bool ParseFormat(const QString &name, SummaryWriter::Format *format)
{
    static const struct
    {
        const char *name;
        SummaryWriter::Format format;
    } kFormats[] = {{"text", SummaryWriter::Text}, {"json", SummaryWriter::Json}, {"csv", SummaryWriter::Csv}};
    for (const auto &known : kFormats) {
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0) {
            *format = known.format;
            return true;
        }
    }
    return false;
}

QStringList WithoutGuiOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) { // the rest are files
            kept += arguments.mid(i);
            break;
        }
        if (i == 0 || !argument.startsWith(QLatin1Char('-'))) {
            kept.append(argument);
            continue;
        }
        QStringView name = QStringView(argument).mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        const qsizetype equals = name.indexOf(QLatin1Char('='));
        if (equals >= 0 ? isOneOf(name.first(equals), kGuiOptionsWithJoinedValue)
                        : isOneOf(name, kGuiFlags))
            continue;
        if (equals < 0 && isOneOf(name, kGuiOptionsWithValue)) {
            ++i; // and its value
            continue;
        }
        kept.append(argument);
    }
    return kept;
}

void Describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(tr(
        "Quenvale, a viewer for fiber measurement result files (.fib).\n"
        "\n"
        "Without --export-csv, --print-pdf or --summary, opens the window with a tab\n"
        "for each FILE.fib given, the last one shown.\n"
        "\n"
        "With one of them, runs that job without a window and exits:\n"
        "\n"
        "  --export-csv OUT.csv FILE.fib\n"
        "      Writes the CSV export of FILE.fib to OUT.csv: the very bytes that Save As\n"
        "      writes right after FILE.fib is opened in the window. The file is read\n"
        "      and the CSV written as they go, so any size of file needs little memory.\n"
        "  --export-csv OUTDIR FILE.fib...\n"
        "      Writes OUTDIR/NAME.csv for each FILE.fib, where NAME is the file's name\n"
        "      without a final \".fib\" (in any case). OUTDIR must be an existing\n"
        "      folder; it is taken as one whenever it is, even for a single file.\n"
        "  --export-csv - FILE.fib...\n"
        "      Writes the CSV of each file in turn to standard output. A reader that\n"
        "      closes the pipe early ends the job quietly, with status 0.\n"
        "  --print-pdf OUT.pdf FILE.fib [--page-size A4|Letter]\n"
        "      Writes the printed report of FILE.fib to OUT.pdf, one PDF page per\n"
        "      report page, drawn by the same code as Print.\n"
        "  --print-pdf OUTDIR FILE.fib... [--page-size A4|Letter]\n"
        "      Writes OUTDIR/NAME.pdf for each FILE.fib.\n"
        "  --summary [--format text|json|csv] PATH...\n"
        "      Judges every fiber of every result file against its thresholds and\n"
        "      writes the verdicts to standard output as they are made. A PATH is a\n"
        "      result file, read whatever it is, or a folder: every regular file in\n"
        "      it and its subfolders whose name ends in \".fib\" (in any case), in\n"
        "      name order; anything else of such a name there is \"not a regular\n"
        "      file\". A file reached twice is judged once. The rows are read exactly\n"
        "      as for --export-csv; each block of 18 rows is one fiber, named by its\n"
        "      first row. A channel passes when its power and its threshold both hold\n"
        "      a number and the power is at or above the threshold; \"Low\" fails, and\n"
        "      so does a power or threshold that holds no number (\"no number\"). The\n"
        "      margin is power minus threshold, in dB. A fiber passes when it has 18\n"
        "      rows and all of them pass (fewer rows: \"incomplete\"). A file passes\n"
        "      when it has a fiber and every fiber passes (none: \"no rows\").\n"
        "      text (the default): the path of each failing file and a line per\n"
        "        failing fiber (its worst channel's power, threshold and margin);\n"
        "        then a line per file (PASS or FAIL, fibers passed of all, yield), one\n"
        "        for all files together, and what could not be read.\n"
        "      json: {\"files\": [{\"path\", \"fiber_results\": [{\"name\", \"verdict\",\n"
        "        \"rows\", \"reason\", \"failed_channels\", \"worst_channel\",\n"
        "        \"worst_margin\"}], \"verdict\", \"fibers\", \"failed\", \"yield\",\n"
        "        \"channels\": [{\"channel\", \"wavelength\", \"count\", \"failed\", \"min\",\n"
        "        \"max\", \"mean\", \"stddev\"}]}], \"verdict\", \"errors\": [{\"path\",\n"
        "        \"message\"}]}.\n"
        "      csv: file,fiber,verdict,rows,reason,worst_channel,worst_margin,\n"
        "        failed_channels, one line per fiber (RFC 4180).\n"
        "      Texts are UTF-8, decoded from code page 936 and trimmed; numbers are\n"
        "      the shortest decimals to six places (1e+64 past fifteen digits; null,\n"
        "      or empty in csv, beyond any number); a yield is rounded down.\n"
        "\n"
        "Several files are done in parallel, on all of the machine's cores. A file\n"
        "that cannot be read or written is named on standard error and the others\n"
        "are still written. Two files that would write the same result, or a result\n"
        "that would replace one of the files read, are refused before anything is\n"
        "written. On a terminal, standard error shows how many files are done;\n"
        "otherwise a job that succeeds prints nothing there.\n"
        "\n"
        "A result that is a regular file (or a new one) replaces an older file of its\n"
        "name only once it is complete: it is written into a private temporary file\n"
        "named .quenvale-XXXXXXXX-NAME beside it, which then takes the older file's\n"
        "mode (and, where allowed, its owner and group) and its name. A job that\n"
        "fails, or is stopped by SIGINT or SIGTERM, leaves the older file as it was\n"
        "and no temporary file; one left by a job that was killed is removed by the\n"
        "next job that writes into that folder. A result that is not a regular file\n"
        "(a device such as /dev/null, a FIFO, a socket, /dev/stdout) is written in\n"
        "place and never replaced; with --export-csv it takes the CSV of every file\n"
        "given, in turn. A symbolic link is written through to the file it names.\n"
        "File names are taken as the bytes given, whatever their encoding.\n"
        "\n"
        "Exit status:\n"
        "  0    every file was written (--summary: every file passed)\n"
        "  1    a file or PATH could not be read or written (the others were done;\n"
        "       this comes before 3)\n"
        "  2    the arguments cannot be used (nothing was done)\n"
        "  3    --summary: a fiber or a file failed\n"
        "  128 + N\n"
        "       the job was stopped by signal N (SIGINT 2, SIGTERM 15): it ends by\n"
        "       that signal within half a second, whatever it was doing."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(kExportCsv),
        tr("Write the CSV export of the result files to OUT: a file (one result file), an "
           "existing folder, or - for standard output; then exit."),
        tr("OUT")));
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(kPrintPdf),
        tr("Write the printed report of the result files as PDF to OUT: a file (one result "
           "file) or an existing folder; then exit."),
        tr("OUT")));
    parser.addOption(QCommandLineOption(QString::fromLatin1(kPageSize),
                                        tr("Paper of the PDF report: A4 (default) or Letter. "
                                           "A page too short for the report is scaled to fit."),
                                        tr("A4|Letter"), QStringLiteral("A4")));
    parser.addOption(QCommandLineOption(
        QString::fromLatin1(kSummary),
        tr("Judge every fiber of the result files and folders given against its thresholds "
           "and write the verdicts to standard output; then exit.")));
    parser.addOption(QCommandLineOption(QString::fromLatin1(kFormat),
                                        tr("Format of --summary: text (default), json or csv."),
                                        tr("text|json|csv")));
    parser.addPositionalArgument(
        tr("files"),
        tr("Result files (.fib): opened in the window, or read by --export-csv or --print-pdf."),
        tr("[FILE.fib...]"));
}

bool IsHeadless(int argc, char **argv)
{
    static const char *const names[] = {"--export-csv", "--print-pdf", "--summary", "--help", "-h", "-?",
                                        "--help-all", "--version", "-v", nullptr};
    return hasOption(argc, argv, names);
}

bool NeedsGui(int argc, char **argv)
{
    static const char *const names[] = {"--print-pdf", nullptr};
    return hasOption(argc, argv, names);
}

void ReserveStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor is this one. A closed standard output
        // gets a descriptor that takes no writes at all, so that nothing
        // written there by mistake lands anywhere.
        ::open("/dev/null", fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
        if (fd == STDOUT_FILENO)
            standardOutputClosed = true;
    }
}

int RunHeadlessProgram(int argc, char **argv,
                       const std::function<int(const QStringList &arguments)> &run)
{
    ReserveStandardStreams();
    StopSignals::Install();
    std::signal(SIGPIPE, SIG_IGN); // a closed reader is an error of the write
    QCoreApplication::setApplicationName(StringTable::LoadString(StringTable::AFX_IDS_APP_TITLE));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));
    const int code = run(NativePath::Arguments(argc, argv));
    // Everything is cleaned up by now; a stopped job still ends as stopped.
    StopSignals::EndByCaughtSignal();
    return code;
}

int RunHeadless(const QStringList &arguments, const PdfJob &writePdf)
{
    Request request;
    QString error;
    if (!parse(arguments, &request, &error)) {
        BatchJobs::PrintError(error);
        return UnusableArguments;
    }
    switch (request.job) {
    case Request::ExportCsv:
        return exportCsv(request);
    case Request::PrintPdf:
        if (writePdf)
            return printPdf(request, writePdf);
        break;
    case Request::Summary:
        return summarize(request);
    case Request::Help:
        return writeOut(helpText());
    case Request::Version:
        return writeOut(QCoreApplication::applicationName() + QLatin1Char(' ')
                        + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    case Request::Window:
        break;
    }
    QCommandLineParser parser;
    Describe(parser);
    parser.showHelp(UnusableArguments);
}

bool FilesToOpen(const QStringList &arguments, QStringList *files, QString *error)
{
    Request request;
    QString message;
    if (!parse(arguments, &request, &message)) {
        if (error)
            *error = message;
        return false;
    }
    *files = request.files;
    return true;
}

} // namespace CommandLine
