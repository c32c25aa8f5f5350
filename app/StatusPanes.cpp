#include "app/StatusPanes.h"

#include "app/LockKeyState.h"
#include "document/DocumentManager.h"
#include "output/StringTable.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

using namespace StringTable;

StatusPanes::StatusPanes(QStatusBar *bar)
    : QObject(bar), m_bar(bar), m_progress(new QProgressBar(bar)), m_yield(new QLabel(bar)), m_limits(new QLabel(bar)),
      m_notice(new QLabel(bar))
{
    bar->setSizeGripEnabled(false); // the window has a fixed size
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto *pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("indicator%1").arg(id));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(LoadString(id)) + 12);
        bar->addPermanentWidget(pane);
        m_indicators.insert(id, pane);
    }
    m_yield->setObjectName(QStringLiteral("yield"));
    m_yield->hide();
    bar->insertPermanentWidget(0, m_yield);
    // Only while the user's limits judge the fibers.
    m_limits->setObjectName(QStringLiteral("limitsPane"));
    m_limits->hide();
    bar->insertPermanentWidget(0, m_limits);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    bar->insertPermanentWidget(1, m_progress); // left of the lock panes
    // The message pane shows "Ok" and the prompts: a notice stands apart.
    m_notice->setObjectName(QStringLiteral("fileNotice"));
    m_notice->hide();
    bar->insertPermanentWidget(0, m_notice);
    bar->showMessage(LoadString(AFX_IDS_IDLEMESSAGE));
    UpdateLockKeys();
}

void StatusPanes::Observe(DocumentManager &manager)
{
    m_manager = &manager;
    connect(&manager, &DocumentManager::readStarted, this, [this](const QString &name, bool again) {
        ShowProgress(again ? tr("Reading %1 again: it changed on disk").arg(name) : tr("Reading %1").arg(name), 0);
    });
    connect(&manager, &DocumentManager::readProgress, this,
            [this](const QString &name, int percent) { ShowProgress(tr("Reading %1").arg(name), percent); });
    // A FIFO or a device with nothing to give yet: the window goes on, and
    // the tab can be left or closed at any moment.
    connect(&manager, &DocumentManager::readWaiting, this, [this](const QString &name, bool waiting) {
        ShowProgress(waiting ? tr("%1: waiting for data").arg(name) : tr("Reading %1").arg(name), 0);
    });
    connect(&manager, &DocumentManager::readEnded, this, [this] { ShowProgress(QString(), -1); });
    connect(&manager, &DocumentManager::lotNotice, this, [this](const QString &text) { m_bar->showMessage(text); });
    connect(&manager.Document(), &ResultDocument::changed, this, &StatusPanes::documentChanged);
    documentChanged();
}

void StatusPanes::SetYieldShown(bool shown)
{
    m_yieldShown = shown;
    documentChanged();
}

void StatusPanes::documentChanged()
{
    if (!m_manager)
        return;
    const ResultDocument &document = m_manager->Document();
    ShowNotice(document.NoticeText());
    ShowYield(m_yieldShown ? document.YieldText() : QString());
    const Limits &limits = document.LimitsInUse();
    m_limits->setText(limits.IsEmpty() ? QString() : tr("limits: %1").arg(limits.Name()));
    m_limits->setVisible(!limits.IsEmpty());
}

void StatusPanes::ShowPrompt(const QString &prompt)
{
    m_bar->showMessage(prompt.isEmpty() ? LoadString(AFX_IDS_IDLEMESSAGE) : prompt);
}

void StatusPanes::ShowProgress(const QString &text, int percent)
{
    if (percent < 0) {
        m_progress->hide();
        ShowPrompt(QString());
        return;
    }
    m_progress->setValue(percent);
    m_progress->show();
    m_bar->showMessage(text);
}

// A long notice is cut in the middle, all of it in its tip: the window's
// width is fixed.
void StatusPanes::ShowNotice(const QString &text)
{
    const int widest = qMax(200, m_bar->width() / 2);
    m_notice->setText(m_notice->fontMetrics().elidedText(text, Qt::ElideMiddle, widest));
    m_notice->setToolTip(text);
    m_notice->setVisible(!text.isEmpty());
}

void StatusPanes::ShowYield(const QString &text)
{
    m_yield->setText(text);
    m_yield->setVisible(!text.isEmpty());
}

// A pane shows its name while its lock is on and nothing while it is off,
// whatever colours a style sheet gives the panes; where the window system
// does not tell the locks, all three stay empty.
void StatusPanes::UpdateLockKeys()
{
    LockKeyState state;
    LockKeyState::Read(state);
    const auto show = [this](int id, bool on) { m_indicators.value(id)->setText(on ? LoadString(id) : QString()); };
    show(ID_INDICATOR_CAPS, state.caps);
    show(ID_INDICATOR_NUM, state.num);
    show(ID_INDICATOR_SCRL, state.scroll);
}
