#include "cli/OptionReader.h"

#include "data/NativePath.h"

#include <QCommandLineParser>

namespace OptionReader {

QString Name(const char *name)
{
    return QString::fromLatin1(name);
}

bool Fail(QString *error, const QString &message)
{
    *error = message;
    return false;
}

QString ParserError(const QCommandLineParser &parser, const QStringList &arguments)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString &name = unknown.first();
        for (const QString &argument : arguments) {
            const QString bare = argument.section(QLatin1Char('='), 0, 0);
            if (bare == QLatin1Char('-') + name || bare == QLatin1String("--") + name)
                return QCoreApplication::translate("Options", "unknown option '%1'").arg(bare);
        }
        return QCoreApplication::translate("Options", "unknown option '%1'").arg(name);
    }
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (!text.isEmpty())
        text[0] = text.at(0).toLower();
    return text;
}

bool SingleValue(const QCommandLineParser &parser, const char *name, QString *value,
                 QString *error)
{
    const QStringList values = parser.values(Name(name));
    if (values.size() > 1)
        return Fail(error, QCoreApplication::translate("Options", "--%1 is given more than once").arg(Name(name)));
    *value = values.value(0);
    if (value->isEmpty())
        return Fail(error, QCoreApplication::translate("Options", "--%1 needs a value, not an empty text").arg(Name(name)));
    if (value->startsWith(QLatin1String("--")))
        return Fail(error, QCoreApplication::translate("Options", "--%1 needs a value, but '%2' follows it (write ./%2 for a "
                                       "file of that name)")
                               .arg(Name(name), NativePath::Display(*value)));
    return true;
}


bool JobValue(const QCommandLineParser &parser, const JobOption &jobOption, QString *value,
              QString *error)
{
    value->clear();
    if (!parser.isSet(Name(jobOption.name)))
        return true;
    if (!SingleValue(parser, jobOption.name, value, error))
        return false;
    if (!jobOption.jobGiven)
        return Fail(error, QCoreApplication::translate("Options", "--%1 is only for %2")
                               .arg(Name(jobOption.name), QLatin1String(jobOption.jobs)));
    if (!jobOption.accepted(*value))
        return Fail(error, QCoreApplication::translate("Options", "--%1 %2: unknown value, use %3")
                               .arg(Name(jobOption.name), NativePath::Display(*value),
                                    QLatin1String(jobOption.values)));
    return true;
}

} // namespace OptionReader
