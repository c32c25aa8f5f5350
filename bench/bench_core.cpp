// Reading, cutting and exporting result files of 10,000 to 1,000,000 rows;
// the whole `quenvale --export-csv` run beside the equivalent mawk cut and
// beside `cp` of the same file; `quenvale --summary` in its four formats
// beside `--export-csv` of the same file, passing and failing; reading files full of zero bytes or saved
// as UTF-16; and one run over 400 files beside a shell loop of mawk.
//
//   build/bench/quenvale_bench_core [rows...] [--pairs N] [--files N]
//
// Files are generated under a temporary folder, removed at the end.

#include "BenchSupport.h"

#include "data/ChannelTable.h"
#include "data/MeasurementStore.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>

namespace {

using BenchSupport::RunChild;
using BenchSupport::Seconds;

const QString kAwkScript = QStringLiteral(
    "NR>5{p=substr($0,30,8); if (p+0 < -99.9) p=\"Low\"; printf \"%s,  %s,      %s,     %s,  "
    "%s,  %s, %s,\\r\\n\", substr($0,1,8), substr($0,11,2), substr($0,19,6), p, "
    "substr($0,40,8), substr($0,50,10), substr($0,61,8)}");

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

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Compared piece by piece: reading both whole would raise this process's
// peak, which the children spawned later report as part of their own.
bool sameFile(const QString &a, const QString &b)
{
    QFile x(a), y(b);
    if (!x.open(QIODevice::ReadOnly) || !y.open(QIODevice::ReadOnly) || x.size() != y.size())
        return false;
    while (!x.atEnd()) {
        if (x.read(1 << 20) != y.read(1 << 20))
            return false;
    }
    return true;
}

QString program()
{
    return QStringLiteral(QUENVALE_BINARY);
}

// The whole program against mawk, run in alternating pairs so that both
// meet the same state of a shared machine; `cp` of the input is the floor.
void benchExportRun(const QString &folder, const QString &fib, qsizetype rows, int pairs)
{
    const QString programCsv = folder + QStringLiteral("/program.csv");
    const QString awkCsv = folder + QStringLiteral("/awk.csv");
    const QString copy = folder + QStringLiteral("/copy.fib");
    QList<double> programTimes, awkTimes, copyTimes;
    long programPeak = 0, awkPeak = 0, peak = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        programTimes.append(
            RunChild(program(), {QStringLiteral("--export-csv"), programCsv, fib}, QString(), &peak));
        programPeak = std::max(programPeak, peak);
        awkTimes.append(RunChild(QStringLiteral("mawk"), {kAwkScript, fib}, awkCsv, &peak));
        awkPeak = std::max(awkPeak, peak);
        copyTimes.append(RunChild(QStringLiteral("cp"), {fib, copy}, QString(), nullptr));
    }
    const double p = median(programTimes), a = median(awkTimes), c = median(copyTimes);
    std::printf("%9lld rows: quenvale --export-csv %.3f s, mawk %.3f s (%.2fx), cp %.3f s | "
                "same bytes: %s | peak: quenvale %ld MB, mawk %ld MB | median of %d pairs\n",
                (long long)rows, p, a, a / p, c, sameFile(programCsv, awkCsv) ? "yes" : "NO",
                programPeak / 1024, awkPeak / 1024, pairs);
    std::fflush(stdout);
    for (const QString &file : {programCsv, awkCsv, copy})
        QFile::remove(file);
}

// --summary in each format against --export-csv of the same file, in
// alternating pairs, on a file where every fiber passes and on one where
// nearly every fiber fails; the peak of each.
void benchSummaryRun(const QString &folder, qsizetype rows, int pairs)
{
    const QString csv = folder + QStringLiteral("/export.csv");
    const QString out = folder + QStringLiteral("/summary.out");
    const char *const formats[] = {"text", "json", "jsonl", "csv"};
    const struct
    {
        const char *name;
        BenchSupport::Verdicts verdicts;
        int status;
    } kFiles[] = {{"passing", BenchSupport::Verdicts::AllPass, 0},
                  {"failing", BenchSupport::Verdicts::MostFail, 3}};
    for (const auto &kind : kFiles) {
        const QString fib = folder + QStringLiteral("/summary-%1.fib").arg(QLatin1String(kind.name));
        // Whole fibers only: a last, incomplete one would fail the passing file.
        const qsizetype wholeRows = rows / ChannelTable::FiberSize * ChannelTable::FiberSize;
        if (!BenchSupport::WriteResultFile(fib, wholeRows, false, kind.verdicts))
            qFatal("cannot write %s", qPrintable(fib));
        std::printf("%9lld rows, %s file:", (long long)wholeRows, kind.name);
        for (int f = 0; f < int(std::size(formats)); ++f) {
            QList<double> exportTimes, summaryTimes;
            long peak = 0, summaryPeak = 0;
            for (int pair = 0; pair < pairs; ++pair) {
                exportTimes.append(RunChild(program(), {QStringLiteral("--export-csv"), csv, fib},
                                            QString(), nullptr));
                summaryTimes.append(RunChild(program(),
                                             {QStringLiteral("--summary"), QStringLiteral("--format"),
                                              QString::fromLatin1(formats[f]), fib},
                                             out, &peak, nullptr, kind.status));
                summaryPeak = std::max(summaryPeak, peak);
            }
            const double e = median(exportTimes), t = median(summaryTimes);
            std::printf(" %s %.3f s (%.2fx of --export-csv %.3f s, peak %ld MB)", formats[f], t, t / e,
                        e, summaryPeak / 1024);
        }
        std::printf(" | median of %d pairs each\n", pairs);
        std::fflush(stdout);
        QFile::remove(fib);
    }
    QFile::remove(csv);
    QFile::remove(out);
}

QString writeBenchFile(const QString &folder, qsizetype rows)
{
    const QString fib = folder + QStringLiteral("/bench-%1.fib").arg(rows);
    if (!BenchSupport::WriteResultFile(fib, rows))
        qFatal("cannot write %s", qPrintable(fib));
    return fib;
}

void benchInProcess(const QString &folder, qsizetype rows)
{
    const QString fib = writeBenchFile(folder, rows);
    const double megabytes = double(QFileInfo(fib).size()) / 1e6;
    const int runs = rows >= 1000000 ? 3 : 5;

    // Read + cut into the store and the report, as the window loads a file.
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
        MeasurementRows &held = MeasurementStore::Instance().Rows();
        held = ChannelTable::CutTable(text.table);
        report.SetRows(held);
        const double cut = Seconds(timer);
        readSeconds = run ? std::min(readSeconds, read) : read;
        cutSeconds = run ? std::min(cutSeconds, cut) : cut;
    }

    // Save As: CSV text of the held rows + atomic write.
    const QString csv = folder + QStringLiteral("/bench-%1.csv").arg(rows);
    const double csvSeconds = best(runs, [&] {
        QElapsedTimer t;
        t.start();
        const MeasurementRows &held = MeasurementStore::Instance().Rows();
        CsvExport::WriteFile(csv, CsvExport::Text(held, CsvExport::BlockNames(held)));
        return Seconds(t);
    });
    const long inProcessPeak = peakKilobytes();
    MeasurementStore::Instance().Rows() = MeasurementRows();
    report.Clear();

    // The streaming export in this process, for comparison with Save As.
    const QString streamed = folder + QStringLiteral("/streamed-%1.csv").arg(rows);
    const double streamSeconds = best(runs, [&] {
        QElapsedTimer t;
        t.start();
        CsvExport::ExportResultFile(fib, streamed);
        return Seconds(t);
    });
    std::printf("%9lld rows (%6.1f MB): read %.3f s, cut %.3f s, Save As csv %.3f s, "
                "streamed csv %.3f s, same bytes: %s | bench peak %ld MB\n",
                (long long)rows, megabytes, readSeconds, cutSeconds, csvSeconds, streamSeconds,
                sameFile(csv, streamed) ? "yes" : "NO", inProcessPeak / 1024);
    std::fflush(stdout);
    QFile::remove(csv);
    QFile::remove(streamed);
    QFile::remove(fib);
}

// Files that are nothing like a result file but must still read in time
// proportional to their size.
void benchOddFiles(const QString &folder)
{
    const QString zeros = folder + QStringLiteral("/zeros.fib");
    const QString wide = folder + QStringLiteral("/utf16.fib");
    QFile file(zeros);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(2 << 20, '\0')) != 2 << 20)
        qFatal("cannot write %s", qPrintable(zeros));
    file.close();
    QByteArray utf16;
    for (char c : BenchSupport::GenerateResultFile(48 * 18))
        utf16 += QByteArray(1, c) + '\0';
    file.setFileName(wide);
    if (!file.open(QIODevice::WriteOnly) || file.write(utf16) != utf16.size())
        qFatal("cannot write %s", qPrintable(wide));
    file.close();

    for (const QString &path : {zeros, wide}) {
        const double seconds = best(5, [&] {
            QElapsedTimer t;
            t.start();
            ResultFileText text;
            ReadResultFile(path, text);
            return Seconds(t);
        });
        std::printf("read %-10s (%4.1f MB): %.4f s (best of 5)\n",
                    qPrintable(QFileInfo(path).fileName()), double(QFileInfo(path).size()) / 1e6,
                    seconds);
        QFile::remove(path);
    }
    std::fflush(stdout);
}

// One run over many files of 48 fibers against one mawk per file.
void benchManyFiles(const QString &folder, int files, int pairs)
{
    const QString in = folder + QStringLiteral("/many");
    const QString programOut = folder + QStringLiteral("/many-program");
    const QString awkOut = folder + QStringLiteral("/many-awk");
    for (const QString &dir : {in, programOut, awkOut})
        QDir().mkpath(dir);
    QStringList paths;
    const QByteArray bytes = BenchSupport::GenerateResultFile(48 * 18);
    for (int i = 0; i < files; ++i) {
        paths.append(in + QStringLiteral("/cable-%1.fib").arg(i, 4, 10, QLatin1Char('0')));
        QFile file(paths.last());
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(paths.last()));
    }
    const QString loop = QStringLiteral(
        "script=$1; out=$2; shift 2; "
        "for f in \"$@\"; do b=${f##*/}; mawk \"$script\" \"$f\" > \"$out/${b%.fib}.csv\"; done");
    QList<double> programTimes, awkTimes;
    long peak = 0, programPeak = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        programTimes.append(RunChild(program(), QStringList{QStringLiteral("--export-csv"), programOut} + paths,
                                     QString(), &peak));
        programPeak = std::max(programPeak, peak);
        awkTimes.append(RunChild(QStringLiteral("sh"),
                                 QStringList{QStringLiteral("-c"), loop, QStringLiteral("sh"),
                                             kAwkScript, awkOut} + paths,
                                 QString(), nullptr));
    }
    bool same = true;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).completeBaseName() + QStringLiteral(".csv");
        same = same && sameFile(programOut + '/' + name, awkOut + '/' + name);
    }
    const double p = median(programTimes), a = median(awkTimes);
    std::printf("%d files of 48 fibers: quenvale --export-csv OUTDIR %.3f s, shell loop of mawk "
                "%.3f s (%.1fx) | same bytes: %s | peak: quenvale %ld MB | median of %d pairs\n",
                files, p, a, a / p, same ? "yes" : "NO", programPeak / 1024, pairs);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<qsizetype> sizes;
    int pairs = 5;
    int files = 400;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--pairs") && i + 1 < arguments.size())
            pairs = qMax(1, arguments[++i].toInt());
        else if (arguments[i] == QLatin1String("--files") && i + 1 < arguments.size())
            files = qMax(1, arguments[++i].toInt());
        else if (arguments[i].toLongLong() > 0)
            sizes.append(arguments[i].toLongLong());
    }
    if (sizes.isEmpty())
        sizes = {10000, 100000, 1000000};

    // Children first, while this process is small (see RunChild).
    QTemporaryDir dir;
    for (qsizetype rows : sizes) {
        const QString fib = writeBenchFile(dir.path(), rows);
        benchExportRun(dir.path(), fib, rows, pairs);
        QFile::remove(fib);
        benchSummaryRun(dir.path(), rows, pairs);
    }
    benchManyFiles(dir.path(), files, pairs);
    for (qsizetype rows : sizes)
        benchInProcess(dir.path(), rows);
    benchOddFiles(dir.path());
    std::printf("(in-process figures are the best of several runs; child processes are timed "
                "and their peaks read as children)\n");
    return 0;
}
