// The window's own paths, offscreen:
//  - choosing a fiber in the box until the view has repainted the list and
//    the chart (and a click on a channel until the marker is painted);
//  - Print Preview of a big file (default 1,000,000 rows): from the command
//    until the first page is on screen, then the End key until the last
//    page is, and the memory the preview adds and gives back;
//  - Print of that file into a PDF file from the print dialog, in pages per
//    second, with the progress dialog showing.
//
//   build/bench/quenvale_bench_view [choices] [rows] [--grab DIR]
//       (default 200 1000000; --grab saves the preview's one- and two-page
//       views as PNG files in DIR)

#include "BenchSupport.h"

#include "app/CMainFrame.h"
#include "view/CPreviewView.h"
#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/PreviewPageArea.h"
#include "view/PrintDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListView>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

using BenchSupport::Seconds;
using BenchSupport::statusKilobytes;

// Runs the events until `done` holds.
template <typename Predicate>
void waitFor(Predicate done)
{
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Answers the preview and the print dialog, with the clocks running.
class TimedDialogs : public PrintDialogs
{
public:
    QElapsedTimer *clock = nullptr;
    QString grabFolder;
    QString pdfPath;
    double firstSeconds = -1;
    double lastSeconds = -1;
    long openKilobytes = 0; // resident size with the last page on screen
    int pages = 0;

    void ExecPreview(CPreviewView &preview) override
    {
        int drawn = 0;
        QObject::connect(preview.findChild<PreviewPageArea *>(QStringLiteral("pageArea")),
                         &PreviewPageArea::pageDrawn, [&drawn](int page) { drawn = page; });
        preview.show();
        waitFor([&] { return drawn == 1; });
        QApplication::processEvents(); // the paint that drew it is over
        firstSeconds = Seconds(*clock);
        grab(preview, "one-page");

        QElapsedTimer last;
        last.start();
        // One page on screen: the page bar runs through them all.
        pages = preview.findChild<QScrollBar *>(QStringLiteral("pageBar"))->maximum();
        QTest::keyClick(&preview, Qt::Key_End);
        waitFor([&] { return drawn == pages; });
        QApplication::processEvents();
        lastSeconds = Seconds(last);
        openKilobytes = statusKilobytes("VmRSS:");

        QPushButton *numPage = preview.findChild<QPushButton *>(QStringLiteral("numPage"));
        numPage->click();
        waitFor([&] { return drawn == pages; });
        QApplication::processEvents();
        grab(preview, "two-page");
        numPage->click(); // the setting stays as it was
        preview.close();
    }

    bool ExecPrintDialog(QPrintDialog &dialog) override
    {
        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
        dialog.printer()->setOutputFileName(pdfPath);
        return true;
    }

private:
    void grab(CPreviewView &preview, const char *name) const
    {
        if (!grabFolder.isEmpty())
            preview.grab().save(grabFolder + QStringLiteral("/preview-%1-%2.png")
                                                 .arg(QString::fromLatin1(name))
                                                 .arg(pages));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList numbers;
    QString grabFolder;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--grab") && i + 1 < arguments.size())
            grabFolder = arguments.at(++i);
        else
            numbers.append(arguments.at(i));
    }
    const int choices = numbers.size() > 0 ? qMax(1, numbers.at(0).toInt()) : 200;
    const qsizetype previewRows = numbers.size() > 1 ? numbers.at(1).toLongLong() : 1000000;

    QTemporaryDir dir;
    CMainFrame frame;
    auto *viewOwned = new CSDIQVLView;
    frame.SetView(viewOwned);
    CSDIQVLView &view = *viewOwned;
    view.SetScreenSize(QSize(1440, 900));
    view.OnInitialUpdate();
    frame.show();
    QApplication::processEvents();

    // Fiber choice and channel click on a 48-fiber file.
    const QString fibers = dir.filePath(QStringLiteral("fibers.fib"));
    if (!BenchSupport::WriteResultFile(fibers, 48 * 18))
        return 1;
    view.OpenFiles({fibers});
    QListView *fiberList = view.findChild<FiberComboBox *>(QStringLiteral("comboFiber"))->List();
    QElapsedTimer timer;
    double worst = 0;
    timer.start();
    for (int i = 0; i < choices; ++i) {
        QElapsedTimer one;
        one.start();
        // A click on the entry refills the list and repaints the view at once.
        const QModelIndex entry = fiberList->model()->index(i % fiberList->model()->rowCount(), 0);
        fiberList->scrollTo(entry);
        QTest::mouseClick(fiberList->viewport(), Qt::LeftButton, {},
                          fiberList->visualRect(entry).center());
        QApplication::processEvents(); // the list's own deferred layout and paint
        worst = qMax(worst, Seconds(one));
    }
    const double choiceMs = Seconds(timer) * 1000 / choices;
    std::printf("fiber choice + chart repaint: mean %.2f ms, worst %.2f ms over %d choices "
                "(target 20 ms)\n",
                choiceMs, worst * 1000, choices);

    auto *channels = view.findChild<QTableWidget *>(QStringLiteral("listChannels"));
    timer.restart();
    for (int i = 0; i < choices; ++i) {
        const QTableWidgetItem *row = channels->item(i % 18, 0);
        channels->scrollToItem(row);
        QTest::mouseClick(channels->viewport(), Qt::LeftButton, {},
                          channels->visualItemRect(row).center());
        QApplication::processEvents();
    }
    std::printf("channel click + chart and marker repaint: mean %.2f ms\n",
                Seconds(timer) * 1000 / choices);

    // Print Preview of the big file, then Print into a PDF file.
    const QString big = dir.filePath(QStringLiteral("big.fib"));
    if (!BenchSupport::WriteResultFile(big, previewRows))
        return 1;
    view.OpenFiles({big});
    QApplication::processEvents();
    TimedDialogs dialogs;
    dialogs.grabFolder = grabFolder;
    dialogs.pdfPath = dir.filePath(QStringLiteral("big.pdf"));
    view.SetPrintDialogs(&dialogs);

    // Twice: the first run also loads what any first print job loads (the
    // printer plugin, fonts at new sizes); the second shows what the
    // preview itself keeps.
    long before[2], peak[2], after[2];
    double firstSeconds = 0, lastSeconds = 0, closed = 0;
    long openKilobytes = 0;
    dialogs.clock = &timer;
    for (int run = 0; run < 2; ++run) {
        before[run] = statusKilobytes("VmRSS:");
        BenchSupport::resetPeak();
        timer.restart();
        view.OnFilePrintPreview();
        if (run == 0) {
            closed = Seconds(timer);
            firstSeconds = dialogs.firstSeconds;
            lastSeconds = dialogs.lastSeconds;
            openKilobytes = dialogs.openKilobytes - before[0];
        }
        QApplication::processEvents();
        peak[run] = statusKilobytes("VmHWM:") - before[run];
        after[run] = statusKilobytes("VmRSS:") - before[run];
    }
    std::printf("print preview of %lld rows (%d pages): first page on screen %.3f s after the "
                "command (target 1 s), End to the last page %.3f s (target 0.2 s), closed after "
                "%.2f s\n",
                static_cast<long long>(previewRows), dialogs.pages, firstSeconds, lastSeconds,
                closed);
    std::printf("  memory added by the preview (target 50 MB, given back): %ld KB with the last "
                "page on screen, peak %ld KB, %ld KB left after it closed; again: peak %ld KB, "
                "%ld KB left\n",
                openKilobytes, peak[0], after[0], peak[1], after[1]);

    // Print: the progress dialog is looked for every 50 ms while the job runs.
    bool progressShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog *>(widget) && widget->isVisible())
                progressShown = true;
    });
    watch.start(50);
    timer.restart();
    view.OnFilePrint();
    const double printed = Seconds(timer);
    watch.stop();
    std::printf("print to PDF of %d pages: %.2f s = %.0f pages/s (target 300), progress dialog "
                "%s (%.1f MB)\n",
                dialogs.pages, printed, dialogs.pages / printed,
                progressShown ? "shown" : "NOT shown",
                double(QFileInfo(dialogs.pdfPath).size()) / 1e6);
    return firstSeconds >= 0 && progressShown ? 0 : 1;
}
