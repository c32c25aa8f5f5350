#include "cli/TrendJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "cli/TerminalStatus.h"
#include "lot/ControlWriter.h"
#include "lot/FactoryDatabase.h"
#include "lot/LotDocument.h"
#include "lot/LotModel.h"
#include "lot/LotScan.h"
#include "lot/SummaryCache.h"
#include "lot/TrendWriter.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>
#include <unistd.h>

namespace TrendJob {

namespace {

// Where each file's rows stop being aligned, on standard error.
void tellMisaligned(const QList<LotFile> &files)
{
    for (const LotFile &file : files) {
        if (file.summary && file.summary->Misaligned().Found())
            BatchJobs::PrintError(file.summary->Misaligned().Message(file.path));
    }
}

bool colourWanted()
{
    const QByteArray term = qgetenv("TERM");
    return ::isatty(STDOUT_FILENO) && qEnvironmentVariableIsEmpty("NO_COLOR") && !term.isEmpty()
        && term != "dumb";
}

ExitStatus statusOf(const LotModel &lot, const LotControl::Result &control)
{
    bool failed = false;
    for (int row = 0; row < lot.FileCount(); ++row) {
        const LotFile &file = lot.FileAt(row);
        if (!file.summary)
            return ExitStatus::Failure;
        failed = failed || !file.summary->FilePassed();
    }
    return failed || lot.FileCount() == 0 || !control.alarms.isEmpty() ? ExitStatus::SomeFailed : ExitStatus::Success;
}

// --follow: the folder read as a window reads it, the trend written once
// it is read, then each alarm a file written since raises, as a JSON line,
// until a signal stops it.
ExitStatus follow(const Options &options, OutputStream &out)
{
    LotDocument lot(options.files.first());
    lot.SetInputs(options.Inputs());
    ControlPlan plan;
    plan.baselineFiles = options.baseline;
    lot.SetPlan(plan);
    ExitStatus status = ExitStatus::Success;
    QObject::connect(&lot, &LotDocument::notice, [](const QString &text) { BatchJobs::PrintError(text); });
    QObject::connect(&lot, &LotDocument::scanEnded, [&] {
        tellMisaligned(lot.Model().Files());
        out.Write(TrendWriter::Write(options.format, lot.Model(), options.Inputs(), false, &lot.Control()));
        status = statusOf(lot.Model(), lot.Control());
    });
    QObject::connect(&lot, &LotDocument::alarmsRaised, [&](const QList<LotControl::Alarm> &alarms) {
        QByteArray lines;
        for (const LotControl::Alarm &alarm : alarms)
            lines += ControlWriter::Alarm(lot.Model(), alarm, "alarm") + '\n';
        out.Write(lines);
        status = ExitStatus::SomeFailed;
    });
    lot.Start();
    StopSignals::RunUntilRequested();
    return status;
}

} // namespace

ExitStatus Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    if (options.follow)
        return out.Finish(follow(options, out));
    QList<LotFile> files;
    if (!options.databaseUrl.isEmpty()) {
        FactoryDatabase database;
        QString error;
        if (!database.Open(options.databaseUrl, &error)
            || !database.Read({options.stations, options.since, options.until}, &files, &error)) {
            BatchJobs::PrintError(error);
            return out.Finish(ExitStatus::Failure);
        }
    } else {
        std::unique_ptr<SummaryCache> cache = BatchJobs::OpenCache(options.cache);
        LotScan::Result scan = LotScan::Scan(
            options.files, options.Inputs(), cache.get(),
            [](qsizetype count, const LotScan::Work &work) { BatchJobs::RunEach(count, work, StopSignals::Requested); },
            &StopSignals::Flag(), BatchJobs::PrintError);
        BatchJobs::PrintNotices(cache.get());
        if (StopSignals::Requested())
            return ExitStatus::Failure;
        files = std::move(scan.files);
    }
    tellMisaligned(files);

    // Left for the process's end to give back at once: a month's lot is
    // millions of small blocks, a quarter of a second to free one by one.
    LotModel &lot = *new LotModel;
    lot.Reset(std::move(files));
    ControlPlan plan;
    plan.baselineFiles = options.baseline;
    const LotControl::Result control = options.rules ? LotControl::Of(lot, plan) : LotControl::Result();
    const bool colour = options.format == SummaryWriter::Text && colourWanted();
    const QByteArray text =
        TrendWriter::Write(options.format, lot, options.Inputs(), colour, options.rules ? &control : nullptr);
    TerminalStatus::Output(text, [&out](QByteArrayView bytes) { out.Write(bytes); });
    const ExitStatus finished = out.Finish(statusOf(lot, control));
    TerminalStatus::Close();
    return finished;
}

} // namespace TrendJob
