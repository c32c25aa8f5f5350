#pragma once

#include "output/SummaryWriter.h"

#include <QPageSize>
#include <QString>
#include <QStringList>

#include <atomic>

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

// Runs the headless job named by `arguments` (program name first, each
// argument's bytes kept, see NativePath); returns the exit status: 0 when
// every file was written, 1 when any failed, 2 for unusable arguments.
// SIGINT and SIGTERM stop it cleanly (see StopSignals).
int RunHeadless(const QStringList &arguments);

// "A4" or "Letter", in any case; false for any other name.
bool ParsePageSize(const QString &name, QPageSize *size);

// "text", "json" or "csv", in any case; false for any other name.
bool ParseFormat(const QString &name, SummaryWriter::Format *format);

// The PDF job: reads `fibPath` in blocks and writes its printed report to
// exactly `pdfPath`, drawn by the same code that prints it. Memory follows
// the file's rows; rows that do not fit in memory are a failure with a
// message, like any other. Safe to run on several threads at once.
bool PrintPdf(const QString &fibPath, const QString &pdfPath, const QPageSize &pageSize,
              QString *error, const std::atomic<bool> *stop = nullptr);

// The arguments without Qt's own GUI options (-style, -platform, -display,
// -geometry and the others) and their values, which Qt handles itself.
QStringList WithoutGuiOptions(const QStringList &arguments);

// The result files named for the window to open, from the whole argument
// list (program name first), Qt's GUI options passed over; false with a
// message for arguments that do not parse.
bool FilesToOpen(const QStringList &arguments, QStringList *files, QString *error);

} // namespace CommandLine
