#include "view/PrintJob.h"

#include "data/Texts.h"
#include "output/ReportPrinter.h"
#include "output/StagedFile.h"
#include "output/StringTable.h"
#include "view/PrinterSpool.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QProgressDialog>

#include <optional>

namespace {

// Shown only when the job looks like lasting longer than this.
constexpr int kProgressAfterMs = 500;

} // namespace

PrintJob::PrintJob(const PrintReport &report, QPrinter &printer, QWidget *parent)
    : m_report(report.Clone()), m_printer(printer), m_parent(parent)
{
}

QString PrintJob::ProgressText(int page, int total)
{
    return Texts::tr("Printing page %1 of %2").arg(page).arg(total);
}

PrintJob::Result PrintJob::fail(const QString &reason)
{
    m_error = reason;
    return Failed;
}

PrintJob::Result PrintJob::Run(int fromPage, int toPage)
{
    m_cancelled = false;
    m_error.clear();
    m_notice.clear();
    // The printer's engines write straight into the file they are given, or
    // hand a job to the printer as they end it, cancelled or not.
    const QString target = m_printer.outputFileName();
    std::optional<StagedFile> staged;
    std::optional<PrinterSpool> spool;
    if (!target.isEmpty()) {
        staged.emplace(target);
        if (!staged->Open())
            return fail(staged->ErrorString());
        m_printer.setOutputFileName(staged->TemporaryPath());
    } else if (m_printer.outputFormat() == QPrinter::NativeFormat) {
        spool.emplace(m_printer);
        if (!spool->Open())
            return fail(spool->ErrorString());
    }

    const bool drawn = draw(fromPage, toPage);
    if (staged)
        m_printer.setOutputFileName(target);
    if (m_cancelled)
        return Cancelled; // what was begun goes with `staged` and `spool`
    if (!drawn)
        return fail(Texts::tr("the pages could not be drawn"));
    if (staged && !staged->Commit())
        return fail(staged->ErrorString());
    if (staged)
        m_notice = staged->Notice();
    if (spool && !spool->Submit())
        return fail(spool->ErrorString());
    return Printed;
}

bool PrintJob::draw(int fromPage, int toPage)
{
    QProgressDialog progress(m_parent);
    progress.setWindowTitle(StringTable::LoadString(StringTable::AFX_IDS_APP_TITLE));
    // Once shown it takes all input: the rows must not change under the job.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(kProgressAfterMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    return ReportPrinter::Print(*m_report, m_printer, fromPage, toPage,
                                [&](const ReportPrinter::JobPage &at) {
                                    return beforePage(progress, at);
                                });
}

bool PrintJob::beforePage(QProgressDialog &progress, const ReportPrinter::JobPage &at)
{
    if (at.page == at.first) {
        progress.setRange(at.first - 1, at.last);
        progress.setValue(at.first - 1); // starts the dialog's clock
    }
    progress.setLabelText(ProgressText(at.page, at.total));
    progress.setValue(at.page - 1);
    // The windows repaint while the job runs; until the dialog shows, what
    // the user types or clicks waits for the end of the job.
    if (!progress.isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!progress.wasCanceled())
        return true;
    m_cancelled = true;
    m_printer.abort(); // where the printer can take a job back
    return false;
}
