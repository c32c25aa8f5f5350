// Opening big result files into a tab of the window, timed until the fiber
// box is filled (read, cut into rows, store and report filled, names sorted
// and listed). Runs offscreen.
//
//   build/bench/quenvale_bench_window [rows...]     (default 100000 1000000)

#include "BenchSupport.h"

#include "data/ChannelTable.h"
#include "data/MeasurementRow.h"
#include "data/MeasurementStore.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>

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

    for (qsizetype rows : sizes) {
        const QString path = dir.filePath(QStringLiteral("bench-%1.fib").arg(rows));
        if (!BenchSupport::WriteResultFile(path, rows, true))
            return 1;
        double best = 1e9, worst = 0, worstPaint = 0;
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer timer;
            timer.start();
            view.OpenFiles({path});
            const double opened = timer.nsecsElapsed() / 1e6;
            QApplication::processEvents(); // the box and the view repaint
            worstPaint = qMax(worstPaint, timer.nsecsElapsed() / 1e6 - opened);
            best = qMin(best, opened);
            worst = qMax(worst, opened);
        }
        auto *box = view.findChild<FiberComboBox *>(QStringLiteral("comboFiber"));
        std::printf("%8lld rows, %6d fibers: opened into a tab until the box is filled "
                    "%7.1f ms best, %7.1f ms worst of 3; repaint after it %6.1f ms; "
                    "store %lld rows, first entry \"%s\" (block %lld)\n",
                    (long long)rows, box->GetCount(), best, worst, worstPaint,
                    (long long)MeasurementStore::Instance().Rows().Count(),
                    box->GetLBBytes(0).constData(), (long long)box->GetItemBlock(0));
        QElapsedTimer fill;
        fill.start();
        box->ResetContent();
        box->AddSorted(ChannelTable::FiberNames(MeasurementStore::Instance().Rows()));
        std::printf("%8s the fiber box alone (sort once, one model reset): %.1f ms\n", "",
                    fill.nsecsElapsed() / 1e6);
        std::fflush(stdout);
    }
    return 0;
}
