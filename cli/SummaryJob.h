#pragma once

#include "cli/ExitStatus.h"
#include "output/SummaryWriter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

struct Options;

// --summary: judges result files, and the result files in folders, against
// their thresholds, several at a time, and writes the verdicts in one of
// the summary formats as they are made, in the files' order.
class SummaryJob
{
    Q_DECLARE_TR_FUNCTIONS(SummaryJob)
public:
    // Judges every result file that the options' paths name and writes the
    // verdicts in their format to standard output, coloured where a person
    // reads them. Paths and files that cannot be read are told on standard
    // error as they are met, and in the output where the format has room.
    // Returns Failure when any could not be read (or standard output could
    // not be written), otherwise SomeFailed when any fiber or file failed,
    // otherwise Success. Stops between blocks once a stop signal has come.
    static ExitStatus Run(const Options &options);

    struct ResultFile
    {
        QString path;
        bool found = false; // in a folder given, rather than given itself
    };

    struct ResultFiles
    {
        QList<ResultFile> files;
        qsizetype given = 0; // the paths given, each once
        qsizetype found = 0; // the paths found in folders: files and folders that failed
    };

    // The result files that `paths` name: a file as it is given, whatever
    // its kind; for a folder, every regular file (or link to one) in it and
    // its subfolders whose name ends in ".fib" in any case, in name order.
    // A file reached more than once is listed at its first place. A path
    // that cannot be read, a folder without result files, or a ".fib" in a
    // folder that is no regular file (a FIFO, a device) goes to `errors`.
    // Gives up once `stop` is true.
    static ResultFiles FindResultFiles(const QStringList &paths,
                                       QList<SummaryWriter::PathError> *errors,
                                       const std::function<bool()> &stop);

private:
    static ExitStatus judge(const QStringList &paths, SummaryWriter::Format format, bool colour,
                            std::optional<double> warnMargin, const SummaryWriter::Sink &out);
};
