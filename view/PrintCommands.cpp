#include "view/PrintCommands.h"

#include "data/MemoryAdvice.h"
#include "document/ResultDocument.h"
#include "output/OutputTarget.h"
#include "output/PrintReport.h"
#include "output/ReportVerdicts.h"
#include "output/StringTable.h"
#include "view/CPreviewView.h"
#include "view/FileDialogs.h"
#include "view/PrintDialogs.h"
#include "view/PrintJob.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>

#include <memory>

PrintCommands::PrintCommands(ResultDocument &document, PrintReport &report, const bool &verdictsShown,
                             QWidget *parent)
    : m_document(document), m_report(report), m_verdictsShown(verdictsShown), m_parent(parent)
{
}

void PrintCommands::setReportVerdicts()
{
    if (!m_verdictsShown || !m_document.VerdictsKnown()) {
        m_report.SetVerdicts(nullptr);
        return;
    }
    const QString name = reportName();
    // The verdicts the window shows, with its band: the report says what
    // the window says.
    const LoadedFile::Verdicts &verdicts = m_document.AllVerdicts();
    m_report.SetVerdicts(std::make_shared<const ReportVerdicts>(ReportVerdicts::FromVerdicts(
        verdicts.byBlock, verdicts.judge, name, m_document.Header(), QDateTime::currentDateTime())));
}

QString PrintCommands::reportName() const
{
    return m_document.Path().isEmpty() ? m_document.Name() : QFileInfo(m_document.Path()).fileName();
}

void PrintCommands::OnFilePrint(PrintDialogs &printDialogs, FileDialogs &dialogs)
{
    m_document.HoldVersions();
    setReportVerdicts();
    const auto release = qScopeGuard([this] {
        m_report.SetVerdicts(nullptr);
        m_document.ReleaseVersions();
    });
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in the print queue, and the title of a PDF: the file's
    // name, which a search of the PDF finds.
    printer.setDocName(m_document.HasFile() ? reportName() : StringTable::DocumentTitle());
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // The report's page total is known before the dialog opens.
    dialog.setMinMax(1, m_report.PageCount());
    // The dialog's own field for a PDF's name: the printer chosen stays the
    // user's.
    auto *pdfName = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    if (pdfName && !m_document.Path().isEmpty())
        pdfName->setText(QFileInfo(m_document.Path())
                             .absoluteDir()
                             .filePath(OutputTarget::ResultName(m_document.Path(), QStringLiteral(".pdf"))));
    if (!printDialogs.ExecPrintDialog(dialog))
        return;
    int from = 0;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    PrintJob job(m_report, printer, m_parent->window());
    const PrintJob::Result result = job.Run(from, to);
    OnEndPrinting();
    // A cancelled job is no failure: the user stopped it.
    if (result == PrintJob::Failed)
        dialogs.ShowMessage(m_parent, QCoreApplication::translate("CSDIQVLView", "The report could not be printed on \"%1\": %2")
                                          .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                                  : printer.outputFileName(),
                                               job.ErrorString()));
    else if (!job.Notice().isEmpty())
        dialogs.ShowMessage(m_parent, job.Notice());
}

void PrintCommands::OnFilePrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, int &pages)
{
    m_document.HoldVersions();
    setReportVerdicts();
    const auto release = qScopeGuard([this] {
        m_report.SetVerdicts(nullptr);
        m_document.ReleaseVersions();
    });
    const QPrinter printer(QPrinter::HighResolution);
    bool print = false;
    {
        CPreviewView preview(m_report, printer, pages, m_parent->window());
        // The preview takes the place of the main window, as big as it is.
        preview.resize(m_parent->window()->size());
        printDialogs.ExecPreview(preview);
        pages = preview.Pages();
        print = preview.PrintChosen();
    } // the pages on screen go with the preview
    ReleaseFreedMemory();
    OnEndPrinting();
    if (print)
        OnFilePrint(printDialogs, dialogs);
}

void PrintCommands::OnEndPrinting()
{
    if (QWidget *main = m_parent->window())
        main->repaint();
}
