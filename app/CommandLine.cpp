#include "app/CommandLine.h"

#include "data/ChannelTable.h"
#include "data/MeasurementStore.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"
#include "output/ReportPdf.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace CommandLine {

namespace {

const char kExportCsv[] = "export-csv";
const char kPrintPdf[] = "print-pdf";
const char kPageSize[] = "page-size";

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

void printError(const QString &message)
{
    std::fprintf(stderr, "quenvale: %s\n", qPrintable(message));
}

// The jobs read exactly one result file.
bool oneFileGiven(const QStringList &files, const char *option)
{
    if (files.size() == 1)
        return true;
    printError(tr("--%1 needs exactly one result file, %2 given")
                   .arg(QString::fromLatin1(option))
                   .arg(files.size()));
    return false;
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
    parser.setApplicationDescription(
        tr("Quenvale, a viewer for fiber measurement result files (.fib)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(QCommandLineOption(QString::fromLatin1(kExportCsv),
                                        tr("Write the CSV export of FILE.fib to OUT.csv and exit."),
                                        tr("OUT.csv")));
    parser.addOption(QCommandLineOption(QString::fromLatin1(kPrintPdf),
                                        tr("Write the printed report of FILE.fib to OUT.pdf "
                                           "and exit."),
                                        tr("OUT.pdf")));
    parser.addOption(QCommandLineOption(QString::fromLatin1(kPageSize),
                                        tr("Paper of the PDF report: A4 (default) or Letter."),
                                        tr("A4|Letter"), QStringLiteral("A4")));
    parser.addPositionalArgument(tr("files"), tr("Result files (.fib) to open."),
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

bool ExportCsv(const QString &fibPath, const QString &csvPath, QString *error)
{
    ResultFileText text;
    if (!ReadResultFile(fibPath, text, error))
        return false;
    MeasurementRows &rows = MeasurementStore::Instance().Rows();
    rows = ChannelTable::CutTable(text.table);
    text.table.clear();
    CsvExport::StampFiberNames(rows, ChannelTable::FiberNames(rows));
    return CsvExport::WriteFile(csvPath, CsvExport::Text(rows), error);
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
              QString *error)
{
    ResultFileText text;
    if (!ReadResultFile(fibPath, text, error))
        return false;
    PrintReport report;
    report.SetRows(ChannelTable::CutTable(text.table));
    text.table.clear();
    return ReportPdf::WriteFile(report, pdfPath, pageSize, error);
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
        printError(tr("--export-csv and --print-pdf cannot be given together"));
        return 2;
    }
    if (parser.isSet(QString::fromLatin1(kPageSize)) && !printPdf) {
        printError(tr("--page-size is only for --print-pdf"));
        return 2;
    }
    if (printPdf) {
        if (!oneFileGiven(files, kPrintPdf))
            return 2;
        QPageSize pageSize;
        const QString sizeName = parser.value(QString::fromLatin1(kPageSize));
        if (!ParsePageSize(sizeName, &pageSize)) {
            printError(tr("unknown page size \"%1\", use A4 or Letter").arg(sizeName));
            return 2;
        }
        QString error;
        if (!PrintPdf(files.first(), parser.value(QString::fromLatin1(kPrintPdf)), pageSize,
                      &error)) {
            printError(error);
            return 1;
        }
        return 0;
    }
    if (exportCsv) {
        if (!oneFileGiven(files, kExportCsv))
            return 2;
        QString error;
        if (!ExportCsv(files.first(), parser.value(QString::fromLatin1(kExportCsv)), &error)) {
            printError(error);
            return 1;
        }
        return 0;
    }
    parser.showHelp(2);
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
