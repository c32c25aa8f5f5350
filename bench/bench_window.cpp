// Opening big result files into a tab of the window, timed until the fiber
// box is filled (read and cut on a thread of its own, store and report
// filled, names sorted and listed), the first open included; a click on the
// tab, which reads the file again; and the process's peak memory. Also the
// load and the judging of the fibers apart, and how long after the open the
// verdicts show when they are on, and the keystrokes of the fiber box's find
// field. Runs offscreen.
//
//   build/bench/quenvale_bench_window [rows...]     (default 100000 1000000)

#include "BenchSupport.h"

#include "data/LoadedFile.h"
#include "data/MeasurementStore.h"
#include "document/DocumentManager.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/TabFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

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

// Milliseconds that the parts of showing a file take, off the window's
// thread: loading it (read, cut, names decoded and sorted), which the box
// waits for; then judging every fiber for the verdicts, which runs while
// the window already shows the file; and judging it again with every
// channel's figures, as the summary window does. Medians of 9 runs.
void benchLoadAndJudge(const QString &path, qsizetype rows)
{
    QList<double> loads, verdicts, figures;
    for (int run = 0; run < 9; ++run) {
        LoadedFile file;
        loads.append(millisecondsOf([&] {
            if (!LoadedFile::Load(path, &file))
                qFatal("cannot load %s", qPrintable(path));
        }));
        LoadedFile::Verdicts judged;
        verdicts.append(millisecondsOf([&] { LoadedFile::Judge(file.rows, &judged); }));
        figures.append(millisecondsOf([&] { LoadedFile::Judge(file.rows, &judged, nullptr, JudgeInputs{1.0, {}}); }));
    }
    std::printf("%8lld rows: load %.1f ms, then verdicts %.1f ms (%.0f ns a row), "
                "figures for the summary %.1f ms; medians of 9 runs\n",
                (long long)rows, median(loads), median(verdicts), median(verdicts) * 1e6 / double(rows),
                median(figures));
    std::fflush(stdout);
}

// Milliseconds from `step` until the view shows the file it read.
double untilShown(CSDIQVLView &view, const std::function<void()> &step)
{
    QSignalSpy shown(&view.Manager(), &DocumentManager::readEnded);
    QElapsedTimer timer;
    timer.start();
    step();
    if (shown.isEmpty() && !shown.wait(60000))
        qFatal("the file was never shown");
    return double(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds each keystroke in the fiber box's find field takes until the
// list has painted what it found: a name typed out, then Esc, which shows
// every entry again.
void benchFind(CSDIQVLView &view, FiberComboBox &box)
{
    view.OnEditFind();
    QLineEdit *find = box.Find();
    const auto keystroke = [&box](const std::function<void()> &key) {
        return millisecondsOf([&] {
            key();
            QApplication::processEvents();
            box.List()->viewport()->repaint();
        });
    };
    QStringList times;
    double slowest = 0;
    for (const QChar c : QStringLiteral("f0031415")) {
        const double ms = keystroke([&] { QTest::keyClick(find, c.toLatin1()); });
        slowest = qMax(slowest, ms);
        times.append(QStringLiteral("%1 %2").arg(c).arg(ms, 0, 'f', 1));
    }
    const int found = box.List()->model()->rowCount();
    const double back = keystroke([&] { QTest::keyClick(find, Qt::Key_Backspace); });
    const double escape = keystroke([&] { QTest::keyClick(find, Qt::Key_Escape); });
    std::printf("%6d fibers, find field, ms per keystroke: %s (slowest %.1f; %d found), "
                "Backspace %.1f, Esc %.1f\n",
                box.GetCount(), qPrintable(times.join(QStringLiteral(", "))), slowest, found, back, escape);
    std::fflush(stdout);
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
        benchLoadAndJudge(path, rows);
        QList<double> opens, clicks;
        for (int run = 0; run < 3; ++run)
            opens.append(untilShown(view, [&] { view.OpenFiles({path}); }));
        const int tab = tabs->count() - 1;
        for (int run = 0; run < 3; ++run)
            clicks.append(untilShown(view, [&] {
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            }));
        QSignalSpy changed(&view.Document(), &ResultDocument::changed);
        view.SetVerdictsShown(true);
        QElapsedTimer sinceOpen;
        sinceOpen.start();
        const double shownAfter = untilShown(view, [&] { view.OpenFiles({path}); });
        while (view.Document().YieldText().isEmpty())
            if (!changed.wait(60000))
                qFatal("no verdicts came");
        const double verdictsAfter = double(sinceOpen.nsecsElapsed()) / 1e6;
        view.SetVerdictsShown(false);
        std::printf("%8lld rows, verdicts shown: the box filled after %.1f ms, the marks and "
                    "yield after %.1f ms\n", (long long)rows, shownAfter, verdictsAfter);
        std::printf("%8lld rows, %6d fibers: open until the box is filled: first %6.1f ms, "
                    "then %6.1f and %6.1f ms; a click on its tab: %6.1f, %6.1f, %6.1f ms; "
                    "store %lld rows, first entry \"%s\" | peak so far %ld MB\n",
                    (long long)rows, box->GetCount(), opens[0], opens[1], opens[2], clicks[0],
                    clicks[1], clicks[2], (long long)MeasurementStore::Instance().Rows().Count(),
                    box->GetLBBytes(0).constData(), BenchSupport::statusKilobytes("VmHWM:") / 1024);
        std::fflush(stdout);
        // The file changed on disk: read again while the version read
        // before stays shown.
        BenchSupport::resetPeak();
        const long before = BenchSupport::statusKilobytes("VmRSS:") / 1024;
        const double reread = untilShown(view, [&] {
            // A new version under the name, as a station writes one.
            const QString next = path + QStringLiteral(".next");
            if (!QFile::copy(path, next) || std::rename(QFile::encodeName(next).constData(),
                                                        QFile::encodeName(path).constData()) != 0)
                qFatal("cannot replace %s", qPrintable(path));
        });
        std::printf("%8lld rows, read again after a change on disk: %.1f ms from the rewrite, "
                    "%ld MB before, peak %ld MB\n",
                    (long long)rows, reread, before, BenchSupport::statusKilobytes("VmHWM:") / 1024);
        std::fflush(stdout);
        benchFind(view, *box);
    }
    return 0;
}
