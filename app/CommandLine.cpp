#include "app/CommandLine.h"

#include "app/BatchJobs.h"
#include "app/StopSignals.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/DescriptorDevice.h"
#include "output/PrintReport.h"
#include "output/ReportPdf.h"
#include "output/StagedFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <unistd.h>

namespace CommandLine {

namespace {

const char kExportCsv[] = "export-csv";
const char kPrintPdf[] = "print-pdf";
const char kPageSize[] = "page-size";
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
    enum Job { Window, ExportCsv, PrintPdf };
    Job job = Window;
    QString target;
    QStringList files;
    QPageSize pageSize = QPageSize(QPageSize::A4);
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
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        parser.showHelp(Success);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    const bool exportCsv = parser.isSet(option(kExportCsv));
    const bool printPdf = parser.isSet(option(kPrintPdf));
    if (exportCsv && printPdf) {
        *error = tr("--%1 and --%2 cannot be given together: one job at a time")
                     .arg(option(kExportCsv), option(kPrintPdf));
        return false;
    }
    request->job = exportCsv ? Request::ExportCsv : printPdf ? Request::PrintPdf : Request::Window;
    const char *const job = exportCsv ? kExportCsv : kPrintPdf;
    if (request->job != Request::Window && !singleValue(parser, job, &request->target, error))
        return false;
    if (parser.isSet(option(kPageSize))) {
        QString size;
        if (!singleValue(parser, kPageSize, &size, error))
            return false;
        if (!printPdf) {
            *error = tr("--%1 is only for --%2").arg(option(kPageSize), option(kPrintPdf));
            return false;
        }
        if (!ParsePageSize(size, &request->pageSize)) {
            *error = tr("--%1 %2: unknown page size, use A4 or Letter")
                         .arg(option(kPageSize), NativePath::Display(size));
            return false;
        }
    }
    request->files = parser.positionalArguments();
    if (request->job != Request::Window && request->files.isEmpty()) {
        *error = tr("--%1 needs at least one result file").arg(option(job));
        return false;
    }
    return true;
}

// The CSV of every file in turn into one stream that is written in place:
// standard output for "-", or a device, a FIFO or a socket. A reader that
// closes the pipe has taken what it wanted: the job ends quietly.
int exportToStream(const QString &target, const QStringList &files)
{
    const bool standardOutput = target == QLatin1String(kStandardOutput);
    auto writeFailed = [&](const QString &reason) {
        QString message = tr("Cannot write to standard output: %1").arg(reason);
        if (!standardOutput)
            FileError::WriteFailed(target, reason, &message);
        BatchJobs::PrintError(message);
        return Failure;
    };
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

int printPdf(const Request &request)
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
    const QPageSize pageSize = request.pageSize;
    const auto work = [pageSize](const BatchJobs::Job &job, QString *jobError) {
        return PrintPdf(job.input, job.output, pageSize, jobError, &stopFlag());
    };
    return BatchJobs::Run(jobs, work, stopRequested) > 0 ? Failure : Success;
}

} // namespace

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
        "Without --export-csv or --print-pdf, opens the window with a tab for each\n"
        "FILE.fib given, the last one shown.\n"
        "\n"
        "With either of them, runs one job without a window and exits:\n"
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
        "  0    every file was written\n"
        "  1    a file could not be read or written (the others were)\n"
        "  2    the arguments cannot be used (nothing was done)\n"
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
    parser.addPositionalArgument(
        tr("files"),
        tr("Result files (.fib): opened in the window, or read by --export-csv or --print-pdf."),
        tr("[FILE.fib...]"));
}

bool IsHeadless(int argc, char **argv)
{
    static const char *const names[] = {"--export-csv", "--print-pdf", "--help", "-h", "-?",
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

bool ParsePageSize(const QString &name, QPageSize *size)
{
    if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
        *size = QPageSize(QPageSize::A4);
    else if (name.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
        *size = QPageSize(QPageSize::Letter);
    else
        return false;
    return true;
}

bool PrintPdf(const QString &fibPath, const QString &pdfPath, const QPageSize &pageSize,
              QString *error, const std::atomic<bool> *stop)
{
    PrintReport report;
    try {
        MeasurementRows rows;
        const bool read = ReadResultBlocks(
            fibPath,
            [&rows](MeasurementRows &block, qsizetype count) {
                for (qsizetype i = 0; i < count; ++i)
                    rows.Append(block.At(i));
                return true;
            },
            error, stop);
        if (!read)
            return false;
        report.SetRows(rows);
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(fibPath, tr("its rows do not fit in this computer's memory"),
                                     error);
    }
    try {
        return ReportPdf::WriteFile(report, pdfPath, pageSize, error, stop);
    } catch (const std::bad_alloc &) {
        return FileError::WriteFailed(pdfPath, tr("not enough memory to draw it"), error);
    }
}

int RunHeadless(const QStringList &arguments)
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
        return printPdf(request);
    case Request::Window:
        break;
    }
    QCommandLineParser parser;
    Describe(parser);
    parser.showHelp(UnusableArguments);
}

bool FilesToOpen(const QStringList &arguments, QStringList *files, QString *error)
{
    QCommandLineParser parser;
    Describe(parser);
    const QStringList ours = WithoutGuiOptions(arguments);
    if (!parser.parse(ours)) {
        if (error)
            *error = parserError(parser, ours);
        return false;
    }
    *files = parser.positionalArguments();
    return true;
}

} // namespace CommandLine
