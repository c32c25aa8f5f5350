#include "view/CPreviewView.h"

#include "output/ReportPrinter.h"
#include "output/StringTable.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace StringTable;

namespace {

// Space around and between the sheets, in logical pixels.
constexpr int kGap = 12;
// The shadow a sheet casts to its lower right.
constexpr int kShadow = 3;

} // namespace

CPreviewView::CPreviewView(const PrintReport &report, const QPrinter &printer, int pages,
                           QWidget *parent)
    : QDialog(parent), m_report(report), m_printer(printer), m_nTotal(report.PageCount()),
      m_nPages(pages == 2 ? 2 : 1), m_toolBar(new QToolBar(this)),
      m_scroll(new QScrollArea(this)), m_pageArea(new QWidget),
      m_pageBar(new QScrollBar(Qt::Vertical, this)), m_statusBar(new QStatusBar(this))
{
    setWindowTitle(LoadString(AFX_IDS_APP_TITLE));
    const QPageLayout layout = printer.pageLayout();
    m_paper = layout.fullRectPixels(printer.resolution());
    m_printable = layout.paintRectPixels(printer.resolution());
    if (printer.fullPage())
        m_printable = m_paper;

    createToolBar();
    m_scroll->setWidget(m_pageArea);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->installEventFilter(this);
    m_pageArea->setBackgroundRole(QPalette::Dark);
    m_pageArea->setAutoFillBackground(true);
    m_pageArea->installEventFilter(this);
    m_pageBar->setPageStep(1);
    connect(m_pageBar, &QScrollBar::valueChanged, this, &CPreviewView::SetCurrentPage);
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
    const struct { Command command; const char *text; void (CPreviewView::*handler)(); } buttons[] = {
        {Print, "&Print...", &CPreviewView::OnPreviewPrint},
        {NextPage, "&Next Page", &CPreviewView::OnNextPage},
        {PrevPage, "Pre&v Page", &CPreviewView::OnPrevPage},
        {NumPage, "&Two Page", &CPreviewView::OnNumPageChange},
        {ZoomInButton, "Zoom &In", &CPreviewView::OnZoomIn},
        {ZoomOutButton, "Zoom &Out", &CPreviewView::OnZoomOut},
        {Close, "&Close", &QDialog::reject},
    };
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    for (const auto &entry : buttons) {
        auto *button = new QPushButton(tr(entry.text), m_toolBar);
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

int CPreviewView::PagesOnScreen() const
{
    return m_zoom == ZoomOut ? qMin(m_nPages, m_nTotal) : 1;
}

// The highest first page: the last page stays on screen in two-page view.
int CPreviewView::lastFirstPage() const
{
    return qMax(1, m_nTotal - PagesOnScreen() + 1);
}

QString CPreviewView::PageText() const
{
    if (PagesOnScreen() == 2)
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
    m_pageArea->update();
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

void CPreviewView::OnNumPageChange()
{
    if (m_zoom != ZoomOut)
        return;
    m_nPages = m_nPages == 2 ? 1 : 2;
    m_nCurrentPage = qBound(1, m_nCurrentPage, lastFirstPage());
    layOutPages();
    updateControls();
}

void CPreviewView::OnZoomIn()
{
    if (m_zoom != ZoomIn)
        setZoom(ZoomState(m_zoom + 1));
}

void CPreviewView::OnZoomOut()
{
    if (m_zoom != ZoomOut)
        setZoom(ZoomState(m_zoom - 1));
}

// `focus`, a point of the page area, stays under the pointer where it can.
void CPreviewView::setZoom(ZoomState zoom, const QPoint &focus)
{
    const QRect before = pageRect(0);
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
    if (m_zoom != ZoomOut) {
        const QRect after = pageRect(0);
        const QPoint target(after.x() + qRound(within.x() * after.width()),
                            after.y() + qRound(within.y() * after.height()));
        m_scroll->horizontalScrollBar()->setValue(target.x() - onScreen.x());
        m_scroll->verticalScrollBar()->setValue(target.y() - onScreen.y());
    }
}

qreal CPreviewView::fitScale() const
{
    const QSize area = m_scroll->maximumViewportSize();
    const int pages = qMin(m_nPages, m_nTotal);
    const qreal width = qreal(area.width() - (pages + 1) * kGap) / pages;
    const qreal height = area.height() - 2 * kGap;
    return qMax(0.01, qMin(width / m_paper.width(), height / m_paper.height()));
}

// Screen pixels per printer pixel. Zoomed in, the sheet has its size on
// paper; half-way between that and the fit one step before.
qreal CPreviewView::scale() const
{
    const qreal fit = fitScale();
    const qreal actual = qreal(m_pageArea->logicalDpiX()) / m_printer.resolution();
    switch (m_zoom) {
    case ZoomOut: return fit;
    case ZoomMiddle: return qMax(fit, (fit + actual) / 2);
    case ZoomIn: return qMax(fit, actual);
    }
    return fit;
}

// The sheet in slot 0 or 1, in page-area pixels, centred in the area.
QRect CPreviewView::pageRect(int slot) const
{
    const qreal s = scale();
    const QSize sheet(qRound(m_paper.width() * s), qRound(m_paper.height() * s));
    const int pages = PagesOnScreen();
    const int rowWidth = pages * sheet.width() + (pages - 1) * kGap;
    const QSize area = m_pageArea->size();
    const int left = qMax(kGap, (area.width() - rowWidth) / 2);
    const int top = qMax(kGap, (area.height() - sheet.height()) / 2);
    return QRect(QPoint(left + slot * (sheet.width() + kGap), top), sheet);
}

QRect CPreviewView::printableRect(const QRect &paper) const
{
    const qreal sx = qreal(paper.width()) / m_paper.width();
    const qreal sy = qreal(paper.height()) / m_paper.height();
    const QPoint topLeft(paper.x() + qRound((m_printable.x() - m_paper.x()) * sx),
                         paper.y() + qRound((m_printable.y() - m_paper.y()) * sy));
    return QRect(topLeft, QSize(qRound(m_printable.width() * sx),
                                qRound(m_printable.height() * sy)));
}

void CPreviewView::layOutPages()
{
    if (m_zoom == ZoomOut) {
        m_scroll->setWidgetResizable(true);
    } else {
        m_scroll->setWidgetResizable(false);
        const qreal s = scale();
        m_pageArea->resize(qRound(m_paper.width() * s) + 2 * kGap,
                           qRound(m_paper.height() * s) + 2 * kGap);
    }
    m_pageArea->update();
}

void CPreviewView::updateControls()
{
    const bool fit = m_zoom == ZoomOut;
    m_buttons[NextPage]->setEnabled(m_nCurrentPage < lastFirstPage());
    m_buttons[PrevPage]->setEnabled(m_nCurrentPage > 1);
    // The button tells what it switches to.
    m_buttons[NumPage]->setText(m_nPages == 2 ? tr("&One Page") : tr("&Two Page"));
    m_buttons[NumPage]->setEnabled(fit && (m_nTotal > 1 || m_nPages == 2));
    m_buttons[ZoomInButton]->setEnabled(m_zoom != ZoomIn);
    m_buttons[ZoomOutButton]->setEnabled(m_zoom != ZoomOut);

    const QSignalBlocker blocker(m_pageBar);
    m_pageBar->setRange(1, lastFirstPage());
    m_pageBar->setValue(m_nCurrentPage);
    m_pageBar->setVisible(fit && lastFirstPage() > 1);
    m_statusBar->showMessage(PageText());
}

QImage CPreviewView::drawPage(int page, const QSize &size)
{
    const qreal ratio = m_pageArea->devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Printer pixels onto the image: the page is laid out for the printer.
    painter.scale(qreal(size.width()) / m_printable.width(),
                  qreal(size.height()) / m_printable.height());
    ReportPrinter::PaintPage(m_report, painter, page, m_nTotal, &m_printer);
    painter.end();
    emit pageDrawn(page);
    return image;
}

void CPreviewView::paintPages()
{
    QList<ShownPage> shown;
    QPainter painter(m_pageArea);
    for (int slot = 0; slot < PagesOnScreen(); ++slot) {
        const int page = m_nCurrentPage + slot;
        const QRect paper = pageRect(slot);
        const QRect printable = printableRect(paper);
        painter.fillRect(paper.translated(kShadow, kShadow), Qt::black);
        painter.fillRect(paper, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(paper.adjusted(0, 0, -1, -1));

        ShownPage entry{page, printable.size(), QImage()};
        for (const ShownPage &old : std::as_const(m_shown))
            if (old.page == page && old.size == entry.size)
                entry.image = old.image;
        if (entry.image.isNull())
            entry.image = drawPage(page, entry.size);
        // Only inside the sheet's border.
        painter.setClipRect(paper.adjusted(1, 1, -1, -1));
        painter.drawImage(printable.topLeft(), entry.image);
        painter.setClipping(false);
        shown.append(entry);
    }
    m_shown = shown; // pages no longer on screen go
}

bool CPreviewView::wheelPages(int delta)
{
    if (m_zoom != ZoomOut)
        return false; // zoomed in, the wheel scrolls the sheet
    m_wheelDelta += delta;
    while (m_wheelDelta >= 120) {
        m_wheelDelta -= 120;
        OnPrevPage();
    }
    while (m_wheelDelta <= -120) {
        m_wheelDelta += 120;
        OnNextPage();
    }
    return true;
}

// A click on a sheet zooms in on that point, one step at a time, and the
// click after the last step shows the whole sheet again.
void CPreviewView::clickPage(const QPoint &pos)
{
    for (int slot = 0; slot < PagesOnScreen(); ++slot) {
        if (!pageRect(slot).contains(pos))
            continue;
        if (m_zoom == ZoomIn) {
            setZoom(ZoomOut);
            return;
        }
        const QPoint focus = pos - QPoint(slot * (pageRect(0).width() + kGap), 0);
        m_nCurrentPage += slot;
        setZoom(ZoomState(m_zoom + 1), focus);
        return;
    }
}

bool CPreviewView::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // A button's prompt while the pointer rests on it, else the pages.
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        m_statusBar->showMessage(tip.isEmpty() ? PageText() : tip);
        return true;
    }
    return QDialog::event(event);
}

bool CPreviewView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pageArea) {
        switch (event->type()) {
        case QEvent::Paint:
            paintPages();
            return true;
        case QEvent::Wheel:
            return wheelPages(static_cast<QWheelEvent *>(event)->angleDelta().y());
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton)
                clickPage(mouse->position().toPoint());
            return true;
        }
        default:
            break;
        }
    } else if (watched == m_scroll && event->type() == QEvent::Resize && m_zoom != ZoomOut) {
        layOutPages();
    }
    return QDialog::eventFilter(watched, event);
}
