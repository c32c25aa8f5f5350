#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

class QCommandLineParser;

// Reading the options' values off the parser, each one way: given once,
// not empty, not another option taken for a value, beside its job; and
// the parser's own complaints in the program's words.
namespace OptionReader {

// The option's name as the parser knows it.
QString Name(const char *name);
// Sets `error` to `message`; false.
bool Fail(QString *error, const QString &message);
// The parser's complaint, in the program's own words: the argument as the
// user wrote it, no capital, no full stop.
QString ParserError(const QCommandLineParser &parser, const QStringList &arguments);
// The value of an option that takes one: given once, not empty, and not
// another option taken for a value.
bool SingleValue(const QCommandLineParser &parser, const char *name, QString *value, QString *error);

// An option that belongs to some jobs, and the values it takes.
struct JobOption
{
    const char *name;
    const char *jobs; // as the message lists them: "--print-pdf"
    bool jobGiven;
    const char *values; // as the message lists them
    std::function<bool(const QString &)> accepted;
};
// The value of such an option when it is given: once, not empty, beside
// its job, one of its values; empty when it is not given.
bool JobValue(const QCommandLineParser &parser, const JobOption &jobOption, QString *value, QString *error);

} // namespace OptionReader
