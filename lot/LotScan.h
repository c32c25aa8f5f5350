#pragma once

#include "data/JudgePipeline.h"
#include "lot/LotFile.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

class SummaryCache;

// Reads a lot: finds the result files that the paths name (as --summary
// walks folders), takes each file's summary from the cache where it holds
// the very version on disk, judges the others on several threads, and
// keeps what it judged in the cache for the next time.
class LotScan
{
    Q_DECLARE_TR_FUNCTIONS(LotScan)
public:
    // Does work(0) to work(count - 1), several at a time; each returns
    // false with a message for a file that could not be read.
    using Work = std::function<bool(qsizetype index, QString *error)>;
    using Runner = std::function<void(qsizetype count, const Work &work)>;
    // A runner that does the work one after another, on the caller's
    // thread (a thread of the window's own).
    static void InTurn(qsizetype count, const Work &work);

    struct Result
    {
        // Every file found, read or not (with its reason); the paths that
        // could not be walked (a folder that cannot be listed, a FIFO in a
        // folder, a folder without result files) among them.
        QList<LotFile> files;
        qsizetype given = 0;
        qsizetype found = 0;
    };

    // `tell` hears of each path that could not be walked, before any file
    // is read. `cache` may be none. Gives up once `stop` is set. Where
    // `within` is given, only the paths found that it takes belong to the
    // lot (a folder's own files without its subfolders').
    // Files judged by the user's limits are neither taken from the cache
    // nor kept there.
    static Result Scan(const QStringList &paths, const JudgeInputs &inputs, SummaryCache *cache,
                       const Runner &run, const std::atomic<bool> *stop,
                       const std::function<void(const QString &message)> &tell,
                       const std::function<bool(const QString &path)> &within = nullptr);

    // One file, new or changed since the lot was read, likewise.
    static LotFile ScanFile(const QString &path, bool found, const JudgeInputs &inputs,
                            SummaryCache *cache, const std::atomic<bool> *stop);
    // One file read anew, judged by its rows' thresholds, with its rows in
    // `rows`: the summary and the rows of one version, or an error where
    // the file changed while it was read.
    static LotFile ScanFileWithRows(const QString &path, bool found, const std::atomic<bool> *stop,
                                    MeasurementRows *rows);
};
