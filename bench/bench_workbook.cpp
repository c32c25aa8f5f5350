// The whole `quenvale --export-xlsx` run beside `--export-csv` of the same
// file, in alternating pairs: the time of each, their ratio and the
// workbook's peak memory.
//
//   build/bench/quenvale_bench_workbook [rows...] [--pairs N]
//
// Files are generated under a temporary folder, removed at the end.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

using BenchSupport::RunChild;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QString program()
{
    return QStringLiteral(QUENVALE_BINARY);
}

void benchWorkbook(const QString &folder, qsizetype rows, int pairs)
{
    const QString fib = folder + QStringLiteral("/bench-%1.fib").arg(rows);
    if (!BenchSupport::WriteResultFile(fib, rows))
        qFatal("cannot write %s", qPrintable(fib));
    const QString csv = folder + QStringLiteral("/bench.csv");
    const QString xlsx = folder + QStringLiteral("/bench.xlsx");
    QList<double> csvTimes, xlsxTimes;
    long peak = 0, xlsxPeak = 0, csvPeak = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        csvTimes.append(RunChild(program(), {QStringLiteral("--export-csv"), csv, fib}, QString(), &peak));
        csvPeak = std::max(csvPeak, peak);
        xlsxTimes.append(RunChild(program(), {QStringLiteral("--export-xlsx"), xlsx, fib}, QString(), &peak));
        xlsxPeak = std::max(xlsxPeak, peak);
    }
    const double c = median(csvTimes), x = median(xlsxTimes);
    std::printf("%9lld rows: --export-xlsx %.3f s, peak %ld MB, %.1f MB | --export-csv %.3f s, peak %ld MB | "
                "%.1fx | median of %d pairs\n",
                (long long)rows, x, xlsxPeak / 1024, double(QFileInfo(xlsx).size()) / 1e6, c, csvPeak / 1024,
                x / c, pairs);
    std::fflush(stdout);
    for (const QString &file : {fib, csv, xlsx})
        QFile::remove(file);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<qsizetype> sizes;
    int pairs = 3;
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--pairs") && i + 1 < arguments.size())
            pairs = qMax(1, arguments.at(++i).toInt());
        else
            sizes.append(arguments.at(i).toLongLong());
    }
    if (sizes.isEmpty())
        sizes = {10000, 100000, 1000000};
    QTemporaryDir folder;
    for (const qsizetype rows : std::as_const(sizes))
        benchWorkbook(folder.path(), rows, pairs);
    return 0;
}
