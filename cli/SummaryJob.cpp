#include "cli/SummaryJob.h"

#include "cli/BatchJobs.h"
#include "cli/Options.h"
#include "cli/OrderedOutput.h"
#include "cli/OutputStream.h"
#include "cli/StopSignals.h"
#include "cli/TerminalStatus.h"
#include "data/FiberReader.h"
#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What each judging thread may hold of a file's output before its turn.
constexpr qsizetype kHeldOutput = qsizetype(1) << 20;

bool isResultFileName(const QByteArray &name)
{
    return name.size() > 4 && name.right(4).toLower() == ".fib";
}

SummaryWriter::PathError pathError(const QByteArray &path, const QString &reason, bool found)
{
    const QString name = NativePath::Decode(path);
    QString message;
    FileError::ReadFailed(name, reason, &message);
    return {name, message, found};
}

// Walks the folders given, keeping each file once.
class Finder
{
public:
    Finder(QList<SummaryWriter::PathError> *errors, const std::function<bool()> &stop)
        : m_errors(errors), m_stop(stop)
    {
    }

    void Given(const QString &path)
    {
        const QByteArray bytes = NativePath::Encode(path);
        struct stat info = {};
        if (::stat(bytes.constData(), &info) != 0) {
            if (firstTime(bytes)) {
                ++m_list.given;
                m_errors->append(pathError(bytes, qt_error_string(errno), false));
            }
            return;
        }
        if (!firstTime(info))
            return;
        ++m_list.given;
        if (!S_ISDIR(info.st_mode)) {
            m_list.files.append({path, false});
            return;
        }
        const qsizetype filesBefore = m_list.files.size();
        const qsizetype errorsBefore = m_errors->size();
        collect(bytes);
        if (m_list.files.size() == filesBefore && m_errors->size() == errorsBefore)
            m_errors->append(pathError(bytes, SummaryJob::tr("there is no result file (.fib) in it"), false));
    }

    SummaryJob::ResultFiles Take() { return std::move(m_list); }

private:
    // The result files in `folder` and below, each folder's entries in name order.
    void collect(const QByteArray &folder)
    {
        DIR *dir = ::opendir(folder.constData());
        if (!dir) {
            found(pathError(folder, qt_error_string(errno), true));
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
            if (m_stop())
                return;
            entry(prefix + name, isResultFileName(name));
        }
    }

    void entry(const QByteArray &path, bool resultFileName)
    {
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0)
            return; // gone since the folder was listed
        // Linked folders are not entered: a link back up would never end.
        if (S_ISDIR(info.st_mode)) {
            if (firstTime(info))
                collect(path);
            return;
        }
        if (!resultFileName)
            return;
        if (S_ISLNK(info.st_mode) && ::stat(path.constData(), &info) != 0) {
            if (firstTime(path))
                found(pathError(path, qt_error_string(errno), true));
            return;
        }
        if (!firstTime(info))
            return;
        if (!S_ISREG(info.st_mode)) {
            found(pathError(path, SummaryJob::tr("not a regular file"), true));
            return;
        }
        ++m_list.found;
        m_list.files.append({NativePath::Decode(path), true});
    }

    void found(const SummaryWriter::PathError &error)
    {
        ++m_list.found;
        m_errors->append(error);
    }

    bool firstTime(const struct stat &info)
    {
        // Led by a zero byte, which no path holds.
        const QByteArray identity = '\0' + QByteArray::number(quint64(info.st_dev)) + ':'
            + QByteArray::number(quint64(info.st_ino));
        return firstTime(identity);
    }
    bool firstTime(const QByteArray &key)
    {
        if (m_seen.contains(key))
            return false;
        m_seen.insert(key);
        return true;
    }

    QList<SummaryWriter::PathError> *m_errors;
    const std::function<bool()> &m_stop;
    SummaryJob::ResultFiles m_list;
    QSet<QByteArray> m_seen; // the device and inode of what was reached, the path of what was not
};

// What the run keeps of a file once it has been judged.
struct Outcome
{
    bool read = false;
    bool passed = false;
    qsizetype fibers = 0;
    qsizetype failed = 0;
    qsizetype marginal = 0;
    QString error;
};

// Judges one file, its report writing into its slot of `output`.
bool judgeFile(const SummaryWriter &writer, const SummaryJob::ResultFile &file,
               std::optional<double> warnMargin, qsizetype slot, OrderedOutput &output, Outcome *outcome)
{
    const std::unique_ptr<SummaryWriter::FileReport> report =
        writer.ReportFile(file.path, [&output, slot](QByteArrayView bytes) { output.Write(slot, bytes); });
    ThresholdJudge judge(ThresholdJudge::ChannelFiguresKept, warnMargin);
    try {
        outcome->read = FiberReader::Read(
            file.path,
            [&](const MeasurementRows &rows, qsizetype first, qsizetype count) {
                report->AddFiber(judge.AddFiber(rows, first, count));
                return true;
            },
            &outcome->error, &StopSignals::Flag(), file.found ? FileKinds::RegularOnly : FileKinds::Any);
    } catch (const std::bad_alloc &) {
        FileError::ReadFailed(file.path, SummaryJob::tr("not enough memory"), &outcome->error);
        outcome->read = false;
    }
    if (outcome->read) {
        report->End(judge);
        outcome->passed = judge.Passed();
        outcome->fibers = judge.FiberCount();
        outcome->failed = judge.FailedCount();
        outcome->marginal = judge.MarginalCount();
    } else {
        report->Abandon(outcome->error);
    }
    output.Close(slot);
    return outcome->read;
}

// What the run's end tells of every file, in the files' order.
void tally(const QList<SummaryJob::ResultFile> &files, const std::vector<Outcome> &outcomes,
           SummaryWriter::Run *run)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Outcome &outcome = outcomes[size_t(i)];
        const SummaryJob::ResultFile &file = files.at(i);
        if (!outcome.read) {
            run->errors.append({file.path, outcome.error, file.found});
            continue;
        }
        run->files.append({file.path, outcome.fibers, outcome.failed, outcome.passed, outcome.marginal});
        ++run->totals.files;
        run->totals.fibers += outcome.fibers;
        run->totals.failedFibers += outcome.failed;
        run->totals.marginalFibers += outcome.marginal;
        if (!outcome.passed)
            ++run->totals.failedFiles;
    }
}

// Colour only where a person reads it.
bool colourWanted()
{
    const QByteArray term = qgetenv("TERM");
    return ::isatty(STDOUT_FILENO) && qEnvironmentVariableIsEmpty("NO_COLOR") && !term.isEmpty()
        && term != "dumb";
}

} // namespace

SummaryJob::ResultFiles SummaryJob::FindResultFiles(const QStringList &paths,
                                                    QList<SummaryWriter::PathError> *errors,
                                                    const std::function<bool()> &stop)
{
    Finder finder(errors, stop);
    for (const QString &path : paths) {
        if (stop())
            break;
        finder.Given(path);
    }
    return finder.Take();
}

ExitStatus SummaryJob::Run(const Options &options)
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    const bool colour = options.format == SummaryWriter::Text && colourWanted();
    const auto write = [&out](QByteArrayView text) { out.Write(text); };
    const ExitStatus status = judge(options.files, options.format, colour, options.warnMargin,
                                    [&write](QByteArrayView text) { TerminalStatus::Output(text, write); });
    const ExitStatus finished = out.Finish(status);
    TerminalStatus::Close();
    return finished;
}

ExitStatus SummaryJob::judge(const QStringList &paths, SummaryWriter::Format format, bool colour,
                             std::optional<double> warnMargin, const SummaryWriter::Sink &out)
{
    SummaryWriter::Run run;
    run.warnMargin = warnMargin;
    const ResultFiles list = FindResultFiles(paths, &run.errors, StopSignals::Requested);
    for (const SummaryWriter::PathError &error : std::as_const(run.errors))
        BatchJobs::PrintError(error.message);
    if (StopSignals::Requested())
        return ExitStatus::Failure;
    run.pathsGiven = list.given;
    run.pathsFound = list.found;

    const std::unique_ptr<SummaryWriter> writer = SummaryWriter::Create(format, colour);
    writer->Begin(out);
    OrderedOutput output(out, list.files.size(), writer->FileSeparator(), kHeldOutput,
                         StopSignals::Requested);
    std::vector<Outcome> outcomes(size_t(list.files.size()));
    BatchJobs::RunEach(
        list.files.size(),
        [&](qsizetype i, QString *error) {
            Outcome &outcome = outcomes[size_t(i)];
            const bool read = judgeFile(*writer, list.files.at(i), warnMargin, i, output, &outcome);
            *error = outcome.error;
            return read;
        },
        StopSignals::Requested);
    if (StopSignals::Requested())
        return ExitStatus::Failure;

    tally(list.files, outcomes, &run);
    run.filesWrote = output.AnyWritten();
    writer->Finish(run, out);
    if (!run.errors.isEmpty())
        return ExitStatus::Failure;
    return run.totals.failedFiles > 0 ? ExitStatus::SomeFailed : ExitStatus::Success;
}
