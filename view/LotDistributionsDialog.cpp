#include "view/LotDistributionsDialog.h"

#include "data/NativePath.h"
#include "lot/CompareReader.h"
#include "lot/LotDocument.h"
#include "lot/SummaryCache.h"
#include "view/DistributionView.h"
#include "view/DialogSize.h"
#include "view/ImageFiles.h"
#include "view/WindowWork.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

struct LotDistributionsDialog::Outcome
{
    bool read = false;
    QString error;
    CompareReader::Side side;
};

LotDistributionsDialog::LotDistributionsDialog(FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_view(new DistributionView(this)), m_notes(new QLabel(this)),
      m_work(new WindowWork(this))
{
    setObjectName(QStringLiteral("lotDistributions"));
    setSizeGripEnabled(true);
    m_notes->setObjectName(QStringLiteral("lotDistributionNotes"));
    m_notes->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *save = buttons->addButton(tr("&Save Image..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveImage"));
    save->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &LotDistributionsDialog::SaveImage);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &LotDistributionsDialog::SaveImage);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(m_view, &DistributionView::saveRequested, this, &LotDistributionsDialog::SaveImage);
    connect(this, &LotDistributionsDialog::shown, save, [this, save] { save->setEnabled(m_view->HasChart()); });
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_notes);
    layout->addWidget(buttons);
    DialogSize::Fit(*this, QSize(1000, 720));
}

LotDistributionsDialog::~LotDistributionsDialog()
{
    m_work->Stop();
}

bool LotDistributionsDialog::Reading() const
{
    return m_work->Running();
}

void LotDistributionsDialog::Show(const LotDocument &lot, const JudgeInputs &inputs)
{
    m_work->Stop();
    m_folder = lot.Folder();
    const QString name = QFileInfo(m_folder).fileName();
    setWindowTitle(tr("Distributions - %1").arg(lot.FromDatabase() ? tr("database") : name));
    m_notes->clear();
    // The database keeps each file's summary, not its rows.
    if (lot.FromDatabase()) {
        m_view->SetMessage(tr("A lot of the database has no rows here to draw: its files' summaries alone."));
        emit shown();
        return;
    }
    m_view->SetMessage(tr("%1 is being read...").arg(NativePath::Display(m_folder)));
    const QString folder = m_folder;
    m_work->Start([this, folder, inputs](const std::atomic<bool> &stop) -> WindowWork::Done {
        auto outcome = std::make_shared<Outcome>();
        SummaryCache cache;
        outcome->read = CompareReader::Read(folder, inputs, cache.Open() ? &cache : nullptr, LotScan::InTurn, &stop,
                                            &outcome->side, &outcome->error);
        return [this, outcome] { finish(outcome); };
    });
}

void LotDistributionsDialog::finish(const std::shared_ptr<Outcome> &outcome)
{
    if (!outcome->read) {
        m_view->SetMessage(outcome->error);
    } else {
        const CompareReader::Side &side = outcome->side;
        m_view->SetFigures(side.side->Pipeline().Judge(),
                           tr("%1, %2 files, each fiber once").arg(QFileInfo(m_folder).fileName()).arg(side.about.files));
        m_notes->setText((side.errors + side.misaligned).join(QLatin1Char('\n')));
    }
    emit shown();
}

void LotDistributionsDialog::SaveImage()
{
    if (!m_view->HasChart())
        return;
    const QString name = QFileInfo(m_folder).fileName();
    ImageFiles::Save(
        m_dialogs, this, [this](QPainter &painter, const QRectF &area) { m_view->DrawChart(painter, area); },
        m_view->size(), m_view->devicePixelRatioF(), tr("%1 distributions").arg(name),
        QDir(m_folder).filePath(name + QStringLiteral("-distributions.png")));
}
