#include "cli/DatabaseOptions.h"

#include "cli/OptionReader.h"
#include "cli/Options.h"
#include "lot/FactoryDatabase.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QSysInfo>

namespace DatabaseOptions {

namespace {

using namespace OptionReader;

const char kPush[] = "push";
const char kStation[] = "station";
const char kSince[] = "since";
const char kUntil[] = "until";
const char kRows[] = "rows";

bool readTime(const QCommandLineParser &parser, const char *name, bool allowed, qint64 *time, QString *error)
{
    QString value;
    const auto isTime = [time](const QString &text) { return FactoryDatabase::ParseTime(text, time); };
    return JobValue(parser, {name, "--trend URL", allowed, "a date, 2018-05-21, or a date and time, 2018-05-21T14:00",
                             isTime},
                    &value, error);
}

} // namespace

void Describe(QCommandLineParser &parser)
{
    parser.addOption(QCommandLineOption(
        Name(kPush),
        Options::tr("Keep each result file of the paths given, summed up, in the factory's PostgreSQL database at "
                    "URL (postgresql://USER@HOST/DB, or service=NAME); a file pushed again unchanged adds nothing; "
                    "then exit."),
        Options::tr("URL")));
    parser.addOption(QCommandLineOption(
        Name(kStation),
        Options::tr("The station the files of --push are of (this machine's name by default); with --trend URL, "
                    "the station whose files are read (once for each; every station's by default)."),
        Options::tr("NAME")));
    parser.addOption(QCommandLineOption(
        Name(kRows), Options::tr("With --push: each file's rows too, every field as the file has it.")));
    parser.addOption(QCommandLineOption(Name(kSince),
                                        Options::tr("With --trend URL: the files whose first row is at T or later."),
                                        Options::tr("T")));
    parser.addOption(QCommandLineOption(Name(kUntil),
                                        Options::tr("With --trend URL: the files whose first row is before T."),
                                        Options::tr("T")));
}

bool Check(const QCommandLineParser &parser, Options *options, QString *error)
{
    const bool push = options->job == Options::Job::Push;
    const bool database = options->job == Options::Job::Trend && options->files.size() == 1
        && FactoryDatabase::IsUrl(options->files.first());
    if (push && !SingleValue(parser, kPush, &options->databaseUrl, error))
        return false;
    if (push && !FactoryDatabase::IsUrl(options->databaseUrl))
        return Fail(error, Options::tr("--%1 needs a database: postgresql://USER@HOST/DB or service=NAME (%2)")
                               .arg(Name(kPush), options->databaseUrl));
    if (database) {
        options->databaseUrl = options->files.first();
        options->files.clear();
        if (options->warnMargin || options->limits.SetsAny())
            return Fail(error, Options::tr("--trend URL reads summaries judged by the rows' thresholds: it takes no "
                                           "--warn-margin or --limits"));
    }
    const QStringList stations = parser.values(Name(kStation));
    if (!stations.isEmpty() && !push && !database)
        return Fail(error, Options::tr("--%1 is only for --push and --trend URL").arg(Name(kStation)));
    if (push && stations.size() > 1)
        return Fail(error, Options::tr("--%1 is given more than once").arg(Name(kStation)));
    for (const QString &station : stations) {
        if (station.trimmed().isEmpty())
            return Fail(error, Options::tr("--%1 needs a name").arg(Name(kStation)));
    }
    options->stations = stations;
    options->pushRows = parser.isSet(Name(kRows));
    if (options->pushRows && !push)
        return Fail(error, Options::tr("--%1 is only for --push").arg(Name(kRows)));
    if (push && stations.isEmpty())
        options->stations = {QSysInfo::machineHostName()};
    return readTime(parser, kSince, database, &options->since, error)
        && readTime(parser, kUntil, database, &options->until, error);
}

} // namespace DatabaseOptions
