#include "view/CSDIQVLView.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/NativePath.h"
#include "document/DocumentManager.h"
#include "output/SummaryTextWriter.h"
#include "output/SummaryWriter.h"
#include "view/ChannelList.h"
#include "view/ExportCommands.h"
#include "view/FiberComboBox.h"
#include "view/FileDialogs.h"
#include "view/PrintCommands.h"
#include "view/PrintDialogs.h"
#include "view/Resources.h"
#include "view/SummaryDialog.h"
#include "view/TabFiles.h"
#include "view/TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTableWidget>
#include <QWindow>

#include <cmath>

namespace {

// A channel's margin as the line under the chart reads it: signed, with its
// unit, as the command line writes it; why there is none where it has none.
QString readoutMargin(const ThresholdJudge::Channel &channel)
{
    QByteArray text;
    if (channel.margin)
        SummaryTextWriter::AppendMargin(text, *channel.margin);
    else
        text = SummaryWriter::ReasonsUtf8(channel.failures & (ThresholdJudge::Low | ThresholdJudge::NoNumber)).toByteArray();
    return text.isEmpty() ? QString() : QLatin1Char(' ') + QString::fromUtf8(text);
}

} // namespace

CSDIQVLView::CSDIQVLView(DocumentManager *manager, QWidget *parent)
    : QWidget(parent), m_ownManager(manager ? nullptr : new DocumentManager),
      m_manager(manager ? manager : m_ownManager.get()), m_tabFiles(new TabFiles(*m_manager, this)),
      m_comboFiber(new FiberComboBox(this)), m_listChannels(new ChannelList(this)),
      m_export(new ExportCommands(Document(), this)), m_print(new PrintCommands(Document(), m_report, this))
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
            [this](const QString &message) { dialogs().ShowMessage(this, message); });
    connect(m_comboFiber, &FiberComboBox::selEndOk, this, &CSDIQVLView::OnSelendokComboFiber);
    connect(m_comboFiber, &FiberComboBox::editChange, this, &CSDIQVLView::OnEditchangeComboFiber);
    connect(m_listChannels, &ChannelList::mouseClicked, this, &CSDIQVLView::OnClickListChannels);
    connect(m_listChannels, &ChannelList::keyMoved, this, &CSDIQVLView::OnKeydownListChannels);
}

CSDIQVLView::~CSDIQVLView() = default;

ResultDocument &CSDIQVLView::Document() const
{
    return m_manager->Document();
}

FileDialogs &CSDIQVLView::dialogs() const
{
    return m_pDialogs ? *m_pDialogs : FileDialogs::Default();
}

PrintDialogs &CSDIQVLView::printDialogs() const
{
    return m_pPrintDialogs ? *m_pPrintDialogs : PrintDialogs::Default();
}

// At a fractional scale each control goes to the nearest place where its
// frame lines fall on whole device pixels, or it loses them; at a whole
// scale that is its own place. Run again whenever the form moves in its
// window or the window changes screens.
void CSDIQVLView::placeControls()
{
    Resources::PlaceOnDevicePixels(m_tabFiles, FormGeometry::TabRect());
    Resources::PlaceOnDevicePixels(m_comboFiber, m_layout.combo);
    Resources::PlaceOnDevicePixels(m_listChannels, m_layout.list);
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

// The chart keeps at least 200 pixels of the screen's for its axis, and
// more on a screen that draws it bigger.
void CSDIQVLView::layOut()
{
    FormLayout::Needs needs;
    needs.comboWidth = m_comboFiber->WholeWidth(m_bVerdicts);
    needs.listWidth = m_listChannels->WholeWidth();
    needs.listHeight = [this](int rows) { return m_listChannels->WholeHeight(rows); };
    needs.verdicts = m_bVerdicts;
    needs.heightLimit = m_heightLimit;
    needs.minAxis = int(std::ceil(200 * m_geometry.Chart().ScaleY() / devicePixelRatioF()));
    m_layout = FormLayout::Make(m_geometry, fontMetrics(), needs);
    placeControls();
    setFixedSize(m_layout.form);
    emit formSized(m_layout.form);
}

void CSDIQVLView::setUpColumns()
{
    QList<int> least;
    for (int column = 0; column < ChannelList::DesignColumns; ++column)
        least.append(m_geometry.ColumnWidth(column));
    least.append(m_geometry.ColumnWidth(ChannelList::DesignColumns - 1));
    m_listChannels->SetUpColumns(m_bVerdicts, least);
}

void CSDIQVLView::documentChanged(ResultDocument::Changes what)
{
    if (what & (ResultDocument::NewFile | ResultDocument::NewVersion))
        showFile(what & ResultDocument::NewVersion);
    if (what & ResultDocument::Verdicts)
        m_comboFiber->VerdictsChanged();
}

// Another file: the box lists its fibers, none chosen, the list and the
// chart are empty. A new version of the file shown: the same fiber chosen
// (by its name, else at its place in the box) and the same channel clicked.
void CSDIQVLView::showFile(bool sameFile)
{
    const int pos = m_comboFiber->GetCurSel();
    const int channel = m_nMarkerRow;
    const ResultDocument &document = Document();
    m_report.SetRows(document.Rows());
    m_comboFiber->ResetContent();
    QList<QByteArray> names;
    QStringList shown;
    for (qsizetype block = 0; block < document.FiberCount(); ++block) {
        names.append(document.FiberName(block));
        shown.append(document.ShownName(block));
    }
    m_comboFiber->AddSorted(names, shown, document.BoxOrder());
    m_listChannels->setRowCount(0);
    m_nShownBlock = -1;
    clearChart();
    update();
    if (!sameFile || pos < 0 || m_comboFiber->GetCount() == 0)
        return;
    const qsizetype found = document.FiberNamed(m_shownName);
    showEntry(found >= 0 ? int(document.BoxOrder().indexOf(found)) : qMin(pos, m_comboFiber->GetCount() - 1));
    if (channel >= 0 && channel < m_listChannels->rowCount()) {
        m_listChannels->selectRow(channel);
        showChannel(channel);
    }
}

void CSDIQVLView::clearChart()
{
    m_bChartShown = false;
    m_chartPowers.clear();
    m_chartVerdicts.clear();
    m_nMarkerRow = -1;
}

void CSDIQVLView::OnSelendokComboFiber()
{
    m_nFiberIndex = m_comboFiber->GetCurSel();
    // The entry's own fiber, wherever sorting or renaming has put the entry.
    m_nShownBlock = m_comboFiber->GetItemBlock(m_nFiberIndex);
    const ResultDocument &document = Document();
    m_shownName = document.FiberName(m_nShownBlock);
    const QList<ThresholdJudge::Channel> channels = document.Channels(m_nShownBlock);
    m_listChannels->ShowFiber(document, m_nShownBlock, channels);
    // A bar for each row the fiber has and whose power is a number.
    m_chartPowers = QList<ChannelChart::Power>(ChannelChart::BarCount);
    m_chartVerdicts = QList<ChannelChart::Verdict>(ChannelChart::BarCount);
    const qsizetype first = m_nShownBlock * ChannelTable::FiberSize;
    for (int i = 0; i < channels.size() && i < ChannelChart::BarCount; ++i) {
        const MeasurementRows::Row row = document.Rows().At(first + i);
        m_chartPowers[i] = ChannelTable::PowerValue(row.text(MeasurementRow::Power));
        m_chartVerdicts[i] = {ChannelTable::PowerValue(row.text(MeasurementRow::Threshold)),
                              channels.at(i).failures != ThresholdJudge::NoFailure};
    }
    m_strSelChannel.clear();
    m_strSelWaveLength.clear();
    m_strSelPower.clear();
    m_strSelThreshold.clear();
    m_strSelMargin.clear();
    m_nMarkerRow = -1;
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
    if (shown && m_nShownBlock >= 0) {
        const QList<ThresholdJudge::Channel> channels = Document().Channels(m_nShownBlock);
        m_listChannels->ShowMargins(channels);
        if (m_nMarkerRow >= 0 && m_nMarkerRow < channels.size())
            m_strSelMargin = readoutMargin(channels.at(m_nMarkerRow));
    }
    m_comboFiber->ShowVerdicts(shown);
    layOut();
    update();
}

void CSDIQVLView::OnNextFailure()
{
    showFailure(+1);
}

void CSDIQVLView::OnPrevFailure()
{
    showFailure(-1);
}

// The next failing entry of the fiber box from the one chosen, the way
// `step` goes, round the end of the box; chosen as a click would.
void CSDIQVLView::showFailure(int step)
{
    const int count = m_comboFiber->GetCount();
    if (!m_bVerdicts || !Document().VerdictsKnown() || count == 0)
        return;
    const int from = m_comboFiber->GetCurSel() >= 0 ? m_comboFiber->GetCurSel() : (step > 0 ? -1 : 0);
    for (int i = 1; i <= count; ++i) {
        const int pos = ((from + step * i) % count + count) % count;
        if (Document().MarkOf(m_comboFiber->GetItemBlock(pos)) == ResultDocument::Mark::Fails) {
            showEntry(pos);
            return;
        }
    }
}

void CSDIQVLView::showEntry(int pos)
{
    m_comboFiber->SetCurSel(pos);
    OnSelendokComboFiber();
}

void CSDIQVLView::showBlock(qsizetype block)
{
    for (int pos = 0; pos < m_comboFiber->GetCount(); ++pos) {
        if (m_comboFiber->GetItemBlock(pos) == block) {
            showEntry(pos);
            return;
        }
    }
}

void CSDIQVLView::OnViewSummary()
{
    if (!m_summary) {
        m_summary = new SummaryDialog(Document(), this);
        connect(m_summary, &SummaryDialog::fiberChosen, this, &CSDIQVLView::showBlock);
    }
    m_summary->show();
    m_summary->raise();
    m_summary->activateWindow();
}

void CSDIQVLView::OnFileOpen()
{
    m_manager->OpenFiles(dialogs().GetOpenFileNames(this, FileDialogs::OpenFilter()));
}

QStringList CSDIQVLView::OpenFiles(const QStringList &paths)
{
    return m_manager->OpenFiles(paths);
}

void CSDIQVLView::OnNextTab()
{
    m_manager->ShowTabAlong(+1);
}

void CSDIQVLView::OnPrevTab()
{
    m_manager->ShowTabAlong(-1);
}

void CSDIQVLView::OnCloseTab()
{
    m_manager->CloseTab();
}

bool CSDIQVLView::ForgetMissingFile(const QString &path)
{
    return dialogs().Ask(this, tr("\"%1\" is no longer there. Take it off the recent files?")
                                   .arg(NativePath::Display(path)));
}

void CSDIQVLView::OnEditCopy()
{
    const QWidget *focus = QApplication::focusWidget();
    QString text;
    if (focus && m_comboFiber->isAncestorOf(focus)) {
        text = Document().ShownName(m_comboFiber->GetItemBlock(m_comboFiber->GetCurSel())).trimmed();
        if (text.isEmpty())
            return;
    } else {
        if (m_listChannels->rowCount() == 0)
            return;
        text = TableText::TabSeparated(*m_listChannels);
    }
    QApplication::clipboard()->setText(text);
}

void CSDIQVLView::OnEditFind()
{
    m_comboFiber->OpenFind();
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
    m_strSelThreshold = cellText(3);
    const QList<ThresholdJudge::Channel> channels = Document().Channels(m_nShownBlock);
    m_strSelMargin = row >= 0 && row < channels.size() ? readoutMargin(channels.at(row)) : QString();
    m_nMarkerRow = FormGeometry::MarkedBar(row);
    DrawChart();
}

void CSDIQVLView::DrawChart()
{
    m_bChartShown = true;
    repaint();
}

void CSDIQVLView::OnFileSave()
{
    m_export->OnFileSave(dialogs());
}

void CSDIQVLView::OnFileSaveAs()
{
    m_export->OnFileSaveAs(dialogs());
}

void CSDIQVLView::OnFilePrint()
{
    m_print->OnFilePrint(printDialogs(), dialogs());
}

void CSDIQVLView::OnFilePrintPreview()
{
    const int pages = m_nPreviewPages;
    m_print->OnFilePrintPreview(printDialogs(), dialogs(), m_nPreviewPages);
    if (m_nPreviewPages != pages)
        emit previewPagesChanged(m_nPreviewPages);
}

void CSDIQVLView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    OnDraw(painter);
}

void CSDIQVLView::OnDraw(QPainter &painter)
{
    painter.save();
    m_report.SetupDC(painter);
    painter.drawPixmap(FormGeometry::BitmapOrigin(), m_bitmap131, m_geometry.BitmapSource());
    painter.restore();

    // The chart works in client pixels, whatever units the bitmap used.
    if (!m_bChartShown)
        return;
    // Lines and texts in the palette's text colour over its window colour,
    // which fills the view's background.
    const ChannelChart chart = m_geometry.Chart(palette().color(QPalette::WindowText), m_layout.squeeze);
    painter.save();
    painter.translate(0, m_layout.chartShift); // below a list grown for a fiber's rows
    chart.Draw(painter, m_chartPowers, m_strSelChannel, m_strSelWaveLength, m_strSelPower);
    if (m_bVerdicts) {
        chart.DrawVerdicts(painter, m_chartPowers, m_chartVerdicts);
        chart.DrawVerdictReadout(painter, m_strSelThreshold, m_strSelMargin);
    }
    chart.DrawMarker(painter, m_nMarkerRow);
    painter.restore();
}
