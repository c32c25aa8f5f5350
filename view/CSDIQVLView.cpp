#include "view/CSDIQVLView.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/LoadedFile.h"
#include "data/MeasurementStore.h"
#include "data/MemoryAdvice.h"
#include "data/NativePath.h"
#include "output/ChannelChart.h"
#include "output/CsvExport.h"
#include "output/StringTable.h"
#include "output/SummaryWriter.h"
#include "view/ChannelList.h"
#include "view/CPreviewView.h"
#include "view/FiberComboBox.h"
#include "view/FileDialogs.h"
#include "view/PrintDialogs.h"
#include "view/PrintJob.h"
#include "view/Resources.h"
#include "view/SummaryDialog.h"
#include "view/TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QScreen>
#include <QTableWidget>
#include <QWindow>

#include <utility>

namespace {

constexpr int kColumnCount = FormGeometry::ColumnCount;
// The column the verdicts add after the design's six.
constexpr int kMarginColumn = kColumnCount;

const char *const kColumnHeadings[kColumnCount + 1] = {
    "Channel", "WaveLength", "Power", "Threshold", "Date", "Time", "Margin"};

// The first column always stands left, whatever it asks for, as the
// platform's list did; the others are centred.
Qt::Alignment columnAlignment(int column)
{
    return column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
}

} // namespace

CSDIQVLView::CSDIQVLView(QWidget *parent)
    : QWidget(parent), m_tabFiles(new ::TabFiles(this)), m_comboFiber(new FiberComboBox(this)),
      m_listChannels(new ChannelList(this))
{
    Resources::Init();
    m_bitmap131 = QPixmap(QStringLiteral(":/res/bitmap131.png"));
    setFont(Resources::FormFont());
    setFixedSize(FormGeometry::DesignSize());
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);

    placeControls();
    m_tabFiles->setObjectName(QStringLiteral("tabFiles"));
    m_comboFiber->setObjectName(QStringLiteral("comboFiber"));
    m_listChannels->setObjectName(QStringLiteral("listChannels"));

    m_listChannels->setShowGrid(true);
    m_listChannels->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listChannels->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listChannels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listChannels->setWordWrap(false);
    m_listChannels->verticalHeader()->hide();
    m_listChannels->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    m_listChannels->horizontalHeader()->setHighlightSections(false);
    m_listChannels->horizontalHeader()->setStretchLastSection(false);

    connect(m_tabFiles, &TabFiles::readStarted, this, &CSDIQVLView::OnReadStarted);
    connect(m_tabFiles, &TabFiles::readProgress, this, &CSDIQVLView::OnReadProgress);
    connect(m_tabFiles, &TabFiles::readWaiting, this, &CSDIQVLView::OnReadWaiting);
    connect(m_tabFiles, &TabFiles::fileRead, this, &CSDIQVLView::OnFileRead);
    connect(m_tabFiles, &TabFiles::verdictsRead, this, &CSDIQVLView::OnVerdictsRead);
    connect(m_tabFiles, &TabFiles::filesOpened, this, &CSDIQVLView::filesOpened);
    connect(m_tabFiles, &TabFiles::rereadStarted, this, &CSDIQVLView::OnRereadStarted);
    connect(m_tabFiles, &TabFiles::fileReread, this, &CSDIQVLView::OnFileReread);
    connect(m_tabFiles, &TabFiles::rereadFailed, this, &CSDIQVLView::OnRereadFailed);
    connect(m_tabFiles, &TabFiles::fileGone, this, &CSDIQVLView::OnFileGone);
    connect(m_comboFiber, &FiberComboBox::selEndOk, this, &CSDIQVLView::OnSelendokComboFiber);
    connect(m_comboFiber, &FiberComboBox::editChange, this,
            &CSDIQVLView::OnEditchangeComboFiber);
    connect(m_listChannels, &ChannelList::mouseClicked, this,
            &CSDIQVLView::OnClickListChannels);
    connect(m_listChannels, &ChannelList::keyMoved, this, &CSDIQVLView::OnKeydownListChannels);
}

CSDIQVLView::~CSDIQVLView() = default;

// At a fractional scale each control goes to the nearest place where its
// frame lines fall on whole device pixels, or it loses them; at a whole
// scale that is its own place. Run again whenever the form moves in its
// window or the window changes screens.
void CSDIQVLView::placeControls()
{
    Resources::PlaceOnDevicePixels(m_tabFiles, FormGeometry::TabRect());
    // The verdicts' marks stand before the names: the box widens by them,
    // never as far as the list.
    QRect combo = FormGeometry::ComboRect();
    if (m_bVerdicts)
        combo.setRight(qMin(combo.right() + m_comboFiber->fontMetrics().height() + 4,
                            m_listRect.left() - 8));
    Resources::PlaceOnDevicePixels(m_comboFiber, combo);
    // Where the columns' widths need more than the template's width, the
    // list grows to the right; to show a fiber's 18 rows, it grows down.
    Resources::PlaceOnDevicePixels(m_listChannels, m_listRect);
}

void CSDIQVLView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QWindow *handle = window()->windowHandle())
        connect(handle, &QWindow::screenChanged, this, &CSDIQVLView::placeControls,
                Qt::UniqueConnection);
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

// The list as long as a fiber's rows need where the room allows, the chart
// moved down below it as far as it must, and the form holding both: the
// chart is drawn at the screen's factors, and its readout must be seen.
void CSDIQVLView::layOut()
{
    const QFontMetrics metrics = fontMetrics();
    const int width = m_listChannels->WholeWidth();
    const QRect designList = FormGeometry::ListRect(width, 0);
    const int designHeight = m_geometry.FormSize(metrics, designList, 0, m_bVerdicts).height();
    // As many whole rows as the room takes, down to the design's list.
    m_listRect = designList;
    for (int rows = ChannelTable::FiberSize; rows > 0; --rows) {
        const int height = m_listChannels->WholeHeight(rows);
        if (height <= designList.height())
            break;
        const QRect list = FormGeometry::ListRect(width, height);
        const int shift = m_geometry.ChartShift(list.bottom(), metrics);
        if (m_geometry.FormSize(metrics, list, shift, m_bVerdicts).height()
            <= qMax(designHeight, m_heightLimit)) {
            m_listRect = list;
            break;
        }
    }
    m_chartShift = m_geometry.ChartShift(m_listRect.bottom(), metrics);
    placeControls();
    const QSize form = m_geometry.FormSize(metrics, m_listRect, m_chartShift, m_bVerdicts);
    setFixedSize(form);
    emit formSized(form);
}

// Runs again on File New: the six columns are made once, their widths
// follow the factors of every run, widened where their texts need more.
void CSDIQVLView::setUpColumns()
{
    const int columns = m_bVerdicts ? kColumnCount + 1 : kColumnCount;
    if (m_listChannels->columnCount() != columns) {
        m_listChannels->setColumnCount(columns);
        for (int column = 0; column < columns; ++column) {
            auto *heading = new QTableWidgetItem(QString::fromLatin1(kColumnHeadings[column]));
            heading->setTextAlignment(columnAlignment(column));
            m_listChannels->setHorizontalHeaderItem(column, heading);
        }
    }
    QList<int> least;
    for (int column = 0; column < kColumnCount; ++column)
        least.append(m_geometry.ColumnWidth(column));
    least.append(m_geometry.ColumnWidth(kColumnCount - 1));
    // The widest texts the file's columns hold, and a margin with its mark.
    static const QStringList widest{QStringLiteral("00"),       QStringLiteral("0000.0"),
                                    QStringLiteral("-000.00"),  QStringLiteral("-000.00"),
                                    QStringLiteral("0000-00-00"), QStringLiteral("00:00:00"),
                                    QStringLiteral("MM-000.00")};
    m_listChannels->FitColumns(least, widest);
}

// The file shown so far goes as soon as another is read, so that a big
// file is never held twice; the view repaints without the chart.
void CSDIQVLView::OnReadStarted(const QString &name)
{
    clearFile();
    emit noticeChanged(QString());
    emit readProgress(tr("Reading %1").arg(name), 0);
}

// The file shown changed on disk: it stays on screen while it is read again.
void CSDIQVLView::OnRereadStarted(const QString &name)
{
    emit readProgress(tr("Reading %1 again: it changed on disk").arg(name), 0);
}

// The new version in place of the old, with the same fiber chosen (by its
// name, else at its place in the box) and the same channel clicked.
void CSDIQVLView::OnFileReread(const LoadedFile &file)
{
    if (m_nNewFilesHeld > 0) {
        m_pendingFile = file;
        m_bPendingIsReread = true;
        m_pendingVerdicts.reset();
        return;
    }
    const int pos = m_comboFiber->GetCurSel();
    const QByteArray name = m_comboFiber->GetLBBytes(pos);
    const int channel = m_nMarkerRow;
    emit noticeChanged(QString());
    OnFileRead(file);
    if (pos < 0 || m_comboFiber->GetCount() == 0)
        return;
    int found = -1;
    for (int i = 0; i < m_comboFiber->GetCount() && found < 0; ++i) {
        if (m_comboFiber->GetLBBytes(i) == name)
            found = i;
    }
    showEntry(found >= 0 ? found : qMin(pos, m_comboFiber->GetCount() - 1));
    if (channel >= 0 && channel < m_listChannels->rowCount()) {
        m_listChannels->selectRow(channel);
        showChannel(channel);
    }
}

void CSDIQVLView::OnRereadFailed(const QString &error)
{
    emit readProgress(QString(), -1);
    emit noticeChanged(tr("%1 The window shows the file as it was read before.").arg(error));
}

void CSDIQVLView::OnFileGone(const QString &name)
{
    emit noticeChanged(tr("%1 is no longer on disk; the window shows it as it was read.").arg(name));
}

void CSDIQVLView::OnReadProgress(const QString &name, int percent)
{
    emit readProgress(tr("Reading %1").arg(name), percent);
}

// A FIFO or a device with nothing to give yet: the window goes on, and the
// tab can be left or closed at any moment.
void CSDIQVLView::OnReadWaiting(const QString &name, bool waiting)
{
    emit readProgress(waiting ? tr("%1: waiting for data").arg(name) : tr("Reading %1").arg(name), 0);
}

void CSDIQVLView::OnFileRead(const LoadedFile &file)
{
    if (m_nNewFilesHeld > 0) {
        m_pendingFile = file;
        m_bPendingIsReread = false;
        m_pendingVerdicts.reset();
        return;
    }
    clearFile();
    m_strHeader = file.header;
    ParseTable(file);
    m_bFileShown = !file.rows.IsEmpty() || !file.header.isEmpty();
    emit readProgress(QString(), -1);
    emit fileShown();
}

void CSDIQVLView::OnVerdictsRead(const LoadedFile::Verdicts &verdicts)
{
    // The verdicts of a version not shown yet wait with it.
    if (m_pendingFile) {
        m_pendingVerdicts = verdicts;
        return;
    }
    m_verdicts = verdicts;
    m_bVerdictsKnown = true;
    m_comboFiber->SetVerdicts(verdicts.byBlock, MeasurementStore::Instance().Rows());
    showYield();
    if (m_summary)
        m_summary->SetFile(m_verdicts, MeasurementStore::Instance().Rows(), fiberEntryNames());
}

void CSDIQVLView::clearFile()
{
    MeasurementStore::Instance().Clear();
    m_report.Clear();
    m_strHeader = QByteArray();
    m_verdicts = LoadedFile::Verdicts();
    m_bVerdictsKnown = false;
    m_bFileShown = false;
    m_nShownBlock = -1;
    showYield();
    if (m_summary)
        m_summary->SetFile(m_verdicts, MeasurementRows(), {});
    m_comboFiber->ResetContent();
    m_listChannels->setRowCount(0);
    clearChart();
    update();
}

void CSDIQVLView::clearChart()
{
    m_bChartShown = false;
    m_chartPowers.clear();
    m_chartVerdicts.clear();
    m_nMarkerRow = -1;
}

// The rows were cut while the file was read: the store and the report
// share them.
void CSDIQVLView::ParseTable(const LoadedFile &file)
{
    MeasurementStore::Instance().Rows() = file.rows;
    m_report.SetRows(file.rows);
    FillFiberCombo(file);
}

void CSDIQVLView::FillFiberCombo(const LoadedFile &file)
{
    m_comboFiber->AddSorted(file.names, file.shownNames, file.boxOrder);
}

void CSDIQVLView::OnSelendokComboFiber()
{
    m_nFiberIndex = m_comboFiber->GetCurSel();
    m_listChannels->setRowCount(0);
    m_nShownBlock = m_comboFiber->GetItemBlock(m_nFiberIndex);
    // A bar for each row the block has and whose power is a number.
    m_chartPowers = QList<ChannelChart::Power>(ChannelChart::BarCount);
    m_chartVerdicts = QList<ChannelChart::Verdict>(ChannelChart::BarCount);
    // The entry's own block, wherever sorting or renaming has put the entry:
    // the list always shows the rows whose names the box shows and exports.
    const qsizetype block = m_comboFiber->GetItemBlock(m_nFiberIndex);
    if (block >= 0) {
        const MeasurementRows &rows = MeasurementStore::Instance().Rows();
        const qsizetype first = block * ChannelTable::FiberSize;
        // A short last block shows the rows it has.
        const qsizetype end = qMin(first + ChannelTable::FiberSize, rows.Count());
        for (qsizetype r = first; r < end; ++r) {
            const MeasurementRows::Row row = rows.At(r);
            appendChannelRow(row);
            m_chartPowers[r - first] = ChannelTable::PowerValue(row.text(MeasurementRow::Power));
            const ThresholdJudge::Channel channel = ThresholdJudge::JudgeChannel(row);
            m_chartVerdicts[r - first] = {ChannelTable::PowerValue(row.text(MeasurementRow::Threshold)),
                                          channel.failures != ThresholdJudge::NoFailure};
            showMargin(int(r - first), channel);
        }
    }
    m_strSelChannel.clear();
    m_strSelWaveLength.clear();
    m_strSelPower.clear();
    m_strSelThreshold.clear();
    m_strSelMargin.clear();
    m_nMarkerRow = -1;
    DrawChart();
}

void CSDIQVLView::appendChannelRow(const MeasurementRows::Row &row)
{
    const int n = m_listChannels->rowCount();
    m_listChannels->insertRow(n);
    const QByteArray texts[kColumnCount] = {
        row.text(MeasurementRow::Channel).toByteArray(),
        row.text(MeasurementRow::WaveLength).toByteArray(),
        ChannelTable::ListedPower(row.text(MeasurementRow::Power)),
        row.text(MeasurementRow::Threshold).toByteArray(),
        row.text(MeasurementRow::Date).toByteArray(),
        row.text(MeasurementRow::Time).toByteArray(),
    };
    for (int column = 0; column < kColumnCount; ++column) {
        auto *item = new QTableWidgetItem(CodePage936::Decode(texts[column]));
        item->setTextAlignment(columnAlignment(column));
        m_listChannels->setItem(n, column, item);
    }
}

// The channel's margin in the column the verdicts add, two places, empty
// where it has none, a failing channel's marked with the mark of a fail.
void CSDIQVLView::showMargin(int row, const ThresholdJudge::Channel &channel)
{
    if (!m_bVerdicts || row < 0 || row >= m_listChannels->rowCount())
        return;
    QByteArray margin;
    if (channel.margin)
        SummaryWriter::AppendPlaces(margin, *channel.margin, 2);
    auto *item = new QTableWidgetItem(QString::fromLatin1(margin));
    item->setTextAlignment(columnAlignment(kMarginColumn));
    if (channel.failures != ThresholdJudge::NoFailure) {
        item->setIcon(Resources::VerdictIcon(false));
        const QString why = tr("fails: %1").arg(SummaryWriter::Reasons(channel.failures));
        item->setToolTip(why);
        item->setData(Qt::AccessibleTextRole, item->text() + QLatin1String(", ") + why);
    }
    m_listChannels->setItem(row, kMarginColumn, item);
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
        const MeasurementRows &rows = MeasurementStore::Instance().Rows();
        const qsizetype first = m_nShownBlock * ChannelTable::FiberSize;
        for (int i = 0; i < m_listChannels->rowCount() && first + i < rows.Count(); ++i)
            showMargin(i, ThresholdJudge::JudgeChannel(rows.At(first + i)));
        if (m_nMarkerRow >= 0)
            m_strSelMargin = m_listChannels->item(m_nMarkerRow, kMarginColumn)->text();
    }
    m_comboFiber->ShowVerdicts(shown);
    layOut();
    showYield();
    update();
}

// The file's yield in the status bar while the verdicts are shown: the
// share of fibers that pass, rounded down, so that only a file where every
// fiber passes shows 100 %.
void CSDIQVLView::showYield()
{
    if (!m_bVerdicts || !m_bFileShown || !m_bVerdictsKnown) {
        emit yieldChanged(QString());
        return;
    }
    const qsizetype fibers = m_verdicts.judge.FiberCount();
    const qsizetype passed = fibers - m_verdicts.judge.FailedCount();
    if (fibers == 0) {
        emit yieldChanged(tr("No fibers to judge"));
        return;
    }
    const qint64 tenths = SummaryWriter::YieldMillionths(fibers, m_verdicts.judge.FailedCount()) / 1000;
    const QString share = QStringLiteral("%1.%2 %").arg(tenths / 10).arg(tenths % 10);
    emit yieldChanged(fibers == 1 ? tr("%1 of 1 fiber passes (%2)").arg(passed).arg(share)
                                  : tr("%1 of %2 fibers pass (%3)").arg(passed).arg(fibers).arg(share));
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
    if (!m_bVerdicts || !m_bVerdictsKnown || count == 0)
        return;
    const int from = m_comboFiber->GetCurSel() >= 0 ? m_comboFiber->GetCurSel() : (step > 0 ? -1 : 0);
    for (int i = 1; i <= count; ++i) {
        const int pos = ((from + step * i) % count + count) % count;
        const LoadedFile::Verdict *verdict = m_comboFiber->GetItemVerdict(pos);
        if (verdict && !verdict->passed()) {
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

// The names the fiber box gives the blocks, by block.
QStringList CSDIQVLView::fiberEntryNames() const
{
    QStringList names(int(ChannelTable::FiberCount(MeasurementStore::Instance().Rows().Count())));
    for (int pos = 0; pos < m_comboFiber->GetCount(); ++pos) {
        const qsizetype block = m_comboFiber->GetItemBlock(pos);
        if (block >= 0 && block < names.size())
            names[block] = m_comboFiber->GetLBText(pos).trimmed();
    }
    return names;
}

void CSDIQVLView::OnViewSummary()
{
    if (!m_summary) {
        m_summary = new SummaryDialog(this);
        connect(m_summary, &SummaryDialog::fiberChosen, this, &CSDIQVLView::showBlock);
    }
    const MeasurementRows &rows = MeasurementStore::Instance().Rows();
    if (!m_bVerdictsKnown && !rows.IsEmpty()) {
        LoadedFile::Judge(rows, &m_verdicts);
        m_bVerdictsKnown = true;
    }
    m_summary->SetFile(m_verdicts, rows, fiberEntryNames());
    m_summary->show();
    m_summary->raise();
    m_summary->activateWindow();
}

void CSDIQVLView::OnEditchangeComboFiber()
{
    // Before any choice there is no entry to rename; after a file with
    // fewer fibers the position chosen last may not exist.
    const int pos = m_nFiberIndex;
    if (pos < 0 || pos >= m_comboFiber->GetCount())
        return;
    const qsizetype block = m_comboFiber->GetItemBlock(pos);
    const QString text = m_comboFiber->GetWindowText();
    m_comboFiber->DeleteString(pos);
    m_comboFiber->InsertString(pos, text, block);
    m_comboFiber->SetCurSel(pos);
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
        text = m_comboFiber->GetLBText(m_comboFiber->GetCurSel()).trimmed();
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
    if (m_comboFiber->GetCount() == 0)
        return;
    showChannel(m_listChannels->currentRow());
}

void CSDIQVLView::showChannel(int row)
{
    auto cellText = [this, row](int column) {
        const QTableWidgetItem *item = row >= 0 ? m_listChannels->item(row, column) : nullptr;
        return item ? item->text() : QString();
    };
    m_strSelChannel = cellText(0);
    m_strSelWaveLength = cellText(1);
    m_strSelPower = cellText(2);
    m_strSelThreshold = cellText(3);
    m_strSelMargin = cellText(kMarginColumn);
    m_nMarkerRow = FormGeometry::MarkedBar(row);
    DrawChart();
}

void CSDIQVLView::DrawChart()
{
    m_bChartShown = true;
    repaint();
}

// What the fiber box names each block: its entries' exact bytes.
QList<CsvExport::BlockName> CSDIQVLView::entryNames() const
{
    QList<CsvExport::BlockName> names;
    for (int i = 0; i < m_comboFiber->GetCount(); ++i)
        names.append({m_comboFiber->GetItemBlock(i), m_comboFiber->GetLBBytes(i)});
    return names;
}

void CSDIQVLView::OnFileSave()
{
    if (m_strSavePath.isEmpty())
        OnFileSaveAs();
    if (m_strSavePath.isEmpty())
        return;
    // Save never rewrites the remembered file; it only brings it back.
    if (!QFileInfo::exists(m_strSavePath))
        OnFileSaveAs();
}

void CSDIQVLView::OnFileSaveAs()
{
    const MeasurementRows &rows = MeasurementStore::Instance().Rows();
    const QByteArray text = CsvExport::Text(rows, CsvExport::BlockNames(rows, entryNames()));

    const QString chosen = dialogs().GetSaveFileName(this, FileDialogs::SaveFilter(), QString());
    if (chosen.isEmpty())
        return;
    bool remember = false;
    const QString path = CsvExport::SavePath(chosen, &remember);
    QString error;
    if (!CsvExport::WriteFile(path, text, &error)) {
        dialogs().ShowMessage(this, error);
        return; // a file that was not written is not one for Save to keep
    }
    if (!error.isEmpty()) // written, with something to know of it
        dialogs().ShowMessage(this, error);
    if (remember)
        m_strSavePath = path;
}

PrintDialogs &CSDIQVLView::printDialogs() const
{
    return m_pPrintDialogs ? *m_pPrintDialogs : PrintDialogs::Default();
}

// The report's rows stay those of the file shown from the print dialog to
// the job's end: a file, or a new version of it, read meanwhile is shown
// after.
void CSDIQVLView::holdNewFiles()
{
    ++m_nNewFilesHeld;
}

void CSDIQVLView::releaseNewFiles()
{
    if (--m_nNewFilesHeld > 0 || !m_pendingFile)
        return;
    const LoadedFile file = std::exchange(*m_pendingFile, LoadedFile());
    m_pendingFile.reset();
    if (m_bPendingIsReread)
        OnFileReread(file);
    else
        OnFileRead(file);
    if (m_pendingVerdicts) {
        const LoadedFile::Verdicts verdicts = std::move(*m_pendingVerdicts);
        m_pendingVerdicts.reset();
        OnVerdictsRead(verdicts);
    }
}

void CSDIQVLView::OnFilePrint()
{
    holdNewFiles();
    const auto release = qScopeGuard([this] { releaseNewFiles(); });
    QPrinter printer(QPrinter::HighResolution);
    // The job's name in the print queue, and the title of a PDF.
    printer.setDocName(StringTable::DocumentTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // The report's page total is known before the dialog opens.
    dialog.setMinMax(1, m_report.PageCount());
    if (!printDialogs().ExecPrintDialog(dialog))
        return;
    int from = 0;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    PrintJob job(m_report, printer, window());
    const PrintJob::Result result = job.Run(from, to);
    OnEndPrinting();
    // A cancelled job is no failure: the user stopped it.
    if (result == PrintJob::Failed)
        dialogs().ShowMessage(this, tr("The report could not be printed on \"%1\": %2")
                                        .arg(printer.outputFileName().isEmpty()
                                                 ? printer.printerName()
                                                 : printer.outputFileName(),
                                             job.ErrorString()));
    else if (!job.Notice().isEmpty())
        dialogs().ShowMessage(this, job.Notice());
}

void CSDIQVLView::OnFilePrintPreview()
{
    holdNewFiles();
    const auto release = qScopeGuard([this] { releaseNewFiles(); });
    const QPrinter printer(QPrinter::HighResolution);
    bool print = false;
    {
        CPreviewView preview(m_report, printer, m_nPreviewPages, window());
        // The preview takes the place of the main window, as big as it is.
        preview.resize(window()->size());
        printDialogs().ExecPreview(preview);
        if (preview.Pages() != m_nPreviewPages) {
            m_nPreviewPages = preview.Pages();
            emit previewPagesChanged(m_nPreviewPages);
        }
        print = preview.PrintChosen();
    } // the pages on screen go with the preview
    ReleaseFreedMemory();
    OnEndPrinting();
    if (print)
        OnFilePrint();
}

void CSDIQVLView::OnEndPrinting()
{
    if (QWidget *main = window())
        main->repaint();
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
    const ChannelChart chart = m_geometry.Chart(palette().color(QPalette::WindowText));
    painter.save();
    painter.translate(0, m_chartShift); // below a list grown for a fiber's rows
    chart.Draw(painter, m_chartPowers, m_strSelChannel, m_strSelWaveLength, m_strSelPower);
    if (m_bVerdicts) {
        chart.DrawVerdicts(painter, m_chartPowers, m_chartVerdicts);
        chart.DrawVerdictReadout(painter, m_strSelThreshold, m_strSelMargin);
    }
    chart.DrawMarker(painter, m_nMarkerRow);
    painter.restore();
}
