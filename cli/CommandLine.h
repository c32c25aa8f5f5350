#pragma once

#include "output/SummaryWriter.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class QCommandLineParser;
class QCoreApplication;

// The program's command line: the files to open in the window, and the jobs
// that run without a window and exit (--export-csv, --print-pdf, --summary).
namespace CommandLine {

// Exit statuses of the jobs (--summary adds 3 for a verdict of fail).
enum ExitCode { Success = 0, Failure = 1, UnusableArguments = 2 };

// Declares every option and argument, for --help and for parsing.
void Describe(QCommandLineParser &parser);

// True when the arguments ask for a job without a window (or for --help or
// --version), so no display is needed. Looked at before any application
// object exists.
bool IsHeadless(int argc, char **argv);

// True when the headless job draws (needs fonts and a GUI application).
bool NeedsGui(int argc, char **argv);

// Makes sure descriptors 0, 1 and 2 are taken before anything opens a file,
// so that no file the program opens becomes its standard output by chance.
// Remembers whether standard output was closed. Call first thing in main.
void ReserveStandardStreams();

// Writes the PDF report of one result file (see ReportPdf::WriteResultFile).
using PdfJob = std::function<bool(const QString &fibPath, const QString &pdfPath,
                                  const QString &pageSize, QString *error,
                                  const std::atomic<bool> *stop)>;

// Runs the headless job named by `arguments` (program name first, each
// argument's bytes kept, see NativePath); returns the exit status: 0 when
// every file was written, 1 when any failed, 2 for unusable arguments.
// SIGINT and SIGTERM stop it cleanly (see StopSignals). --print-pdf needs
// `writePdf`, which a program without the drawing code does not have: it
// hands such jobs to the program that has it.
int RunHeadless(const QStringList &arguments, const PdfJob &writePdf = {});

// "text", "json" or "csv", in any case; false for any other name.
bool ParseFormat(const QString &name, SummaryWriter::Format *format);

// What every run without a window does around its job: standard streams
// taken, SIGINT and SIGTERM left to their watcher thread (before any other
// thread exists), SIGPIPE made a write error, the program's name and
// version set; then `run` gets the arguments (their bytes kept, taken
// before any application object changes argv) and makes the application
// object and runs the job. A job stopped by a signal ends the process by
// it. Returns the job's exit status.
int RunHeadlessProgram(int argc, char **argv,
                       const std::function<int(const QStringList &arguments)> &run);

// The arguments without Qt's own GUI options (-style, -platform, -display,
// -geometry and the others) and their values, which Qt handles itself.
QStringList WithoutGuiOptions(const QStringList &arguments);

// The result files named for the window to open, from the whole argument
// list (program name first), Qt's GUI options passed over; false with a
// message for arguments that do not parse.
bool FilesToOpen(const QStringList &arguments, QStringList *files, QString *error);

} // namespace CommandLine
