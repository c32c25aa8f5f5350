#include "view/DistributionDialog.h"

#include "data/ChannelTable.h"
#include "data/LoadedFile.h"
#include "data/PowerBins.h"
#include "document/ResultDocument.h"
#include "view/DistributionView.h"
#include "view/ImageFiles.h"
#include "view/SweepView.h"

#include "output/Wording.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTimer>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

DistributionDialog::DistributionDialog(const ResultDocument &document, FileDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_document(document), m_dialogs(dialogs), m_view(new DistributionView(this)),
      m_lower(new QDoubleSpinBox(this)), m_whatIfText(new QLabel(this)),
      m_apply(new QPushButton(tr("&Apply to Limits"), this)), m_reset(new QPushButton(tr("&Reset"), this)),
      m_judgeSoon(new QTimer(this)), m_curve(new SweepView(this))
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
    connect(m_view, &DistributionView::barClicked, this, &DistributionDialog::listBar);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 6);
    layout->addWidget(m_view, 1);
    auto *common = new QCheckBox(tr("&Common axis"), this);
    common->setObjectName(QStringLiteral("commonAxis"));
    common->setToolTip(tr("All channels on one scale of dBm"));
    connect(common, &QCheckBox::toggled, m_view, &DistributionView::SetCommonAxis);
    // What if: the marked channel's lower limit.
    m_lower->setObjectName(QStringLiteral("whatIfLower"));
    m_lower->setRange(-1e6, 1e6);
    m_lower->setDecimals(2);
    m_lower->setSingleStep(0.1);
    m_lower->setSuffix(tr(" dBm"));
    m_lower->setKeyboardTracking(false);
    m_lower->setAccessibleName(tr("What-if lower limit of the marked channel"));
    m_lower->setToolTip(tr("Try a lower limit for the marked channel; or drag its limit line"));
    m_whatIfText->setObjectName(QStringLiteral("whatIfText"));
    m_apply->setObjectName(QStringLiteral("applyWhatIf"));
    m_reset->setObjectName(QStringLiteral("resetWhatIf"));
    for (QPushButton *button : {m_apply, m_reset})
        button->setAutoDefault(false);
    m_judgeSoon->setSingleShot(true);
    m_judgeSoon->setInterval(150);
    connect(m_judgeSoon, &QTimer::timeout, this, [this] {
        if (TryingWhatIf())
            emit limitsTried(whatIfLimits());
    });
    connect(m_lower, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (m_view->Current() >= 0)
            tryAt(m_view->Current(), value, true);
    });
    connect(m_view, &DistributionView::limitDragged, this,
            [this](int index, double lower, bool done) { tryAt(index, lower, done); });
    connect(m_apply, &QPushButton::clicked, this, [this] {
        Limits limits = whatIfLimits();
        limits.SetName(tr("unsaved limits"));
        endWhatIf();
        emit limitsApplied(limits);
    });
    connect(m_reset, &QPushButton::clicked, this, [this] {
        const Limits before = m_before;
        endWhatIf();
        emit limitsTried(before);
    });
    auto *whatIf = new QHBoxLayout;
    whatIf->setContentsMargins(6, 0, 6, 0);
    auto *lowerLabel = new QLabel(tr("&What if the lower limit were"), this);
    lowerLabel->setBuddy(m_lower);
    whatIf->addWidget(lowerLabel);
    whatIf->addWidget(m_lower);
    whatIf->addWidget(m_whatIfText, 1);
    whatIf->addWidget(m_apply);
    whatIf->addWidget(m_reset);
    layout->addLayout(whatIf);
    m_curve->hide();
    layout->addWidget(m_curve);
    auto *showCurve = new QCheckBox(tr("Yield c&urve"), this);
    showCurve->setObjectName(QStringLiteral("showYieldCurve"));
    showCurve->setToolTip(tr("The marked channel's yield against its lower limit"));
    connect(showCurve, &QCheckBox::toggled, this, [this](bool on) {
        m_curve->setVisible(on);
        DistributionDialog::showCurve();
    });
    auto *row = new QHBoxLayout;
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(common);
    row->addWidget(showCurve);
    row->addWidget(buttons);
    layout->addLayout(row);
    connect(m_view, &DistributionView::currentChanged, this, &DistributionDialog::currentChanged);
    // Most of the screen: the histograms want room.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize(1280, 800);
    resize(qMin(1600, room.width() * 9 / 10), qMin(1000, room.height() * 9 / 10));
    m_view->setFocus();

    connect(&document, &ResultDocument::changed, this, [this](ResultDocument::Changes what) {
        if (what & (ResultDocument::NewFile | ResultDocument::NewVersion)) {
            m_sweep.reset();
            if (what & ResultDocument::NewFile)
                endWhatIf();
        }
        if (what & (ResultDocument::NewFile | ResultDocument::NewVersion | ResultDocument::Verdicts))
            refresh(what & ResultDocument::NewFile);
    });
    endWhatIf();
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
    // There is an image to save only while a chart is shown.
    findChild<QPushButton *>(QStringLiteral("saveImage"))->setEnabled(m_view->HasChart());
}

void DistributionDialog::showWorstFiber(int channel)
{
    const DistributionChart *chart = m_view->Chart();
    if (!chart || channel < 0 || channel >= chart->ChannelCount())
        return;
    const qsizetype block =
        LoadedFile::WorstFiber(m_document.Rows(), chart->Channel(channel).channel, m_document.LimitsInUse());
    if (block >= 0)
        emit fiberChosen(block, chart->Channel(channel).channel);
}

// Proposed beside the file shown, named as --plot names it in a folder.
void DistributionDialog::MarkFiber(qsizetype block)
{
    QHash<QByteArray, double> powers;
    const MeasurementRows &rows = m_document.Rows();
    const qsizetype first = block * ChannelTable::FiberSize;
    for (qsizetype i = first; block >= 0 && i < qMin(rows.Count(), first + m_document.FiberRows(block)); ++i) {
        const MeasurementRows::Row row = rows.At(i);
        double power = 0;
        if (ChannelTable::ReadPower(row.text(MeasurementRow::Power), power))
            powers.insert(ThresholdJudge::ShownText(row.text(MeasurementRow::Channel)), power);
    }
    m_view->SetFiberMarks(powers);
}

// The fibers whose power there the bar counts, as the chart bins it.
void DistributionDialog::listBar(int channel, const ChannelHistogram &histogram, int bin)
{
    const DistributionChart *chart = m_view->Chart();
    if (!chart || channel < 0 || channel >= chart->ChannelCount())
        return;
    const QList<qsizetype> blocks =
        LoadedFile::FibersWhere(m_document.Rows(), chart->Channel(channel).channel, [&](double power) {
            return histogram.BinOf(PowerBins::Held(power)) == bin;
        });
    const double from = histogram.axis.start + histogram.axis.width * bin;
    const double width = histogram.axis.width;
    const QString fibers = blocks.size() == 1 ? tr("1 fiber") : tr("%1 fibers").arg(blocks.size());
    const QString what = tr("%1: bin %2 to %3 dBm, %4")
                             .arg(QString::fromUtf8(chart->Channel(channel).channel),
                                  DistributionView::BinEdge(from, width), DistributionView::BinEdge(from + width, width),
                                  fibers);
    emit fibersListed(what, blocks);
}

void DistributionDialog::SaveImage()
{
    if (!m_view->HasChart())
        return;
    const QString suggested = ImageFiles::Beside(m_document.Path());
    ImageFiles::Save(
        m_dialogs, this, [this](QPainter &painter, const QRectF &area) { m_view->DrawChart(painter, area); },
        m_view->size(), m_view->devicePixelRatioF(), m_document.Name(), suggested);
}

// The spin box shows the marked channel's limit: the one tried, or the one
// its fibers are judged by.
void DistributionDialog::currentChanged()
{
    const DistributionChart *chart = m_view->Chart();
    const int index = m_view->Current();
    const std::optional<double> lower =
        index == m_whatIfIndex ? std::optional<double>(m_whatIf)
        : chart && index >= 0  ? ChannelHistogram::LowerLine(chart->Channel(index))
                               : std::nullopt;
    const QSignalBlocker quiet(m_lower);
    m_lower->setEnabled(lower.has_value() && Limits::ChannelNumber(chart->Channel(index).channel) != 0);
    if (lower)
        m_lower->setValue(*lower);
    showCurve();
}

void DistributionDialog::TryLower(double lower)
{
    if (m_view->Current() >= 0)
        tryAt(m_view->Current(), lower, true);
}

// At once the count of the fibers that would pass; the fibers judged by it
// when the limit rests (now, or once the drag has paused).
void DistributionDialog::tryAt(int index, double lower, bool now)
{
    const DistributionChart *chart = m_view->Chart();
    if (!chart || index < 0 || index >= chart->ChannelCount()
        || Limits::ChannelNumber(chart->Channel(index).channel) == 0)
        return;
    if (!TryingWhatIf())
        m_before = m_document.LimitsInUse();
    m_whatIfIndex = index;
    m_whatIf = lower;
    m_view->SetWhatIf(index, lower);
    if (m_view->Current() != index)
        m_view->SetCurrent(index);
    {
        const QSignalBlocker quiet(m_lower);
        m_lower->setValue(lower);
    }
    showWhatIf();
    if (now) {
        m_judgeSoon->stop();
        emit limitsTried(whatIfLimits());
    } else if (!m_judgeSoon->isActive()) {
        m_judgeSoon->start();
    }
}

// The limits before, the channel tried at its new lower limit.
Limits DistributionDialog::whatIfLimits() const
{
    Limits limits = m_before;
    const int channel = Limits::ChannelNumber(m_view->Chart()->Channel(m_whatIfIndex).channel);
    const ChannelLimit *before = m_before.OfNumber(channel);
    ChannelLimit limit = before ? *before : ChannelLimit();
    limit.lower = m_whatIf;
    if (limit.upper && *limit.upper < m_whatIf)
        limit.upper.reset(); // a lower limit above the upper: the upper gives way
    limits.Set(channel, limit);
    limits.SetName(tr("what if"));
    return limits;
}

QString DistributionDialog::WhatIfText() const
{
    return m_whatIfText->text();
}

void DistributionDialog::showWhatIf()
{
    if (!TryingWhatIf()) {
        m_whatIfText->clear();
        return;
    }
    ensureSweep();
    const QByteArray channel = m_view->Chart()->Channel(m_whatIfIndex).channel;
    const std::optional<YieldSweep::Passing> passing = m_sweep->PassingOf(channel);
    const qsizetype fibers = passing ? passing->fibers : 0;
    const qsizetype passed = passing ? passing->At(m_whatIf) : 0;
    m_whatIfText->setText(tr("What if %1 from %2 dBm: %3")
                              .arg(QString::fromUtf8(channel), QString::number(m_whatIf, 'f', 2),
                                   Wording::YieldLine(fibers, fibers - passed, std::nullopt)));
    m_apply->setEnabled(true);
    m_reset->setEnabled(true);
    showCurve();
}

// Every fiber of the file on its own, judged by the limits before any
// what-if: a channel's own lower limit moves along the curve.
void DistributionDialog::ensureSweep()
{
    if (m_sweep)
        return;
    const Limits &limits = TryingWhatIf() ? m_before : m_document.LimitsInUse();
    m_sweep.emplace(JudgeInputs{m_document.WarnMargin(), limits}, YieldSweep::EveryFiber);
    m_sweep->AddRows(m_document.Rows());
}

void DistributionDialog::showCurve()
{
    const DistributionChart *chart = m_view->Chart();
    const int index = m_view->Current();
    if (!m_curve->isVisible() || !chart || index < 0 || index >= chart->ChannelCount()) {
        m_curve->SetChart(std::nullopt);
        return;
    }
    ensureSweep();
    const QByteArray channel = chart->Channel(index).channel;
    const QList<YieldSweep::Curve> curves = m_sweep->Curves(1, 99, channel);
    if (curves.isEmpty()) {
        m_curve->SetChart(std::nullopt);
        return;
    }
    const std::optional<double> inUse =
        index == m_whatIfIndex ? std::optional<double>(m_whatIf) : ChannelHistogram::LowerLine(chart->Channel(index));
    m_curve->SetChart(SweepChart(curves.first(), 99, inUse));
}

void DistributionDialog::endWhatIf()
{
    m_judgeSoon->stop();
    m_whatIfIndex = -1;
    m_view->SetWhatIf(-1, std::nullopt);
    m_whatIfText->clear();
    m_apply->setEnabled(false);
    m_reset->setEnabled(false);
}
