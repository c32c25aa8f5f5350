#include "view/PrintCommands.h"

#include "data/MemoryAdvice.h"
#include "document/ResultDocument.h"
#include "lot/CompareReader.h"
#include "lot/LotDocument.h"
#include "lot/LotReport.h"
#include "lot/SummaryCache.h"
#include "output/OutputTarget.h"
#include "output/PrintReport.h"
#include "output/ReportVerdicts.h"
#include "output/StringTable.h"
#include "view/CPreviewView.h"
#include "view/FileDialogs.h"
#include "view/PrintDialogs.h"
#include "view/PrintJob.h"
#include "view/WindowWork.h"

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

void PrintCommands::OnFilePrint(PrintDialogs &printDialogs, FileDialogs &dialogs, const LotDocument *lot)
{
    if (lot) {
        OnLotPrint(printDialogs, dialogs, lot);
        return;
    }
    m_document.HoldVersions();
    setReportVerdicts();
    const auto release = qScopeGuard([this] {
        m_report.SetVerdicts(nullptr);
        m_document.ReleaseVersions();
    });
    const QString pdf = m_document.Path().isEmpty()
        ? QString()
        : QFileInfo(m_document.Path()).absoluteDir().filePath(
              OutputTarget::ResultName(m_document.Path(), QStringLiteral(".pdf")));
    print(m_report, m_document.HasFile() ? reportName() : StringTable::DocumentTitle(), pdf, printDialogs, dialogs);
}

void PrintCommands::print(const PrintReport &report, const QString &name, const QString &pdf,
                          PrintDialogs &printDialogs, FileDialogs &dialogs)
{
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in the print queue, and the title of a PDF: the file's
    // name, which a search of the PDF finds.
    printer.setDocName(name);
    QPrintDialog dialog(&printer, m_parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // The report's page total is known before the dialog opens.
    dialog.setMinMax(1, report.PageCount());
    // The dialog's own field for a PDF's name: the printer chosen stays the
    // user's.
    auto *pdfName = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    if (pdfName && !pdf.isEmpty())
        pdfName->setText(pdf);
    if (!printDialogs.ExecPrintDialog(dialog))
        return;
    int from = 0;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    PrintJob job(report, printer, m_parent->window());
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

void PrintCommands::OnFilePrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, int &pages,
                                       const LotDocument *lot)
{
    if (lot) {
        OnLotPrintPreview(printDialogs, dialogs, lot, pages);
        return;
    }
    m_document.HoldVersions();
    setReportVerdicts();
    const auto release = qScopeGuard([this] {
        m_report.SetVerdicts(nullptr);
        m_document.ReleaseVersions();
    });
    if (preview(m_report, printDialogs, pages))
        OnFilePrint(printDialogs, dialogs);
}

bool PrintCommands::preview(const PrintReport &report, PrintDialogs &printDialogs, int &pages)
{
    const QPrinter printer(QPrinter::HighResolution);
    bool print = false;
    {
        CPreviewView preview(report, printer, pages, m_parent->window());
        // The preview takes the place of the main window, as big as it is.
        preview.resize(m_parent->window()->size());
        printDialogs.ExecPreview(preview);
        pages = preview.Pages();
        print = preview.PrintChosen();
    } // the pages on screen go with the preview
    ReleaseFreedMemory();
    OnEndPrinting();
    return print;
}

std::unique_ptr<LotReport> PrintCommands::lotReport(FileDialogs &dialogs, const LotDocument *lot)
{
    if (!lot || lot->FromDatabase()) {
        dialogs.ShowMessage(m_parent, QCoreApplication::translate(
                                          "PrintCommands", "A lot of the database has no folder to read its rows "
                                                           "from: there is no report to print."));
        return nullptr;
    }
    const QString folder = lot->Folder();
    const JudgeInputs inputs = lot->Inputs();
    const ControlPlan plan = lot->Plan();
    std::unique_ptr<LotReport> report;
    QString error;
    bool stopped = false;
    const bool read = WindowWork::Wait(
        m_parent, QCoreApplication::translate("PrintCommands", "Reading the lot %1...").arg(QFileInfo(folder).fileName()),
        [&](const std::atomic<bool> &stop) {
            SummaryCache cache;
            CompareReader::Side side;
            if (!CompareReader::Read(folder, inputs, cache.Open() ? &cache : nullptr, LotScan::InTurn, &stop, &side,
                                     &error))
                return false;
            LotModel model;
            model.Reset(side.files);
            report = std::make_unique<LotReport>(QFileInfo(QDir::cleanPath(folder)).fileName(), side.files,
                                                 side.side, LotControl::Of(model, plan));
            return true;
        },
        &stopped);
    if (!read && !stopped)
        dialogs.ShowMessage(m_parent, error);
    return read ? std::move(report) : nullptr;
}

void PrintCommands::OnLotPrint(PrintDialogs &printDialogs, FileDialogs &dialogs, const LotDocument *lot)
{
    if (const std::unique_ptr<LotReport> report = lotReport(dialogs, lot))
        print(*report, report->Name(), QDir(lot->Folder()).filePath(report->Name() + QStringLiteral(".pdf")),
              printDialogs, dialogs);
}

void PrintCommands::OnLotPrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, const LotDocument *lot,
                                      int &pages)
{
    const std::unique_ptr<LotReport> report = lotReport(dialogs, lot);
    if (report && preview(*report, printDialogs, pages))
        print(*report, report->Name(), QDir(lot->Folder()).filePath(report->Name() + QStringLiteral(".pdf")),
              printDialogs, dialogs);
}

void PrintCommands::OnEndPrinting()
{
    if (QWidget *main = m_parent->window())
        main->repaint();
}
