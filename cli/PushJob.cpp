#include "cli/PushJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/PushFollower.h"
#include "cli/StopSignals.h"
#include "data/NativePath.h"
#include "data/ResultFileFinder.h"
#include "lot/FactoryDatabase.h"
#include "lot/LotScan.h"
#include "lot/PushSpool.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

namespace PushJob {

namespace {

// Until a signal stops it.
ExitStatus follow(const Options &options, OutputStream &out)
{
    PushFollower follower(
        options.databaseUrl, options.stations.value(0), options.files.first(), options.pushRows,
        [&out](const QByteArray &line) { out.Write(line); },
        [](const QByteArray &line) { BatchJobs::PrintError(QString::fromUtf8(line)); });
    follower.Start();
    StopSignals::RunUntilRequested();
    return follower.Waiting() > 0 ? ExitStatus::Failure : ExitStatus::Success;
}

} // namespace

ExitStatus Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    if (options.follow)
        return out.Finish(follow(options, out));
    FactoryDatabase database;
    QString error;
    if (!database.Open(options.databaseUrl, &error)) {
        BatchJobs::PrintError(error);
        return out.Finish(ExitStatus::Failure);
    }
    // What an earlier push left in the spool goes first.
    PushSpool spool;
    if (spool.Open(&error)
        && !spool.Drain(
            options.databaseUrl, database,
            [&out](const LotFile &file) { out.Write("pushed from the spool " + NativePath::Escaped(file.path).toUtf8() + '\n'); },
            &error)) {
        BatchJobs::PrintError(error);
        return out.Finish(ExitStatus::Failure);
    }
    QList<ResultFileFinder::PathError> errors;
    const ResultFileFinder::ResultFiles list = ResultFileFinder::Find(options.files, &errors, StopSignals::Requested);
    ExitStatus status = errors.isEmpty() ? ExitStatus::Success : ExitStatus::Failure;
    for (const ResultFileFinder::PathError &pathError : std::as_const(errors))
        BatchJobs::PrintError(pathError.message);
    const QString station = options.stations.value(0);
    qsizetype counts[3] = {0, 0, 0}; // added, replaced, unchanged
    for (const ResultFileFinder::ResultFile &found : list.files) {
        if (StopSignals::Requested())
            return out.Finish(ExitStatus::Failure);
        // Kept by its whole path: the station's files are told apart by it.
        const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(found.path));
        MeasurementRows rows;
        const LotFile file = options.pushRows
            ? LotScan::ScanFileWithRows(path, found.found, &StopSignals::Flag(), &rows)
            : LotScan::ScanFile(path, found.found, JudgeInputs(), nullptr, &StopSignals::Flag());
        FactoryDatabase::Pushed pushed = FactoryDatabase::Pushed::Unchanged;
        if (!file.IsRead()) {
            BatchJobs::PrintError(file.error);
            status = ExitStatus::Failure;
        } else if (!database.Push(station, file, options.pushRows ? &rows : nullptr, &pushed, &error)) {
            BatchJobs::PrintError(error);
            status = ExitStatus::Failure;
        } else {
            ++counts[int(pushed)];
        }
    }
    out.Write(Options::tr("%1: station %2: %3 added, %4 replaced, %5 already there\n")
                  .arg(options.databaseUrl, station)
                  .arg(counts[0])
                  .arg(counts[1])
                  .arg(counts[2])
                  .toUtf8());
    return out.Finish(status);
}

} // namespace PushJob
