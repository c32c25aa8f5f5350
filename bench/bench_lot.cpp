// A station's folder as a lot: `quenvale --trend` over 1,000 files of 48
// fibers with a new summary cache (the first scan) and again from the
// cache, over 10,000 such files from the cache; the lot model of 10,000
// files in process, its memory; a folder of 100,000 other files beside.
//
//   build/bench/quenvale_bench_lot [files...] [--runs N]
//
// Files are generated under a temporary folder, the cache there too
// (XDG_CACHE_HOME), removed at the end.

#include "BenchSupport.h"

#include "lot/LotModel.h"
#include "lot/LotScan.h"
#include "lot/SummaryCache.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using BenchSupport::RunChild;
using BenchSupport::Seconds;

constexpr int kFibers = 48;

// File `index` of a day's lot: 48 fibers a few seconds apart, one in fifty
// failing at channel 07, and every tenth file retesting the fibers of the
// file before it.
QByteArray lotFile(int index)
{
    QByteArray bytes = BenchSupport::GeneratedHeader();
    bytes.reserve(bytes.size() + kFibers * ChannelTable::FiberSize * ChannelTable::LineLength);
    const int owner = index % 10 == 9 ? index - 1 : index;
    char name[24], channel[8], wave[16], power[16], time[16];
    for (int fiber = 0; fiber < kFibers; ++fiber) {
        std::snprintf(name, sizeof name, "L%05d%02d", owner, fiber);
        const int second = index * 10 + fiber;
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600 % 24, second / 60 % 60, second % 60);
        for (int ch = 1; ch <= ChannelTable::FiberSize; ++ch) {
            std::snprintf(channel, sizeof channel, "%02d", ch);
            std::snprintf(wave, sizeof wave, "%d.0", 1271 + 20 * (ch - 1));
            const bool fails = ch == 7 && (index * kFibers + fiber) % 50 == 3;
            std::snprintf(power, sizeof power, "%8.2f", fails ? -31.0 : -12.0 - double((fiber * 7 + ch) % 40) / 10);
            bytes += ChannelTable::FormatLine(MeasurementRow(name, channel, wave, power, "  -30.00", "2018-05-17", time));
        }
    }
    return bytes;
}

double best(int runs, const std::function<double()> &run)
{
    double least = 1e9;
    for (int i = 0; i < runs; ++i)
        least = std::min(least, run());
    return least;
}

// --trend over `folder`: with a new cache once, then from it.
void timeTrend(const QString &folder, const QString &cacheHome, int runs, const QString &output)
{
    const int files = int(QDir(folder).entryList({QStringLiteral("*.fib")}, QDir::Files).size());
    const QStringList arguments{QStringLiteral("--trend"), QStringLiteral("--format"), QStringLiteral("json"), folder};
    long peak = 0;
    const double first = best(runs, [&] {
        QDir(cacheHome).removeRecursively();
        return RunChild(QStringLiteral(QUENVALE_BINARY), arguments, output, &peak, nullptr, 3);
    });
    const long firstPeak = peak;
    const double cached =
        best(runs, [&] { return RunChild(QStringLiteral(QUENVALE_BINARY), arguments, output, &peak, nullptr, 3); });
    const double none = best(runs, [&] {
        return RunChild(QStringLiteral(QUENVALE_BINARY), arguments + QStringList{QStringLiteral("--no-cache")},
                        output, nullptr, nullptr, 3);
    });
    std::printf("--trend, %5d files of %d fibers: first scan %.3f s (peak %ld MB), from the cache %.3f s "
                "(peak %ld MB, the cache's mapped pages included), --no-cache %.3f s\n",
                files, kFibers, first, firstPeak / 1024, cached, peak / 1024, none);
}

// The lot model of `folder` from the cache, in this process: time and the
// memory it holds.
void measureModel(const QString &folder)
{
    // The heap alone: the cache's mapped pages are the system's to drop.
    const long before = BenchSupport::statusKilobytes("RssAnon:");
    QElapsedTimer timer;
    timer.start();
    SummaryCache cache;
    cache.Open();
    LotModel lot;
    const LotScan::Result scan = LotScan::Scan(
        {folder}, JudgeInputs(), &cache,
        [](qsizetype count, const LotScan::Work &work) {
            for (qsizetype i = 0; i < count; ++i) {
                QString error;
                work(i, &error);
            }
        },
        nullptr, [](const QString &) {});
    lot.Reset(scan.files);
    const double read = Seconds(timer);
    timer.restart();
    const LotFigures figures = lot.Figures();
    const double figuring = Seconds(timer);
    const long after = BenchSupport::statusKilobytes("RssAnon:");
    std::printf("lot model of %d files from the cache: %.3f s, its figures %.3f s (%lld fibers, %lld retested); "
                "%.1f MB held\n",
                lot.FileCount(), read, figuring, (long long)figures.fibers, (long long)figures.retested,
                double(after - before) / 1024);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    int runs = 3;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--runs") && i + 1 < arguments.size())
            runs = arguments.at(++i).toInt();
        else
            sizes.append(arguments.at(i).toInt());
    }
    if (sizes.isEmpty())
        sizes = {1000, 10000};
    QTemporaryDir dir;
    const QString cacheHome = dir.filePath(QStringLiteral("cache"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
    const QString output = dir.filePath(QStringLiteral("out.json"));
    for (const int files : std::as_const(sizes)) {
        const QString folder = dir.filePath(QStringLiteral("lot%1").arg(files));
        if (!BenchSupport::WriteLot(folder, files, lotFile))
            return 1;
        timeTrend(folder, cacheHome, runs, output);
    }
    // Beside 100,000 other files, the walk's cost; a cache of its own, so
    // that the largest lot's stays for the model.
    const QString crowded = dir.filePath(QStringLiteral("lot%1").arg(sizes.first()));
    for (int i = 0; i < 100000; ++i)
        QFile(QStringLiteral("%1/note%2.txt").arg(crowded).arg(i)).open(QIODevice::WriteOnly);
    const QString crowdedCache = dir.filePath(QStringLiteral("crowded-cache"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(crowdedCache));
    timeTrend(crowded, crowdedCache, 1, output);
    // Last: children spawned later would count this process's peak as theirs.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome));
    measureModel(dir.filePath(QStringLiteral("lot%1").arg(sizes.last())));
    return 0;
}
