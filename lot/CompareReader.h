#pragma once

#include "data/CompareSide.h"
#include "lot/LotScan.h"
#include "output/CompareWriter.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class SummaryCache;

// Reads one side of a comparison: a result file, every fiber counted as
// its summary counts them; or a folder, taken as a lot (its files found
// and summed up as --trend reads them, through the cache), each fiber
// counted once by its latest result.
class CompareReader
{
    Q_DECLARE_TR_FUNCTIONS(CompareReader)
public:
    struct Side
    {
        std::shared_ptr<CompareSide> side;
        CompareWriter::Side about;
        // What could not be read, and where rows stop being aligned, each
        // as a message naming its file.
        QStringList errors;
        QStringList misaligned;
        // A lot's files in its order, read or not.
        QList<LotFile> files;
    };

    // False with a message where the path cannot be read at all (a file
    // that cannot be read, a folder that cannot be walked), or once
    // `stop` is set; a lot's files that cannot be read are left out and
    // told in `errors`.
    static bool Read(const QString &path, const JudgeInputs &inputs, SummaryCache *cache, const LotScan::Runner &run,
                     const std::atomic<bool> *stop, Side *side, QString *error);

private:
    static bool readLot(const QString &path, const JudgeInputs &inputs, SummaryCache *cache,
                        const LotScan::Runner &run, const std::atomic<bool> *stop, Side *side, QString *error);
};
