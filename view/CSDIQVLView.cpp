#include "view/CSDIQVLView.h"

#include "app/CMainFrame.h"
#include "app/Resources.h"
#include "data/ChannelTable.h"
#include "data/MeasurementStore.h"
#include "data/ResultFile.h"
#include "view/FiberComboBox.h"
#include "view/FileDialogs.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTabBar>
#include <QTableWidget>

using Resources::DialogUnits;

const int CSDIQVLView::BaseColumnWidths[ColumnCount] = {80, 100, 80, 85, 100, 90};

namespace {

constexpr int kFormWidth = 595; // dialog units
constexpr int kFormHeight = 442;

const char *const kColumnHeadings[CSDIQVLView::ColumnCount] = {
    "Channel", "WaveLength", "Power", "Threshold", "Date", "Time"};

QRect unitRect(int x, int y, int width, int height)
{
    return QRect(DialogUnits(x), DialogUnits(y), DialogUnits(width), DialogUnits(height));
}

QString tr(const char *text)
{
    return QCoreApplication::translate("CSDIQVLView", text);
}

} // namespace

CSDIQVLView::CSDIQVLView(QWidget *parent)
    : QWidget(parent), m_tabFiles(new QTabBar(this)), m_comboFiber(new FiberComboBox(this)),
      m_listChannels(new QTableWidget(this))
{
    Resources::Init();
    m_bitmap131 = QPixmap(QStringLiteral(":/res/bitmap131.png"));
    QFont form = font();
    form.setPixelSize(12); // the form's 9-point font at 96 dpi
    setFont(form);
    setFixedSize(DialogUnits(kFormWidth), DialogUnits(kFormHeight));
    setAutoFillBackground(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);

    m_listChannels->setGeometry(unitRect(104, 14, 382, 177));
    m_comboFiber->setGeometry(unitRect(17, 19, 48, 146));
    m_tabFiles->setGeometry(unitRect(0, 0, 591, 15));

    m_listChannels->setShowGrid(true);
    m_listChannels->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listChannels->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_listChannels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listChannels->setWordWrap(false);
    m_listChannels->verticalHeader()->hide();
    m_listChannels->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2);
    m_listChannels->horizontalHeader()->setHighlightSections(false);
    m_listChannels->horizontalHeader()->setStretchLastSection(false);

    m_tabFiles->setExpanding(false);
    m_tabFiles->setUsesScrollButtons(true);
    m_tabFiles->setElideMode(Qt::ElideNone);
    // The shown file follows clicks only: keys and the wheel must not move
    // the selection away from the file on screen.
    m_tabFiles->setFocusPolicy(Qt::NoFocus);
    m_tabFiles->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tabFiles->installEventFilter(this);
    connect(m_tabFiles, &QTabBar::tabBarClicked, this, [this](int index) {
        if (m_tabButton == Qt::LeftButton)
            OnClickTabFiles(index);
    });
    connect(m_tabFiles, &QTabBar::customContextMenuRequested, this,
            &CSDIQVLView::OnRclickTabFiles);
}

CSDIQVLView::~CSDIQVLView() = default;

FileDialogs &CSDIQVLView::dialogs() const
{
    return m_pDialogs ? *m_pDialogs : FileDialogs::Default();
}

void CSDIQVLView::ScaleFactors(const QSize &screen, float &scaleX, float &scaleY)
{
    scaleX = float(screen.width() * (1.0 / 1440));
    scaleY = float(screen.height() * (1.0 / 900));
}

void CSDIQVLView::OnInitialUpdate()
{
    if (auto *frame = qobject_cast<CMainFrame *>(window()))
        frame->ResizeParentToFit(size());

    QSize screen = m_screenSize;
    if (screen.isEmpty() && QGuiApplication::primaryScreen())
        screen = QGuiApplication::primaryScreen()->geometry().size();
    ScaleFactors(screen, m_fScaleX, m_fScaleY);
    setUpColumns();
}

// Runs again on File New: the six columns are made once, their widths
// follow the factors of every run.
void CSDIQVLView::setUpColumns()
{
    if (m_listChannels->columnCount() != ColumnCount) {
        m_listChannels->setColumnCount(ColumnCount);
        for (int column = 0; column < ColumnCount; ++column) {
            auto *heading = new QTableWidgetItem(QString::fromLatin1(kColumnHeadings[column]));
            // The first column always stands left, as the platform did.
            heading->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                  : Qt::AlignCenter);
            m_listChannels->setHorizontalHeaderItem(column, heading);
        }
    }
    for (int column = 0; column < ColumnCount; ++column)
        m_listChannels->setColumnWidth(
            column, int(double(BaseColumnWidths[column]) * double(m_fScaleX)));
}

bool CSDIQVLView::readFile(const QString &path)
{
    ResultFileText text;
    QString error;
    if (!ReadResultFile(path, text, &error)) {
        m_strHeader.clear();
        m_strTable.clear();
        dialogs().ShowMessage(this, error);
        return false;
    }
    m_strHeader = std::move(text.header);
    m_strTable = std::move(text.table);
    return true;
}

bool CSDIQVLView::addTab(const QString &path)
{
    if (m_nTabCount >= MaxTabs) {
        dialogs().ShowMessage(this, tr("Cannot open \"%1\": %2 files are open already. "
                                       "Close a tab first.")
                                        .arg(path)
                                        .arg(MaxTabs));
        return false;
    }
    const QFileInfo file(path);
    TabRecord record{file.absoluteFilePath(), file.fileName().left(TabRecord::MaxNameLength)};
    m_tabRecords.append(record);
    const int index = m_tabFiles->insertTab(m_nTabCount, record.name);
    m_tabFiles->setCurrentIndex(index);
    ++m_nTabCount;
    return true;
}

QStringList CSDIQVLView::OpenFiles(const QStringList &paths)
{
    m_strHeader.clear();
    m_strTable.clear();
    QStringList opened;
    for (const QString &path : paths) {
        if (m_nTabCount >= MaxTabs) {
            addTab(path); // says why it cannot
            break;
        }
        // Read first, so that a file that cannot be read gets no tab.
        ResultFileText text;
        QString error;
        if (!ReadResultFile(path, text, &error)) {
            dialogs().ShowMessage(this, error);
            continue;
        }
        addTab(path);
        m_strHeader = std::move(text.header);
        m_strTable = std::move(text.table);
        opened.append(path);
    }
    showFileRead();
    return opened;
}

void CSDIQVLView::OnFileOpen()
{
    m_strTable.clear();
    const QStringList paths = dialogs().GetOpenFileNames(this, FileDialogs::OpenFilter());
    // A cancel shows nothing: the empty table text is parsed as well.
    OpenFiles(paths);
}

void CSDIQVLView::OnClickTabFiles(int index)
{
    if (index < 0 || index >= m_nTabCount)
        return;
    m_tabFiles->setCurrentIndex(index);
    m_strHeader.clear();
    m_strTable.clear();
    readFile(m_tabRecords[index].path);
    showFileRead();
}

void CSDIQVLView::OnRclickTabFiles(const QPoint &)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Close"), this, &CSDIQVLView::OnCloseTab);
    menu.exec(QCursor::pos());
}

void CSDIQVLView::OnCloseTab()
{
    const int closed = m_tabFiles->currentIndex();
    if (closed < 0 || closed >= m_nTabCount)
        return;
    m_tabRecords.removeAt(closed);
    --m_nTabCount;
    m_tabFiles->removeTab(closed);

    m_comboFiber->ResetContent();
    m_listChannels->setRowCount(0);
    m_strHeader.clear();
    m_strTable.clear();
    // The tab left of the closed one is shown and selected. After the first
    // tab the strip selects the new first tab, so that one is shown.
    const int shown = closed > 0 ? closed - 1 : (m_nTabCount > 0 ? 0 : -1);
    if (shown >= 0) {
        m_tabFiles->setCurrentIndex(shown);
        readFile(m_tabRecords[shown].path);
    }
    showFileRead();
}

void CSDIQVLView::showFileRead()
{
    ParseTable();
    update();
}

void CSDIQVLView::ParseTable()
{
    MeasurementStore &store = MeasurementStore::Instance();
    // The old rows go before the new ones are cut, so a big file is never
    // held twice.
    store.Clear();
    m_report.Clear();
    m_comboFiber->ResetContent();
    m_listChannels->setRowCount(0);

    store.Rows() = ChannelTable::CutTable(m_strTable);
    m_report.SetRows(store.Rows()); // shared, not copied
    m_strTable = QByteArray();
    FillFiberCombo();
}

void CSDIQVLView::FillFiberCombo()
{
    m_comboFiber->AddSorted(ChannelTable::FiberNames(MeasurementStore::Instance().Rows()));
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
    // A 640 x 320 window of the small bitmap, from a point scaled to the
    // screen; only the part that lies inside the bitmap shows.
    const QRect source(int(double(m_fScaleX) * 80), int(double(m_fScaleY) * 50), 640, 320);
    painter.drawPixmap(QPoint(20, 20), m_bitmap131, source);
    painter.restore();
}

bool CSDIQVLView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tabFiles) {
        if (event->type() == QEvent::MouseButtonPress
            || event->type() == QEvent::MouseButtonDblClick)
            m_tabButton = static_cast<QMouseEvent *>(event)->button();
        else if (event->type() == QEvent::Wheel)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
