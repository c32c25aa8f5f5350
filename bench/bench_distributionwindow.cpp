// The Distributions window on big files: from Ctrl+D until its histograms
// are painted, the window made anew (the first time) and shown again (the
// later times), with the verdicts already in; and a resize of the window
// until the chart is painted at the new size, alternating between two
// sizes; a channel's lower limit dragged (what if): each step until the
// chart is painted with the count it gives, and once let go, until the
// fibers judged by it are shown. Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
//
//   build/bench/quenvale_bench_distributionwindow [rows...]   (default 1000008)

#include "BenchSupport.h"

#include "document/DocumentManager.h"
#include "view/CSDIQVLView.h"
#include "view/DistributionDialog.h"
#include "view/DistributionView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

template <typename Step>
double millisecondsOf(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Ctrl+D's command, then the chart painted.
double showDistributions(CSDIQVLView &view)
{
    return millisecondsOf([&] {
        view.OnViewDistributions();
        DistributionView *chart = view.Windows().Distributions()->View();
        QApplication::processEvents();
        chart->repaint();
        if (!chart->HasChart())
            qFatal("the window shows no chart");
    });
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
        sizes = {1000008};

    QTemporaryDir dir;
    for (qsizetype rows : sizes) {
        const QString path = dir.filePath(QStringLiteral("bench-%1.fib").arg(rows));
        if (!BenchSupport::WriteResultFile(path, rows, true))
            return 1;
        CSDIQVLView view;
        view.OnInitialUpdate();
        view.show();
        QApplication::processEvents();
        QSignalSpy changed(&view.Document(), &ResultDocument::changed);
        view.OpenFiles({path});
        while (!view.Document().VerdictsKnown())
            if (!changed.wait(60000))
                qFatal("no verdicts came");

        QList<double> shows;
        for (int run = 0; run < 7; ++run) {
            shows.append(showDistributions(view));
            view.Windows().Distributions()->hide();
            QApplication::processEvents();
        }
        const double first = shows.takeFirst();

        DistributionDialog *window = view.Windows().Distributions();
        window->show();
        QApplication::processEvents();
        QList<double> resizes;
        // Each resize to a size not painted before, as a drag of the window's
        // edge gives.
        const QSize sizesOf[] = {QSize(1280, 720), QSize(1366, 700)};
        for (int run = 0; run < 21; ++run) {
            window->resize(sizesOf[run % 2] + QSize(7 * run, 3 * run));
            resizes.append(millisecondsOf([&] {
                QApplication::processEvents();
                window->View()->repaint();
            }));
        }
        DistributionView *chart = window->View();
        chart->SetCurrent(6);
        const double firstTry = millisecondsOf([&] {
            window->TryLower(-30);
            chart->repaint();
        });
        QList<double> drags;
        for (int step = 0; step < 41; ++step) {
            drags.append(millisecondsOf([&] {
                emit chart->limitDragged(6, -30 + 0.05 * step, false);
                chart->repaint();
            }));
        }
        const double judged = millisecondsOf([&] {
            emit chart->limitDragged(6, -28, true);
            const auto judgedBy = [&view] {
                const ChannelLimit *limit = view.Document().Judge().LimitsOf().OfNumber(7);
                return limit && limit->lower == -28.0;
            };
            while (!judgedBy())
                if (!changed.wait(60000))
                    qFatal("no verdicts came");
            QApplication::processEvents();
            chart->repaint();
        });
        std::printf("%8lld rows, %lld fibers: Ctrl+D until the histograms are painted: first %.1f ms, "
                    "again %.1f ms (median of %lld); a resize until painted %.1f ms (median of %lld, "
                    "slowest %.1f); what if: first %.1f ms, a drag step until painted %.2f ms (median of "
                    "%lld, slowest %.2f), let go until judged and painted %.1f ms\n",
                    (long long)rows, (long long)view.Document().FiberCount(), first, median(shows),
                    (long long)shows.size(), median(resizes), (long long)resizes.size(),
                    *std::max_element(resizes.begin(), resizes.end()), firstTry, median(drags),
                    (long long)drags.size(), *std::max_element(drags.begin(), drags.end()), judged);
        std::fflush(stdout);
    }
    return 0;
}
