#include "output/ChartPainting.h"

#include <QFontMetricsF>
#include <QPainter>

namespace ChartPainting {

QPen Pen(const QColor &colour, qreal width, Qt::PenStyle style)
{
    QPen pen(colour, width, style);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QFont FontOf(const QPainter &painter, int pixels)
{
    QFont font = painter.font();
    font.setPixelSize(pixels);
    return font;
}

void DrawFitted(QPainter &painter, const QRectF &rect, const QString &text, Qt::Alignment align)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
    painter.drawText(rect, int(align | Qt::AlignVCenter | Qt::TextSingleLine), shown);
}

void DrawFirstFitting(QPainter &painter, const QRectF &rect, const QStringList &texts, Qt::Alignment align)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const QString &text : texts) {
        if (metrics.horizontalAdvance(text) <= rect.width() || &text == &texts.last()) {
            DrawFitted(painter, rect, text, align);
            return;
        }
    }
}

} // namespace ChartPainting
