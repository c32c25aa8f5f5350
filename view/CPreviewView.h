#pragma once

#include "output/PrintReport.h"

#include <QDialog>
#include <QImage>
#include <QList>
#include <QRect>

class QPrinter;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QStatusBar;
class QToolBar;

// Print preview: the report's pages as the printer will print them, over
// the main window, with the preview's tool bar and a status bar naming the
// pages shown. A page is drawn only when it comes on screen, so the last of
// 30,000 pages costs what the second one does, and only the pages on screen
// are kept.
class CPreviewView : public QDialog
{
    Q_OBJECT
public:
    // The tool bar's buttons, left to right.
    enum Command { Print, NextPage, PrevPage, NumPage, ZoomInButton, ZoomOutButton, Close,
                   CommandCount };
    enum ZoomState { ZoomOut, ZoomMiddle, ZoomIn };

    // Shows the pages of `report` on the paper of `printer` (the page size
    // and resolution it would print with), `pages` side by side: 2 for two,
    // anything else one.
    CPreviewView(const PrintReport &report, const QPrinter &printer, int pages,
                 QWidget *parent = nullptr);
    ~CPreviewView() override;

    int CurrentPage() const { return m_nCurrentPage; } // the first page shown
    int PageTotal() const { return m_nTotal; }
    // The one- or two-page choice (1 or 2); zoomed in, one page is shown.
    int Pages() const { return m_nPages; }
    int PagesOnScreen() const;
    ZoomState Zoom() const { return m_zoom; }
    // The preview was closed by Print...: the report is to be printed.
    bool PrintChosen() const { return m_bPrint; }
    QPushButton *Button(Command command) const { return m_buttons[command]; }
    QToolBar *ToolBar() const { return m_toolBar; }
    QStatusBar *StatusBar() const { return m_statusBar; }
    QString PageText() const;

    void SetCurrentPage(int page);
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPageChange();
    void OnZoomIn();
    void OnZoomOut();
    void OnFirstPage();
    void OnLastPage();

signals:
    // Page `page` was drawn for the screen.
    void pageDrawn(int page);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ShownPage
    {
        int page = 0;
        QSize size; // of the printable area on screen, in logical pixels
        QImage image;
    };

    void createToolBar();
    int lastFirstPage() const;
    qreal fitScale() const;
    qreal scale() const;
    QRect pageRect(int slot) const;
    QRect printableRect(const QRect &paper) const;
    void layOutPages();
    void updateControls();
    void setZoom(ZoomState zoom, const QPoint &focus = QPoint(-1, -1));
    void paintPages();
    QImage drawPage(int page, const QSize &size);
    bool wheelPages(int delta);
    void clickPage(const QPoint &pos);

    const PrintReport m_report; // shares the view's rows
    const QPrinter &m_printer;
    int m_nTotal = 1;
    int m_nCurrentPage = 1;
    int m_nPages = 1;
    ZoomState m_zoom = ZoomOut;
    bool m_bPrint = false;
    int m_wheelDelta = 0;
    QRect m_paper;     // the sheet, in printer pixels
    QRect m_printable; // where the printer draws on it, in printer pixels

    QToolBar *m_toolBar;
    QPushButton *m_buttons[CommandCount] = {};
    QScrollArea *m_scroll;
    QWidget *m_pageArea;
    QScrollBar *m_pageBar;
    QStatusBar *m_statusBar;
    QList<ShownPage> m_shown; // the pages on screen, as last drawn
};
