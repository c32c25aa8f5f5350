#include "output/ReportPrinter.h"

#include "output/PrintReport.h"

#include <QPagedPaintDevice>
#include <QPainter>

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
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kRowPixelSize);
    font.setKerning(false);
    return font;
}

qreal SetupPage(const PrintReport &report, QPainter &painter)
{
    report.SetupDC(painter);
    const QPaintDevice *device = painter.device();
    bool invertible = false;
    const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
    if (!invertible)
        return 1;
    const QRectF printable =
        toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
    // Paper too short or too narrow for the layout would drop the lowest
    // rows and the page counter: shrink the whole page instead.
    const qreal scale = qMin(printable.width() / PrintReport::LayoutWidth,
                             printable.height() / PrintReport::LayoutHeight);
    if (scale >= 1)
        return 1;
    painter.scale(scale, scale);
    return scale;
}

void PaintPage(const PrintReport &report, QPainter &painter, int page, int total)
{
    painter.save();
    SetupPage(report, painter);
    painter.setFont(RowFont());
    report.PrintPage(painter, page, total);
    painter.restore();
}

bool Print(const PrintReport &report, QPagedPaintDevice &device, int fromPage, int toPage,
           const std::atomic<bool> *stop)
{
    const int total = report.PageCount();
    const int first = qMax(1, fromPage);
    const int last = toPage > 0 ? qMin(toPage, total) : total;
    if (last < first)
        return true; // the chosen range holds none of the report's pages

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = first; page <= last; ++page) {
        if (stop && stop->load(std::memory_order_relaxed)) {
            painter.end();
            return false;
        }
        if (page != first && !device.newPage()) {
            painter.end();
            return false;
        }
        PaintPage(report, painter, page, total);
    }
    return painter.end();
}

} // namespace ReportPrinter
