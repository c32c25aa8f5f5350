#include "cli/BatchJobs.h"

#include "cli/TerminalStatus.h"

#include "data/NativePath.h"
#include "data/Texts.h"
#include "lot/SummaryCache.h"
#include "output/OutputTarget.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <new>
#include <system_error>
#include <thread>
#include <vector>
#include <sys/stat.h>

namespace BatchJobs {

namespace {

QByteArray realPath(const QByteArray &path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

// The same file under any of its names, as far as can be told before it
// exists: its folder's real path and its name.
QByteArray identity(const QString &path)
{
    const QByteArray bytes = NativePath::Encode(path);
    if (const QByteArray real = realPath(bytes); !real.isEmpty())
        return real;
    const qsizetype slash = bytes.lastIndexOf('/');
    const QByteArray folder = realPath(slash < 0 ? QByteArray(".") : bytes.left(qMax<qsizetype>(slash, 1)));
    return folder.isEmpty() ? bytes : folder + '/' + bytes.mid(slash + 1);
}

QString shown(const QString &path)
{
    return NativePath::Display(path);
}

bool refuseClashes(const QList<Job> &jobs, QString *error)
{
    QHash<QByteArray, QString> inputs; // identity -> the input as given
    for (const Job &job : jobs)
        inputs.insert(identity(job.input), job.input);
    QHash<QByteArray, QString> writers; // output identity -> the input writing it
    for (const Job &job : jobs) {
        const QByteArray output = identity(job.output);
        if (const auto input = inputs.constFind(output); input != inputs.constEnd()) {
            *error = Texts::tr("\"%1\" would be written over the result file \"%2\"")
                         .arg(shown(job.output), shown(input.value()));
            return false;
        }
        if (const auto other = writers.constFind(output); other != writers.constEnd()) {
            *error = Texts::tr("\"%1\" and \"%2\" would both be written to \"%3\"; nothing was written")
                         .arg(shown(other.value()), shown(job.input), shown(job.output));
            return false;
        }
        writers.insert(output, job.input);
    }
    return true;
}

// The count of files done, rewritten in place on a terminal.
class Progress
{
public:
    explicit Progress(qsizetype total) : m_total(total), m_shown(total > 1) { show(); }
    ~Progress()
    {
        if (m_shown)
            TerminalStatus::End();
    }

    void done(const QString *message)
    {
        const QMutexLocker lock(&m_mutex);
        ++m_done;
        if (message)
            PrintError(*message);
        show();
    }

private:
    void show()
    {
        if (m_shown)
            TerminalStatus::Show(Texts::tr("quenvale: %1 of %2 files done").arg(m_done).arg(m_total));
    }

    QMutex m_mutex;
    qsizetype m_total;
    qsizetype m_done = 0;
    bool m_shown;
};

} // namespace

bool IsFolder(const QString &path)
{
    struct stat info = {};
    return ::stat(NativePath::Encode(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QString OutputName(const QString &input, const QString &suffix)
{
    return OutputTarget::ResultName(input, suffix);
}

bool Plan(const QString &target, const QStringList &inputs, const QString &suffix,
          QList<Job> *jobs, QString *error)
{
    jobs->clear();
    const bool folder = IsFolder(target);
    if (inputs.size() == 1 && !folder) {
        jobs->append({inputs.first(), target});
    } else {
        if (!folder) {
            *error = Texts::tr("\"%1\" is not a folder: the results of several files go into an "
                        "existing folder")
                         .arg(shown(target));
            return false;
        }
        for (const QString &input : inputs)
            jobs->append({input, QDir(target).filePath(OutputName(input, suffix))});
    }
    return refuseClashes(*jobs, error);
}

int Run(const QList<Job> &jobs, const Work &work, const std::function<bool()> &stop)
{
    const auto workOn = [&](qsizetype index, QString *error) {
        const Job &job = jobs.at(index);
        try {
            return work(job, error);
        } catch (const std::bad_alloc &) {
            *error = Texts::tr("\"%1\": not enough memory").arg(shown(job.input));
            return false;
        }
    };
    return RunEach(jobs.size(), workOn, stop);
}

int RunEach(qsizetype count, const IndexedWork &work, const std::function<bool()> &stop)
{
    Progress progress(count);
    std::atomic<int> failures{0};
    auto runOne = [&](qsizetype index) {
        if (stop())
            return;
        QString error;
        bool ok = false;
        try {
            ok = work(index, &error);
        } catch (const std::bad_alloc &) {
            error = Texts::tr("not enough memory");
        }
        if (!ok && !stop())
            ++failures;
        // A failure that a stop caused is not told; a job done may have a
        // notice to tell.
        const bool tell = ok ? !error.isEmpty() : !stop();
        progress.done(tell ? &error : nullptr);
    };
    // This thread takes jobs too, so that they all get done even where no
    // other thread can be started (a process short of memory).
    std::atomic<qsizetype> next{0};
    auto takeJobs = [&] {
        for (qsizetype i; (i = next++) < count;)
            runOne(i);
    };
    std::vector<std::thread> helpers;
    const qsizetype wanted = qMin<qsizetype>(count, QThread::idealThreadCount()) - 1;
    for (qsizetype i = 0; i < wanted; ++i) {
        try {
            helpers.emplace_back(takeJobs);
        } catch (const std::system_error &) {
            break;
        }
    }
    takeJobs();
    for (std::thread &helper : helpers)
        helper.join();
    return failures;
}

ExitStatus PlanAndRun(const QString &target, const QStringList &inputs, const QString &suffix,
                      const Work &work, const std::function<bool()> &stop)
{
    QList<Job> jobs;
    QString error;
    if (!Plan(target, inputs, suffix, &jobs, &error)) {
        PrintError(error);
        return ExitStatus::UnusableArguments;
    }
    return Run(jobs, work, stop) > 0 ? ExitStatus::Failure : ExitStatus::Success;
}

void PrintError(const QString &message)
{
    TerminalStatus::Message(message);
}

std::unique_ptr<SummaryCache> OpenCache(bool wanted)
{
    std::unique_ptr<SummaryCache> cache;
    if (!wanted)
        return cache;
    cache = std::make_unique<SummaryCache>();
    if (!cache->Open()) {
        PrintNotices(cache.get());
        cache.reset();
    }
    PrintNotices(cache.get());
    return cache;
}

void PrintNotices(SummaryCache *cache)
{
    if (!cache)
        return;
    for (const QString &notice : cache->TakeNotices())
        PrintError(notice);
}

} // namespace BatchJobs
