#include "output/ReportPrinter.h"

#include "output/PrintReport.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <memory>
#include <new>

namespace ReportPrinter {

namespace {

// The rows are drawn in whatever font the page starts with; a printer's own
// default has no size that reads the same everywhere, so every page starts
// with this sans-serif face, 14 units (about 10.5 points) tall.
constexpr int kRowPixelSize = 14;

} // namespace

QFont RowFont()
{
    QFont font;
    // Unshaped, without ligatures, as every font of the report (see ReportFont).
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPixelSize(kRowPixelSize);
    font.setKerning(false);
    return font;
}

qreal SetupPage(const PrintReport &report, QPainter &painter, const QPaintDevice *attributes)
{
    const QPaintDevice *device = attributes ? attributes : painter.device();
    report.SetupDC(painter, device);
    // The printable area in logical units, through the mapping just set.
    const QRect window = painter.window();
    const QRect viewport = painter.viewport();
    if (viewport.width() <= 0 || viewport.height() <= 0)
        return 1;
    const qreal width = qreal(device->width()) * window.width() / viewport.width();
    const qreal height = qreal(device->height()) * window.height() / viewport.height();
    // Paper too short or too narrow for the layout would drop the lowest
    // rows and the page counter: shrink the whole page instead.
    const qreal scale =
        qMin(width / PrintReport::LayoutWidth, height / PrintReport::LayoutHeight);
    if (scale >= 1)
        return 1;
    painter.scale(scale, scale);
    return scale;
}

void PaintPage(const PrintReport &report, QPainter &painter, int page, int total,
               const QPaintDevice *attributes)
{
    painter.save();
    SetupPage(report, painter, attributes);
    painter.setFont(RowFont());
    report.PrintPage(painter, page, total);
    painter.restore();
}

bool Print(const PrintReport &report, QPagedPaintDevice &device, int fromPage, int toPage,
           const PageCallback &beforePage)
{
    const int total = report.PageCount();
    const int first = qMax(1, fromPage);
    const int last = toPage > 0 ? qMin(toPage, total) : total;
    if (last < first)
        return true; // the chosen range holds none of the report's pages

    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device))
        return false;
    try {
        for (int page = first; page <= last; ++page) {
            if (beforePage && !beforePage(JobPage{page, first, last, total})) {
                painter->end();
                return false;
            }
            if (page != first && !device.newPage()) {
                painter->end();
                return false;
            }
            PaintPage(report, *painter, page, total);
        }
        return painter->end();
    } catch (const std::bad_alloc &) {
        // Out of memory in the middle of the document: ending the painter
        // (which its destructor would do) writes the document's tail and
        // needs memory again, and a second failure there cannot be caught.
        // The painter is let go of unended; the device goes unfinished.
        (void)painter.release();
        throw;
    }
}

} // namespace ReportPrinter
