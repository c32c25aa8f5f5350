#pragma once

#include "output/PrintReport.h"

#include <QString>

#include <memory>

class QPrinter;
class QProgressDialog;
class QWidget;

namespace ReportPrinter {
struct JobPage;
}

// One print job of the report on a printer set up by the print dialog. A
// job that lasts shows "Printing page n of T" with Cancel, and the windows
// keep repainting meanwhile. Nothing is left half-made: a file chosen in
// the dialog is written beside its target and takes its name only when
// every page is in it; a job for a printer reaches the printer only whole.
class PrintJob
{
public:
    enum Result { Printed, Failed, Cancelled };

    // The progress dialog stands over `parent`.
    PrintJob(const PrintReport &report, QPrinter &printer, QWidget *parent);

    // Pages from..to, as ReportPrinter::Print takes them.
    Result Run(int fromPage = 0, int toPage = 0);
    // Why the job failed, when it did.
    QString ErrorString() const { return m_error; }
    // What the user should know of a file printed all the same (see
    // StagedFile::Notice).
    QString Notice() const { return m_notice; }

    static QString ProgressText(int page, int total);

private:
    bool draw(int fromPage, int toPage);
    bool beforePage(QProgressDialog &progress, const ReportPrinter::JobPage &at);
    Result fail(const QString &reason);

    // Its own copy (sharing the rows): a file opened meanwhile cannot pull
    // the rows from under the pages still to come.
    const std::unique_ptr<const PrintReport> m_report;
    QPrinter &m_printer;
    QWidget *m_parent;
    bool m_cancelled = false;
    QString m_error;
    QString m_notice;
};
