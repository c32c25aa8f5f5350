#pragma once

#include <QColor>

// The colours a chart of the population is drawn in.
struct ChartColours
{
    QColor ink;   // texts, axes, threshold and marks
    QColor paper; // the background
    QColor grid;  // panel frames
    QColor pass;  // bars of passing values, a good Cpk
    QColor fail;  // bars of failing values, a low Cpk
    QColor fair;  // a fair Cpk
    QColor band;  // the marginal band above the threshold
    static ChartColours Light();
    // Readable on a background of `paper` drawn with `ink`.
    static ChartColours On(const QColor &ink, const QColor &paper);
};
