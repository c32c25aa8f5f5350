#include "app/CSDIQVLApp.h"
#include "app/CommandLine.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(
        QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));

    if (!CommandLine::IsHeadless(argc, argv)) {
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
    if (CommandLine::NeedsGui(argc, argv)) {
        // Drawing jobs need fonts but never a screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return CommandLine::RunHeadless(app);
    }
    QCoreApplication app(argc, argv);
    return CommandLine::RunHeadless(app);
}
