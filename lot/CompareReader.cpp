#include "lot/CompareReader.h"

#include "data/LotFigures.h"

#include <QFileInfo>

#include <algorithm>

namespace {

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

} // namespace

bool CompareReader::Read(const QString &path, const JudgeInputs &inputs, SummaryCache *cache,
                         const LotScan::Runner &run, const std::atomic<bool> *stop, Side *side, QString *error)
{
    Side read;
    read.side = std::make_shared<CompareSide>(inputs);
    read.about.path = path;
    if (QFileInfo(path).isDir()) {
        if (!readLot(path, inputs, cache, run, stop, &read, error))
            return false;
    } else {
        if (!read.side->ReadFile(path, FileKinds::Any, stop, error))
            return false;
        read.about.files = 1;
        if (read.side->Pipeline().Misaligned().Found())
            read.misaligned.append(read.side->Pipeline().Misaligned().Message(path));
    }
    read.side->Finish();
    read.about.fibers = read.side->FiberCount();
    *side = std::move(read);
    return true;
}

bool CompareReader::readLot(const QString &path, const JudgeInputs &inputs, SummaryCache *cache,
                            const LotScan::Runner &run, const std::atomic<bool> *stop, Side *side, QString *error)
{
    side->about.lot = true;
    QStringList unwalked;
    LotScan::Result scan = LotScan::Scan({path}, inputs, cache, run, stop,
                                         [&unwalked](const QString &message) { unwalked.append(message); });
    if (stopped(stop))
        return false;
    std::stable_sort(scan.files.begin(), scan.files.end(), LotFile::Before);
    QList<const LotFile *> files;
    QList<const FileSummary *> summaries;
    for (const LotFile &file : std::as_const(scan.files)) {
        if (!file.IsRead()) {
            // The paths that could not be walked were told on their own.
            if (!unwalked.contains(file.error))
                side->errors.append(file.error);
            ++side->about.unread;
            continue;
        }
        files.append(&file);
        summaries.append(file.summary.get());
    }
    side->errors = unwalked + side->errors;
    if (files.isEmpty() && !unwalked.isEmpty()) {
        *error = unwalked.first();
        return false;
    }
    const QList<QBitArray> latest = LotFigures::Latest(summaries);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const LotFile &file = *files.at(i);
        Misalignment misaligned;
        QString message;
        if (!side->side->ReadLotFile(file.path, file.found ? FileKinds::RegularOnly : FileKinds::Any, latest.at(i),
                                     stop, &misaligned, &message)) {
            if (stopped(stop))
                return false;
            side->errors.append(message);
            ++side->about.unread;
            continue;
        }
        ++side->about.files;
        if (misaligned.Found())
            side->misaligned.append(misaligned.Message(file.path));
    }
    side->files = std::move(scan.files);
    return true;
}
