// The printed report as PDF for files of 10,000 and 100,000 rows: the
// function the command line uses in this process, then the whole
// `quenvale --print-pdf` run as a child, with pages per second and peaks.
//
//   build/bench/quenvale_bench_report [rows...] [--keep]

#include "BenchSupport.h"

#include "data/ChannelTable.h"
#include "data/ResultFile.h"
#include "output/PrintReport.h"
#include "output/ReportPdf.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <unistd.h>

namespace {

using BenchSupport::Seconds;
using BenchSupport::resetPeak;
using BenchSupport::statusKilobytes;

// Runs the program; returns wall seconds and that child's own peak in KB.
double runProgram(const QStringList &arguments, long *peak)
{
    return BenchSupport::RunChild(QStringLiteral(QUENVALE_BINARY), arguments, QString(), peak);
}

void benchSize(const QString &folder, qsizetype rows, bool keep)
{
    const QString fib = folder + QStringLiteral("/bench-%1.fib").arg(rows);
    if (!BenchSupport::WriteResultFile(fib, rows))
        qFatal("cannot write %s", qPrintable(fib));
    const QString pdf = folder + QStringLiteral("/bench-%1.pdf").arg(rows);

    // The whole program, as a child with a peak of its own.
    long programPeak = 0;
    double programSeconds = 1e9;
    for (int run = 0; run < 3; ++run)
        programSeconds = qMin(programSeconds,
                              runProgram({QStringLiteral("--print-pdf"), pdf, fib}, &programPeak));

    ResultFileText text;
    QString error;
    if (!ReadResultFile(fib, text, &error))
        qFatal("%s", qPrintable(error));
    PrintReport report;
    report.SetRows(ChannelTable::CutTable(text.table));
    text = ResultFileText();
    const int pages = report.PageCount();

    double pdfSeconds = 1e9;
    long growth = 0;
    for (int run = 0; run < 3; ++run) {
        resetPeak();
        const long before = statusKilobytes("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        if (!ReportPdf::WriteFile(report, pdf, QPageSize(QPageSize::A4), &error))
            qFatal("%s", qPrintable(error));
        pdfSeconds = qMin(pdfSeconds, Seconds(timer));
        growth = qMax(growth, statusKilobytes("VmHWM:") - before);
    }

    std::printf("%7lld rows, %5d pages: PDF %.3f s = %4.0f pages/s (%.1f MB) | peak growth while "
                "writing %ld KB | quenvale --print-pdf %.3f s = %4.0f pages/s, peak %ld MB\n",
                (long long)rows, pages, pdfSeconds, pages / pdfSeconds,
                double(QFileInfo(pdf).size()) / 1e6, growth, programSeconds,
                pages / programSeconds, programPeak / 1024);
    std::fflush(stdout);
    if (!keep) {
        QFile::remove(fib);
        QFile::remove(pdf);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QList<qsizetype> sizes;
    bool keep = false;
    for (const QString &argument : app.arguments().mid(1)) {
        if (argument == QLatin1String("--keep"))
            keep = true;
        else if (argument.toLongLong() > 0)
            sizes.append(argument.toLongLong());
    }
    if (sizes.isEmpty())
        sizes = {10000, 100000};

    QTemporaryDir dir;
    dir.setAutoRemove(!keep);
    if (keep)
        std::printf("files kept in %s\n", qPrintable(dir.path()));
    for (qsizetype rows : sizes)
        benchSize(dir.path(), rows, keep);
    std::printf("(best of 3 runs each; peak growth: resident memory added while writing, "
                "with the rows already read)\n");
    return 0;
}
