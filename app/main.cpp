#include "app/CSDIQVLApp.h"
#include "cli/CommandLine.h"
#include "data/NativePath.h"
#include "output/ReportPdf.h"
#include "output/TemporaryFiles.h"

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
    return CommandLine::RunHeadless(arguments, ReportPdf::WriteResultFile);
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
    return CommandLine::RunHeadlessProgram(argc, argv, [&](const QStringList &arguments) {
        if (CommandLine::NeedsGui(argc, argv))
            return runDrawingJob(argc, argv, arguments);
        QCoreApplication app(argc, argv);
        return CommandLine::RunHeadless(arguments);
    });
}
