#pragma once

#include "data/MeasurementRows.h"

#include <QRect>

class QPainter;
class ReportVerdicts;

// The pages of the report that says pass or fail, in the report's logical
// units of 1/96 inch (see PrintReport):
// - the first page: the file's name, header lines and print date, the
//   yield, each channel's statistics with Cpk, the distributions and the
//   Pareto (drawn by DistributionChart), then the failing fibers (name,
//   reasons, failed channels, worst channel and margin), continued on as
//   many pages as they need;
// - the rows, 29 a page, with each one's verdict and margin; a failing row
//   is bold, says FAIL and has a black mark in the margin, so that a
//   printer without colour shows it;
// - on every page a footer with the file's name and "Page N of M".
class VerdictPages
{
public:
    static constexpr int FirstPageFailing = 9;
    static constexpr int LaterPageFailing = 66;
    static constexpr int RowsPerPage = 29;
    static constexpr int RowHeight = 35;

    VerdictPages(const MeasurementRows &rows, const ReportVerdicts &verdicts)
        : m_rows(rows), m_verdicts(verdicts)
    {
    }

    // The pages of the first page and the failing fibers' continuation.
    int FailingPages() const;
    int PageCount() const;
    void PrintPage(QPainter &painter, int page, int total) const;

    // A row page's ruled columns: the x of each rule.
    static QList<int> RuleXs();

private:
    int drawFigures(QPainter &painter) const;
    int drawStatistics(QPainter &painter, int top) const;
    void drawFailing(QPainter &painter, int top, qsizetype first, qsizetype end) const;
    void drawRows(QPainter &painter, int rowPage) const;
    void drawFooter(QPainter &painter, int page, int total) const;

    const MeasurementRows &m_rows;
    const ReportVerdicts &m_verdicts;
};
