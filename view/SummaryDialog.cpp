#include "view/SummaryDialog.h"

#include "document/ResultDocument.h"
#include "output/OutputTarget.h"
#include "output/SummaryFile.h"
#include "view/ChannelFiguresModel.h"
#include "view/DialogSize.h"
#include "view/FailingFibersModel.h"
#include "view/FileDialogs.h"
#include "view/TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Sorted by any column's values at a click on its heading; the model's
// own order until then.
QTableView *makeTable(QWidget *parent, QAbstractItemModel *model, int sortRole, const QString &name)
{
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    auto *sorted = new QSortFilterProxyModel(table);
    sorted->setSourceModel(model);
    sorted->setSortRole(sortRole);
    table->setModel(sorted);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
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

SummaryDialog::SummaryDialog(const ResultDocument &document, FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs), m_channelModel(new ChannelFiguresModel(this)),
      m_failingModel(new FailingFibersModel(document, this))
{
    setObjectName(QStringLiteral("summary"));
    setWindowTitle(tr("Summary"));
    m_channels = makeTable(this, m_channelModel, ChannelFiguresModel::SortRole, QStringLiteral("channelFigures"));
    m_failing = makeTable(this, m_failingModel, FailingFibersModel::SortRole, QStringLiteral("failingFibers"));
    m_failingTitle = new QLabel(this);
    m_lastFocused = m_failing;

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copy"));
    connect(copy, &QPushButton::clicked, this, &SummaryDialog::copyRows);
    QPushButton *save = buttons->addButton(tr("&Export..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("export"));
    connect(save, &QPushButton::clicked, this, &SummaryDialog::exportSummary);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &SummaryDialog::copyRows);
    connect(m_failing, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) {
                const auto *sorted = static_cast<const QSortFilterProxyModel *>(index.model());
                emit fiberChosen(m_failingModel->BlockAt(sorted->mapToSource(index).row()));
            });
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
    DialogSize::Fit(*this, QSize(860, 620));

    connect(&document, &ResultDocument::changed, this, [this](ResultDocument::Changes what) {
        if (what & (ResultDocument::NewFile | ResultDocument::NewVersion | ResultDocument::Verdicts))
            refresh();
    });
    connect(&document, &ResultDocument::fiberRenamed, m_failingModel, &FailingFibersModel::Renamed);
    refresh();
}

void SummaryDialog::refresh()
{
    m_channelModel->SetFigures(m_document.VerdictsKnown() ? m_document.ChannelFigures()
                                                          : QList<ThresholdJudge::ChannelFigures>());
    m_failingModel->Refresh();
    m_failingTitle->setText(m_document.VerdictsKnown() ? tr("Failing fibers: %1 of %2")
                                                             .arg(m_failingModel->rowCount())
                                                             .arg(m_document.JudgedFibers())
                                                       : tr("Failing fibers: being judged"));
    m_channels->resizeColumnsToContents();
    for (int column = 0; column < m_failingModel->columnCount() - 1; ++column)
        m_failing->resizeColumnToContents(column);
}

// The selected rows of the table used last, or of the failing fibers.
void SummaryDialog::copyRows()
{
    QApplication::clipboard()->setText(TableText::TabSeparated(*m_lastFocused));
}

void SummaryDialog::exportSummary()
{
    if (!m_document.HasFile()) {
        m_dialogs.ShowMessage(this, tr("No file is shown: there is no summary to write."));
        return;
    }
    const QString source = m_document.Path();
    const QString suggested = QFileInfo(source).absoluteDir().filePath(
        OutputTarget::ResultName(source, QStringLiteral("-summary.csv")));
    const QString path =
        m_dialogs.GetSaveFileName(this, QStringLiteral("csv(*.csv);;json(*.json);;jsonl(*.jsonl)"), suggested);
    if (path.isEmpty())
        return;
    QString error;
    if (!SummaryFile::WriteFile(source, m_document.Rows(), JudgeInputs{std::nullopt, m_document.LimitsInUse()}, path, &error) || !error.isEmpty())
        m_dialogs.ShowMessage(this, error);
}
