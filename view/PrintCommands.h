#pragma once

#include <QString>

class FileDialogs;
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

    void OnFilePrint(PrintDialogs &printDialogs, FileDialogs &dialogs);
    // `pages` side by side: read when the preview opens, set when it closes.
    void OnFilePrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, int &pages);

private:
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
