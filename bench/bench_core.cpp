// Reading, cutting and exporting result files of 10,000 to 1,000,000 rows,
// and the whole `quenvale --export-csv` run beside the equivalent mawk cut.
//
//   build/bench/quenvale_bench_core [rows...] [--keep]
//
// Files are generated under a temporary folder (removed unless --keep).

#include "data/ChannelTable.h"
#include "data/MeasurementStore.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

QByteArray generate(qsizetype rows)
{
    QByteArray bytes = "Quenvale benchmark\nline 2\nline 3\nline 4\nFiber Ch Wave Power\n";
    bytes.reserve(bytes.size() + rows * ChannelTable::LineLength);
    char name[16], channel[8], wave[16], power[16], time[16];
    for (qsizetype i = 0; i < rows; ++i) {
        const int ch = int(i % 18) + 1;
        std::snprintf(name, sizeof name, "F%07lld", (long long)(i / 18));
        std::snprintf(channel, sizeof channel, "%02d", ch);
        std::snprintf(wave, sizeof wave, "%d.0", 1271 + 20 * (ch - 1));
        if (i % 97 == 5)
            std::snprintf(power, sizeof power, "%8s", "-100.00");
        else
            std::snprintf(power, sizeof power, "%8.2f", -5.0 - double(i % 2500) / 100.0);
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(i / 3600 % 24), int(i / 60 % 60),
                      int(i % 60));
        bytes += ChannelTable::FormatLine(
            MeasurementRow(name, channel, wave, power, "  -30.00", "2018-05-17", time));
    }
    return bytes;
}

double seconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e9;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs a command; returns wall seconds and the child's peak memory in KB.
double timeCommand(const QString &program, const QStringList &arguments, const QString &stdoutFile,
                   long *childPeak)
{
    QProcess process;
    if (!stdoutFile.isEmpty())
        process.setStandardOutputFile(stdoutFile);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    const double elapsed = seconds(timer);
    if (process.exitCode() != 0)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    *childPeak = usage.ru_maxrss;
    return elapsed;
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
    {
        QFile file(fib);
        file.open(QIODevice::WriteOnly);
        file.write(generate(rows));
    }
    const double megabytes = double(QFileInfo(fib).size()) / 1e6;
    const int runs = rows >= 1000000 ? 3 : 5;

    // The child processes first, while this process is still small: a
    // forked child's peak memory starts from its parent's.
    // The whole program, and mawk doing the same cut.
    long programPeak = 0, awkPeak = 0;
    const QString programCsv = folder + QStringLiteral("/program-%1.csv").arg(rows);
    const double programSeconds = best(runs, [&] {
        return timeCommand(QStringLiteral(QUENVALE_BINARY),
                           {QStringLiteral("--export-csv"), programCsv, fib}, QString(), &programPeak);
    });
    const QString awkCsv = folder + QStringLiteral("/awk-%1.csv").arg(rows);
    const QString awkScript = QStringLiteral(
        "NR>5{p=substr($0,30,8); if (p+0 < -99.9) p=\"Low\"; printf \"%s,  %s,      %s,     %s,  "
        "%s,  %s, %s,\\r\\n\", substr($0,1,8), substr($0,11,2), substr($0,19,6), p, "
        "substr($0,40,8), substr($0,50,10), substr($0,61,8)}");
    const double awkSeconds = best(runs, [&] {
        return timeCommand(QStringLiteral("mawk"), {awkScript, fib}, awkCsv, &awkPeak);
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
        const double read = seconds(timer);
        timer.start();
        MeasurementRows &rows = MeasurementStore::Instance().Rows();
        rows = ChannelTable::CutTable(text.table);
        report.SetRows(rows);
        const double cut = seconds(timer);
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
        return seconds(t);
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
    std::printf("(best of several runs each; peak memory of the program is the largest child so far)\n");
    return 0;
}
