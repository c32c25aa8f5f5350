#include "app/SummaryJob.h"

#include "app/BatchJobs.h"
#include "app/StopSignals.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace {

qint64 fileSize(const QString &path)
{
    struct stat info = {};
    return ::stat(NativePath::Encode(path).constData(), &info) == 0 ? qint64(info.st_size) : 0;
}

bool isResultFileName(const QByteArray &name)
{
    return name.size() > 4 && name.right(4).toLower() == ".fib";
}

SummaryWriter::PathError readError(const QByteArray &path, const QString &reason)
{
    const QString name = NativePath::Decode(path);
    QString message;
    FileError::ReadFailed(name, reason, &message);
    return {NativePath::Display(name), message};
}

// The result files in `folder` and below, each folder's entries in name order.
void collect(const QByteArray &folder, QList<QByteArray> *found,
             QList<SummaryWriter::PathError> *errors)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir) {
        errors->append(readError(folder, qt_error_string(errno)));
        return;
    }
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    for (const QByteArray &name : std::as_const(names)) {
        const QByteArray path = prefix + name;
        struct stat info = {};
        // Linked folders are not entered: a link back up would never end.
        if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            collect(path, found, errors);
        else if (isResultFileName(name))
            found->append(path);
    }
}

} // namespace

QStringList SummaryJob::FindResultFiles(const QStringList &paths,
                                        QList<SummaryWriter::PathError> *errors)
{
    QStringList files;
    for (const QString &path : paths) {
        const QByteArray bytes = NativePath::Encode(path);
        struct stat info = {};
        if (::stat(bytes.constData(), &info) != 0) {
            errors->append(readError(bytes, qt_error_string(errno)));
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            files.append(path);
            continue;
        }
        QList<QByteArray> found;
        const qsizetype errorsBefore = errors->size();
        collect(bytes, &found, errors);
        if (found.isEmpty() && errors->size() == errorsBefore)
            errors->append(readError(bytes, tr("there is no result file (.fib) in it")));
        for (const QByteArray &file : std::as_const(found))
            files.append(NativePath::Decode(file));
    }
    return files;
}

int SummaryJob::Run(const QStringList &paths, SummaryWriter::Format format, bool colour,
                    const SummaryWriter::Sink &out)
{
    QList<SummaryWriter::PathError> errors;
    const QStringList files = FindResultFiles(paths, &errors);
    for (const SummaryWriter::PathError &error : std::as_const(errors))
        BatchJobs::PrintError(error.message);

    const std::unique_ptr<SummaryWriter> writer = SummaryWriter::Create(format, colour);
    struct Outcome
    {
        std::unique_ptr<SummaryWriter::FileReport> report; // null when unread
        qsizetype fibers = 0;
        qsizetype failed = 0;
        QString error;
    };
    std::vector<Outcome> outcomes(size_t(files.size()));
    QList<BatchJobs::Job> jobs;
    for (const QString &file : files)
        jobs.append({file, QString()});
    const auto judge = [&](const BatchJobs::Job &job, QString *error) {
        Outcome &outcome = outcomes[size_t(&job - jobs.constData())]; // jobs are one array
        std::unique_ptr<SummaryWriter::FileReport> report =
            writer->ReportFile(NativePath::Display(job.input), fileSize(job.input));
        ThresholdJudge judge;
        const bool read = ReadResultBlocks(
            job.input,
            [&](MeasurementRows &block, qsizetype rows) {
                report->AddFiber(judge.AddFiber(block, rows));
                return true;
            },
            error, &StopSignals::Flag());
        if (!read) {
            outcome.error = *error;
            return false;
        }
        report->End(judge);
        outcome.report = std::move(report);
        outcome.fibers = judge.FiberCount();
        outcome.failed = judge.FailedCount();
        return true;
    };
    BatchJobs::Run(jobs, judge, StopSignals::Requested);
    if (StopSignals::Requested())
        return Unreadable;

    SummaryWriter::Totals totals;
    SummaryWriter::FileReports reports;
    for (qsizetype i = 0; i < files.size(); ++i) {
        Outcome &outcome = outcomes[size_t(i)];
        if (!outcome.report) {
            errors.append({NativePath::Display(files.at(i)), outcome.error});
            continue;
        }
        ++totals.files;
        totals.fibers += outcome.fibers;
        totals.failedFibers += outcome.failed;
        if (outcome.fibers == 0 || outcome.failed > 0)
            ++totals.failedFiles;
        reports.push_back(std::move(outcome.report));
    }
    writer->Write(reports, totals, errors, out);
    if (!errors.isEmpty())
        return Unreadable;
    return totals.failedFiles > 0 ? SomeFailed : AllPassed;
}
