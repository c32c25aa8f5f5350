#include "output/ReportPdf.h"

#include "data/FileError.h"
#include "data/NativePath.h"
#include "data/ResultFile.h"
#include "data/Texts.h"
#include "output/PrintReport.h"
#include "output/ReportPrinter.h"
#include "output/ReportVerdicts.h"
#include "output/LibraryMessages.h"
#include "output/StagedFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QFile>

#include <memory>
#include <new>

namespace ReportPdf {

bool WriteFile(const PrintReport &report, const QString &path, const QPageSize &pageSize,
               QString *error, const std::atomic<bool> *stop, const QString &title)
{
    auto fail = [&](const QString &reason) { return FileError::WriteFailed(path, reason, error); };
    bool drawn = false;
    QString fileError;
    QString notice;
    // What the libraries drawing it print on a failure is told here, in
    // the report's name.
    const LibraryMessages quiet;
    const bool written = StagedFile::Write(
        path,
        [&](QIODevice &file) {
            // Out of memory in the middle of the document, the unfinished
            // writer is let go of with its painter (see ReportPrinter::Print):
            // destroying it would try to finish the document.
            auto writer = std::make_unique<QPdfWriter>(&file);
            writer->setCreator(QStringLiteral("Quenvale"));
            writer->setTitle(title.isEmpty() ? QFileInfo(NativePath::Display(path)).completeBaseName() : title);
            writer->setPageLayout(
                QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
            try {
                drawn = ReportPrinter::Print(report, *writer, 0, 0,
                                             [stop](const ReportPrinter::JobPage &) {
                                                 return !stop || !stop->load(std::memory_order_relaxed);
                                             });
            } catch (const std::bad_alloc &) {
                (void)writer.release();
                throw;
            }
            return drawn;
        },
        &fileError, &notice);
    if (written) {
        if (error)
            *error = notice;
        return true;
    }
    if (!fileError.isEmpty())
        return fail(fileError);
    return fail(stop && stop->load() ? Texts::tr("stopped before the last page")
                                     : Texts::tr("the PDF could not be drawn"));
}

bool WriteResultFile(const QString &fibPath, const QString &pdfPath, const Request &request,
                     QString *error, const std::atomic<bool> *stop)
{
    PrintReport report;
    try {
        MeasurementRows rows;
        QByteArray header;
        const bool read = ReadResultBlocks(
            fibPath,
            [&rows](MeasurementRows &block, qsizetype count) {
                for (qsizetype i = 0; i < count; ++i)
                    rows.Append(block.At(i));
                return true;
            },
            error, stop, FileKinds::Any, &header);
        if (!read)
            return false;
        report.SetRows(rows);
        if (request.verdicts)
            report.SetVerdicts(std::make_shared<const ReportVerdicts>(ReportVerdicts::Judge(
                rows, request.inputs, QFileInfo(NativePath::Display(fibPath)).fileName(), header,
                QDateTime::currentDateTime())));
    } catch (const std::bad_alloc &) {
        return FileError::ReadFailed(fibPath, Texts::tr("its rows do not fit in this computer's memory"),
                                     error);
    }
    const QPageSize paper(request.pageSize.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0
                              ? QPageSize::Letter
                              : QPageSize::A4);
    try {
        return WriteFile(report, pdfPath, paper, error, stop, QFileInfo(NativePath::Display(fibPath)).fileName());
    } catch (const std::bad_alloc &) {
        return FileError::WriteFailed(pdfPath, Texts::tr("not enough memory to draw it"), error);
    }
}

} // namespace ReportPdf
