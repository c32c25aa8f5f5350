#pragma once

#include "output/TrendAxis.h"

#include <QColor>
#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;

// A lot's trend, drawn into any painter: panels one above the other that
// share one axis of the lot's files (TrendAxis: by time or by file, the
// span shown), a point per file. Each panel shows its figure's values
// joined by a line (a file without a value, or a gap in time, leaves it
// open), round values marked up its side, the lot's value as a dashed
// line, where the figure has them the warning and fail levels as lines of
// their own, each named at its right end, and its control limits over
// the files they stand for, with their baseline shaded and the alarms
// raised marked. The file selected is marked in every panel. It takes
// numbers and texts made for it, never a widget's.
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
        // Control limits over the files [from, to), from the baseline's
        // files [baselineFrom, baselineTo).
        struct Control
        {
            qsizetype from = 0, to = 0, baselineFrom = 0, baselineTo = 0;
            double centre = 0, lower = 0, upper = 0;
        };
        QList<Control> control;
        QList<qsizetype> alarms; // the files where a rule is broken
    };
    struct Colours
    {
        QColor ink;   // texts, axes and values
        QColor paper; // the background
        QColor grid;  // frames and the axis' lines
        QColor warn;
        QColor fail;
        QColor mark;  // the file selected
        QColor control; // control limits
        QColor shade;   // a baseline, a gap
        static Colours On(const QColor &ink, const QColor &paper);
    };

    // Draws `panels` into `area` across `axis`; `selected` is the file
    // marked, -1 for none.
    static void Draw(QPainter &painter, const QRectF &area, const QList<Panel> &panels, const TrendAxis &axis,
                     qsizetype selected, const Colours &colours);
    // A box of `lines` beside `anchor`, inside `area`: the readout under
    // the pointer.
    static void DrawReadout(QPainter &painter, const QRectF &area, const QPointF &anchor, const QStringList &lines,
                            const Colours &colours);

    // Where the files' points stand across `area`.
    static QRectF PlotArea(const QRectF &area, int panels, qreal fontHeight);
};
