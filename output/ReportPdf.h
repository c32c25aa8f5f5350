#pragma once

#include "data/JudgePipeline.h"

#include <QPageSize>
#include <QString>

#include <atomic>
#include <optional>

class PrintReport;

// The report as a PDF file, one PDF page per report page, the report's
// top-left corner at the page's top-left corner.
namespace ReportPdf {

// Writes the whole report to `path` atomically: on any failure, or when
// `stop` is set before the last page, the file is left as it was, no
// temporary file stays behind and `error` says what failed. Written,
// `error` may still hold a notice for the user (see StagedFile::Notice).
// The PDF's title is `title`, or without one the PDF's own name.
bool WriteFile(const PrintReport &report, const QString &path,
               const QPageSize &pageSize = QPageSize(QPageSize::A4), QString *error = nullptr,
               const std::atomic<bool> *stop = nullptr, const QString &title = QString());

// "A4" or "Letter", in any case: the paper a report is written for. Inline,
// so that a program that only checks names needs none of the drawing code.
inline bool IsPageSizeName(const QString &name)
{
    return name.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0;
}

// Which report, on which paper.
struct Request
{
    QString pageSize = QStringLiteral("A4"); // see IsPageSizeName
    bool verdicts = false;                   // the report that says pass or fail
    JudgeInputs inputs;                      // its band and limits
};

// The report of the result file at `fibPath`, read in blocks, written to
// exactly `pdfPath` as `request` asks, as WriteFile writes it, titled with
// the result file's name, which a search of the PDF finds. Memory
// follows the file's rows; rows that do not fit in memory are a failure
// with a message like any other; a notice comes as from WriteFile. Safe to
// run on several threads at once.
bool WriteResultFile(const QString &fibPath, const QString &pdfPath, const Request &request,
                     QString *error = nullptr, const std::atomic<bool> *stop = nullptr);

} // namespace ReportPdf
