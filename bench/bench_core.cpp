// Reading, cutting and exporting result files of 10,000 to 1,000,000 rows,
// and the whole `quenvale --export-csv` run beside the equivalent mawk cut.
//
//   build/bench/quenvale_bench_core [rows...] [--keep]
//
// Files are generated under a temporary folder (removed unless --keep).

#include "BenchSupport.h"

#include "data/ChannelTable.h"
#include "data/MeasurementStore.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

using BenchSupport::RunChild;
using BenchSupport::Seconds;

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double best(int runs, const std::function<double()> &run)
{
    double fastest = 1e9;
    for (int i = 0; i < runs; ++i)
        fastest = std::min(fastest, run());
    return fastest;
}

void benchSize(const QString &folder, qsizetype rows)
{
    const QString fib = folder + QStringLiteral("/bench-%1.fib").arg(rows);
    if (!BenchSupport::WriteResultFile(fib, rows))
        qFatal("cannot write %s", qPrintable(fib));
    const double megabytes = double(QFileInfo(fib).size()) / 1e6;
    const int runs = rows >= 1000000 ? 3 : 5;

    // The whole program, and mawk doing the same cut.
    long programPeak = 0, awkPeak = 0;
    const QString programCsv = folder + QStringLiteral("/program-%1.csv").arg(rows);
    const double programSeconds = best(runs, [&] {
        return RunChild(QStringLiteral(QUENVALE_BINARY),
                        {QStringLiteral("--export-csv"), programCsv, fib}, QString(), &programPeak);
    });
    const QString awkCsv = folder + QStringLiteral("/awk-%1.csv").arg(rows);
    const QString awkScript = QStringLiteral(
        "NR>5{p=substr($0,30,8); if (p+0 < -99.9) p=\"Low\"; printf \"%s,  %s,      %s,     %s,  "
        "%s,  %s, %s,\\r\\n\", substr($0,1,8), substr($0,11,2), substr($0,19,6), p, "
        "substr($0,40,8), substr($0,50,10), substr($0,61,8)}");
    const double awkSeconds = best(runs, [&] {
        return RunChild(QStringLiteral("mawk"), {awkScript, fib}, awkCsv, &awkPeak);
    });
    // Read + cut into the store and the report.
    PrintReport report;
    QElapsedTimer timer;
    double readSeconds = 0, cutSeconds = 0;
    for (int run = 0; run < runs; ++run) {
        // As a load does: the previous file's rows go before the new ones come.
        MeasurementStore::Instance().Clear();
        report.Clear();
        timer.start();
        ResultFileText text;
        QString error;
        if (!ReadResultFile(fib, text, &error))
            qFatal("%s", qPrintable(error));
        const double read = Seconds(timer);
        timer.start();
        MeasurementRows &rows = MeasurementStore::Instance().Rows();
        rows = ChannelTable::CutTable(text.table);
        report.SetRows(rows);
        const double cut = Seconds(timer);
        readSeconds = run ? std::min(readSeconds, read) : read;
        cutSeconds = run ? std::min(cutSeconds, cut) : cut;
    }

    // CSV text + atomic write.
    const QString csv = folder + QStringLiteral("/bench-%1.csv").arg(rows);
    const double csvSeconds = best(runs, [&] {
        QElapsedTimer t;
        t.start();
        MeasurementRows &rows = MeasurementStore::Instance().Rows();
        CsvExport::StampFiberNames(rows, ChannelTable::FiberNames(rows));
        CsvExport::WriteFile(csv, CsvExport::Text(rows));
        return Seconds(t);
    });
    const long inProcessPeak = peakKilobytes();

    QFile a(programCsv), b(awkCsv);
    a.open(QIODevice::ReadOnly);
    b.open(QIODevice::ReadOnly);
    const bool same = a.readAll() == b.readAll();

    std::printf("%9lld rows (%6.1f MB): read %.3f s, cut %.3f s, csv %.3f s | "
                "quenvale --export-csv %.3f s, mawk %.3f s, ratio %.2fx, same bytes: %s | "
                "peak: bench %ld MB, program %ld MB\n",
                (long long)rows, megabytes, readSeconds, cutSeconds, csvSeconds, programSeconds,
                awkSeconds, awkSeconds / programSeconds, same ? "yes" : "NO", inProcessPeak / 1024,
                programPeak / 1024);
    std::fflush(stdout);
    MeasurementStore::Instance().Rows() = MeasurementRows();
    QFile::remove(fib);
    QFile::remove(csv);
    QFile::remove(programCsv);
    QFile::remove(awkCsv);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<qsizetype> sizes;
    for (const QString &argument : app.arguments().mid(1))
        if (argument.toLongLong() > 0)
            sizes.append(argument.toLongLong());
    if (sizes.isEmpty())
        sizes = {10000, 100000, 1000000};

    QTemporaryDir dir;
    for (qsizetype rows : sizes)
        benchSize(dir.path(), rows);
    std::printf("(best of several runs each; the program's peak is its own, measured as a child)\n");
    return 0;
}
