#include "view/LotView.h"

#include "data/NativePath.h"
#include "document/DocumentManager.h"
#include "lot/LotDocument.h"
#include "lot/LotTrend.h"
#include "output/Wording.h"
#include "view/AlarmList.h"
#include "view/FileDialogs.h"
#include "view/ImageFiles.h"
#include "view/LotTableModel.h"
#include "view/TableText.h"
#include "view/TrendView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

LotView::LotView(DocumentManager &manager, QWidget *parent)
    : QWidget(parent), m_manager(manager), m_table(new LotTableModel(this)), m_figures(new QLabel(this)),
      m_subfolders(new QCheckBox(tr("Subfolders"), this)), m_find(new QLineEdit(this)), m_channel(new QComboBox(this)),
      m_progress(new QProgressBar(this)), m_view(new QTableView(this)), m_trend(new TrendView(this)),
      m_across(new QComboBox(this)), m_yield(new QComboBox(this)), m_baseline(new QSpinBox(this)),
      m_alarms(new AlarmList(this))
{
    setAutoFillBackground(true);
    setObjectName(QStringLiteral("lotView"));
    hide(); // until it has a lot to show
    m_figures->setObjectName(QStringLiteral("lotFigures"));
    m_figures->setWordWrap(true); // the figures are read whole at any width
    m_subfolders->setObjectName(QStringLiteral("lotSubfolders"));
    m_find->setObjectName(QStringLiteral("lotFind"));
    m_channel->setObjectName(QStringLiteral("lotChannel"));
    m_progress->setObjectName(QStringLiteral("lotProgress"));
    m_view->setObjectName(QStringLiteral("lotTable"));
    m_trend->setObjectName(QStringLiteral("lotTrend"));
    m_across->setObjectName(QStringLiteral("lotAcross"));
    m_yield->setObjectName(QStringLiteral("lotYield"));
    m_baseline->setObjectName(QStringLiteral("lotBaseline"));

    m_across->addItem(tr("Time"));
    m_across->addItem(tr("Files"));
    m_yield->addItem(tr("Each file's"), LotTrend::FileYield);
    m_yield->addItem(tr("First pass"), LotTrend::FirstPassYield);
    m_yield->addItem(tr("Final"), LotTrend::FinalYield);
    m_baseline->setRange(2, 100000);
    m_baseline->setValue(ControlPlan::DefaultBaseline);
    m_baseline->setSuffix(tr(" files"));
    m_baseline->setToolTip(tr("The files at the start of the lot, or of each change, that the control limits are "
                              "taken from; Shift and drag on the chart to pick others."));

    m_figures->setWordWrap(true);
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_find->setPlaceholderText(tr("Find a file"));
    m_find->setClearButtonEnabled(true);
    m_channel->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_progress->setFormat(tr("Reading %v of %m files"));
    m_progress->hide();

    m_view->setModel(m_table);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(-1, Qt::AscendingOrder); // the lot's own order, time's, until a column is chosen
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionsMovable(false);

    auto *controls = new QHBoxLayout;
    controls->addWidget(new QLabel(tr("Find:"), this));
    controls->addWidget(m_find, 1);
    controls->addWidget(m_subfolders);
    auto *channelLabel = new QLabel(tr("Channel:"), this);
    channelLabel->setBuddy(m_channel);
    controls->addWidget(channelLabel);
    controls->addWidget(m_channel);
    controls->addWidget(m_progress);

    auto *chartControls = new QHBoxLayout;
    chartControls->setContentsMargins(0, 0, 0, 0);
    const auto labelled = [&](const QString &text, QWidget *control) {
        auto *label = new QLabel(text, this);
        label->setBuddy(control);
        chartControls->addWidget(label);
        chartControls->addWidget(control);
    };
    labelled(tr("Across:"), m_across);
    labelled(tr("Yield:"), m_yield);
    labelled(tr("Baseline:"), m_baseline);
    chartControls->addStretch(1);
    auto *chart = new QWidget(this);
    auto *chartLayout = new QVBoxLayout(chart);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addLayout(chartControls);
    chartLayout->addWidget(m_trend, 1);
    auto *across = new QSplitter(Qt::Horizontal, this);
    across->setObjectName(QStringLiteral("lotTrendSplitter"));
    across->addWidget(chart);
    across->addWidget(m_alarms);
    across->setChildrenCollapsible(false);
    across->setStretchFactor(0, 3);
    across->setStretchFactor(1, 1);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("lotSplitter"));
    splitter->addWidget(m_view);
    splitter->addWidget(across);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->addWidget(m_figures);
    layout->addLayout(controls);
    layout->addWidget(splitter, 1);

    connect(m_find, &QLineEdit::textChanged, m_table, &QSortFilterProxyModel::setFilterFixedString);
    connect(m_subfolders, &QCheckBox::toggled, this, [this](bool on) {
        if (m_lot)
            m_lot->SetSubfolders(on);
    });
    connect(m_channel, &QComboBox::currentIndexChanged, this, [this] {
        m_alarms->SetChannel(m_channel->currentData().toByteArray());
        showTrend();
    });
    // After a sort the file chosen stays in sight; without one, the top.
    connect(m_view->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        const QModelIndex current = m_view->selectionModel()->currentIndex();
        if (current.isValid())
            m_view->scrollTo(current, QAbstractItemView::PositionAtCenter);
        else
            m_view->scrollToTop();
    });
    connect(m_view, &QTableView::activated, this, &LotView::openFile);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LotView::tableSelected);
    connect(m_trend, &TrendView::fileClicked, this, &LotView::selectFile);
    connect(m_trend, &TrendView::saveRequested, this, &LotView::trendSaveRequested);
    connect(m_trend, &TrendView::fileActivated, this, [this](qsizetype row) {
        if (m_lot && row >= 0 && row < m_lot->Model().FileCount())
            m_manager.OpenFiles({m_lot->Model().FileAt(int(row)).path});
    });
    connect(m_trend, &TrendView::baselinePicked, this, &LotView::pickBaseline);
    connect(m_trend, &TrendView::changeMarked, this, &LotView::markChange);
    connect(m_trend, &TrendView::changesCleared, this, &LotView::clearChanges);
    connect(m_across, &QComboBox::currentIndexChanged, this, [this](int index) { m_trend->SetByTime(index == 0); });
    connect(m_yield, &QComboBox::currentIndexChanged, this, &LotView::showTrend);
    connect(m_baseline, &QSpinBox::valueChanged, this, &LotView::setBaselineFiles);
    connect(m_alarms, &AlarmList::fileChosen, this, &LotView::selectFile);
    connect(m_alarms, &AlarmList::fileOpened, this, [this](const QString &path) { m_manager.OpenFiles({path}); });
}

void LotView::SetLot(LotDocument *lot)
{
    if (lot == m_lot)
        return;
    if (m_lot)
        m_lot->disconnect(this), m_lot->Model().disconnect(this);
    m_lot = lot;
    m_table->SetFolder(lot && !lot->FromDatabase() ? lot->Folder() : QString());
    m_table->setSourceModel(lot ? &lot->Model() : nullptr);
    // A database's lot has no folders of its own.
    m_subfolders->setEnabled(!lot || !lot->FromDatabase());
    m_channel->blockSignals(true);
    m_channel->clear();
    m_channel->blockSignals(false);
    m_find->clear();
    m_alarms->Clear();
    if (!lot) {
        m_trend->SetPanels({}, {}, {});
        return;
    }
    m_baseline->blockSignals(true);
    m_baseline->setValue(lot->Plan().baselineFiles);
    m_baseline->blockSignals(false);
    connect(lot, &LotDocument::controlChanged, this, &LotView::controlChanged);
    m_subfolders->blockSignals(true);
    m_subfolders->setChecked(lot->Subfolders());
    m_subfolders->blockSignals(false);
    connect(lot, &LotDocument::scanStarted, this, &LotView::scanStarted);
    connect(lot, &LotDocument::scanProgress, this, &LotView::scanProgress);
    connect(lot, &LotDocument::scanEnded, this, &LotView::scanEnded);
    connect(lot, &LotDocument::notice, this, &LotView::figuresChanged);
    connect(&lot->Model(), &LotModel::FiguresChanged, this, &LotView::figuresChanged);
    // A file marked gone keeps its figures, and only its row changes.
    connect(&lot->Model(), &LotModel::dataChanged, m_trend, qOverload<>(&QWidget::update));
    if (lot->Scanning())
        scanStarted();
    else
        scanEnded();
}

void LotView::SaveTrendImage(FileDialogs &dialogs)
{
    if (!m_lot || !m_trend->HasChart())
        return;
    // A database's lot has no folder of its own: the home folder then.
    const QString name = m_lot->FromDatabase() ? QStringLiteral("database") : QFileInfo(m_lot->Folder()).fileName();
    const QString suggested = (m_lot->FromDatabase() ? QDir::home() : QDir(m_lot->Folder()))
                                  .filePath(name + QStringLiteral("-trend.png"));
    ImageFiles::Save(
        dialogs, this, [this](QPainter &painter, const QRectF &area) { m_trend->DrawChart(painter, area); },
        m_trend->size(), m_trend->devicePixelRatioF(), tr("%1 trend").arg(name), suggested);
}

void LotView::OpenFolder(FileDialogs &dialogs)
{
    const QString folder = dialogs.GetExistingDirectory(window());
    if (!folder.isEmpty())
        m_manager.OpenFolder(folder);
}

QString LotView::CopiedText() const
{
    return TableText::TabSeparated(*m_view);
}

void LotView::OpenFind()
{
    m_find->setFocus(Qt::ShortcutFocusReason);
    m_find->selectAll();
}

void LotView::scanStarted()
{
    m_progress->setRange(0, 0);
    m_progress->show();
    m_figures->setText(tr("Reading %1 ...").arg(m_lot ? NativePath::Display(m_lot->Folder()) : QString()));
}

void LotView::scanProgress(qsizetype done, qsizetype count)
{
    m_progress->setRange(0, int(count));
    m_progress->setValue(int(done));
}

void LotView::scanEnded()
{
    m_progress->hide();
    figuresChanged();
    controlChanged();
    m_view->resizeColumnsToContents();
}

void LotView::figuresChanged()
{
    if (!m_lot || m_lot->Scanning())
        return;
    QString text = Wording::LotLine(m_lot->Model().Figures());
    // What the lot has to say stays in sight with its figures.
    for (const QString &notice : m_lot->Notices())
        text += QLatin1Char('\n') + notice;
    m_figures->setText(text);
    fillChannels();
}

// The lot's channels; the one chosen stays, and at first the one that fails
// most, else the first.
void LotView::fillChannels()
{
    const QList<QByteArray> channels = LotTrend::Channels(m_lot->Model());
    QString chosen = m_channel->currentText();
    if (chosen.isEmpty())
        chosen = QString::fromUtf8(m_lot->Model().Figures().failingChannel);
    m_channel->blockSignals(true);
    m_channel->clear();
    for (const QByteArray &channel : channels)
        m_channel->addItem(QString::fromUtf8(channel), channel);
    m_channel->setCurrentIndex(qMax(0, m_channel->findText(chosen)));
    m_channel->blockSignals(false);
}

void LotView::showTrend()
{
    if (!m_lot)
        return;
    const LotModel &model = m_lot->Model();
    QStringList names;
    names.reserve(model.FileCount());
    for (const LotFile &file : model.Files())
        names.append(NativePath::Display(QFileInfo(file.path).fileName()));
    const auto yield = LotTrend::YieldKind(m_yield->currentData().toInt());
    m_trend->SetPanels(LotTrend::Panels(model, m_channel->currentData().toByteArray(), &m_lot->Control(), yield),
                       LotTrend::Times(model), names);
    tableSelected();
}

// The lot's charts follow its figures (a look changes the files, then the
// charts made of them): the trend is drawn once a look, from charts of the
// files it shows.
void LotView::controlChanged()
{
    if (!m_lot || m_lot->Scanning())
        return;
    if (m_channel->count() == 0)
        fillChannels();
    m_alarms->SetChannel(m_channel->currentData().toByteArray());
    m_alarms->Show(m_lot->Model(), m_lot->Control());
    showTrend();
}

void LotView::setBaselineFiles(int files)
{
    if (!m_lot)
        return;
    ControlPlan plan = m_lot->Plan();
    plan.baselineFiles = files;
    plan.baselineFrom.clear();
    plan.baselineTo.clear();
    m_lot->SetPlan(plan);
}

void LotView::pickBaseline(qsizetype first, qsizetype last)
{
    if (!m_lot)
        return;
    ControlPlan plan = m_lot->Plan();
    plan.baselineFrom = m_lot->Model().FileAt(int(first)).path;
    plan.baselineTo = m_lot->Model().FileAt(int(last)).path;
    m_lot->SetPlan(plan);
}

void LotView::markChange(qsizetype file)
{
    if (!m_lot || file <= 0)
        return;
    ControlPlan plan = m_lot->Plan();
    const QString path = m_lot->Model().FileAt(int(file)).path;
    if (!plan.changes.contains(path))
        plan.changes.append(path);
    m_lot->SetPlan(plan);
}

void LotView::clearChanges()
{
    if (!m_lot)
        return;
    ControlPlan plan = m_lot->Plan();
    plan.changes.clear();
    plan.baselineFrom.clear();
    plan.baselineTo.clear();
    m_lot->SetPlan(plan);
}

void LotView::openFile(const QModelIndex &index)
{
    if (!m_lot || !index.isValid())
        return;
    const int row = m_table->mapToSource(index).row();
    m_manager.OpenFiles({m_lot->Model().FileAt(row).path});
}

// A file chosen in the trend, by its place in the lot: its row selected.
void LotView::selectFile(qsizetype row)
{
    if (!m_lot)
        return;
    const QModelIndex index = m_table->mapFromSource(m_lot->Model().index(int(row), 0));
    if (!index.isValid()) { // hidden by the find field
        m_trend->SetSelected(row);
        return;
    }
    m_view->selectRow(index.row());
    m_view->scrollTo(index);
}

void LotView::tableSelected()
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    m_trend->SetSelected(rows.isEmpty() ? -1 : m_table->mapToSource(rows.first()).row());
}
