#include "lot/LotScan.h"

#include "data/NativePath.h"
#include "data/ResultFileFinder.h"
#include "lot/SummaryCache.h"

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// Judges the file; `*keep` is set where its version did not change while
// it was read, so that the summary may stand for that version.
bool judge(LotFile &file, const JudgeInputs &inputs, const std::atomic<bool> *stop, bool *keep,
           const JudgePipeline::FiberSink &each = {})
{
    auto summary = std::make_shared<FileSummary>();
    const FileKinds kinds = file.found ? FileKinds::RegularOnly : FileKinds::Any;
    if (!FileSummary::Read(file.path, inputs, kinds, stop, summary.get(), &file.error, each))
        return false;
    FileStamp after;
    *keep = file.stamp.size >= 0 && FileStamp::Of(file.path, &after) && after == file.stamp;
    file.summary = std::move(summary);
    return true;
}

// The cache holds summaries judged by the rows' own thresholds: files
// judged by the user's limits are neither found there nor kept.
SummaryCache *cacheFor(const JudgeInputs &inputs, SummaryCache *cache)
{
    return inputs.limits.IsEmpty() ? cache : nullptr;
}

} // namespace

LotScan::Result LotScan::Scan(const QStringList &paths, const JudgeInputs &inputs, SummaryCache *givenCache,
                              const Runner &run, const std::atomic<bool> *stop,
                              const std::function<void(const QString &message)> &tell,
                              const std::function<bool(const QString &path)> &within)
{
    SummaryCache *const cache = cacheFor(inputs, givenCache);
    // Before any stamp is taken: what a file's stamp can vouch for is told
    // by how long it had stood still when it was looked at.
    const qint64 began = cache ? cache->Now() : 0;
    QList<ResultFileFinder::PathError> errors;
    const ResultFileFinder::ResultFiles list =
        ResultFileFinder::Find(paths, &errors, [stop] { return stopped(stop); });
    Result result;
    result.given = list.given;
    result.found = list.found;
    for (const ResultFileFinder::PathError &error : std::as_const(errors)) {
        if (within && error.found && !within(error.path))
            continue;
        tell(error.message);
        LotFile file{error.path, error.found};
        file.stamp.path = NativePath::Encode(error.path);
        file.error = error.message;
        result.files.append(std::move(file));
    }

    QList<LotFile> files;
    QList<FileStamp> stamps;
    for (const ResultFileFinder::ResultFile &found : list.files) {
        if (within && found.found && !within(found.path))
            continue;
        LotFile file{found.path, found.found};
        file.stamp = found.stamp;
        stamps.append(file.stamp);
        files.append(std::move(file));
    }
    QList<std::optional<FileSummary>> cached =
        cache ? cache->Find(stamps, inputs.warnMargin) : QList<std::optional<FileSummary>>(files.size());
    QList<qsizetype> unknown;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (cached.at(i))
            files[i].summary = std::make_shared<const FileSummary>(std::move(*cached[i]));
        else
            unknown.append(i);
    }
    cached.clear();

    std::vector<char> keep(size_t(unknown.size()), 0);
    run(unknown.size(), [&](qsizetype index, QString *error) {
        LotFile &file = files[unknown.at(index)];
        bool kept = false;
        const bool read = judge(file, inputs, stop, &kept);
        keep[size_t(index)] = kept;
        *error = file.error;
        return read;
    });
    if (cache && !stopped(stop)) {
        QList<SummaryCache::Entry> entries;
        for (qsizetype i = 0; i < unknown.size(); ++i) {
            const LotFile &file = files.at(unknown.at(i));
            if (keep[size_t(i)])
                entries.append({file.stamp, file.summary.get(), began});
        }
        cache->Store(entries);
    }
    result.files += std::move(files);
    return result;
}

LotFile LotScan::ScanFile(const QString &path, bool found, const JudgeInputs &inputs,
                          SummaryCache *givenCache, const std::atomic<bool> *stop)
{
    SummaryCache *const cache = cacheFor(inputs, givenCache);
    LotFile file{path, found};
    const qint64 began = cache ? cache->Now() : 0;
    FileStamp::Of(path, &file.stamp);
    if (cache) {
        std::optional<FileSummary> cached = cache->Find({file.stamp}, inputs.warnMargin).value(0);
        if (cached) {
            file.summary = std::make_shared<const FileSummary>(std::move(*cached));
            return file;
        }
    }
    bool keep = false;
    if (judge(file, inputs, stop, &keep) && keep && cache)
        cache->Store({{file.stamp, file.summary.get(), began}});
    return file;
}

void LotScan::InTurn(qsizetype count, const Work &work)
{
    for (qsizetype i = 0; i < count; ++i) {
        QString error;
        work(i, &error);
    }
}

LotFile LotScan::ScanFileWithRows(const QString &path, bool found, const std::atomic<bool> *stop,
                                  MeasurementRows *rows)
{
    LotFile file{path, found};
    FileStamp::Of(path, &file.stamp);
    MeasurementRows read;
    const auto take = [&read](qsizetype, const ThresholdJudge::Fiber &fiber, const MeasurementRows &block,
                              qsizetype first) {
        for (qsizetype i = 0; i < fiber.rows; ++i)
            read.Append(block.At(first + i));
        return true;
    };
    bool kept = false;
    if (!judge(file, JudgeInputs(), stop, &kept, take))
        return file;
    if (!kept) {
        // Rows and summary of two versions would be neither.
        file.summary.reset();
        file.error = tr("%1: changed while it was read").arg(NativePath::Display(path));
        return file;
    }
    *rows = std::move(read);
    return file;
}
