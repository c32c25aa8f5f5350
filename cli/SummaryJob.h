#pragma once

#include "cli/ExitStatus.h"
#include "data/JudgePipeline.h"
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

private:
    static ExitStatus judge(const QStringList &paths, SummaryWriter::Format format, bool colour,
                            const JudgeInputs &inputs, const SummaryWriter::Sink &out);
};
