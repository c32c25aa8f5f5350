#pragma once

#include <QFont>

#include <functional>

class PrintReport;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The printing flow of the report, shared by Print, Print Preview and the
// PDF export: the job's page total comes from the rows, then every page is
// drawn and handed to the device before the next one is begun.
namespace ReportPrinter {

// Where a job stands when a page is about to be drawn: that page, the
// job's first and last pages, and the report's page total.
struct JobPage
{
    int page = 0;
    int first = 0;
    int last = 0;
    int total = 0;
};
// Asked before every page of a job; false stops the job before that page.
using PageCallback = std::function<bool(const JobPage &)>;

// Pages from..to of the job, clipped to 1..PageCount; 0 for either end
// means the first or the last page. Draws on a painter of its own; returns
// false when the device cannot be painted on, fails at the end, or when
// `beforePage` stopped the job (the device is ended all the same).
bool Print(const PrintReport &report, QPagedPaintDevice &device, int fromPage = 0,
           int toPage = 0, const PageCallback &beforePage = {});

// One page on an active painter: the report's units, the fit to the
// printable area, the row font, then the page. The page's size and
// resolution are those of `attributes`, or of the painter's device when it
// is null; the painter's own transform, if any, maps that page's pixels
// onto its device (the preview draws a printer's page on the screen so).
void PaintPage(const PrintReport &report, QPainter &painter, int page, int total,
               const QPaintDevice *attributes = nullptr);

// Puts the painter into the report's units and, where the page of
// `attributes` (or of the painter's device) cannot hold the whole layout,
// shrinks it uniformly until it does. Returns the shrink factor (1 when the
// layout fits at 1/96 inch).
qreal SetupPage(const PrintReport &report, QPainter &painter,
                const QPaintDevice *attributes = nullptr);

// The font the rows are drawn in: the default font, sized in logical units.
QFont RowFont();

} // namespace ReportPrinter
