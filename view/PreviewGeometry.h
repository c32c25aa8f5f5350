#pragma once

#include <QRect>
#include <QSize>

// Where the print preview puts its sheets of paper: how big a sheet is at
// each zoom step, where one or two sheets lie in the page area, and where
// the printer's page lies on a sheet. Sizes are in logical pixels of the
// screen unless they are said to be printer pixels.
class PreviewGeometry
{
public:
    enum Zoom { ZoomOut, ZoomMiddle, ZoomIn };

    // Space around and between the sheets.
    static constexpr int Gap = 12;
    // The shadow a sheet casts to its lower right.
    static constexpr int Shadow = 3;

    // The sheet `paper` and where the printer draws on it, `printable`, in
    // printer pixels at `resolution` dots per inch.
    PreviewGeometry(const QRect &paper, const QRect &printable, int resolution);

    // Sheets on screen: `fitted` side by side zoomed out, one zoomed in.
    static int Shown(Zoom zoom, int fitted) { return zoom == ZoomOut ? fitted : 1; }

    // Screen pixels per printer pixel. Zoomed out, `fitted` sheets side by
    // side fit `viewport`; zoomed in, a sheet has its size on paper at
    // `dpi`; the middle step lies half-way. Never less than the fit.
    qreal Scale(Zoom zoom, int fitted, const QSize &viewport, int dpi) const;
    // The page area that holds one sheet at `scale` with the gaps around it.
    QSize ZoomedArea(qreal scale) const;
    // Sheet `slot` of `shown` side by side at `scale`, centred in `area`,
    // never nearer its left or top than the gap.
    QRect SheetRect(int slot, int shown, qreal scale, const QSize &area) const;
    // Where the printer draws on `sheet`.
    QRect PrintableRect(const QRect &sheet) const;

private:
    QSize sheetSize(qreal scale) const;

    QRect m_paper;
    QRect m_printable;
    int m_resolution;
};
