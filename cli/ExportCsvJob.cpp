#include "cli/ExportCsvJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "output/CsvExport.h"
#include "output/StagedFile.h"

namespace ExportCsvJob {

namespace {

// The CSV of every file in turn into one stream: standard output for "-",
// or a device, a FIFO or a socket. A file that cannot be read is told and
// the others still go; the stream failing ends the job.
ExitStatus exportToStream(const QString &target, const QStringList &files)
{
    OutputStream stream(target);
    if (!stream.Open())
        return ExitStatus::Failure;
    const auto sink = [&stream](QByteArrayView csv) { return stream.Write(csv); };
    int failures = 0;
    for (const QString &file : files) {
        QString error;
        if (StopSignals::Requested())
            break;
        Misalignment misaligned;
        if (CsvExport::StreamResultFile(file, sink, &error, &StopSignals::Flag(), ResultFileBlockSize,
                                        &misaligned)) {
            if (misaligned.Found())
                BatchJobs::PrintError(misaligned.Message(file));
            continue;
        }
        if (stream.Failed() || StopSignals::Requested())
            break;
        BatchJobs::PrintError(error);
        ++failures;
    }
    return stream.Finish(failures > 0 ? ExitStatus::Failure : ExitStatus::Success);
}

} // namespace

ExitStatus Run(const Options &options)
{
    if (OutputStream::IsStandardOutput(options.target) || StagedFile::WritesInPlace(options.target))
        return exportToStream(options.target, options.files);
    const auto work = [](const BatchJobs::Job &job, QString *error) {
        Misalignment misaligned;
        const bool written = CsvExport::ExportResultFile(job.input, job.output, error, &StopSignals::Flag(),
                                                         ResultFileBlockSize, &misaligned);
        if (misaligned.Found())
            BatchJobs::PrintError(misaligned.Message(job.input));
        return written;
    };
    return BatchJobs::PlanAndRun(options.target, options.files, QStringLiteral(".csv"), work,
                                 StopSignals::Requested);
}

} // namespace ExportCsvJob
