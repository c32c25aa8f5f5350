#pragma once

#include <QString>

class FileDialogs;
class QWidget;
class ResultDocument;

// Save and Save As of the document shown: the CSV of its rows, each fiber
// under its name in the document (as typed into the fiber box). A name
// chosen in Save As that ends in ".csv" is remembered; Save then writes
// again only when that file has been deleted or moved.
class ExportCommands
{
public:
    ExportCommands(const ResultDocument &document, QWidget *parent);

    void OnFileSave(FileDialogs &dialogs);
    void OnFileSaveAs(FileDialogs &dialogs);

private:
    const ResultDocument &m_document;
    QWidget *m_parent;
    QString m_strSavePath;
};
