// Opening big result files into a tab of the window, timed until the fiber
// box is filled (read and cut on a thread of its own, store and report
// filled, names sorted and listed), the first open included; a click on the
// tab, which reads the file again; and the process's peak memory. Runs
// offscreen.
//
//   build/bench/quenvale_bench_window [rows...]     (default 100000 1000000)

#include "BenchSupport.h"

#include "data/MeasurementStore.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/TabFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

// Milliseconds from `step` until the view shows the file it read.
double untilShown(CSDIQVLView &view, const std::function<void()> &step)
{
    QSignalSpy shown(&view, &CSDIQVLView::fileShown);
    QElapsedTimer timer;
    timer.start();
    step();
    if (shown.isEmpty() && !shown.wait(60000))
        qFatal("the file was never shown");
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<qsizetype> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.append(QByteArray(argv[i]).toLongLong());
    if (sizes.isEmpty())
        sizes = {100000, 1000000};

    QTemporaryDir dir;
    CSDIQVLView view;
    view.OnInitialUpdate();
    view.show();
    QApplication::processEvents();
    auto *box = view.findChild<FiberComboBox *>(QStringLiteral("comboFiber"));
    auto *tabs = view.findChild<TabFiles *>(QStringLiteral("tabFiles"));

    for (qsizetype rows : sizes) {
        const QString path = dir.filePath(QStringLiteral("bench-%1.fib").arg(rows));
        if (!BenchSupport::WriteResultFile(path, rows, true))
            return 1;
        QList<double> opens, clicks;
        for (int run = 0; run < 3; ++run)
            opens.append(untilShown(view, [&] { view.OpenFiles({path}); }));
        const int tab = tabs->count() - 1;
        for (int run = 0; run < 3; ++run)
            clicks.append(untilShown(view, [&] {
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            }));
        std::printf("%8lld rows, %6d fibers: open until the box is filled: first %6.1f ms, "
                    "then %6.1f and %6.1f ms; a click on its tab: %6.1f, %6.1f, %6.1f ms; "
                    "store %lld rows, first entry \"%s\" | peak so far %ld MB\n",
                    (long long)rows, box->GetCount(), opens[0], opens[1], opens[2], clicks[0],
                    clicks[1], clicks[2], (long long)MeasurementStore::Instance().Rows().Count(),
                    box->GetLBBytes(0).constData(), BenchSupport::statusKilobytes("VmHWM:") / 1024);
        std::fflush(stdout);
    }
    return 0;
}
