#pragma once

#include "output/ChannelChart.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

class QFontMetrics;

// The form's geometry on one screen: the screen's factors, the widths of
// the list's columns, the places of the controls, the size of the form and
// the factors the chart is drawn at. The form is designed in dialog units
// for a 1440 x 900 screen; the controls keep their places on every screen,
// the columns and the chart follow the factors.
class FormGeometry
{
public:
    static constexpr int ColumnCount = 6;

    // The design screen: both factors 1.
    FormGeometry() = default;
    // The factors of a screen of `screen` pixels: width / 1440 and
    // height / 900, in single precision.
    explicit FormGeometry(const QSize &screen);

    float ScaleX() const { return m_scaleX; }
    float ScaleY() const { return m_scaleY; }

    int ColumnWidth(int column) const;

    // The form at its design size, and the controls' places on it.
    static QSize DesignSize();
    static QRect TabRect();
    static QRect ComboRect();
    // The list's place, widened to `width` and lengthened to `height` where
    // the list needs that much to show every column, or every row, whole.
    static QRect ListRect(int width, int height);
    // How far the chart, lowered by `squeeze`, moves down so that a list
    // reaching `listBottom` keeps the design's gap above it: nothing where
    // the chart, drawn in a font of `metrics`, stands low enough already.
    int ChartShift(int listBottom, const QFontMetrics &metrics, double squeeze = 1.0) const;
    // The design size wherever it holds the whole chart, drawn in a font of
    // `metrics` and moved down by `chartShift`, and the list at `list`;
    // otherwise grown right and down just enough to hold them with the
    // margins the design size leaves around the chart. A chart lowered by
    // `squeeze` takes no more height than it needs, nor does its margin.
    QSize FormSize(const QFontMetrics &metrics, const QRect &list, int chartShift,
                   bool verdicts = false, double squeeze = 1.0) const;

    // The chart at these factors, its lines and texts in `ink`.
    ChannelChart Chart(const QColor &ink = Qt::black, double squeeze = 1.0) const;
    // The bar the marker stands under for list row `row`; -1 for none.
    static int MarkedBar(int row);

    // The window of the small bitmap that the form shows, from a point
    // scaled to the screen, and where on the form it is shown.
    QRect BitmapSource() const;
    static QPoint BitmapOrigin() { return QPoint(20, 20); }

private:
    float m_scaleX = 1.0f;
    float m_scaleY = 1.0f;
};
