#pragma once

#include <QPageSize>
#include <QString>

#include <atomic>

class PrintReport;

// The report as a PDF file, one PDF page per report page, the report's
// top-left corner at the page's top-left corner.
namespace ReportPdf {

// Writes the whole report to `path` atomically: on any failure, or when
// `stop` is set before the last page, the file is left as it was, no
// temporary file stays behind and `error` says what failed.
bool WriteFile(const PrintReport &report, const QString &path,
               const QPageSize &pageSize = QPageSize(QPageSize::A4), QString *error = nullptr,
               const std::atomic<bool> *stop = nullptr);

} // namespace ReportPdf
