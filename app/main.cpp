#include "app/CommandLine.h"

#include <QCoreApplication>
#include <QGuiApplication>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(
        QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("Quenvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUENVALE_VERSION));

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
