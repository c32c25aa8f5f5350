#include "view/PopulationWindows.h"

#include "document/DocumentManager.h"
#include "view/CompareDialog.h"
#include "view/DistributionDialog.h"
#include "view/LotDistributionsDialog.h"
#include "view/SummaryDialog.h"

namespace {

void raise(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

PopulationWindows::PopulationWindows(const ResultDocument &document, QWidget *parent)
    : QObject(parent), m_document(document), m_parent(parent)
{
}

void PopulationWindows::ShowSummary(FileDialogs &dialogs)
{
    if (!m_summary) {
        m_summary = new SummaryDialog(m_document, dialogs, m_parent);
        connect(m_summary, &SummaryDialog::fiberChosen, this, [this](qsizetype block) { emit fiberChosen(block); });
    }
    raise(m_summary);
}

void PopulationWindows::ShowDistributions(FileDialogs &dialogs)
{
    if (!m_distributions) {
        m_distributions = new DistributionDialog(m_document, dialogs, m_parent);
        connect(m_distributions, &DistributionDialog::fiberChosen, this, &PopulationWindows::fiberChosen);
        connect(m_distributions, &DistributionDialog::fibersListed, this, &PopulationWindows::fibersListed);
        connect(m_distributions, &DistributionDialog::limitsTried, this, &PopulationWindows::limitsTried);
        connect(m_distributions, &DistributionDialog::limitsApplied, this, &PopulationWindows::limitsApplied);
        m_distributions->MarkFiber(m_shownFiber);
    }
    raise(m_distributions);
}

void PopulationWindows::ShowLotDistributions(FileDialogs &dialogs, const LotDocument &lot)
{
    if (!m_lotDistributions)
        m_lotDistributions = new LotDistributionsDialog(dialogs, m_parent);
    // Judged as the lot's tab judges its files: by the rows' thresholds.
    m_lotDistributions->Show(lot, JudgeInputs());
    raise(m_lotDistributions);
}

void PopulationWindows::SetShownFiber(qsizetype block)
{
    m_shownFiber = block;
    if (m_distributions)
        m_distributions->MarkFiber(block);
}

void PopulationWindows::ShowCompare(FileDialogs &dialogs, const DocumentManager &manager)
{
    if (!m_compare)
        m_compare = new CompareDialog(dialogs, m_parent);
    m_compare->SetInputs(manager.Inputs());
    const int current = manager.CurrentTab();
    if (manager.TabCount() >= 2 && current >= 0) {
        const int other = current > 0 ? current - 1 : 1;
        m_compare->SetPaths(manager.Record(other).path, manager.Record(current).path);
        m_compare->Compare();
    }
    raise(m_compare);
}
