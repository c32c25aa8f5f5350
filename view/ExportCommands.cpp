#include "view/ExportCommands.h"

#include "document/ResultDocument.h"
#include "lot/CompareReader.h"
#include "lot/LotDocument.h"
#include "lot/LotWorkbook.h"
#include "lot/SummaryCache.h"
#include "output/CsvExport.h"
#include "output/OutputTarget.h"
#include "output/WorkbookExport.h"
#include "view/FileDialogs.h"
#include "view/WindowWork.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <atomic>
#include <functional>

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

void ExportCommands::exportLot(FileDialogs &dialogs, const LotDocument &lot)
{
    if (lot.FromDatabase()) {
        dialogs.ShowMessage(m_parent, tr("A lot of the database has no folder to read its rows from: there is no "
                                         "workbook to write."));
        return;
    }
    const QString folder = lot.Folder();
    const QString suggested = QDir(folder).filePath(QFileInfo(QDir::cleanPath(folder)).fileName() + QStringLiteral(".xlsx"));
    QString path = dialogs.GetSaveFileName(m_parent, WorkbookFilter(), suggested);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    const JudgeInputs inputs = lot.Inputs();
    QString error;
    bool stopped = false;
    const bool written = WindowWork::Wait(
        m_parent, tr("Writing the workbook %1...").arg(QFileInfo(path).fileName()),
        [&](const std::atomic<bool> &stop) {
            SummaryCache cache;
            CompareReader::Side side;
            return CompareReader::Read(folder, inputs, cache.Open() ? &cache : nullptr, LotScan::InTurn, &stop, &side,
                                       &error)
                && LotWorkbook::Write(side, path, &error, &stop);
        },
        &stopped);
    if (written ? !error.isEmpty() : !stopped)
        dialogs.ShowMessage(m_parent, error);
}

void ExportCommands::OnFileExportWorkbook(FileDialogs &dialogs, const LotDocument *lot)
{
    if (lot) {
        exportLot(dialogs, *lot);
        return;
    }
    if (!m_document.HasFile()) {
        dialogs.ShowMessage(m_parent, tr("No file is shown: there is no workbook to write."));
        return;
    }
    const QString source = m_document.Path();
    const QString suggested = QFileInfo(source).absoluteDir().filePath(
        OutputTarget::ResultName(source, QStringLiteral(".xlsx")));
    QString path = dialogs.GetSaveFileName(m_parent, WorkbookFilter(), suggested);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".xlsx");
    // Copies that share the document's bytes: the job reads them on its
    // thread while a new version may come to the window.
    const QString name = QFileInfo(source).fileName();
    const QByteArray header = m_document.Header();
    const MeasurementRows rows = m_document.Rows();
    // The verdicts the window shows, with its band; where they are still
    // being judged, they are judged for the workbook as for the window.
    std::optional<LoadedFile::Verdicts> verdicts;
    if (m_document.VerdictsKnown())
        verdicts = m_document.AllVerdicts();
    const JudgeInputs inputs = m_document.Inputs();
    QString error;
    bool stopped = false;
    const bool written = WindowWork::Wait(
        m_parent, tr("Writing the workbook %1...").arg(QFileInfo(path).fileName()),
        [&](const std::atomic<bool> &stop) {
            if (!verdicts && !LoadedFile::Judge(rows, &verdicts.emplace(), &stop, inputs)) {
                error = tr("stopped before the last row");
                return false;
            }
            return WorkbookExport::ExportRows(name, header, rows, *verdicts, path, &error, &stop);
        },
        &stopped);
    if (written ? !error.isEmpty() : !stopped)
        dialogs.ShowMessage(m_parent, error);
}
