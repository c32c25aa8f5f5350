#include "app/CSDIQVLApp.h"
#include "app/CommandLine.h"
#include "app/StopSignals.h"
#include "data/NativePath.h"
#include "output/TemporaryFiles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

int runWindow(int argc, char *argv[])
{
    // Bad arguments are told before any display is needed.
    QStringList files;
    QString error;
    if (!CommandLine::FilesToOpen(NativePath::Arguments(argc, argv), &files, &error)) {
        std::fprintf(stderr, "quenvale: %s\n", qPrintable(error));
        return CommandLine::UnusableArguments;
    }
    QApplication app(argc, argv);
    CSDIQVLApp theApp;
    if (!theApp.InitInstance(files))
        return 1;
    const int code = QApplication::exec();
    theApp.ExitInstance();
    return code;
}

int runDrawingJob(int argc, char *argv[], const QStringList &arguments)
{
    // Drawing jobs need fonts but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A GUI application wants a runtime folder of the user's own; a job run
    // from cron or a service often has none. It gets a private one for its
    // life instead of a warning and a folder left in /tmp.
    std::unique_ptr<QTemporaryDir> runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtimeDir = std::make_unique<QTemporaryDir>();
        if (runtimeDir->isValid()) {
            const QByteArray path = QFile::encodeName(runtimeDir->path());
            TemporaryFiles::Add(path); // removed too when a signal ends the job
            qputenv("XDG_RUNTIME_DIR", path);
        }
    }
    QGuiApplication app(argc, argv);
    return CommandLine::RunHeadless(arguments);
}

} // namespace

int main(int argc, char *argv[])
{
    CommandLine::ReserveStandardStreams();
    QCoreApplication::setOrganizationName(CSDIQVLApp::RegistryKey());
    QCoreApplication::setApplicationName(CSDIQVLApp::AppName());
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));

    if (!CommandLine::IsHeadless(argc, argv))
        return runWindow(argc, argv);

    // Before any thread exists, so that every thread leaves the signals to
    // the watcher.
    StopSignals::Install();
    std::signal(SIGPIPE, SIG_IGN); // a closed reader is an error of the write
    // Taken before the application object takes Qt's options out of argv.
    const QStringList arguments = NativePath::Arguments(argc, argv);
    int code = 0;
    if (CommandLine::NeedsGui(argc, argv)) {
        code = runDrawingJob(argc, argv, arguments);
    } else {
        QCoreApplication app(argc, argv);
        code = CommandLine::RunHeadless(arguments);
    }
    // Everything is cleaned up by now; a stopped job still ends as stopped.
    StopSignals::EndByCaughtSignal();
    return code;
}
