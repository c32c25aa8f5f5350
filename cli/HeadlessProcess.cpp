#include "cli/HeadlessProcess.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "cli/TerminalStatus.h"
#include "output/LibraryMessages.h"
#include "output/StringTable.h"
#include "output/Translations.h"

#include <QCoreApplication>

namespace HeadlessProcess {

int Run(const std::function<ExitStatus()> &job)
{
    OutputStream::ReserveStandardStreams();
    LibraryMessages::Install();
    TerminalStatus::CatchQtMessages();
    StopSignals::Install(); // a closed reader is an error of the write too
    QCoreApplication::setApplicationName(StringTable::LoadString(StringTable::AFX_IDS_APP_TITLE));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));
    const ExitStatus status = job();
    // Everything is cleaned up by now; a stopped job still ends as stopped.
    StopSignals::EndByCaughtSignal();
    return ExitCode(status);
}

int RefuseArguments(char *argv[], const QStringList &arguments)
{
    int argc = 1; // the program's name: Qt takes nothing of what was refused
    QCoreApplication app(argc, argv);
    Translations::Install(app);
    Options options;
    QString error;
    Options::Parse(arguments, &options, &error);
    BatchJobs::PrintError(error);
    return ExitCode(ExitStatus::UnusableArguments);
}

} // namespace HeadlessProcess
