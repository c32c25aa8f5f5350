// A station's folder as a lot in the window's tab: the first scan of 1,000
// files of 48 fibers (a new summary cache) and again from the cache, the
// memory of a lot tab of 10,000 such files, and the time the trend chart
// takes to draw them all, the control charts' rules over them, and a zoom
// and a pan of the trend until drawn.
//
//   build/bench/quenvale_bench_lottab [--runs N] [--files N]
//
// Files are generated under a temporary folder, the cache there too
// (XDG_CACHE_HOME), removed at the end. Runs on the offscreen platform
// unless told otherwise.

#include "BenchSupport.h"

#include "lot/LotDocument.h"
#include "view/LotView.h"
#include "view/TrendView.h"
#include "document/DocumentManager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kFibers = 48;

// File `index` of a day: 48 fibers a few seconds apart, channel 07
// drifting down over the day and failing now and then, every tenth file
// retesting the fibers of the file before it.
QByteArray lotFile(int index, int files)
{
    QByteArray bytes = BenchSupport::GeneratedHeader();
    const int owner = index % 10 == 9 ? index - 1 : index;
    char name[24], channel[8], wave[16], power[16], time[16];
    const double drift = 10.0 * index / std::max(files - 1, 1);
    for (int fiber = 0; fiber < kFibers; ++fiber) {
        std::snprintf(name, sizeof name, "L%05d%02d", owner, fiber);
        const int second = index * 5 + fiber / 10;
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600 % 24, second / 60 % 60, second % 60);
        for (int ch = 1; ch <= ChannelTable::FiberSize; ++ch) {
            std::snprintf(channel, sizeof channel, "%02d", ch);
            std::snprintf(wave, sizeof wave, "%d.0", 1271 + 20 * (ch - 1));
            double value = -12.0 - double((fiber * 7 + ch) % 40) / 10;
            if (ch == 7)
                value -= drift + double((fiber * 13 + index) % 9);
            std::snprintf(power, sizeof power, "%8.2f", value);
            bytes += ChannelTable::FormatLine(MeasurementRow(name, channel, wave, power, "  -30.00", "2018-05-17", time));
        }
    }
    return bytes;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

// The lot of `folder` in a tab's view until it is read: seconds.
double openLot(DocumentManager &manager, LotView &view, const QString &folder)
{
    QElapsedTimer timer;
    timer.start();
    LotDocument lot(folder);
    QSignalSpy ended(&lot, &LotDocument::scanEnded);
    view.SetLot(&lot);
    lot.Start();
    ended.wait(600000);
    QCoreApplication::processEvents();
    const double seconds = BenchSupport::Seconds(timer);
    view.SetLot(nullptr);
    Q_UNUSED(manager);
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int runs = std::max(1, int(arguments.value(arguments.indexOf(QStringLiteral("--runs")) + 1).toInt()));
    const int bigFiles = arguments.contains(QStringLiteral("--files"))
        ? arguments.value(arguments.indexOf(QStringLiteral("--files")) + 1).toInt()
        : 10000;

    DocumentManager manager;
    LotView view(manager);
    view.resize(980, 720);
    view.show();

    const QString thousand = dir.filePath(QStringLiteral("lot1000"));
    if (!BenchSupport::WriteLot(thousand, 1000, [](int i) { return lotFile(i, 1000); }))
        return 1;
    // The first scan and the scan from the cache, taken in turn.
    QList<double> first, cached;
    for (int run = 0; run < runs; ++run) {
        QDir(dir.filePath(QStringLiteral("cache"))).removeRecursively();
        first.append(openLot(manager, view, thousand));
        cached.append(openLot(manager, view, thousand));
    }
    std::printf("lot tab of 1000 files of %d fibers: first scan %.3f s, from the cache %.3f s (medians of %d)\n",
                kFibers, median(first), median(cached), runs);

    const QString big = dir.filePath(QStringLiteral("lotbig"));
    if (!BenchSupport::WriteLot(big, bigFiles, [bigFiles](int i) { return lotFile(i, bigFiles); }))
        return 1;
    openLot(manager, view, big); // fills the cache
    const long before = BenchSupport::statusKilobytes("RssAnon:");
    {
        LotDocument lot(big);
        QSignalSpy ended(&lot, &LotDocument::scanEnded);
        QElapsedTimer timer;
        timer.start();
        view.SetLot(&lot);
        lot.Start();
        ended.wait(600000);
        QCoreApplication::processEvents();
        const double open = BenchSupport::Seconds(timer);
        const long after = BenchSupport::statusKilobytes("RssAnon:");
        auto *trend = view.findChild<TrendView *>(QStringLiteral("lotTrend"));
        QList<double> draws;
        for (int i = 0; i < 30; ++i) {
            trend->SetSelected(i * 97 % bigFiles);
            timer.restart();
            trend->repaint();
            draws.append(BenchSupport::Seconds(timer) * 1000);
        }
        std::printf("lot tab of %d files from the cache: shown in %.3f s, %.1f MB held by the lot and its tab "
                    "(%.1f MB of heap in the whole process); the trend (%dx%d) drawn in %.1f ms (median of 30)\n",
                    lot.Model().FileCount(), open, double(after - before) / 1024, double(after) / 1024, trend->width(), trend->height(),
                    median(draws));
        // The control charts and their rules over every file and channel.
        QList<double> rules;
        for (int i = 0; i < 10; ++i) {
            timer.restart();
            const LotControl::Result control = LotControl::Of(lot.Model(), lot.Plan());
            rules.append(BenchSupport::Seconds(timer) * 1000);
            if (control.charts.isEmpty())
                return 1;
        }
        // A zoom, then pans, each until drawn.
        QList<double> zooms, pans;
        const QPointF centre = trend->Plot().center();
        for (int i = 0; i < 30; ++i) {
            const bool zoom = i % 2 == 0;
            QWheelEvent wheel(centre, trend->mapToGlobal(centre), {}, QPoint(0, zoom ? 120 : -120), Qt::NoButton,
                              zoom ? Qt::NoModifier : Qt::ShiftModifier, Qt::NoScrollPhase, false);
            timer.restart();
            QApplication::sendEvent(trend, &wheel);
            trend->repaint();
            (zoom ? zooms : pans).append(BenchSupport::Seconds(timer) * 1000);
        }
        std::printf("control charts and rules over %d files and their channels: %.1f ms (median of 10); "
                    "a zoom drawn in %.1f ms, a pan in %.1f ms (medians of 15)\n",
                    lot.Model().FileCount(), median(rules), median(zooms), median(pans));
        // Watching the folder while nothing changes: the process's time.
        const auto cpu = [] {
            struct rusage usage = {};
            ::getrusage(RUSAGE_SELF, &usage);
            return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        };
        const double cpuBefore = cpu();
        timer.restart();
        QTest::qWait(10000);
        std::printf("watching %d unchanged files: %.1f %% of a core\n", lot.Model().FileCount(),
                    100.0 * (cpu() - cpuBefore) / BenchSupport::Seconds(timer));
        view.SetLot(nullptr);
    }
    return 0;
}
