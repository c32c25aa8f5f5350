#include "app/CSDIQVLApp.h"
#include "cli/GuiOptions.h"
#include "cli/HeadlessJob.h"
#include "cli/HeadlessProcess.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "cli/TerminalStatus.h"
#include "data/NativePath.h"
#include "lot/LotReport.h"
#include "output/DistributionImage.h"
#include "output/LibraryMessages.h"
#include "output/ReportPdf.h"
#include "output/TemporaryFiles.h"
#include "output/Translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

int runWindow(int &argc, char *argv[], const QStringList &files)
{
    // Nothing in the window looks for a stop: a fatal signal removes the
    // temporary file of a Save As or a PDF under way and ends it at once.
    StopSignals::Install(0);
    QApplication app(argc, argv);
    Translations::Install(app);
    CSDIQVLApp theApp;
    if (!theApp.InitInstance(files))
        return 1;
    const int code = QApplication::exec();
    theApp.ExitInstance();
    return code;
}

ExitStatus runDrawingJob(int &argc, char *argv[], const Options &options)
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
    Translations::Install(app);
    return HeadlessJob::Run(options, {ReportPdf::WriteResultFile, LotReport::WritePdf, DistributionImage::WriteResultFile});
}

} // namespace

int main(int argc, char *argv[])
{
    OutputStream::ReserveStandardStreams();
    LibraryMessages::Install(); // Export Workbook in the window too
    TerminalStatus::CatchQtMessages();
    QCoreApplication::setOrganizationName(CSDIQVLApp::RegistryKey());
    QCoreApplication::setApplicationName(CSDIQVLApp::AppName());
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));

    // Bad arguments are told before any display is needed.
    Options options;
    QString error;
    const QStringList arguments = NativePath::Arguments(argc, argv);
    if (!Options::Parse(arguments, &options, &error))
        return HeadlessProcess::RefuseArguments(argv, arguments);
    // Qt sees no file named after "--" as one of its options.
    int applicationArgc = GuiOptions::ApplicationArgumentCount(argc, argv);
    switch (options.job) {
    case Options::Job::Window:
        return runWindow(applicationArgc, argv, options.files);
    case Options::Job::PrintPdf:
    case Options::Job::Plot:
        return HeadlessProcess::Run([&] { return runDrawingJob(applicationArgc, argv, options); });
    default:
        return HeadlessProcess::Run([&] {
            QCoreApplication app(applicationArgc, argv);
            Translations::Install(app);
            return HeadlessJob::Run(options);
        });
    }
}
