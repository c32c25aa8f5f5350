#pragma once

#include "output/SummaryWriter.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QStringList>

// --summary: judges result files, and the result files in folders, against
// their thresholds, several at a time, and writes the verdicts in one of
// the summary formats.
class SummaryJob
{
    Q_DECLARE_TR_FUNCTIONS(SummaryJob)
public:
    // Exit statuses of the job.
    enum ExitCode { AllPassed = 0, Unreadable = 1, SomeFailed = 3 };

    // Judges every result file that `paths` name and writes the output to
    // `out`. Paths and files that cannot be read are told on standard
    // error as they are met, and in the output where the format has room.
    // Returns 1 when any could not be read, otherwise 3 when any fiber or
    // file failed, otherwise 0. Stops between blocks once a stop signal
    // has come.
    static int Run(const QStringList &paths, SummaryWriter::Format format, bool colour,
                   const SummaryWriter::Sink &out);

    // The result files that `paths` name: a file as it is given; for a
    // folder, every file in it and its subfolders whose name ends in ".fib"
    // in any case, in name order. A path that cannot be read, or a folder
    // without result files, goes to `errors`.
    static QStringList FindResultFiles(const QStringList &paths,
                                       QList<SummaryWriter::PathError> *errors);
};
