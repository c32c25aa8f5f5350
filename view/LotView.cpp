#include "view/LotView.h"

#include "data/NativePath.h"
#include "document/DocumentManager.h"
#include "lot/LotDocument.h"
#include "lot/LotTrend.h"
#include "output/Wording.h"
#include "view/FileDialogs.h"
#include "view/LotTableModel.h"
#include "view/TableText.h"
#include "view/TrendView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString percent(qsizetype fibers, qsizetype passed)
{
    return Wording::YieldPercent(fibers, fibers - passed);
}

// The lot's figures in a sentence or two.
QString figuresText(const LotFigures &figures)
{
    QString text = (figures.files == 1 ? LotView::tr("1 file, ") : LotView::tr("%1 files, ").arg(figures.files))
        + LotView::tr("%1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end")
              .arg(figures.passed)
              .arg(figures.fibers)
              .arg(percent(figures.fibers, figures.passed))
              .arg(figures.retested)
              .arg(figures.retestedPassed);
    if (!figures.failingChannel.isEmpty())
        text += LotView::tr("; fails most at channel %1 (%2 fibers)")
                    .arg(QString::fromUtf8(figures.failingChannel))
                    .arg(figures.failingChannelFibers);
    if (figures.unread > 0)
        text += LotView::tr("; %1 could not be read").arg(figures.unread);
    return text;
}

} // namespace

LotView::LotView(DocumentManager &manager, QWidget *parent)
    : QWidget(parent), m_manager(manager), m_table(new LotTableModel(this)), m_figures(new QLabel(this)),
      m_subfolders(new QCheckBox(tr("Subfolders"), this)), m_find(new QLineEdit(this)), m_channel(new QComboBox(this)),
      m_progress(new QProgressBar(this)), m_view(new QTableView(this)), m_trend(new TrendView(this))
{
    setAutoFillBackground(true);
    setObjectName(QStringLiteral("lotView"));
    hide(); // until it has a lot to show
    m_figures->setObjectName(QStringLiteral("lotFigures"));
    m_subfolders->setObjectName(QStringLiteral("lotSubfolders"));
    m_find->setObjectName(QStringLiteral("lotFind"));
    m_channel->setObjectName(QStringLiteral("lotChannel"));
    m_progress->setObjectName(QStringLiteral("lotProgress"));
    m_view->setObjectName(QStringLiteral("lotTable"));
    m_trend->setObjectName(QStringLiteral("lotTrend"));

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

    auto *splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("lotSplitter"));
    splitter->addWidget(m_view);
    splitter->addWidget(m_trend);
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
    connect(m_channel, &QComboBox::currentIndexChanged, this, &LotView::showTrend);
    connect(m_view, &QTableView::activated, this, &LotView::openFile);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LotView::tableSelected);
    connect(m_trend, &TrendView::fileClicked, this, &LotView::selectFile);
}

void LotView::SetLot(LotDocument *lot)
{
    if (lot == m_lot)
        return;
    if (m_lot)
        m_lot->disconnect(this), m_lot->Model().disconnect(this);
    m_lot = lot;
    m_table->SetFolder(lot ? lot->Folder() : QString());
    m_table->setSourceModel(lot ? &lot->Model() : nullptr);
    m_channel->blockSignals(true);
    m_channel->clear();
    m_channel->blockSignals(false);
    m_find->clear();
    if (!lot) {
        m_trend->SetPanels({}, QString(), QString());
        return;
    }
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
    m_view->resizeColumnsToContents();
}

void LotView::figuresChanged()
{
    if (!m_lot || m_lot->Scanning())
        return;
    QString text = figuresText(m_lot->Model().Figures());
    // What the lot has to say stays in sight with its figures.
    for (const QString &notice : m_lot->Notices())
        text += QLatin1Char('\n') + notice;
    m_figures->setText(text);
    fillChannels();
    showTrend();
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
    m_trend->SetPanels(LotTrend::Panels(model, m_channel->currentData().toByteArray()), LotTrend::FirstLabel(model),
                       LotTrend::LastLabel(model));
    tableSelected();
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
