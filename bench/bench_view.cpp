// The window's own paths, offscreen:
//  - choosing a fiber in the box until the view has repainted the list and
//    the chart (and a click on a channel until the marker is painted);
//  - Print Preview of a 10,000-row file (345 pages), from the command until
//    the preview window has laid out and painted its pages.
//
//   build/bench/quenvale_bench_view [choices] [preview rows]   (default 200 10000)

#include "BenchSupport.h"

#include "view/CSDIQVLView.h"
#include "view/FiberComboBox.h"
#include "view/PrintDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// Leaves the preview as soon as it has painted its pages once.
class TimedPreview : public PrintDialogs, public QObject
{
public:
    QElapsedTimer *clock = nullptr;
    double shownSeconds = -1;
    int pages = 0;

    void ExecPreview(QPrintPreviewDialog &dialog) override
    {
        m_dialog = &dialog;
        m_widget = dialog.findChild<QPrintPreviewWidget *>();
        const QList<QWidget *> views = m_widget->findChildren<QWidget *>();
        for (QWidget *child : views)
            child->installEventFilter(this);
        dialog.exec();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && shownSeconds < 0 && m_widget->pageCount() > 0) {
            // Stop the clock once this paint is over.
            QTimer::singleShot(0, m_dialog, [this] {
                if (shownSeconds >= 0)
                    return;
                shownSeconds = BenchSupport::Seconds(*clock);
                pages = m_widget->pageCount();
                m_dialog->close();
            });
        }
        return false;
    }

private:
    QPrintPreviewDialog *m_dialog = nullptr;
    QPrintPreviewWidget *m_widget = nullptr;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int choices = argc > 1 ? qMax(1, atoi(argv[1])) : 200;
    const qsizetype previewRows = argc > 2 ? QByteArray(argv[2]).toLongLong() : 10000;

    QTemporaryDir dir;
    CSDIQVLView view;
    view.SetScreenSize(QSize(1440, 900));
    view.OnInitialUpdate();
    view.show();
    QApplication::processEvents();

    // Fiber choice and channel click on a 48-fiber file.
    const QString fibers = dir.filePath(QStringLiteral("fibers.fib"));
    if (!BenchSupport::WriteResultFile(fibers, 48 * 18))
        return 1;
    view.OpenFiles({fibers});
    FiberComboBox *box = view.ComboFiber();
    QElapsedTimer timer;
    double worst = 0;
    timer.start();
    for (int i = 0; i < choices; ++i) {
        QElapsedTimer one;
        one.start();
        box->SetCurSel(i % box->GetCount());
        view.OnSelendokComboFiber(); // refills the list, repaints at once
        QApplication::processEvents(); // the list's own deferred layout and paint
        worst = qMax(worst, BenchSupport::Seconds(one));
    }
    const double choiceMs = BenchSupport::Seconds(timer) * 1000 / choices;
    std::printf("fiber choice + chart repaint: mean %.2f ms, worst %.2f ms over %d choices "
                "(target 20 ms)\n",
                choiceMs, worst * 1000, choices);

    timer.restart();
    for (int i = 0; i < choices; ++i) {
        view.ListChannels()->selectRow(i % 18);
        view.OnClickListChannels();
        QApplication::processEvents();
    }
    std::printf("channel click + chart and marker repaint: mean %.2f ms\n",
                BenchSupport::Seconds(timer) * 1000 / choices);

    // Print Preview of the big file.
    const QString big = dir.filePath(QStringLiteral("big.fib"));
    if (!BenchSupport::WriteResultFile(big, previewRows))
        return 1;
    view.OpenFiles({big});
    TimedPreview preview;
    view.SetPrintDialogs(&preview);
    timer.restart();
    preview.clock = &timer;
    view.OnFilePrintPreview();
    const double closed = BenchSupport::Seconds(timer);
    std::printf("print preview of %lld rows (%d pages): shown and painted in %.2f s, closed "
                "after %.2f s (target 3 s)\n",
                static_cast<long long>(previewRows), preview.pages, preview.shownSeconds, closed);
    return preview.shownSeconds >= 0 ? 0 : 1;
}
