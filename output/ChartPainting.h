#pragma once

#include <QFont>
#include <QPen>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

// Pens, fonts and texts as the charts of the population draw them.
namespace ChartPainting {

// A pen with flat ends, so that lines end where they are told to.
QPen Pen(const QColor &colour, qreal width, Qt::PenStyle style = Qt::SolidLine);
// The painter's font at `pixels` pixels.
QFont FontOf(const QPainter &painter, int pixels);
// The text, elided to the width of `rect`, drawn at its left or right,
// centred on its height.
void DrawFitted(QPainter &painter, const QRectF &rect, const QString &text, Qt::Alignment align);
// The first of `texts`, longest first, that fits in `rect`'s width; the
// last cut short where none does.
void DrawFirstFitting(QPainter &painter, const QRectF &rect, const QStringList &texts, Qt::Alignment align);

} // namespace ChartPainting
