#pragma once

#include <QFont>

#include <atomic>

class PrintReport;
class QPagedPaintDevice;
class QPainter;

// The printing flow of the report, shared by Print, Print Preview and the
// PDF export: the job's page total comes from the rows, then every page is
// drawn and handed to the device before the next one is begun.
namespace ReportPrinter {

// Pages from..to of the job, clipped to 1..PageCount; 0 for either end
// means the first or the last page. Draws on a painter of its own; returns
// false when the device cannot be painted on or fails at the end, or when
// `stop` is found set before a page.
bool Print(const PrintReport &report, QPagedPaintDevice &device, int fromPage = 0,
           int toPage = 0, const std::atomic<bool> *stop = nullptr);

// One page on an active painter whose device is the page: the report's
// units, the fit to the printable area, the row font, then the page.
void PaintPage(const PrintReport &report, QPainter &painter, int page, int total);

// Puts the painter into the report's units and, where the device's page
// cannot hold the whole layout, shrinks it uniformly until it does. Returns
// the shrink factor (1 when the layout fits at 1/96 inch).
qreal SetupPage(const PrintReport &report, QPainter &painter);

// The font the rows are drawn in: the default font, sized in logical units.
QFont RowFont();

} // namespace ReportPrinter
