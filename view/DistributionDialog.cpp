#include "view/DistributionDialog.h"

#include "data/LoadedFile.h"
#include "document/ResultDocument.h"
#include "view/DistributionView.h"
#include "view/ImageFiles.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

DistributionDialog::DistributionDialog(const ResultDocument &document, FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs), m_view(new DistributionView(this))
{
    setObjectName(QStringLiteral("distributions"));
    setSizeGripEnabled(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *save = buttons->addButton(tr("&Save Image..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveImage"));
    save->setAutoDefault(false); // Enter belongs to the chart
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &DistributionDialog::SaveImage);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &DistributionDialog::SaveImage);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(m_view, &DistributionView::saveRequested, this, &DistributionDialog::SaveImage);
    connect(m_view, &DistributionView::channelChosen, this, &DistributionDialog::showWorstFiber);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_view, 1);
    auto *common = new QCheckBox(tr("&Common axis"), this);
    common->setObjectName(QStringLiteral("commonAxis"));
    common->setToolTip(tr("All channels on one scale of dBm"));
    connect(common, &QCheckBox::toggled, m_view, &DistributionView::SetCommonAxis);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(common);
    row->addWidget(buttons);
    layout->addLayout(row);
    // Most of the screen: the histograms want room.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1280, 800);
    resize(qMin(1600, room.width() * 9 / 10), qMin(1000, room.height() * 9 / 10));
    m_view->setFocus();

    connect(&document, &ResultDocument::changed, this, [this](ResultDocument::Changes what) {
        if (what & (ResultDocument::NewFile | ResultDocument::NewVersion | ResultDocument::Verdicts))
            refresh(what & ResultDocument::NewFile);
    });
    refresh(true);
}

// The figures come with the verdicts: judged once, off the window's thread.
// Those of the version before stay until a new version's come, as the
// window keeps showing a file until its new version is read.
void DistributionDialog::refresh(bool newFile)
{
    setWindowTitle(m_document.HasFile() ? tr("Distributions - %1").arg(m_document.Name()) : tr("Distributions"));
    if (!m_document.HasFile())
        m_view->SetMessage(tr("No file is shown."));
    else if (m_document.VerdictsKnown())
        m_view->SetFigures(m_document.Judge(), m_document.Name());
    else if (newFile || !m_view->HasChart())
        m_view->SetMessage(tr("%1 is being judged...").arg(m_document.Name()));
}

void DistributionDialog::showWorstFiber(int channel)
{
    const DistributionChart *chart = m_view->Chart();
    if (!chart || channel < 0 || channel >= chart->ChannelCount())
        return;
    const qsizetype block = LoadedFile::WorstFiber(m_document.Rows(), chart->Channel(channel).channel);
    if (block >= 0)
        emit fiberChosen(block);
}

// Proposed beside the file shown, named as --plot names it in a folder.
void DistributionDialog::SaveImage()
{
    if (!m_view->HasChart())
        return;
    const QString suggested = ImageFiles::Beside(m_document.Path());
    ImageFiles::Save(
        m_dialogs, this, [this](QPainter &painter, const QRectF &area) { m_view->DrawChart(painter, area); },
        m_view->size(), m_view->devicePixelRatioF(), m_document.Name(), suggested);
}
