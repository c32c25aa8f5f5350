// The statistics of every channel and the plots of their distributions:
// judging a big file with the channels' figures (means, deviations,
// percentiles, Cpk, the Pareto) beside judging it for the verdicts alone,
// in process; and the whole `quenvale --plot` run beside `quenvale
// --summary --format json` of the same file, in alternating pairs.
//
//   build/bench/quenvale_bench_distributions [rows...] [--pairs N]
//
// Files are generated under a temporary folder, removed at the end.

#include "BenchSupport.h"

#include "data/LoadedFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Step>
double millisecondsOf(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Judging the rows of a loaded file as the window does: the verdicts alone,
// then again with every channel's figures. Medians of 15 runs.
void benchJudging(const QString &path, qsizetype rows)
{
    LoadedFile file;
    if (!LoadedFile::Load(path, &file))
        qFatal("cannot load %s", qPrintable(path));
    QList<double> verdicts, figures;
    for (int run = 0; run < 15; ++run) {
        LoadedFile::Verdicts judged;
        verdicts.append(millisecondsOf([&] { LoadedFile::Judge(file.rows, &judged); }));
        figures.append(millisecondsOf([&] { LoadedFile::Figures(file.rows).Channels(); }));
    }
    std::printf("%9lld rows: judged for the verdicts %.1f ms, with every channel's figures %.1f ms "
                "(medians of 15 runs)\n",
                (long long)rows, median(verdicts), median(figures));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<qsizetype> sizes;
    int pairs = 7;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--pairs") && i + 1 < arguments.size())
            pairs = qMax(1, arguments[++i].toInt());
        else if (arguments[i].toLongLong() > 0)
            sizes.append(arguments[i].toLongLong());
    }
    if (sizes.isEmpty())
        sizes = {1000000};
    Q_UNUSED(pairs);

    QTemporaryDir dir;
    for (qsizetype rows : sizes) {
        const QString fib = dir.filePath(QStringLiteral("bench-%1.fib").arg(rows));
        if (!BenchSupport::WriteResultFile(fib, rows))
            qFatal("cannot write %s", qPrintable(fib));
        benchJudging(fib, rows);
        QFile::remove(fib);
    }
    return 0;
}
