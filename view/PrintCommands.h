#pragma once

#include <QString>

#include <memory>

class FileDialogs;
class LotDocument;
class LotReport;
class PrintDialogs;
class PrintReport;
class QWidget;
class ResultDocument;

// Print and Print Preview of the document shown, through the report that
// holds its rows. From the print dialog to the job's end the document holds
// its versions: a file, or a new version of it, read meanwhile is shown
// after. A PDF is proposed beside the file shown, under its name with
// ".pdf" for ".fib", as the command line names it. While the window shows
// the verdicts (`verdictsShown`), the report printed, previewed or written
// as a PDF is the one with verdicts (see PrintReport::SetVerdicts), judged
// from the rows it prints; otherwise the report of the rows alone.
class PrintCommands
{
public:
    PrintCommands(ResultDocument &document, PrintReport &report, const bool &verdictsShown, QWidget *parent);

    // With `lot`, the lot's report instead (see OnLotPrint).
    void OnFilePrint(PrintDialogs &printDialogs, FileDialogs &dialogs, const LotDocument *lot = nullptr);
    // `pages` side by side: read when the preview opens, set when it closes.
    void OnFilePrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, int &pages,
                            const LotDocument *lot = nullptr);

    // A lot's report (see LotReport): its folder read again on a thread of
    // its own (through the summary cache), then printed or previewed as a
    // file's report is, its PDF proposed in the folder as NAME.pdf.
    void OnLotPrint(PrintDialogs &printDialogs, FileDialogs &dialogs, const LotDocument *lot);
    void OnLotPrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, const LotDocument *lot, int &pages);

private:
    // The print dialog for `report`, the job named `name` (a PDF's title),
    // a PDF proposed as `pdf`; then the job.
    void print(const PrintReport &report, const QString &name, const QString &pdf, PrintDialogs &printDialogs,
               FileDialogs &dialogs);
    // True where the user chose Print in it.
    bool preview(const PrintReport &report, PrintDialogs &printDialogs, int &pages);
    std::unique_ptr<LotReport> lotReport(FileDialogs &dialogs, const LotDocument *lot);
    void OnEndPrinting();
    // The file's name, as the report and the print job carry it.
    QString reportName() const;
    // The report with verdicts while they are shown and known, else without.
    void setReportVerdicts();

    ResultDocument &m_document;
    PrintReport &m_report;
    const bool &m_verdictsShown;
    QWidget *m_parent;
};
