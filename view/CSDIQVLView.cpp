#include "view/CSDIQVLView.h"

#include "data/CodePage936.h"
#include "view/ImageFiles.h"
#include "view/OpenDatabaseDialog.h"
#include "view/PopulationWindows.h"
#include "view/Resources.h"
#include "view/TabFiles.h"
#include "view/TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTableWidget>
#include <QWindow>

CSDIQVLView::CSDIQVLView(DocumentManager *manager, QWidget *parent)
    : QWidget(parent), m_ownManager(manager ? nullptr : new DocumentManager),
      m_manager(manager ? manager : m_ownManager.get()), m_tabFiles(new TabFiles(*m_manager, this)),
      m_comboFiber(new FiberComboBox(this)), m_listChannels(new ChannelList(this)),
      m_export(new ExportCommands(Document(), this)), m_print(new PrintCommands(Document(), m_report, m_bVerdicts, this)),
      m_windows(new PopulationWindows(Document(), this)),
      m_lotView(new LotView(*m_manager, this))
{
    Resources::Init();
    m_bitmap131 = QPixmap(QStringLiteral(":/res/bitmap131.png"));
    setFont(Resources::FormFont());
    setFixedSize(FormGeometry::DesignSize());
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_layout = FormLayout::Make(m_geometry, fontMetrics(), {});
    placeControls();
    m_tabFiles->setObjectName(QStringLiteral("tabFiles"));
    m_comboFiber->setObjectName(QStringLiteral("comboFiber"));
    m_listChannels->setObjectName(QStringLiteral("listChannels"));
    m_comboFiber->SetDocument(&Document());

    connect(&Document(), &ResultDocument::changed, this, &CSDIQVLView::documentChanged);
    connect(&Document(), &ResultDocument::fiberRenamed, this, &CSDIQVLView::fiberRenamed);
    connect(m_manager, &DocumentManager::failed, this,
            [this](const QString &message) { Dialogs().ShowMessage(this, message); });
    connect(m_comboFiber, &FiberComboBox::selEndOk, this, &CSDIQVLView::OnSelendokComboFiber);
    connect(m_comboFiber, &FiberComboBox::editChange, this, &CSDIQVLView::OnEditchangeComboFiber);
    connect(m_comboFiber, &FiberComboBox::filterChosen, this, &CSDIQVLView::fiberFilterChosen);
    connect(m_windows, &PopulationWindows::fiberChosen, this, &CSDIQVLView::showBlock);
    connect(m_lotView, &LotView::trendSaveRequested, this, [this] { m_lotView->SaveTrendImage(Dialogs()); });
    connect(m_windows, &PopulationWindows::fibersListed, m_comboFiber, &FiberComboBox::ShowOnly);
    // A what-if judges the file shown by it; what is applied is the app's.
    connect(m_windows, &PopulationWindows::limitsTried, m_manager, &DocumentManager::SetLimits);
    connect(m_windows, &PopulationWindows::limitsApplied, this, &CSDIQVLView::limitsApplied);
    connect(m_listChannels, &ChannelList::mouseClicked, this, &CSDIQVLView::OnClickListChannels);
    connect(m_listChannels, &ChannelList::keyMoved, this, &CSDIQVLView::OnKeydownListChannels);
    connect(m_manager, &DocumentManager::currentTabChanged, this, &CSDIQVLView::showTabKind);
}

CSDIQVLView::~CSDIQVLView() = default;

// At a fractional scale each control goes to the nearest place where its
// frame lines fall on whole device pixels, or it loses them; at a whole
// scale that is its own place. Run again whenever the form moves in its
// window or the window changes screens.
void CSDIQVLView::placeControls()
{
    Resources::PlaceOnDevicePixels(m_tabFiles, FormGeometry::TabRect());
    Resources::PlaceOnDevicePixels(m_comboFiber, m_layout.combo);
    Resources::PlaceOnDevicePixels(m_listChannels, m_layout.list);
    const int top = m_tabFiles->geometry().bottom() + 1;
    m_lotView->setGeometry(0, top, width(), height() - top);
}

void CSDIQVLView::showTabKind(int index)
{
    LotDocument *lot = m_manager->Lot(index);
    m_lotView->SetLot(lot);
    m_lotView->setVisible(lot != nullptr);
    m_comboFiber->setVisible(lot == nullptr);
    m_listChannels->setVisible(lot == nullptr);
    // The lot's tab takes the window's room, the least its controls need
    // at the fonts in use kept (the window scrolls below that).
    if (lot) {
        const int top = m_tabFiles->geometry().bottom() + 1;
        setMinimumSize(m_lotView->minimumSizeHint().expandedTo(QSize(480, 320)) + QSize(0, top));
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (!m_layout.form.isEmpty()) {
        setFixedSize(m_layout.form);
    }
    emit fillsWindow(lot != nullptr);
    if (lot)
        placeControls();
}

void CSDIQVLView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_lotView->isVisible())
        placeControls();
}

void CSDIQVLView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QWindow *handle = window()->windowHandle())
        connect(handle, &QWindow::screenChanged, this, &CSDIQVLView::placeControls, Qt::UniqueConnection);
    placeControls();
}

void CSDIQVLView::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    placeControls();
}

void CSDIQVLView::OnInitialUpdate()
{
    QSize screen = m_screenSize;
    if (screen.isEmpty() && QGuiApplication::primaryScreen())
        screen = QGuiApplication::primaryScreen()->geometry().size();
    m_geometry = FormGeometry(screen);
    setUpColumns();
    layOut();
}

void CSDIQVLView::LimitHeight(int height)
{
    if (height >= m_heightLimit)
        return;
    m_heightLimit = height;
    layOut();
}

void CSDIQVLView::layOut()
{
    m_layout = FormLayout::Make(m_geometry, fontMetrics(),
                                FormLayout::NeedsOf(*m_comboFiber, *m_listChannels, m_geometry, m_bVerdicts,
                                                    m_heightLimit, devicePixelRatioF()));
    placeControls();
    setFixedSize(m_layout.form);
    emit formSized(m_layout.form);
}

// Another file: its fibers in the box, none chosen, the list and the chart
// empty; a file shown before (a tab shown again), the fiber and channel
// chosen then. A new version of the file shown: the same fiber chosen (by
// its name, else at its place in the box) and the same channel clicked.
void CSDIQVLView::documentChanged(ResultDocument::Changes what)
{
    if (what & (ResultDocument::NewFile | ResultDocument::NewVersion)) {
        const int pos = m_comboFiber->GetCurSel();
        const int channel = m_chart.MarkedBar();
        if (what & ResultDocument::NewFile)
            keepChoiceOf(pos, channel);
        ParseTable();
        if ((what & ResultDocument::NewVersion) && pos >= 0 && m_comboFiber->GetCount() > 0) {
            const qsizetype found = Document().FiberNamed(m_shownName);
            chooseAgain(found >= 0 ? int(Document().BoxOrder().indexOf(found)) : qMin(pos, m_comboFiber->GetCount() - 1),
                        channel);
        } else if (const auto kept = m_choices.constFind(m_choicePath); kept != m_choices.constEnd()) {
            const qsizetype found = Document().FiberNamed(kept->name);
            if (found >= 0)
                chooseAgain(int(Document().BoxOrder().indexOf(found)), kept->channel);
        }
    }
    if (what & ResultDocument::Verdicts) {
        m_comboFiber->VerdictsChanged();
        if (m_nShownBlock >= 0)
            m_chart.VerdictsChanged(Document(), m_nShownBlock);
        update();
    }
}

// What was chosen in the file shown until now is kept for its tab.
void CSDIQVLView::keepChoiceOf(int pos, int channel)
{
    if (!m_choicePath.isEmpty() && pos >= 0)
        m_choices.insert(m_choicePath, {m_shownName, channel});
    m_choicePath = Document().Path();
}

void CSDIQVLView::showBlock(qsizetype block, const QByteArray &channel)
{
    m_comboFiber->ChooseEntry(m_comboFiber->FindEntry(-1, 1, [block](qsizetype entry) { return entry == block; }));
    if (channel.isEmpty() || m_nShownBlock != block)
        return;
    const QString shown = QString::fromUtf8(channel);
    for (int row = 0; row < m_listChannels->rowCount(); ++row) {
        if (m_listChannels->item(row, 0) && m_listChannels->item(row, 0)->text().trimmed() == shown) {
            m_listChannels->selectRow(row);
            showChannel(row);
            return;
        }
    }
}

void CSDIQVLView::chooseAgain(int entry, int channel)
{
    m_comboFiber->ChooseEntry(entry);
    if (channel >= 0 && channel < m_listChannels->rowCount()) {
        m_listChannels->selectRow(channel);
        showChannel(channel);
    }
}

// The rows were cut while the file was read, and the document holds them:
// the report shares them, the box lists their fibers.
void CSDIQVLView::ParseTable()
{
    m_report.SetRows(Document().Rows());
    FillFiberCombo();
    m_listChannels->setRowCount(0);
    m_nShownBlock = -1;
    m_windows->SetShownFiber(-1);
    m_chart.Clear();
    update();
}

void CSDIQVLView::FillFiberCombo()
{
    m_comboFiber->ResetContent();
    m_comboFiber->AddSorted(Document().FiberNames(), Document().ShownNames(), Document().BoxOrder());
}

void CSDIQVLView::OnSelendokComboFiber()
{
    m_nFiberIndex = m_comboFiber->GetCurSel();
    // The entry's own fiber, wherever sorting or renaming has put the entry.
    m_nShownBlock = m_comboFiber->GetItemBlock(m_nFiberIndex);
    m_shownName = Document().FiberName(m_nShownBlock);
    m_listChannels->ShowFiber(Document(), m_nShownBlock, Document().Channels(m_nShownBlock));
    m_chart.ShowFiber(Document(), m_nShownBlock);
    m_windows->SetShownFiber(m_nShownBlock);
    m_strSelChannel.clear();
    m_strSelWaveLength.clear();
    m_strSelPower.clear();
    DrawChart();
}

// Before any choice there is no fiber to rename; after a file with fewer
// fibers the position chosen last may not exist.
void CSDIQVLView::OnEditchangeComboFiber()
{
    const int pos = m_nFiberIndex;
    if (pos >= 0 && pos < m_comboFiber->GetCount())
        Document().RenameFiber(m_comboFiber->GetItemBlock(pos), CodePage936::Encode(m_comboFiber->GetWindowText()));
}

void CSDIQVLView::fiberRenamed(qsizetype block)
{
    const int pos = int(Document().BoxOrder().indexOf(block));
    if (m_comboFiber->GetItemBlock(pos) == block)
        m_comboFiber->SetItemName(pos, Document().FiberName(block), Document().ShownName(block));
    if (block == m_nShownBlock)
        m_shownName = Document().FiberName(block);
}

// Shows the verdicts, or takes them away: the design's window stays as it
// is while they are off.
void CSDIQVLView::SetVerdictsShown(bool shown)
{
    if (shown == m_bVerdicts)
        return;
    m_bVerdicts = shown;
    setUpColumns();
    if (shown && m_nShownBlock >= 0)
        m_listChannels->ShowMargins(Document().Channels(m_nShownBlock));
    m_comboFiber->ShowVerdicts(shown);
    layOut();
    update();
}

// In a lot tab, its table. The entry's text is the name the document
// shows, renames included.
void CSDIQVLView::OnViewDistributions()
{
    if (m_lotView->isVisible() && m_lotView->Lot())
        m_windows->ShowLotDistributions(Dialogs(), *m_lotView->Lot());
    else
        m_windows->ShowDistributions(Dialogs());
}

void CSDIQVLView::OnFileSave()
{
    if (m_lotView->isVisible())
        m_lotView->SaveTrendImage(Dialogs());
    else
        m_export->OnFileSave(Dialogs());
}

const LotDocument *CSDIQVLView::shownLot() const
{
    return m_lotView->isVisible() ? m_lotView->Lot() : nullptr;
}

void CSDIQVLView::OnEditCopy()
{
    const QWidget *focus = QApplication::focusWidget();
    const QString text = m_lotView->isVisible() ? m_lotView->CopiedText()
        : focus && m_comboFiber->isAncestorOf(focus) ? m_comboFiber->GetLBText(m_comboFiber->GetCurSel()).trimmed()
        : (m_listChannels->rowCount() > 0 ? TableText::TabSeparated(*m_listChannels) : QString());
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void CSDIQVLView::OnClickListChannels()
{
    if (m_comboFiber->GetCount() == 0)
        return;
    int row = -1;
    for (const QModelIndex &index : m_listChannels->selectionModel()->selectedRows())
        row = qMax(row, index.row());
    showChannel(row);
}

// A key that moves the list's current row makes that row the channel shown,
// as a click on it would.
void CSDIQVLView::OnKeydownListChannels()
{
    if (m_comboFiber->GetCount() > 0)
        showChannel(m_listChannels->currentRow());
}

void CSDIQVLView::showChannel(int row)
{
    const auto cellText = [this, row](int column) {
        const QTableWidgetItem *item = row >= 0 ? m_listChannels->item(row, column) : nullptr;
        return item ? item->text() : QString();
    };
    m_strSelChannel = cellText(0);
    m_strSelWaveLength = cellText(1);
    m_strSelPower = cellText(2);
    m_chart.MarkRow(Document(), m_nShownBlock, row, cellText(3));
    DrawChart();
}

void CSDIQVLView::OnFilePrintPreview()
{
    const int pages = m_nPreviewPages;
    m_print->OnFilePrintPreview(printDialogs(), Dialogs(), m_nPreviewPages, shownLot());
    if (m_nPreviewPages != pages)
        emit previewPagesChanged(m_nPreviewPages);
}

void CSDIQVLView::OnDraw(QPainter &painter)
{
    painter.save();
    m_report.SetupDC(painter);
    painter.drawPixmap(FormGeometry::BitmapOrigin(), m_bitmap131, m_geometry.BitmapSource());
    painter.restore();
    if (m_chart.Shown())
        drawChart(painter);
}

// The chart works in client pixels, whatever units the bitmap used; its
// lines and texts in the palette's text colour over its window colour,
// which fills the view's background.
void CSDIQVLView::drawChart(QPainter &painter)
{
    painter.save();
    painter.translate(0, m_layout.chartShift); // below a list grown for a fiber's rows
    m_chart.Draw(painter, m_geometry.Chart(palette().color(QPalette::WindowText), m_layout.squeeze), m_strSelChannel,
                 m_strSelWaveLength, m_strSelPower, m_bVerdicts);
    painter.restore();
}

// Proposed beside the file shown: NAME-FIBER.png.
void CSDIQVLView::contextMenuEvent(QContextMenuEvent *event)
{
    const QRect chart = chartExtent();
    if (!m_chart.Shown() || !chart.contains(event->pos()))
        return;
    const auto draw = [this, chart](QPainter &painter, const QRectF &area) {
        painter.fillRect(area, palette().color(QPalette::Window));
        painter.setFont(font());
        painter.translate(-chart.topLeft());
        drawChart(painter);
    };
    ImageFiles::OfferSave(event->globalPos(), Dialogs(), this, draw, chart.size(), devicePixelRatioF(),
                          Document().Name(), ImageFiles::Beside(Document().Path(), Document().ShownName(m_nShownBlock)));
}

void CSDIQVLView::OnFileOpenDatabase()
{
    OpenDatabaseDialog dialog(this);
    dialog.SetUrl(m_databaseUrl);
    if (dialog.exec() != QDialog::Accepted)
        return;
    FactoryDatabase::Query query;
    QString error;
    if (!dialog.QueryOf(&query, &error))
        return;
    m_databaseUrl = dialog.Url();
    m_manager->OpenDatabase(m_databaseUrl, query);
}
