#pragma once

#include "output/PrintReport.h"
#include "view/PreviewGeometry.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QWidget>

#include <memory>

class QPrinter;

// The print preview's sheets, in its scroll area. A page is drawn only when
// it comes on screen, so the last of 30,000 pages costs what the second one
// does, and only the pages on screen are kept. The mouse asks the preview
// for its steps: while the sheets fit, the wheel turns pages; a left click
// on a sheet asks for a zoom on that point.
class PreviewPageArea : public QWidget
{
    Q_OBJECT
public:
    // The pages of `report` on the paper of `printer`.
    PreviewPageArea(const PrintReport &report, const QPrinter &printer, QWidget *parent = nullptr);

    // Shows pages from `firstPage` at `zoom`, `fitted` sheets side by side
    // zoomed out, fitted to `viewport`. Zoomed in, the area takes the size
    // of its one sheet.
    void ShowPages(int firstPage, PreviewGeometry::Zoom zoom, int fitted, const QSize &viewport);
    // Sheet `slot` as it is shown, in the area's pixels.
    QRect SheetRect(int slot) const;

signals:
    // Page `page` was drawn for the screen.
    void pageDrawn(int page);
    // A notch of the wheel while the sheets fit: one page on (1) or back (-1).
    void pageTurned(int step);
    // A left click at `pos` on the sheet in `slot`.
    void sheetClicked(int slot, const QPoint &pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    struct ShownPage
    {
        int page = 0;
        QSize size; // of the printable area on screen
        QImage image;
    };

    int shown() const { return PreviewGeometry::Shown(m_zoom, m_fitted); }
    qreal scale() const;
    QImage drawPage(int page, const QSize &size);

    const std::unique_ptr<const PrintReport> m_report; // shares the view's rows
    const QPrinter &m_printer;
    const int m_nTotal;
    QRect m_printable; // where the printer draws, in printer pixels
    PreviewGeometry m_geometry;
    int m_nFirstPage = 1;
    PreviewGeometry::Zoom m_zoom = PreviewGeometry::ZoomOut;
    int m_fitted = 1;
    QSize m_viewport;
    int m_wheelDelta = 0;
    QList<ShownPage> m_shown; // the pages on screen, as last drawn
};
