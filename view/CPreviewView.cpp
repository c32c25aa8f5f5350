#include "view/CPreviewView.h"

#include "output/PrintReport.h"
#include "output/StringTable.h"
#include "view/PreviewPageArea.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>

using namespace StringTable;

CPreviewView::CPreviewView(const PrintReport &report, const QPrinter &printer, int pages,
                           QWidget *parent)
    : QDialog(parent), m_nTotal(report.PageCount()), m_nPages(pages == 2 ? 2 : 1),
      m_toolBar(new QToolBar(this)), m_scroll(new QScrollArea(this)),
      m_pageArea(new PreviewPageArea(report, printer)),
      m_pageBar(new QScrollBar(Qt::Vertical, this)), m_statusBar(new QStatusBar(this))
{
    setWindowTitle(LoadString(AFX_IDS_APP_TITLE));
    createToolBar();
    m_pageArea->setObjectName(QStringLiteral("pageArea"));
    m_scroll->setWidget(m_pageArea);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->installEventFilter(this);
    connect(m_pageArea, &PreviewPageArea::pageTurned, this, &CPreviewView::OnTurnPage);
    connect(m_pageArea, &PreviewPageArea::sheetClicked, this, &CPreviewView::OnClickSheet);
    m_pageBar->setObjectName(QStringLiteral("pageBar"));
    m_pageBar->setPageStep(1);
    connect(m_pageBar, &QScrollBar::valueChanged, this, &CPreviewView::SetCurrentPage);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);

    auto *sheets = new QHBoxLayout;
    sheets->setSpacing(0);
    sheets->addWidget(m_scroll);
    sheets->addWidget(m_pageBar);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_toolBar);
    column->addLayout(sheets, 1);
    column->addWidget(m_statusBar);

    const struct { QKeySequence key; void (CPreviewView::*handler)(); } keys[] = {
        {QKeySequence(Qt::Key_PageDown), &CPreviewView::OnNextPage},
        {QKeySequence(Qt::Key_PageUp), &CPreviewView::OnPrevPage},
        {QKeySequence(Qt::Key_Home), &CPreviewView::OnFirstPage},
        {QKeySequence(Qt::Key_End), &CPreviewView::OnLastPage},
    };
    for (const auto &key : keys)
        connect(new QShortcut(key.key, this), &QShortcut::activated, this, key.handler);

    layOutPages();
    updateControls();
}

CPreviewView::~CPreviewView() = default;

void CPreviewView::createToolBar()
{
    const struct {
        Command command;
        const char *name;
        const char *text;
        void (CPreviewView::*handler)();
    } buttons[] = {
        {Print, "print", QT_TR_NOOP("&Print..."), &CPreviewView::OnPreviewPrint},
        {NextPage, "nextPage", QT_TR_NOOP("&Next Page"), &CPreviewView::OnNextPage},
        {PrevPage, "prevPage", QT_TR_NOOP("Pre&v Page"), &CPreviewView::OnPrevPage},
        {NumPage, "numPage", QT_TR_NOOP("&Two Page"), &CPreviewView::OnNumPageChange},
        {ZoomInButton, "zoomIn", QT_TR_NOOP("Zoom &In"), &CPreviewView::OnZoomIn},
        {ZoomOutButton, "zoomOut", QT_TR_NOOP("Zoom &Out"), &CPreviewView::OnZoomOut},
        {Close, "close", QT_TR_NOOP("&Close"), &QDialog::reject},
    };
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    for (const auto &entry : buttons) {
        auto *button = new QPushButton(tr(entry.text), m_toolBar);
        button->setObjectName(QString::fromLatin1(entry.name));
        // The keys stay with the pages; a button answers to its mnemonic.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, entry.handler);
        m_toolBar->addWidget(button);
        m_buttons[entry.command] = button;
    }
    m_buttons[Close]->setStatusTip(Prompt(AFX_IDS_PREVIEW_CLOSE));
    m_buttons[Close]->setToolTip(ToolTip(AFX_IDS_PREVIEW_CLOSE));
}

// The sheets side by side when zoomed out: never more than there are pages.
int CPreviewView::fitted() const
{
    return qMin(m_nPages, m_nTotal);
}

int CPreviewView::pagesOnScreen() const
{
    return PreviewGeometry::Shown(m_zoom, fitted());
}

// The highest first page: the last page stays on screen in two-page view.
int CPreviewView::lastFirstPage() const
{
    return qMax(1, m_nTotal - pagesOnScreen() + 1);
}

QString CPreviewView::pageText() const
{
    if (pagesOnScreen() == 2)
        return tr("Pages %1-%2 of %3").arg(m_nCurrentPage).arg(m_nCurrentPage + 1).arg(m_nTotal);
    return tr("Page %1 of %2").arg(m_nCurrentPage).arg(m_nTotal);
}

void CPreviewView::SetCurrentPage(int page)
{
    page = qBound(1, page, lastFirstPage());
    if (page == m_nCurrentPage)
        return;
    m_nCurrentPage = page;
    updateControls();
    showPages();
}

void CPreviewView::OnPreviewPrint()
{
    m_bPrint = true;
    accept();
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnFirstPage()
{
    SetCurrentPage(1);
}

void CPreviewView::OnLastPage()
{
    SetCurrentPage(lastFirstPage());
}

void CPreviewView::OnTurnPage(int step)
{
    SetCurrentPage(m_nCurrentPage + step);
}

void CPreviewView::OnNumPageChange()
{
    if (m_zoom != PreviewGeometry::ZoomOut)
        return;
    m_nPages = m_nPages == 2 ? 1 : 2;
    m_nCurrentPage = qBound(1, m_nCurrentPage, lastFirstPage());
    layOutPages();
    updateControls();
}

void CPreviewView::OnZoomIn()
{
    if (m_zoom != PreviewGeometry::ZoomIn)
        setZoom(PreviewGeometry::Zoom(m_zoom + 1));
}

void CPreviewView::OnZoomOut()
{
    if (m_zoom != PreviewGeometry::ZoomOut)
        setZoom(PreviewGeometry::Zoom(m_zoom - 1));
}

// A click on a sheet zooms in on that point, one step at a time, and the
// click after the last step shows the whole sheet again.
void CPreviewView::OnClickSheet(int slot, const QPoint &pos)
{
    if (m_zoom == PreviewGeometry::ZoomIn) {
        setZoom(PreviewGeometry::ZoomOut);
        return;
    }
    // The clicked page becomes the one shown: the same point on its sheet
    // as it would lie in the first slot.
    const QPoint focus = pos - (m_pageArea->SheetRect(slot).topLeft()
                                - m_pageArea->SheetRect(0).topLeft());
    m_nCurrentPage += slot;
    setZoom(PreviewGeometry::Zoom(m_zoom + 1), focus);
}

// `focus`, a point of the page area, stays under the pointer where it can.
void CPreviewView::setZoom(PreviewGeometry::Zoom zoom, const QPoint &focus)
{
    const QRect before = m_pageArea->SheetRect(0);
    QPointF within(0.5, 0.5);
    if (focus.x() >= 0 && before.width() > 0 && before.height() > 0)
        within = QPointF(qreal(focus.x() - before.x()) / before.width(),
                         qreal(focus.y() - before.y()) / before.height());
    const QPoint onScreen = focus.x() >= 0 ? m_pageArea->mapTo(m_scroll->viewport(), focus)
                                           : m_scroll->viewport()->rect().center();
    m_zoom = zoom;
    m_nCurrentPage = qBound(1, m_nCurrentPage, lastFirstPage());
    layOutPages();
    updateControls();
    if (m_zoom != PreviewGeometry::ZoomOut) {
        const QRect after = m_pageArea->SheetRect(0);
        const QPoint target(after.x() + qRound(within.x() * after.width()),
                            after.y() + qRound(within.y() * after.height()));
        m_scroll->horizontalScrollBar()->setValue(target.x() - onScreen.x());
        m_scroll->verticalScrollBar()->setValue(target.y() - onScreen.y());
    }
}

void CPreviewView::showPages()
{
    m_pageArea->ShowPages(m_nCurrentPage, m_zoom, fitted(), m_scroll->maximumViewportSize());
}

// Zoomed out the sheets fit the scroll area; zoomed in, it scrolls.
void CPreviewView::layOutPages()
{
    m_scroll->setWidgetResizable(m_zoom == PreviewGeometry::ZoomOut);
    showPages();
}

void CPreviewView::updateControls()
{
    const bool fit = m_zoom == PreviewGeometry::ZoomOut;
    m_buttons[NextPage]->setEnabled(m_nCurrentPage < lastFirstPage());
    m_buttons[PrevPage]->setEnabled(m_nCurrentPage > 1);
    // The button tells what it switches to.
    m_buttons[NumPage]->setText(m_nPages == 2 ? tr("&One Page") : tr("&Two Page"));
    m_buttons[NumPage]->setEnabled(fit && (m_nTotal > 1 || m_nPages == 2));
    m_buttons[ZoomInButton]->setEnabled(m_zoom != PreviewGeometry::ZoomIn);
    m_buttons[ZoomOutButton]->setEnabled(m_zoom != PreviewGeometry::ZoomOut);

    const QSignalBlocker blocker(m_pageBar);
    m_pageBar->setRange(1, lastFirstPage());
    m_pageBar->setValue(m_nCurrentPage);
    m_pageBar->setVisible(fit && lastFirstPage() > 1);
    m_statusBar->showMessage(pageText());
}

bool CPreviewView::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // A button's prompt while the pointer rests on it, else the pages.
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        m_statusBar->showMessage(tip.isEmpty() ? pageText() : tip);
        return true;
    }
    return QDialog::event(event);
}

// The sheets follow the size of the scroll area.
bool CPreviewView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll && event->type() == QEvent::Resize)
        showPages();
    return QDialog::eventFilter(watched, event);
}
