#pragma once

#include "lot/CompareReader.h"
#include "lot/LotControl.h"
#include "lot/LotModel.h"
#include "output/PrintReport.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class CompareSide;

// A lot's report, printed, previewed and written as a PDF as a file's is,
// in the same logical units:
// - the first page: the lot's name and print date, its figures, the trend
//   of the files' yields (and of the margin mean and Cpk of the channel
//   where most fibers failed), with control limits and the alarms where
//   the run rules were asked for;
// - the distributions of every channel over the lot's fibers, each counted
//   once by its latest result, and the Pareto of the failures;
// - the files in the lot's order, a line each: first row's time, file,
//   fibers, passed, yield, worst channel and least Cpk, or why it was not
//   read;
// - on every page a footer with the lot's name and "Page N of M".
class LotReport : public PrintReport
{
public:
    static constexpr int FilesPerPage = 48;
    static constexpr int AlarmLines = 20;

    // `files` in the lot's order; `side` the lot's fibers as CompareReader
    // reads them; `control` the run rules' result, none without rules.
    LotReport(const QString &name, QList<LotFile> files, std::shared_ptr<const CompareSide> side,
              std::optional<LotControl::Result> control = std::nullopt);

    std::unique_ptr<PrintReport> Clone() const override { return std::make_unique<LotReport>(*this); }
    int PageCount() const override;
    void PrintPage(QPainter &painter, int page, int total) const override;

    const QString &Name() const { return m_name; }

    // The report of `lot` (a folder read by CompareReader), its run rules
    // on the default plan, written to `pdfPath` on paper "A4" or "Letter"
    // as ReportPdf::WriteFile writes a file's.
    static bool WritePdf(const CompareReader::Side &lot, const QString &pdfPath, const QString &pageSize,
                         QString *error = nullptr, const std::atomic<bool> *stop = nullptr);

private:
    void drawFirstPage(QPainter &painter) const;
    int drawAlarms(QPainter &painter, int top) const;
    void drawDistributions(QPainter &painter) const;
    void drawFiles(QPainter &painter, int filesPage) const;

    QString m_name;
    std::shared_ptr<const LotModel> m_lot;
    std::shared_ptr<const CompareSide> m_side;
    std::optional<LotControl::Result> m_control;
    QDateTime m_printed;
};
