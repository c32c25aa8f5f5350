#include "view/SummaryDialog.h"

#include "view/ChannelFiguresModel.h"
#include "view/FailingFibersModel.h"
#include "view/TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTableView *makeTable(QWidget *parent, QAbstractItemModel *model, const QString &name)
{
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

} // namespace

SummaryDialog::SummaryDialog(QWidget *parent)
    : QDialog(parent), m_channelModel(new ChannelFiguresModel(this)),
      m_failingModel(new FailingFibersModel(this))
{
    setObjectName(QStringLiteral("summary"));
    setWindowTitle(tr("Summary"));
    m_channels = makeTable(this, m_channelModel, QStringLiteral("channelFigures"));
    m_failing = makeTable(this, m_failingModel, QStringLiteral("failingFibers"));
    m_failingTitle = new QLabel(this);
    m_lastFocused = m_failing;

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QPushButton::clicked, this, &SummaryDialog::copyRows);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &SummaryDialog::copyRows);
    connect(m_failing, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { emit fiberChosen(m_failingModel->BlockAt(index.row())); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now == m_channels || now == m_failing)
            m_lastFocused = static_cast<QTableView *>(now);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Channels"), this));
    layout->addWidget(m_channels, 2);
    layout->addWidget(m_failingTitle);
    layout->addWidget(m_failing, 3);
    layout->addWidget(buttons);
    resize(760, 620);
}

void SummaryDialog::SetFile(const LoadedFile::Verdicts &verdicts, const MeasurementRows &rows,
                            const QStringList &names)
{
    m_channelModel->SetFigures(LoadedFile::Figures(rows).Channels());
    m_failingModel->SetFile(verdicts, rows, names);
    m_failingTitle->setText(tr("Failing fibers: %1 of %2")
                                .arg(m_failingModel->rowCount())
                                .arg(verdicts.judge.FiberCount()));
    m_channels->resizeColumnsToContents();
    m_failing->resizeColumnToContents(0);
    m_failing->resizeColumnToContents(1);
}

// The selected rows of the table used last, or of the failing fibers.
void SummaryDialog::copyRows()
{
    QApplication::clipboard()->setText(TableText::TabSeparated(*m_lastFocused));
}
