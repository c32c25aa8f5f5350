#include "output/ReportPdf.h"

#include "data/FileError.h"
#include "data/NativePath.h"
#include "output/PrintReport.h"
#include "output/ReportPrinter.h"
#include "output/StagedFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QFile>

#include <memory>
#include <new>

namespace ReportPdf {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ReportPdf", text);
}

} // namespace

bool WriteFile(const PrintReport &report, const QString &path, const QPageSize &pageSize,
               QString *error, const std::atomic<bool> *stop)
{
    auto fail = [&](const QString &reason) { return FileError::WriteFailed(path, reason, error); };
    bool drawn = false;
    QString fileError;
    const bool written = StagedFile::Write(
        path,
        [&](QIODevice &file) {
            // Out of memory in the middle of the document, the unfinished
            // writer is let go of with its painter (see ReportPrinter::Print):
            // destroying it would try to finish the document.
            auto writer = std::make_unique<QPdfWriter>(&file);
            writer->setCreator(QStringLiteral("Quenvale"));
            writer->setTitle(QFileInfo(NativePath::Display(path)).completeBaseName());
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
        &fileError);
    if (written)
        return true;
    if (!fileError.isEmpty())
        return fail(fileError);
    return fail(stop && stop->load() ? tr("stopped before the last page")
                                     : tr("the PDF could not be drawn"));
}

} // namespace ReportPdf
