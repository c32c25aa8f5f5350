#pragma once

#include "view/PreviewGeometry.h"

#include <QDialog>

class PrintReport;
class PreviewPageArea;
class QPrinter;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QStatusBar;
class QToolBar;

// Print preview: the report's pages as the printer will print them, over
// the main window, with the preview's tool bar, a scroll bar through the
// pages and a status bar naming the pages shown. The keys Page Down, Page
// Up, Home and End go through the pages.
class CPreviewView : public QDialog
{
    Q_OBJECT
public:
    // Shows the pages of `report` on the paper of `printer` (the page size
    // and resolution it would print with), `pages` side by side: 2 for two,
    // anything else one.
    CPreviewView(const PrintReport &report, const QPrinter &printer, int pages,
                 QWidget *parent = nullptr);
    ~CPreviewView() override;

    // The one- or two-page choice (1 or 2); zoomed in, one page is shown.
    int Pages() const { return m_nPages; }
    // The preview was closed by Print...: the report is to be printed.
    bool PrintChosen() const { return m_bPrint; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void SetCurrentPage(int page);
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnFirstPage();
    void OnLastPage();
    void OnTurnPage(int step);
    void OnClickSheet(int slot, const QPoint &pos);

private:
    // The tool bar's buttons, left to right.
    enum Command { Print, NextPage, PrevPage, NumPage, ZoomInButton, ZoomOutButton, Close,
                   CommandCount };

    void createToolBar();
    int fitted() const;
    int pagesOnScreen() const;
    int lastFirstPage() const;
    QString pageText() const;
    void showPages();
    void layOutPages();
    void updateControls();
    void setZoom(PreviewGeometry::Zoom zoom, const QPoint &focus = QPoint(-1, -1));

    int m_nTotal = 1;
    int m_nCurrentPage = 1; // the first page shown
    int m_nPages = 1;
    PreviewGeometry::Zoom m_zoom = PreviewGeometry::ZoomOut;
    bool m_bPrint = false;

    QToolBar *m_toolBar;
    QPushButton *m_buttons[CommandCount] = {};
    QScrollArea *m_scroll;
    PreviewPageArea *m_pageArea;
    QScrollBar *m_pageBar;
    QStatusBar *m_statusBar;
};
