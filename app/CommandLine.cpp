#include "app/CommandLine.h"

#include "app/BatchJobs.h"
#include "app/StopSignals.h"
#include "data/ChannelTable.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"
#include "output/ReportPdf.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace CommandLine {

namespace {

const char kExportCsv[] = "export-csv";
const char kPrintPdf[] = "print-pdf";
const char kPageSize[] = "page-size";
const char kStandardOutput[] = "-";

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

bool stopRequested()
{
    return StopSignals::Flag().load();
}

// The CSV of every file in turn on standard output, as one stream. A reader
// that closes the pipe has taken what it wanted: the job ends quietly.
int exportToStandardOutput(const QStringList &files)
{
    std::signal(SIGPIPE, SIG_IGN);
    bool pipeClosed = false;
    QString writeError;
    auto sink = [&](QByteArrayView csv) {
        const char *data = csv.data();
        qsizetype left = csv.size();
        while (left > 0) {
            const ssize_t written = ::write(STDOUT_FILENO, data, size_t(left));
            if (written >= 0) {
                data += written;
                left -= written;
            } else if (errno == EPIPE) {
                pipeClosed = true;
                return false;
            } else if (errno != EINTR) {
                writeError = QString::fromLocal8Bit(std::strerror(errno));
                return false;
            } else if (stopRequested()) {
                return false;
            }
        }
        return true;
    };

    int failures = 0;
    for (const QString &file : files) {
        QString error;
        if (stopRequested())
            break;
        if (CsvExport::StreamResultFile(file, sink, &error, &StopSignals::Flag()))
            continue;
        if (pipeClosed || stopRequested())
            break;
        if (!writeError.isEmpty()) {
            BatchJobs::PrintError(tr("Cannot write to standard output: %1").arg(writeError));
            return 1;
        }
        BatchJobs::PrintError(error);
        ++failures;
    }
    return failures > 0 ? 1 : 0;
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
        "written. A result replaces an older file of its name only once it is\n"
        "complete: a job that fails, or is stopped by SIGINT or SIGTERM, leaves the\n"
        "older file as it was and no temporary file. On a terminal, standard error\n"
        "shows how many files are done; otherwise a job that succeeds prints nothing\n"
        "there.\n"
        "\n"
        "Exit status: 0 when every file was written, 1 when any file could not be\n"
        "read or written, 2 for arguments that cannot be used. A job stopped by a\n"
        "signal ends by that signal."));
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
    ResultFileText text;
    if (!ReadResultFile(fibPath, text, error))
        return false;
    PrintReport report;
    report.SetRows(ChannelTable::CutTable(text.table));
    text.table.clear();
    return ReportPdf::WriteFile(report, pdfPath, pageSize, error, stop);
}

int RunHeadless(QCoreApplication &app)
{
    QCommandLineParser parser;
    Describe(parser);
    // --help, --version and unknown options end here.
    parser.process(WithoutGuiOptions(app.arguments()));

    const QStringList files = parser.positionalArguments();
    const bool exportCsv = parser.isSet(QString::fromLatin1(kExportCsv));
    const bool printPdf = parser.isSet(QString::fromLatin1(kPrintPdf));
    if (exportCsv && printPdf) {
        BatchJobs::PrintError(tr("--export-csv and --print-pdf cannot be given together"));
        return 2;
    }
    if (parser.isSet(QString::fromLatin1(kPageSize)) && !printPdf) {
        BatchJobs::PrintError(tr("--page-size is only for --print-pdf"));
        return 2;
    }
    if (!exportCsv && !printPdf)
        parser.showHelp(2);

    const QString option = QString::fromLatin1(exportCsv ? kExportCsv : kPrintPdf);
    if (files.isEmpty()) {
        BatchJobs::PrintError(tr("--%1 needs at least one result file").arg(option));
        return 2;
    }
    QPageSize pageSize;
    const QString sizeName = parser.value(QString::fromLatin1(kPageSize));
    if (printPdf && !ParsePageSize(sizeName, &pageSize)) {
        BatchJobs::PrintError(tr("unknown page size \"%1\", use A4 or Letter").arg(sizeName));
        return 2;
    }

    const QString target = parser.value(option);
    if (target == QLatin1String(kStandardOutput)) {
        if (printPdf) {
            BatchJobs::PrintError(tr("--print-pdf writes files only; name a file or a folder"));
            return 2;
        }
        StopSignals::Install();
        return exportToStandardOutput(files);
    }
    QList<BatchJobs::Job> jobs;
    QString error;
    if (!BatchJobs::Plan(target, files, exportCsv ? QStringLiteral(".csv") : QStringLiteral(".pdf"),
                         &jobs, &error)) {
        BatchJobs::PrintError(error);
        return 2;
    }

    StopSignals::Install();
    const std::atomic<bool> *stop = &StopSignals::Flag();
    BatchJobs::Work work;
    if (exportCsv) {
        work = [stop](const BatchJobs::Job &job, QString *jobError) {
            return CsvExport::ExportResultFile(job.input, job.output, jobError, stop);
        };
    } else {
        work = [stop, pageSize](const BatchJobs::Job &job, QString *jobError) {
            return PrintPdf(job.input, job.output, pageSize, jobError, stop);
        };
    }
    return BatchJobs::Run(jobs, work, stopRequested) > 0 ? 1 : 0;
}

bool FilesToOpen(const QStringList &arguments, QStringList *files, QString *error)
{
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(WithoutGuiOptions(arguments))) {
        if (error)
            *error = parser.errorText();
        return false;
    }
    *files = parser.positionalArguments();
    return true;
}

} // namespace CommandLine
