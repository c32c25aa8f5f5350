#include "view/CompareDialog.h"

#include "view/WindowWork.h"

#include "data/NativePath.h"
#include "lot/SummaryCache.h"
#include "view/CompareShiftModel.h"
#include "view/CompareView.h"
#include "view/DialogSize.h"
#include "view/FileDialogs.h"
#include "view/ImageFiles.h"
#include "view/TableText.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

struct CompareDialog::Outcome
{
    CompareReader::Side a;
    CompareReader::Side b;
    Comparison comparison;
    QString error;
    bool read = false;
};

namespace {

QPushButton *button(QWidget *parent, const QString &text, const QString &name)
{
    auto *made = new QPushButton(text, parent);
    made->setObjectName(name);
    made->setAutoDefault(false);
    return made;
}

QTableView *shiftTable(QWidget *parent, QAbstractItemModel *model)
{
    auto *table = new QTableView(parent);
    table->setObjectName(QStringLiteral("compareShifts"));
    table->setModel(model);
    table->setSortingEnabled(true);
    table->sortByColumn(-1, Qt::AscendingOrder); // the shifts' own order until a heading is clicked
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    return table;
}

QTableWidget *agreementTable(QWidget *parent)
{
    auto *table = new QTableWidget(2, 2, parent);
    table->setObjectName(QStringLiteral("compareAgreement"));
    table->setHorizontalHeaderLabels({CompareDialog::tr("B passes"), CompareDialog::tr("B fails")});
    table->setVerticalHeaderLabels({CompareDialog::tr("A passes"), CompareDialog::tr("A fails")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return table;
}

} // namespace

CompareDialog::CompareDialog(FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_a(new QLineEdit(this)), m_b(new QLineEdit(this)),
      m_run(button(this, tr("Co&mpare"), QStringLiteral("compareRun"))), m_status(new QLabel(this)),
      m_alphaBox(new QComboBox(this)),
      m_view(new CompareView(this)), m_shifts(new CompareShiftModel(this)), m_agreement(agreementTable(this)),
      m_kappa(new QLabel(this)), m_notes(new QLabel(this)), m_work(new WindowWork(this))
{
    setObjectName(QStringLiteral("compare"));
    setWindowTitle(tr("Compare"));
    m_a->setObjectName(QStringLiteral("compareA"));
    m_b->setObjectName(QStringLiteral("compareB"));
    m_status->setObjectName(QStringLiteral("compareStatus"));
    m_kappa->setObjectName(QStringLiteral("compareKappa"));
    m_notes->setObjectName(QStringLiteral("compareNotes"));
    m_notes->setWordWrap(true);
    auto *sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(m_shifts);
    sorted->setSortRole(CompareShiftModel::SortRole);
    m_shiftTable = shiftTable(this, sorted);

    auto *sides = new QGridLayout;
    const auto addSide = [&](int row, const QString &label, QLineEdit *field, const QString &name) {
        sides->addWidget(new QLabel(label, this), row, 0);
        sides->addWidget(field, row, 1);
        QPushButton *file = button(this, tr("File..."), name + QLatin1String("File"));
        QPushButton *folder = button(this, tr("Folder..."), name + QLatin1String("Folder"));
        connect(file, &QPushButton::clicked, this, [this, field] { browse(field, false); });
        connect(folder, &QPushButton::clicked, this, [this, field] { browse(field, true); });
        sides->addWidget(file, row, 2);
        sides->addWidget(folder, row, 3);
    };
    addSide(0, tr("A:"), m_a, QStringLiteral("compareA"));
    addSide(1, tr("B:"), m_b, QStringLiteral("compareB"));
    sides->addWidget(m_run, 0, 4);
    m_alphaBox->setObjectName(QStringLiteral("compareAlpha"));
    for (double alpha : {0.05, 0.01, 0.001, 0.0001})
        m_alphaBox->addItem(tr("shift at p < %1").arg(alpha), alpha);
    m_alphaBox->setCurrentIndex(2);
    connect(m_alphaBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetAlpha(m_alphaBox->itemData(index).toDouble()); });
    sides->addWidget(m_alphaBox, 1, 4);
    connect(m_run, &QPushButton::clicked, this, &CompareDialog::Compare);

    auto *agreementBox = new QWidget(this);
    auto *agreementLayout = new QVBoxLayout(agreementBox);
    agreementLayout->setContentsMargins(0, 0, 0, 0);
    agreementLayout->addWidget(new QLabel(tr("Fibers on both sides"), agreementBox));
    agreementLayout->addWidget(m_agreement);
    agreementLayout->addWidget(m_kappa);
    agreementLayout->addWidget(m_notes, 1);
    auto *tables = new QSplitter(Qt::Horizontal, this);
    tables->addWidget(m_shiftTable);
    tables->addWidget(agreementBox);
    tables->setStretchFactor(0, 3);
    tables->setStretchFactor(1, 1);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_view);
    split->addWidget(tables);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *save = button(this, tr("&Save Image..."), QStringLiteral("compareSaveImage"));
    QPushButton *copy = button(this, tr("&Copy"), QStringLiteral("compareCopy"));
    buttons->addButton(save, QDialogButtonBox::ActionRole);
    buttons->addButton(copy, QDialogButtonBox::ActionRole);
    connect(save, &QPushButton::clicked, this, &CompareDialog::SaveImage);
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(CopiedText()); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            [this] { QApplication::clipboard()->setText(CopiedText()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(m_view, &CompareView::channelChosen, this, &CompareDialog::ChooseChannel);
    connect(m_view, &CompareView::saveImageWanted, this, [this](const QPoint &) { SaveImage(); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addWidget(m_status);
    layout->addWidget(split, 1);
    layout->addWidget(buttons);
    DialogSize::Fit(*this, QSize(1100, 760));
}

CompareDialog::~CompareDialog()
{
    m_work->Stop();
}

void CompareDialog::SetPaths(const QString &a, const QString &b)
{
    m_a->setText(NativePath::Display(a));
    m_b->setText(NativePath::Display(b));
}

void CompareDialog::browse(QLineEdit *field, bool folder)
{
    const QString chosen = folder ? m_dialogs.GetExistingDirectory(this)
                                  : m_dialogs.GetOpenFileNames(this, FileDialogs::OpenFilter()).value(0);
    if (!chosen.isEmpty())
        field->setText(NativePath::Display(chosen));
}

bool CompareDialog::Comparing() const
{
    return m_work->Running();
}

void CompareDialog::Compare()
{
    const QString a = m_a->text().trimmed(), b = m_b->text().trimmed();
    if (a.isEmpty() || b.isEmpty()) {
        m_status->setText(tr("Name a file or a folder on each side, A and B."));
        return;
    }
    m_status->setText(tr("Reading %1 and %2 ...").arg(a, b));
    const JudgeInputs inputs = m_inputs;
    m_work->Start([this, a, b, inputs](const std::atomic<bool> &stop) -> WindowWork::Done {
        auto outcome = std::make_shared<Outcome>();
        // A folder's files are summed up from the cache, as its lot tab
        // sums them; without one every file is read.
        SummaryCache cache;
        SummaryCache *const cached =
            (QFileInfo(a).isDir() || QFileInfo(b).isDir()) && cache.Open() ? &cache : nullptr;
        outcome->read = CompareReader::Read(a, inputs, cached, LotScan::InTurn, &stop, &outcome->a, &outcome->error)
            && CompareReader::Read(b, inputs, cached, LotScan::InTurn, &stop, &outcome->b, &outcome->error);
        if (outcome->read)
            outcome->comparison = Comparison::Of(*outcome->a.side, *outcome->b.side);
        return [this, outcome] { finish(outcome); };
    });
}

void CompareDialog::finish(const std::shared_ptr<Outcome> &outcome)
{
    if (!outcome->read) {
        m_status->setText(outcome->error);
        m_dialogs.ShowMessage(this, outcome->error);
        emit compared();
        return;
    }
    m_shown = outcome;
    QStringList lines{CompareWriter::SideLine("A", outcome->a.about), CompareWriter::SideLine("B", outcome->b.about)};
    lines += outcome->a.errors + outcome->b.errors + outcome->a.misaligned + outcome->b.misaligned;
    m_status->setText(lines.join(QLatin1Char('\n')));
    showShifts();
    showAgreement(outcome->comparison);
    emit compared();
}

void CompareDialog::SetAlpha(double alpha)
{
    m_alpha = alpha;
    const int index = m_alphaBox->findData(alpha);
    if (index >= 0 && index != m_alphaBox->currentIndex())
        m_alphaBox->setCurrentIndex(index);
    if (m_shown)
        showShifts();
}

void CompareDialog::showShifts()
{
    m_shifts->SetComparison(m_shown->comparison, m_alpha);
    m_shiftTable->resizeColumnsToContents();
    m_view->SetPanels(CompareChart::Panels(m_shown->comparison, m_alpha));
}

void CompareDialog::showAgreement(const Comparison &comparison)
{
    const Comparison::Agreement &agreement = comparison.agreement;
    const qsizetype cells[2][2] = {{agreement.pp, agreement.pf}, {agreement.fp, agreement.ff}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            auto *item = new QTableWidgetItem(QString::number(cells[row][column]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_agreement->setItem(row, column, item);
        }
    }
    m_kappa->setText((comparison.matched == 1 ? tr("1 fiber on both sides; Cohen's kappa %2")
                                              : tr("%1 fibers on both sides; Cohen's kappa %2").arg(comparison.matched))
                         .arg(comparison.kappa ? QString::number(*comparison.kappa, 'f', 3) : QStringLiteral("-")));
    m_notes->setText(comparison.notes.join(QLatin1Char('\n')));
}

const Comparison *CompareDialog::Shown() const
{
    return m_shown ? &m_shown->comparison : nullptr;
}

void CompareDialog::ChooseChannel(int channel)
{
    if (!m_shown || channel < 0 || channel >= m_shown->comparison.paired.size())
        return;
    const Comparison::Paired &paired = m_shown->comparison.paired.at(channel);
    m_view->SetDifferences(channel, paired,
                           Comparison::PairedDifferences(*m_shown->a.side, *m_shown->b.side, paired.channel));
}

void CompareDialog::SaveImage()
{
    if (!m_shown) {
        m_dialogs.ShowMessage(this, tr("Nothing is compared yet: there is no image to save."));
        return;
    }
    const CompareView *view = m_view;
    ImageFiles::Save(
        m_dialogs, this, [view](QPainter &painter, const QRectF &area) { view->DrawInto(painter, area); },
        m_view->size(), m_view->devicePixelRatioF(), tr("Compare"),
        ImageFiles::Beside(m_shown->b.about.path, QStringLiteral("compare")));
}

QString CompareDialog::CopiedText() const
{
    return TableText::TabSeparated(*m_shiftTable);
}
