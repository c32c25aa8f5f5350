#include "app/CSDIQVLApp.h"
#include "app/CommandLine.h"
#include "app/StopSignals.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

int runWindow(int argc, char *argv[])
{
    // Bad arguments are told before any display is needed.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QStringList files;
    QString error;
    if (!CommandLine::FilesToOpen(arguments, &files, &error)) {
        std::fprintf(stderr, "quenvale: %s\n", qPrintable(error));
        return 2;
    }
    QApplication app(argc, argv);
    CSDIQVLApp theApp;
    if (!theApp.InitInstance(files))
        return 1;
    const int code = QApplication::exec();
    theApp.ExitInstance();
    return code;
}

int runDrawingJob(int argc, char *argv[])
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
        if (runtimeDir->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir->path()));
    }
    QGuiApplication app(argc, argv);
    return CommandLine::RunHeadless(app);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(CSDIQVLApp::RegistryKey());
    QCoreApplication::setApplicationName(CSDIQVLApp::AppName());
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));

    if (!CommandLine::IsHeadless(argc, argv))
        return runWindow(argc, argv);
    int code = 0;
    if (CommandLine::NeedsGui(argc, argv)) {
        code = runDrawingJob(argc, argv);
    } else {
        QCoreApplication app(argc, argv);
        code = CommandLine::RunHeadless(app);
    }
    // Everything is cleaned up by now; a stopped job still ends as stopped.
    StopSignals::EndByCaughtSignal();
    return code;
}
