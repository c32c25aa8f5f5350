#pragma once

#include "cli/ExitStatus.h"
#include "lot/CompareReader.h"
#include "output/ReportPdf.h"

#include <QString>

#include <atomic>
#include <functional>

struct Options;

// --print-pdf: the printed report of each result file as a PDF file.
namespace PrintPdfJob {

// Draws the report of one result file into a PDF file (see
// ReportPdf::WriteResultFile, which only the window program links).
using Writer = std::function<bool(const QString &fibPath, const QString &pdfPath,
                                  const ReportPdf::Request &request, QString *error,
                                  const std::atomic<bool> *stop)>;

// Draws a lot's report (see LotReport::WritePdf) into a PDF file.
using LotWriter = std::function<bool(const CompareReader::Side &lot, const QString &pdfPath, const QString &pageSize,
                                     QString *error, const std::atomic<bool> *stop)>;

ExitStatus Run(const Options &options, const Writer &writePdf, const LotWriter &writeLotPdf = {});

} // namespace PrintPdfJob
