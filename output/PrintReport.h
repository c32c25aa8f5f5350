#pragma once

#include "data/MeasurementRows.h"

#include <QRect>

#include <memory>

class QPaintDevice;
class QPainter;
class QString;
class ReportVerdicts;

// The report printed from the rows of the file shown last. It keeps its own
// copy of the rows (shared with the store's until either changes).
class PrintReport
{
public:
    // After SetupDC a window of 1024 x 768 logical units maps onto the
    // device pixels of the same size in inches: one unit is 1/96 inch.
    static constexpr int WindowWidth = 1024;
    static constexpr int WindowHeight = 768;
    static constexpr int UnitsPerInch = 96;

    PrintReport() = default;
    virtual ~PrintReport();

    // Both forget the verdicts, which were those of the rows before.
    void Clear();
    void SetRows(const MeasurementRows &rows);
    // With verdicts, made from the rows the report holds, the report says
    // pass or fail (see VerdictPages): a first page of figures, the failing
    // fibers, the rows with their verdicts and margins, and a footer with
    // the file's name and "Page N of M". Without (null, the start), the
    // report of the rows alone.
    void SetVerdicts(std::shared_ptr<const ReportVerdicts> verdicts);
    const ReportVerdicts *Verdicts() const { return m_verdicts.get(); }
    MeasurementRows::Row Row(qsizetype index) const; // throws std::out_of_range
    qsizetype RowCount() const { return m_rows.Count(); }
    const MeasurementRows &Rows() const { return m_rows; }

    // Puts the painter into logical units of 1/96 inch, from the resolution
    // of `attributes`: the painter's own device when null, the printer when
    // the page is drawn on the screen for the preview.
    void SetupDC(QPainter &painter, const QPaintDevice *attributes = nullptr) const;

    // The layout reaches this far right (the last text rectangle) and this
    // far down (the page counter) in logical units.
    static constexpr int LayoutWidth = 762;
    static constexpr int LayoutHeight = 1120;
    static constexpr int RowHeight = 35;
    static constexpr int FirstPageRows = 27;
    static constexpr int LaterPageRows = 29;

    // Pages needed for the rows: 27 on the first page, 29 on every later
    // one, and always at least one.
    // A copy that shares the rows, as a job or a preview keeps one so that
    // the report does not change under it; a report of other pages copies
    // itself whole.
    virtual std::unique_ptr<PrintReport> Clone() const { return std::make_unique<PrintReport>(*this); }

    // A report of other pages (a lot's) draws its own in the same units.
    virtual int PageCount() const;
    // Draws page `page` (from 1) of a job of `total` pages in logical units.
    // The rows use the painter's current font.
    virtual void PrintPage(QPainter &painter, int page, int total) const;

    // The rows that page `page` holds, as [first, end).
    struct RowSpan
    {
        qsizetype first = 0;
        qsizetype end = 0;
    };
    RowSpan PageRows(int page) const;

    // A cell's text rectangle on a page of a job of `total` pages.
    static QRect CellRect(int column, int top, int total);
    static QRect HeadingRect(int column, int top);

private:
    void DrawTitle(QPainter &painter) const;
    void DrawHeadings(QPainter &painter, int page) const;
    void DrawGrid(QPainter &painter, int page) const;
    void DrawRows(QPainter &painter, int page, int total) const;
    void DrawFooter(QPainter &painter, int page, int total) const;

    static int HeadingTop(int page);
    // Top of the grid and the number of its horizontal rules.
    struct GridSpan
    {
        int top = 0;
        int rules = 0;
    };
    GridSpan Grid(int page) const;

    MeasurementRows m_rows;
    std::shared_ptr<const ReportVerdicts> m_verdicts;
};
