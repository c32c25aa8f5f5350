// Opening big result files into a tab of the window, timed until the fiber
// box is filled (read, cut into rows, store and report filled, names sorted
// and listed). Runs offscreen.
//
//   build/bench/quenvale_bench_window [rows...]     (default 100000 1000000)

#include "data/ChannelTable.h"
#include "data/MeasurementRow.h"
#include "data/MeasurementStore.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Fiber names out of order (a fixed permutation), so the box really sorts.
QByteArray generate(qsizetype rows)
{
    QByteArray bytes = "Quenvale benchmark\nline 2\nline 3\nline 4\nFiber Ch Wave Power\n";
    bytes.reserve(bytes.size() + rows * ChannelTable::LineLength);
    const qsizetype fibers = ChannelTable::FiberCount(rows);
    char name[16], channel[8], wave[16];
    for (qsizetype i = 0; i < rows; ++i) {
        const int ch = int(i % 18) + 1;
        const long long fiber = (i / 18 * 7919) % (fibers + 1);
        std::snprintf(name, sizeof name, "F%07lld", fiber);
        std::snprintf(channel, sizeof channel, "%02d", ch);
        std::snprintf(wave, sizeof wave, "%d.0", 1271 + 20 * (ch - 1));
        const MeasurementRow row(name, channel, wave, i % 97 == 0 ? "-120.00" : "-12.34",
                                 "-30.00", "2018-05-17", "10:23:45");
        bytes += ChannelTable::FormatLine(row);
    }
    return bytes;
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

    for (qsizetype rows : sizes) {
        const QString path = dir.filePath(QStringLiteral("bench-%1.fib").arg(rows));
        {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(generate(rows)) < 0)
                return 1;
        }
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
        FiberComboBox *box = view.ComboFiber();
        std::printf("%8lld rows, %6d fibers: opened into a tab until the box is filled "
                    "%7.1f ms best, %7.1f ms worst of 3; repaint after it %6.1f ms; "
                    "store %lld rows, first entry \"%s\" (block %lld)\n",
                    (long long)rows, box->GetCount(), best, worst, worstPaint,
                    (long long)MeasurementStore::Instance().Rows().Count(),
                    box->GetLBBytes(0).constData(), (long long)box->GetItemBlock(0));
        QElapsedTimer fill;
        fill.start();
        box->ResetContent();
        view.FillFiberCombo();
        std::printf("%8s the fiber box alone (sort once, one model reset): %.1f ms\n", "",
                    fill.nsecsElapsed() / 1e6);
        std::fflush(stdout);
    }
    return 0;
}
