// The statistics of every channel and the plots of their distributions:
// the whole `quenvale --plot` run in each image format beside `quenvale
// --summary --format json` of the same file, and `--summary --warn-margin`
// in each format beside `--export-csv`, in alternating pairs; judging a big
// file with the channels' figures (means, deviations, percentiles, Cpk,
// the Pareto) beside judging it for the verdicts alone, and the parts of a
// plot, in process.
//
//   build/bench/quenvale_bench_distributions [rows...] [--pairs N]
//
// Files are generated under a temporary folder, removed at the end.

#include "BenchSupport.h"

#include "data/FiberReader.h"
#include "data/LoadedFile.h"
#include "output/DistributionChart.h"
#include "output/DistributionImage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

using BenchSupport::RunChild;

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
        figures.append(millisecondsOf([&] { LoadedFile::Judge(file.rows, &judged, nullptr, JudgeInputs{1.0, {}}); }));
    }
    std::printf("%9lld rows: judged for the verdicts %.1f ms, with every channel's figures %.1f ms "
                "(medians of 15 runs)\n",
                (long long)rows, median(verdicts), median(figures));
    std::fflush(stdout);
}

// The parts of --plot in this process: the file read and judged in one
// pass; the chart drawn and written as PNG, as SVG and as PDF, each of
// 1920 x 1080. Medians of 9 runs.
void benchPlotParts(const QString &folder, const QString &path, qsizetype rows)
{
    QList<double> judged, drawn[3];
    const char *const formats[] = {"png", "svg", "pdf"};
    for (int run = 0; run < 9; ++run) {
        ThresholdJudge judge;
        judged.append(millisecondsOf([&] {
            FiberReader::Read(path, [&judge](const MeasurementRows &read, qsizetype first, qsizetype count) {
                judge.AddFiber(read, first, count);
                return true;
            });
            judge.Channels();
        }));
        const DistributionChart chart(judge);
        for (int f = 0; f < 3; ++f) {
            const QString image = folder + QStringLiteral("/parts.") + QLatin1String(formats[f]);
            drawn[f].append(millisecondsOf([&] {
                if (!DistributionImage::WriteFile(chart, image, QLatin1String(formats[f]), QSize(1920, 1080),
                                                  QString()))
                    qFatal("cannot write %s", qPrintable(image));
            }));
            QFile::remove(image);
        }
    }
    std::printf("%9lld rows: --plot's parts: read and judged %.1f ms; drawn and written as PNG %.1f ms, "
                "as SVG %.1f ms, as PDF %.1f ms (medians of 9 runs)\n",
                (long long)rows, median(judged), median(drawn[0]), median(drawn[1]), median(drawn[2]));
    std::fflush(stdout);
}

QString program()
{
    return QStringLiteral(QUENVALE_BINARY);
}

// The whole --plot run in each image format beside --summary --format
// json of the same file, in alternating pairs, on a file where every fiber
// passes and on one where nearly every fiber fails; --summary in every
// format with a warning margin beside --export-csv.
void benchPlotRun(const QString &folder, qsizetype rows, int pairs)
{
    const struct
    {
        const char *name;
        BenchSupport::Verdicts verdicts;
        int status;
    } kFiles[] = {{"passing", BenchSupport::Verdicts::AllPass, 0},
                  {"failing", BenchSupport::Verdicts::MostFail, 3}};
    const QString out = folder + QStringLiteral("/summary.out");
    for (const auto &kind : kFiles) {
        const QString fib = folder + QStringLiteral("/plot-%1.fib").arg(QLatin1String(kind.name));
        const qsizetype wholeRows = rows / ChannelTable::FiberSize * ChannelTable::FiberSize;
        if (!BenchSupport::WriteResultFile(fib, wholeRows, false, kind.verdicts))
            qFatal("cannot write %s", qPrintable(fib));
        std::printf("%9lld rows, %s file:", (long long)wholeRows, kind.name);
        for (const char *format : {"png", "svg", "pdf"}) {
            const QString image = folder + QStringLiteral("/plot.") + QLatin1String(format);
            QList<double> plots, summaries;
            long peak = 0, plotPeak = 0;
            for (int pair = 0; pair < pairs; ++pair) {
                plots.append(RunChild(program(), {QStringLiteral("--plot"), image, fib}, QString(), &peak));
                plotPeak = std::max(plotPeak, peak);
                summaries.append(RunChild(program(),
                                          {QStringLiteral("--summary"), QStringLiteral("--format"),
                                           QStringLiteral("json"), fib},
                                          out, nullptr, nullptr, kind.status));
            }
            const double p = median(plots), s = median(summaries);
            std::printf(" --plot %s %.3f s (%.2fx of --summary json %.3f s, peak %ld MB)", format, p, p / s, s,
                        plotPeak / 1024);
            QFile::remove(image);
        }
        std::printf(" | median of %d pairs each\n", pairs);
        std::printf("%9lld rows, %s file, --warn-margin 1:", (long long)wholeRows, kind.name);
        const QString csv = folder + QStringLiteral("/export.csv");
        for (const char *format : {"text", "json", "jsonl", "csv"}) {
            QList<double> exports, summaries;
            for (int pair = 0; pair < pairs; ++pair) {
                exports.append(RunChild(program(), {QStringLiteral("--export-csv"), csv, fib}, QString(), nullptr));
                summaries.append(RunChild(program(),
                                          {QStringLiteral("--summary"), QStringLiteral("--warn-margin"),
                                           QStringLiteral("1"), QStringLiteral("--format"),
                                           QLatin1String(format), fib},
                                          out, nullptr, nullptr, kind.status));
            }
            const double e = median(exports), t = median(summaries);
            std::printf(" %s %.3f s (%.2fx of --export-csv %.3f s)", format, t, t / e, e);
        }
        std::printf(" | median of %d pairs each\n", pairs);
        std::fflush(stdout);
        QFile::remove(csv);
        QFile::remove(fib);
    }
    QFile::remove(out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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

    // Children first, while this process is small (see RunChild).
    QTemporaryDir dir;
    for (qsizetype rows : sizes)
        benchPlotRun(dir.path(), rows, pairs);
    for (qsizetype rows : sizes) {
        const QString fib = dir.filePath(QStringLiteral("bench-%1.fib").arg(rows));
        if (!BenchSupport::WriteResultFile(fib, rows))
            qFatal("cannot write %s", qPrintable(fib));
        benchJudging(fib, rows);
        benchPlotParts(dir.path(), fib, rows);
        QFile::remove(fib);
    }
    return 0;
}
