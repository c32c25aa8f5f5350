// --compare of two files of a million rows each, against --summary --format
// json of the same two files, in alternating pairs; the peak of each. The
// two files name the same fibers (every one is matched), the second
// without the first's Low rows.
//
//   quenvale_bench_compare [ROWS] [--pairs N]

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qsizetype rows = 1000000;
    int pairs = 5;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--pairs") && i + 1 < arguments.size())
            pairs = qMax(1, arguments[++i].toInt());
        else if (arguments[i].toLongLong() > 0)
            rows = arguments[i].toLongLong();
    }
    QTemporaryDir dir;
    const QString a = dir.filePath(QStringLiteral("a.fib")), b = dir.filePath(QStringLiteral("b.fib"));
    const QString out = dir.filePath(QStringLiteral("out.json"));
    if (!BenchSupport::WriteResultFile(a, rows) || !BenchSupport::WriteResultFile(b, rows, false,
                                                                                   BenchSupport::Verdicts::AllPass))
        qFatal("cannot write the files");
    const QString program = QStringLiteral(QUENVALE_BINARY);
    QList<double> compareTimes, summaryTimes;
    long comparePeak = 0, summaryPeak = 0, peak = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        summaryTimes.append(BenchSupport::RunChild(
            program, {QStringLiteral("--summary"), QStringLiteral("--format"), QStringLiteral("json"), a, b}, out,
            &peak, nullptr, 3));
        summaryPeak = std::max(summaryPeak, peak);
        compareTimes.append(BenchSupport::RunChild(
            program, {QStringLiteral("--compare"), QStringLiteral("--format"), QStringLiteral("json"), a, b}, out,
            &peak, nullptr, 0));
        comparePeak = std::max(comparePeak, peak);
    }
    const double c = median(compareTimes), s = median(summaryTimes);
    std::printf("2 x %lld rows: --compare %.3f s (peak %ld MB), --summary --format json %.3f s (peak %ld MB): "
                "%.2fx | median of %d pairs\n",
                (long long)rows, c, comparePeak / 1024, s, summaryPeak / 1024, c / s, pairs);
    return 0;
}
