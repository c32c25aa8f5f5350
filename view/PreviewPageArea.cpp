#include "view/PreviewPageArea.h"

#include "output/ReportPrinter.h"

#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QWheelEvent>

namespace {

QRect paperRect(const QPrinter &printer)
{
    return printer.pageLayout().fullRectPixels(printer.resolution());
}

QRect printableRect(const QPrinter &printer)
{
    return printer.fullPage() ? paperRect(printer)
                              : printer.pageLayout().paintRectPixels(printer.resolution());
}

} // namespace

PreviewPageArea::PreviewPageArea(const PrintReport &report, const QPrinter &printer,
                                 QWidget *parent)
    : QWidget(parent), m_report(report.Clone()), m_printer(printer), m_nTotal(report.PageCount()),
      m_printable(printableRect(printer)),
      m_geometry(paperRect(printer), m_printable, printer.resolution())
{
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

void PreviewPageArea::ShowPages(int firstPage, PreviewGeometry::Zoom zoom, int fitted,
                                const QSize &viewport)
{
    m_nFirstPage = firstPage;
    m_zoom = zoom;
    m_fitted = fitted;
    m_viewport = viewport;
    if (m_zoom != PreviewGeometry::ZoomOut)
        resize(m_geometry.ZoomedArea(scale()));
    update();
}

qreal PreviewPageArea::scale() const
{
    return m_geometry.Scale(m_zoom, m_fitted, m_viewport, logicalDpiX());
}

QRect PreviewPageArea::SheetRect(int slot) const
{
    return m_geometry.SheetRect(slot, shown(), scale(), size());
}

QImage PreviewPageArea::drawPage(int page, const QSize &size)
{
    const qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Printer pixels onto the image: the page is laid out for the printer.
    painter.scale(qreal(size.width()) / m_printable.width(),
                  qreal(size.height()) / m_printable.height());
    ReportPrinter::PaintPage(*m_report, painter, page, m_nTotal, &m_printer);
    painter.end();
    emit pageDrawn(page);
    return image;
}

void PreviewPageArea::paintEvent(QPaintEvent *)
{
    QList<ShownPage> shownNow;
    QPainter painter(this);
    for (int slot = 0; slot < shown(); ++slot) {
        const int page = m_nFirstPage + slot;
        const QRect paper = SheetRect(slot);
        const QRect printable = m_geometry.PrintableRect(paper);
        painter.fillRect(paper.translated(PreviewGeometry::Shadow, PreviewGeometry::Shadow),
                         Qt::black);
        painter.fillRect(paper, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(paper.adjusted(0, 0, -1, -1));

        ShownPage entry{page, printable.size(), QImage()};
        for (const ShownPage &old : std::as_const(m_shown))
            if (old.page == page && old.size == entry.size)
                entry.image = old.image;
        if (entry.image.isNull())
            entry.image = drawPage(page, entry.size);
        // Only inside the sheet's border.
        painter.setClipRect(paper.adjusted(1, 1, -1, -1));
        painter.drawImage(printable.topLeft(), entry.image);
        painter.setClipping(false);
        shownNow.append(entry);
    }
    m_shown = shownNow; // pages no longer on screen go
}

// Zoomed in, the wheel is the scroll area's: it scrolls the sheet.
void PreviewPageArea::wheelEvent(QWheelEvent *event)
{
    if (m_zoom != PreviewGeometry::ZoomOut) {
        QWidget::wheelEvent(event);
        return;
    }
    m_wheelDelta += event->angleDelta().y();
    while (m_wheelDelta >= 120) {
        m_wheelDelta -= 120;
        emit pageTurned(-1);
    }
    while (m_wheelDelta <= -120) {
        m_wheelDelta += 120;
        emit pageTurned(1);
    }
}

void PreviewPageArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    for (int slot = 0; slot < shown(); ++slot) {
        if (SheetRect(slot).contains(pos)) {
            emit sheetClicked(slot, pos);
            return;
        }
    }
}
