#include "view/PreviewGeometry.h"

#include <QtGlobal>

PreviewGeometry::PreviewGeometry(const QRect &paper, const QRect &printable, int resolution)
    : m_paper(paper), m_printable(printable), m_resolution(resolution)
{
}

qreal PreviewGeometry::Scale(Zoom zoom, int fitted, const QSize &viewport, int dpi) const
{
    const qreal width = qreal(viewport.width() - (fitted + 1) * Gap) / fitted;
    const qreal height = viewport.height() - 2 * Gap;
    const qreal fit = qMax(0.01, qMin(width / m_paper.width(), height / m_paper.height()));
    const qreal actual = qreal(dpi) / m_resolution;
    switch (zoom) {
    case ZoomOut: return fit;
    case ZoomMiddle: return qMax(fit, (fit + actual) / 2);
    case ZoomIn: return qMax(fit, actual);
    }
    return fit;
}

QSize PreviewGeometry::sheetSize(qreal scale) const
{
    return QSize(qRound(m_paper.width() * scale), qRound(m_paper.height() * scale));
}

QSize PreviewGeometry::ZoomedArea(qreal scale) const
{
    return sheetSize(scale) + QSize(2 * Gap, 2 * Gap);
}

QRect PreviewGeometry::SheetRect(int slot, int shown, qreal scale, const QSize &area) const
{
    const QSize sheet = sheetSize(scale);
    const int rowWidth = shown * sheet.width() + (shown - 1) * Gap;
    const int left = qMax(Gap, (area.width() - rowWidth) / 2);
    const int top = qMax(Gap, (area.height() - sheet.height()) / 2);
    return QRect(QPoint(left + slot * (sheet.width() + Gap), top), sheet);
}

QRect PreviewGeometry::PrintableRect(const QRect &sheet) const
{
    const qreal sx = qreal(sheet.width()) / m_paper.width();
    const qreal sy = qreal(sheet.height()) / m_paper.height();
    const QPoint topLeft(sheet.x() + qRound((m_printable.x() - m_paper.x()) * sx),
                         sheet.y() + qRound((m_printable.y() - m_paper.y()) * sy));
    return QRect(topLeft, QSize(qRound(m_printable.width() * sx),
                                qRound(m_printable.height() * sy)));
}
