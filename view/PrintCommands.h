#pragma once

class FileDialogs;
class PrintDialogs;
class PrintReport;
class QWidget;
class ResultDocument;

// Print and Print Preview of the document shown, through the report that
// holds its rows. From the print dialog to the job's end the document holds
// its versions: a file, or a new version of it, read meanwhile is shown
// after. A PDF is proposed beside the file shown, under its name with
// ".pdf" for ".fib", as the command line names it.
class PrintCommands
{
public:
    PrintCommands(ResultDocument &document, const PrintReport &report, QWidget *parent);

    void OnFilePrint(PrintDialogs &printDialogs, FileDialogs &dialogs);
    // `pages` side by side: read when the preview opens, set when it closes.
    void OnFilePrintPreview(PrintDialogs &printDialogs, FileDialogs &dialogs, int &pages);

private:
    void OnEndPrinting();

    ResultDocument &m_document;
    const PrintReport &m_report;
    QWidget *m_parent;
};
