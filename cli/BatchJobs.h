#pragma once

#include "cli/ExitStatus.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// The command-line jobs over many result files: where each file's result
// goes, and running them all on the machine's cores.
class SummaryCache;

namespace BatchJobs {

struct Job
{
    QString input;
    QString output;
};

// True when `path` names an existing folder (links followed).
bool IsFolder(const QString &path);

// The result file's name without a final ".fib" (in any case), to which
// the result's own suffix is added in a folder of results.
QString OutputName(const QString &input, const QString &suffix);

// The jobs for writing `target` from `inputs`: one job writing `target`
// itself for a single input, unless `target` is an existing folder; for a
// folder (required with several inputs), one job per input writing
// target/NAME`suffix`. False with a message when the target does not fit,
// when two inputs would write the same file or a job would write over one
// of the inputs: nothing is written then.
bool Plan(const QString &target, const QStringList &inputs, const QString &suffix,
          QList<Job> *jobs, QString *error);

// Does one job; false with a message naming the file on failure. Done, a
// message is a notice to tell all the same (see StagedFile::Notice).
using Work = std::function<bool(const Job &job, QString *error)>;
// Does job number `index`, likewise.
using IndexedWork = std::function<bool(qsizetype index, QString *error)>;

// Runs every job, several at a time on the machine's cores, each failure
// and notice told on stderr as it happens; the others go on. Jobs not yet begun are
// skipped once `stop()` is true. On a terminal, stderr shows how many
// files are done. Returns the number of jobs that failed.
int Run(const QList<Job> &jobs, const Work &work, const std::function<bool()> &stop);
// The same for `count` jobs known by their number, taken up in the order
// of their numbers.
int RunEach(qsizetype count, const IndexedWork &work, const std::function<bool()> &stop);

// Plans the jobs for `target` and runs them: UnusableArguments, told, when
// the plan is refused (nothing is written then); Failure when any job
// failed; otherwise Success.
ExitStatus PlanAndRun(const QString &target, const QStringList &inputs, const QString &suffix,
                      const Work &work, const std::function<bool()> &stop);

// Prints "quenvale: message" on stderr.
void PrintError(const QString &message);
// What the summary cache has to say (set aside, not writable), on
// standard error; nothing without a cache.
void PrintNotices(SummaryCache *cache);
// The summary cache where `wanted` and it can be opened (what it says told
// on standard error); none otherwise, and files are read again.
std::unique_ptr<SummaryCache> OpenCache(bool wanted);

} // namespace BatchJobs
