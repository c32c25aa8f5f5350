// A lot's tab while a station writes 100 files a second into its folder:
// how long a key press waits for the window's thread (from the moment it
// is posted to the moment the table gets it), the process's share of a
// core, and how often the table changed.
//
//   build/bench/quenvale_bench_lotburst [--files N] [--seconds S] [--rate R]
//
// The lot starts with N files (1,000) of 48 fibers, then R files a second
// (100) come for S seconds (10) while a key goes to the table every 20 ms.
// Files and the cache are under a temporary folder, removed at the end.
// Runs on the offscreen platform unless told otherwise.

#include "BenchSupport.h"

#include "document/DocumentManager.h"
#include "lot/LotDocument.h"
#include "view/LotView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

namespace {

constexpr int kFibers = 48;

QByteArray lotFile(int index)
{
    QByteArray bytes = BenchSupport::GeneratedHeader();
    char name[24], channel[8], wave[16], power[16], time[16];
    for (int fiber = 0; fiber < kFibers; ++fiber) {
        std::snprintf(name, sizeof name, "L%05d%02d", index, fiber);
        const int second = index * 5 + fiber / 10;
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600 % 24, second / 60 % 60, second % 60);
        for (int ch = 1; ch <= ChannelTable::FiberSize; ++ch) {
            std::snprintf(channel, sizeof channel, "%02d", ch);
            std::snprintf(wave, sizeof wave, "%d.0", 1271 + 20 * (ch - 1));
            std::snprintf(power, sizeof power, "%8.2f", -12.0 - double((fiber * 7 + ch + index) % 40) / 10);
            bytes += ChannelTable::FormatLine(MeasurementRow(name, channel, wave, power, "  -30.00", "2018-05-17", time));
        }
    }
    return bytes;
}

double cpuSeconds(int who = RUSAGE_SELF)
{
    struct rusage usage = {};
    ::getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The time each key press waited, from its posting to its arrival.
class KeyWatch : public QObject
{
public:
    QElapsedTimer clock;
    QList<qint64> posted; // ns, in posting order
    QList<double> waits;  // ms

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && waits.size() < posted.size())
            waits.append(double(clock.nsecsElapsed() - posted.at(waits.size())) / 1e6);
        return QObject::eventFilter(watched, event);
    }
};

double percentile(QList<double> values, double p)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min<qsizetype>(values.size() - 1, qsizetype(p * double(values.size()))));
}

int argument(const QStringList &arguments, const QString &name, int fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 ? arguments.value(at + 1).toInt() : fallback;
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
    const int initial = argument(arguments, QStringLiteral("--files"), 1000);
    const int seconds = argument(arguments, QStringLiteral("--seconds"), 10);
    const int rate = std::max(1, argument(arguments, QStringLiteral("--rate"), 100));

    const QString folder = dir.filePath(QStringLiteral("lot"));
    if (!BenchSupport::WriteLot(folder, initial, lotFile))
        return 1;
    DocumentManager manager;
    LotView view(manager);
    view.resize(980, 720);
    view.show();
    LotDocument lot(folder);
    QSignalSpy ended(&lot, &LotDocument::scanEnded);
    view.SetLot(&lot);
    lot.Start();
    if (!ended.wait(600000))
        return 1;
    QCoreApplication::processEvents();

    auto *table = view.findChild<QTableView *>(QStringLiteral("lotTable"));
    table->setFocus();
    table->selectRow(0);
    KeyWatch keys;
    table->installEventFilter(&keys);
    QSignalSpy inserted(&lot.Model(), &QAbstractItemModel::rowsInserted);

    const int burst = seconds * rate;
    std::atomic<bool> done{false};
    double stationCpu = 0; // the writer's own, not the lot's
    const double cpuBefore = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    keys.clock.start();
    std::thread station([&] {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < burst; ++i) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(qint64(i) * 1000000 / rate));
            const QByteArray bytes = lotFile(initial + i);
            QFile file(QStringLiteral("%1/s%2.fib").arg(folder).arg(initial + i, 5, 10, QLatin1Char('0')));
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
        }
        stationCpu = cpuSeconds(RUSAGE_THREAD);
        done = true;
    });
    QTimer press;
    press.setInterval(20);
    QObject::connect(&press, &QTimer::timeout, [&] {
        keys.posted.append(keys.clock.nsecsElapsed());
        QCoreApplication::postEvent(table, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
        QCoreApplication::postEvent(table, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier));
    });
    press.start();
    while (!done || lot.Model().FileCount() < initial + burst) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (wall.elapsed() > 1000LL * seconds * 6)
            break; // never caught up
    }
    press.stop();
    const double elapsed = BenchSupport::Seconds(wall);
    const double cpu = cpuSeconds() - cpuBefore;
    QCoreApplication::processEvents();
    station.join();
    std::printf("lot of %d files, %d more at %d a second: all %d listed after %.2f s; key presses waited "
                "%.1f ms median, %.1f ms at the 99th percentile, %.1f ms at most (%lld presses); the table "
                "took %lld batches; the process used %.0f %% of a core besides the writer's own %.0f %%\n",
                initial, burst, rate, int(lot.Model().FileCount()), elapsed, percentile(keys.waits, 0.5),
                percentile(keys.waits, 0.99), percentile(keys.waits, 1.0), qlonglong(keys.waits.size()),
                qlonglong(inserted.size()), 100.0 * (cpu - stationCpu) / elapsed, 100.0 * stationCpu / elapsed);
    // What one batch costs the window's thread at the end, its merge and
    // figures made beforehand as a look makes them on its own thread: a
    // file come anew, and the table, the channels and the trend.
    QList<double> batches;
    for (int i = 0; i < 20; ++i) {
        LotFile again = lot.Model().FileAt(i);
        again.summary = std::make_shared<const FileSummary>(*again.summary);
        LotModel::Batch batch = LotModel::Merged(lot.Model().Files(), {again}, {});
        QElapsedTimer timer;
        timer.start();
        lot.Model().Update(std::move(batch));
        QCoreApplication::processEvents();
        batches.append(BenchSupport::Seconds(timer) * 1000);
    }
    std::printf("one batch on the window's thread with %d files: %.1f ms (median of 20)\n",
                int(lot.Model().FileCount()), percentile(batches, 0.5));
    view.SetLot(nullptr);
    return 0;
}
