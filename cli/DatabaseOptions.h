#pragma once

#include <QString>

class QCommandLineParser;
struct Options;

// The options of the factory's database: --push URL with its --station,
// and --trend URL with --station, --since and --until.
namespace DatabaseOptions {

void Describe(QCommandLineParser &parser);
// Once the job and its files are known: the database named, the
// stations, the time bounds; false with a message where they cannot be
// used.
bool Check(const QCommandLineParser &parser, Options *options, QString *error);

} // namespace DatabaseOptions
