#include "view/ExportCommands.h"

#include "document/ResultDocument.h"
#include "output/CsvExport.h"
#include "view/FileDialogs.h"

#include <QFileInfo>

ExportCommands::ExportCommands(const ResultDocument &document, QWidget *parent)
    : m_document(document), m_parent(parent)
{
}

void ExportCommands::OnFileSave(FileDialogs &dialogs)
{
    if (m_strSavePath.isEmpty())
        OnFileSaveAs(dialogs);
    if (m_strSavePath.isEmpty())
        return;
    // Save never rewrites the remembered file; it only brings it back.
    if (!QFileInfo::exists(m_strSavePath))
        OnFileSaveAs(dialogs);
}

void ExportCommands::OnFileSaveAs(FileDialogs &dialogs)
{
    const MeasurementRows &rows = m_document.Rows();
    const QList<QByteArray> names = m_document.FiberNames();
    QList<CsvExport::BlockName> named;
    named.reserve(names.size());
    for (qsizetype block = 0; block < names.size(); ++block)
        named.append({block, names.at(block)});
    const QByteArray text = CsvExport::Text(rows, CsvExport::BlockNames(rows, named));

    const QString chosen = dialogs.GetSaveFileName(m_parent, FileDialogs::SaveFilter(), QString());
    if (chosen.isEmpty())
        return;
    bool remember = false;
    const QString path = CsvExport::SavePath(chosen, &remember);
    QString error;
    if (!CsvExport::WriteFile(path, text, &error)) {
        dialogs.ShowMessage(m_parent, error);
        return; // a file that was not written is not one for Save to keep
    }
    if (!error.isEmpty()) // written, with something to know of it
        dialogs.ShowMessage(m_parent, error);
    if (remember)
        m_strSavePath = path;
}
