#pragma once

#include <QString>

class FileDialogs;
class QWidget;
class ResultDocument;

// Save and Save As of the document shown: the CSV of its rows, each fiber
// under its name in the document (as typed into the fiber box). A name
// chosen in Save As that ends in ".csv" is remembered; Save then writes
// again only when that file has been deleted or moved.
//
// Export Workbook: the workbook that --export-xlsx writes of the file (its
// rows as read, judged without a marginal band), from the rows the window
// holds, written on a thread of its own while a progress dialog offers to
// stop it. A name chosen without a suffix gets ".xlsx". A stop leaves the
// older file as it was and says nothing; a failure says why.
class ExportCommands
{
public:
    ExportCommands(const ResultDocument &document, QWidget *parent);

    void OnFileSave(FileDialogs &dialogs);
    void OnFileSaveAs(FileDialogs &dialogs);
    void OnFileExportWorkbook(FileDialogs &dialogs);

    static QString WorkbookFilter() { return QStringLiteral("xlsx(*.xlsx)"); }

private:
    const ResultDocument &m_document;
    QWidget *m_parent;
    QString m_strSavePath;
};
