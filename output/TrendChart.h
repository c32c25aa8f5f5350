#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// A lot's trend, drawn into any painter: panels one above the other that
// share one axis of the lot's files in time order, a point per file, evenly
// spaced. Each panel shows its figure's values joined by a line (a file
// without a value leaves a gap), the lot's value as a dashed line, and
// where the figure has them the warning and fail levels as lines of their
// own, each named at its right end. The file selected is marked in every
// panel. It takes numbers and texts made for it, never a widget's.
class TrendChart
{
    Q_DECLARE_TR_FUNCTIONS(TrendChart)
public:
    struct Panel
    {
        QString title;         // "Yield", "Margin mean 07"
        QString unit;          // "%", "dB", or none
        int decimals = 1;      // of the axis' numbers
        QList<double> values;  // one per file; NaN where the file has none
        std::optional<double> lot;  // the lot's value, a dashed line
        std::optional<double> warn; // the warning level
        std::optional<double> fail; // the fail level
        QString lotLabel;      // "lot 97.3 %"
        std::optional<double> ceiling; // what no value can pass (100 %), the axis' end at most
    };
    struct Colours
    {
        QColor ink;   // texts, axes and values
        QColor paper; // the background
        QColor grid;  // frames and the axis' lines
        QColor warn;
        QColor fail;
        QColor mark;  // the file selected
        static Colours On(const QColor &ink, const QColor &paper);
    };

    // Draws `panels` into `area`; `selected` is the file marked, -1 for
    // none; `first` and `last` name the ends of the files' axis.
    static void Draw(QPainter &painter, const QRectF &area, const QList<Panel> &panels, qsizetype selected,
                     const QString &first, const QString &last, const Colours &colours);

    // Where the files' points stand across `area` for `count` files, and
    // the file nearest to `point` across, or -1 where the point is outside
    // the plots or farther than half a step from any file.
    static QRectF PlotArea(const QRectF &area, int panels, qreal fontHeight);
    static qreal XOf(const QRectF &plot, qsizetype count, qsizetype index);
    static qsizetype FileAt(const QRectF &plot, qsizetype count, const QPointF &point);
};
