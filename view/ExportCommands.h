#pragma once

#include <QCoreApplication>
#include <QString>

class FileDialogs;
class LotDocument;
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
    Q_DECLARE_TR_FUNCTIONS(ExportCommands)

public:
    ExportCommands(const ResultDocument &document, QWidget *parent);

    void OnFileSave(FileDialogs &dialogs);
    void OnFileSaveAs(FileDialogs &dialogs);
    // With `lot`, the workbook of a folder's lot instead: its files read
    // again on a thread of their own (through the summary cache) and
    // written as --export-xlsx --lot writes them. A database's lot has no
    // folder to read.
    void OnFileExportWorkbook(FileDialogs &dialogs, const LotDocument *lot = nullptr);

    static QString WorkbookFilter() { return QStringLiteral("xlsx(*.xlsx)"); }

private:
    void exportLot(FileDialogs &dialogs, const LotDocument &lot);

    const ResultDocument &m_document;
    QWidget *m_parent;
    QString m_strSavePath;
};
