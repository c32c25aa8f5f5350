#include "cli/HelpJob.h"

#include "cli/Options.h"
#include "cli/OutputStream.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace HelpJob {

namespace {

ExitStatus print(const QString &text)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    out.Write(text.toUtf8());
    return out.Finish(ExitStatus::Success);
}

} // namespace

ExitStatus PrintHelp()
{
    QCommandLineParser parser;
    Options::Describe(parser);
    return print(parser.helpText());
}

ExitStatus PrintVersion()
{
    return print(QCoreApplication::applicationName() + QLatin1Char(' ')
                 + QCoreApplication::applicationVersion() + QLatin1Char('\n'));
}

} // namespace HelpJob
